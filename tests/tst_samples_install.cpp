// First start: the sample puzzles go into the puzzle folder only when it has
// no puzzle, and a player's files are never overwritten or deleted.
#include <QtTest>

#include "platform/DataFolder.h"
#include "services/PuzzleFolder.h"
#include "support/ScratchDocuments.h"

class TestSamplesInstall : public QObject {
    Q_OBJECT
private:
    QString folder;

    static QStringList resourceNames() {
        return QDir(dataFilePath("puzzles")).entryList({"*.vlq"}, QDir::Files, QDir::Name);
    }

private slots:
    void initTestCase() {
        // Never touch a real user's documents: the test runs with a scratch HOME.
        const QString home = QDir(qEnvironmentVariable("HOME")).canonicalPath();
        QVERIFY2(home.contains("/tests/home/"), qPrintable("HOME is not a scratch folder: " + home));
        folder = puzzleFolderPath();
        QVERIFY(folder.startsWith(QDir::homePath()));
        QVERIFY(folder.endsWith("/Marlowick/Puzzles"));
        QVERIFY(resourceNames().size() >= 8);
    }
    void init() { QDir(folder + "/..").removeRecursively(); } // the scratch Marlowick folder

    void missingFolderGetsEverySample() {
        QCOMPARE(ensureSamplePuzzles(), resourceNames().size());
        for (const QString& name : resourceNames()) {
            const QString path = QDir(folder).filePath(name);
            QCOMPARE(fileBytes(path), fileBytes(dataFilePath("puzzles/" + name)));
            QVERIFY2(QFileInfo(path).isWritable(), qPrintable(name));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite)); // the game opens puzzles for writing
        }
    }

    void folderWithoutPuzzlesGetsSamples() {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeBytes(folder + "/notes.txt", "mine"));
        QVERIFY(writeBytes(folder + "/" + resourceNames().first() + ".bak", "mine too"));
        QCOMPARE(ensureSamplePuzzles(), resourceNames().size());
        QCOMPARE(fileBytes(folder + "/notes.txt"), QByteArray("mine"));
        QCOMPARE(fileBytes(folder + "/" + resourceNames().first() + ".bak"), QByteArray("mine too"));
    }

    void playersPuzzlesAreLeftAlone_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("own puzzle") << "Mine.vlq";
        QTest::newRow("upper-case extension") << "Mine.VLQ";
        QTest::newRow("sample name") << "";
    }
    void playersPuzzlesAreLeftAlone() {
        QFETCH(QString, file);
        if (file.isEmpty()) file = resourceNames().first();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeBytes(folder + "/" + file, "player's progress"));
        QCOMPARE(ensureSamplePuzzles(), 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{file});
        QCOMPARE(fileBytes(folder + "/" + file), QByteArray("player's progress"));
    }

    void laterStartsChangeNothing() {
        QVERIFY(ensureSamplePuzzles() > 0);
        const QStringList samples = resourceNames();
        QVERIFY(writeBytes(folder + "/" + samples[0], "solved half"));
        QVERIFY(QFile::remove(folder + "/" + samples[1]));
        QCOMPARE(ensureSamplePuzzles(), 0);
        QCOMPARE(fileBytes(folder + "/" + samples[0]), QByteArray("solved half"));
        QVERIFY(!QFile::exists(folder + "/" + samples[1]));
    }
};

QTEST_GUILESS_MAIN(TestSamplesInstall)
#include "tst_samples_install.moc"
