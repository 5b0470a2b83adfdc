// The game's command line: what starts, what answers and leaves, and what
// is refused.
#include <QtTest>

#include "app/CommandLine.h"

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void readsArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("infoOnly");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("messagePart");
        QTest::addColumn<QString>("puzzle");
        QTest::newRow("nothing") << QStringList{} << false << -1 << "" << "";
        QTest::newRow("last file opens") << QStringList{"a.vlq", "b.vlq"} << false << -1 << "" << "b.vlq";
        QTest::newRow("file after --") << QStringList{"--", "-odd.vlq"} << false << -1 << "" << "-odd.vlq";
        QTest::newRow("help") << QStringList{"x.vlq", "--help"} << true << 0 << "vorlaquince [options] [puzzle...]" << "";
        QTest::newRow("version") << QStringList{"-v"} << false << 0 << "vorlaquince 6.0\n" << "";
        QTest::newRow("unknown option") << QStringList{"--bogus", "x.vlq"} << false << kUsageExitCode
                                        << "Unknown option 'bogus'" << "";
        // Before the application object has taken its own options out.
        QTest::newRow("Qt options left alone")
            << QStringList{"-platform", "offscreen", "-reverse", "x.vlq"} << true << -1 << "" << "";
        QTest::newRow("version among Qt options")
            << QStringList{"-platform", "offscreen", "--version"} << true << 0 << "vorlaquince 6.0\n" << "";
    }
    void readsArguments() {
        QFETCH(QStringList, args);
        QFETCH(bool, infoOnly);
        QFETCH(int, exitCode);
        QFETCH(QString, messagePart);
        QFETCH(QString, puzzle);
        const CommandLine line = readCommandLine(QStringList{"vorlaquince"} + args, infoOnly);
        QCOMPARE(line.exitCode, exitCode);
        QVERIFY2(line.message.contains(messagePart), qPrintable(line.message));
        QCOMPARE(line.message.isEmpty(), exitCode < 0);
        QCOMPARE(line.puzzle, puzzle);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
