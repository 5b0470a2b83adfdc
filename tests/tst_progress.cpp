// The progress store over a real SQLite file: what it keeps comes back
// through a new connection, a broken file turns it off with one notice,
// and a kill in the middle of writing loses no row written before.
#include <QtTest>

#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <csignal>

#include "game/ProgressStore.h"
#include "support/ReadOnlyGuard.h"

namespace {

QString scratchPath(const QString& name) {
    const QString dir = QDir::tempPath() + QStringLiteral("/progress-") + name;
    QDir(dir).removeRecursively();
    return dir + QStringLiteral("/progress.sqlite");
}

// In a child process: writes solves until killed, printing each one's
// number once its transaction is done.
int writeSolvesForever(const QString& path) {
    ProgressStore store(path);
    QTextStream out(stdout);
    for (int n = 1;; ++n) {
        store.recordSolve(QStringLiteral("id%1").arg(n % 7), QStringLiteral("Title %1").arg(n), QStringLiteral("A"), n,
                          false);
        if (!store.usable()) return 1;
        out << n << Qt::endl;
    }
}

} // namespace

class TestProgress : public QObject {
    Q_OBJECT
private slots:
    void keptAcrossConnections() {
        const QString path = scratchPath(QStringLiteral("kept"));
        const QString id = QStringLiteral("0123456789abcdef");
        {
            ProgressStore store(path);
            QVERIFY(!QFile::exists(path)); // nothing opened until used
            store.notePlayed(id, QStringLiteral("Hamlet"), QStringLiteral("Vera Quince"));
            store.setSeconds(id, 75);
            store.setRevealed(id);
            store.recordSolve(id, QStringLiteral("Hamlet"), QStringLiteral("Vera Quince"), 90, true,
                              QDateTime(QDate(2026, 12, 9), QTime(23, 30), Qt::UTC));
            store.recordSolve(id, QStringLiteral("Hamlet"), QStringLiteral("Vera Quince"), 80, false);
            store.setPencil(id, {{102, 'Q'}, {305, 'R'}});
            store.setPencilLetter(id, 305, 0);
            store.setPencilLetter(id, 407, 'S');
            store.setClueTexts(id, {{3, QString(120, u'é')}});
            store.storeFileFigures({{QStringLiteral("/p/Hamlet.vlq"), 17, 11519, id, QStringLiteral("Hamlet"),
                                     QStringLiteral("Vera Quince"), 17, 9, 12, 40, 120}});
            QVERIFY(store.failure().isEmpty());
        }
        ProgressStore again(path);
        const PuzzleProgress p = again.progress(id);
        QVERIFY(p.known);
        QCOMPARE(p.seconds, 80);
        QVERIFY(!p.revealed);
        QVERIFY(p.solvedAt.isValid());
        QCOMPARE(again.bestSeconds(id), std::optional<int>(80));
        QCOMPARE(again.bestSeconds(QStringLiteral("other")), std::optional<int>());
        const QList<SolveRecord> solves = again.solves();
        QCOMPARE(solves.size(), 2);
        QCOMPARE(solves[0].seconds, 90);
        QVERIFY(solves[0].revealed);
        QCOMPARE(solves[0].solvedAt, QDateTime(QDate(2026, 12, 9), QTime(23, 30), Qt::UTC));
        QCOMPARE(again.puzzlesStarted(), 1);
        QCOMPARE(again.pencil(id), (QMap<int, char>{{102, 'Q'}, {407, 'S'}}));
        QCOMPARE(again.clueTexts(id).value(3), QString(120, u'é'));
        QCOMPARE(again.fileFigures().value(QStringLiteral("/p/Hamlet.vlq")).total, 120);

        // What a player reading the file with sqlite3 finds.
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(QStringLiteral("SELECT title, author, seconds, revealed, solved_at FROM solves ORDER BY id"), db);
        QVERIFY(q.next());
        QCOMPARE(q.value(4).toString(), QStringLiteral("2026-12-09T23:30:00Z"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Hamlet"));
        QCOMPARE(q.value(2).toInt(), 80);
        QCOMPARE(q.value(3).toInt(), 0);
        q.finish();
        db.close();
        db = {};
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));
    }

    void brokenFileTurnsStoreOff_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("corrupt") << "corrupt";
        QTest::newRow("read-only") << "read-only";
        QTest::newRow("locked") << "locked";
        QTest::newRow("folder blocked") << "folder blocked";
    }
    void brokenFileTurnsStoreOff() {
        QFETCH(QString, fault);
        const QString path = scratchPath(fault.left(4));
        { ProgressStore(path).notePlayed(QStringLiteral("x"), {}, {}); }
        std::optional<ReadOnlyGuard> readOnly;
        QSqlDatabase holder;
        if (fault == QLatin1String("corrupt")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write(QByteArray(4096, 'x'));
        } else if (fault == QLatin1String("read-only")) {
            readOnly.emplace(path);
            if (!readOnly->ok()) QSKIP("no read-only file here");
        } else if (fault == QLatin1String("locked")) {
            holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            holder.setDatabaseName(path);
            QVERIFY(holder.open());
            QSqlQuery(QStringLiteral("BEGIN EXCLUSIVE"), holder);
            QSqlQuery(QStringLiteral("INSERT INTO puzzles(identity) VALUES('y')"), holder);
        } else {
            QDir(QFileInfo(path).absolutePath()).removeRecursively();
            QFile block(QFileInfo(path).absolutePath());
            QVERIFY(block.open(QIODevice::WriteOnly)); // a file where the folder goes
        }
        ProgressStore store(path);
        QSignalSpy notices(&store, &ProgressStore::unavailable);
        store.notePlayed(QStringLiteral("z"), QStringLiteral("T"), QStringLiteral("A"));
        store.recordSolve(QStringLiteral("z"), QStringLiteral("T"), QStringLiteral("A"), 5, false);
        store.setPencilLetter(QStringLiteral("z"), 101, 'A');
        QCOMPARE(store.solves().size(), 0);
        QVERIFY(!store.progress(QStringLiteral("z")).known);
        QVERIFY(!store.usable());
        QCOMPARE(notices.size(), 1);
        QVERIFY(!store.failure().isEmpty());
        if (holder.isValid()) {
            holder.close();
            holder = {};
            QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        }
    }

    // The writer is killed at a random moment: every solve it had finished
    // is there, and the file is whole.
    void killDuringWritesLosesNoFinishedRow() {
        const QString path = scratchPath(QStringLiteral("kill"));
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VLQ_PROGRESS_WRITER"), path);
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(writer.waitForStarted());
        int done = 0;
        while (done < 40 && writer.waitForReadyRead(20000))
            while (writer.canReadLine()) done = writer.readLine().trimmed().toInt();
        QVERIFY2(done >= 40, qPrintable(writer.readAllStandardError()));
        ::kill(pid_t(writer.processId()), SIGKILL);
        writer.waitForFinished();
        ProgressStore store(path);
        QVERIFY(store.solves().size() >= done);
        QVERIFY(store.failure().isEmpty());
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(QStringLiteral("PRAGMA integrity_check"), db);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
        q.finish();
        db.close();
        db = {};
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (const QByteArray path = qgetenv("VLQ_PROGRESS_WRITER"); !path.isEmpty())
        return writeSolvesForever(QString::fromLocal8Bit(path));
    TestProgress t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_progress.moc"
