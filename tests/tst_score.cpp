// Scoring: the verdict on the grid, the score card's set-up, and what each
// of its buttons does to the puzzle, its file and the main window.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include "platform/Trash.h"

class TestScore : public QObject {
    Q_OBJECT
private slots:
    void trashLandsInHomeTrash();
    void trashRefusesMissingFile();
};

// The scratch data folder does not exist yet: the file must still land in
// $XDG_DATA_HOME/Trash/files with its .trashinfo, never in ./files.
void TestScore::trashLandsInHomeTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir(data).removeRecursively();
    QTemporaryDir work;
    QVERIFY(work.isValid());
    QVERIFY(QDir::setCurrent(work.path()));
    const QString path = work.filePath(QStringLiteral("Sunday.vlq"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("puzzle");
    }
    QVERIFY(vlq::moveToTrash(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(work.filePath(QStringLiteral("files/Sunday.vlq"))));
    QFile trashed(data + QStringLiteral("/Trash/files/Sunday.vlq"));
    QVERIFY(trashed.open(QIODevice::ReadOnly));
    QCOMPARE(trashed.readAll(), QByteArray("puzzle"));
    QVERIFY(QFile::exists(data + QStringLiteral("/Trash/info/Sunday.vlq.trashinfo")));
}

void TestScore::trashRefusesMissingFile() {
    QVERIFY(!vlq::moveToTrash(QString()));
    QVERIFY(!vlq::moveToTrash(QStringLiteral("/nonexistent/folder/x.vlq")));
}

QTEST_MAIN(TestScore)
#include "tst_score.moc"
