// The game's life beyond one run: recovery copies of unsaved letters and
// their offer at the next start, the lock beside an open puzzle, one game
// per session with the hand-over of a later start's file, and the real
// program and vlqtool under a file-size limit.
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include "app/SingleInstance.h"
#include "app/TVlqGameMainForm.h"
#include "game/GameContext.h"
#include "game/PuzzleLock.h"
#include "game/RecoveryCopy.h"
#include "game/TVlqProcs.h"
#include "views/TVlqGameGridForm.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ReadOnlyGuard.h"
#include "support/ScratchDocuments.h"

namespace {

// A home of its own for a real game, with a private runtime folder, so it
// never meets another game of this machine.
struct GameHome {
    QTemporaryDir dir;
    QString path(const QString& rel) const { return dir.path() + QLatin1Char('/') + rel; }
    GameHome() {
        QDir().mkpath(path(QStringLiteral("runtime")));
        QFile::setPermissions(path(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void start(QProcess& p, const QString& program, const QStringList& args) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral(".config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral(".local/share")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start(program, args);
    }
    // Waits until the settings file of the game in this home holds text.
    bool settingsContain(const QString& text, int ms) const {
        const QString store = path(QStringLiteral(".config/Marlowick32/Vorlaquince6Game.reg"));
        for (QDeadlineTimer t(ms); !t.hasExpired(); QTest::qWait(100))
            if (QString::fromUtf8(fileBytes(store)).contains(text)) return true;
        return false;
    }
};

bool endWithSigterm(QProcess& p, int withinMs) {
    ::kill(pid_t(p.processId()), SIGTERM);
    QElapsedTimer clock;
    clock.start();
    return p.waitForFinished(10000) && clock.elapsed() < withinMs && p.exitStatus() == QProcess::NormalExit &&
           p.exitCode() == 0;
}

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recoveryCopyFollowsTheLetters();
    void recoveryOffer_data();
    void recoveryOffer();
    void openAnotherAfterFailedSave();
    void puzzleHeldElsewhere_data();
    void puzzleHeldElsewhere();
    void handOverWaitsForModalWindow();
    void secondStartHandsOver();
    void fileSizeLimit_data();
    void fileSizeLimit();

private:
    std::unique_ptr<TVlqProcs> procs;
    std::unique_ptr<RecoveryCopy> recovery;
    std::unique_ptr<PromptRecorder> prompts;
    std::unique_ptr<TVlqGameMainForm> form;
    ScratchDocuments docs;
};

void TestLifecycle::init() {
    game().reset();
    procs = std::make_unique<TVlqProcs>();
    recovery = std::make_unique<RecoveryCopy>();
    prompts = std::make_unique<PromptRecorder>();
    form = fixture::showMainWindow();
    QVERIFY(form);
    QDir(RecoveryCopy::folder()).removeRecursively();
}

void TestLifecycle::cleanup() {
    form.reset();
    openPuzzleLock().release();
    prompts.reset();
    recovery.reset();
    procs.reset();
    docs.clear();
}

// A typed letter is copied within the delay, and a save takes the copy away.
void TestLifecycle::recoveryCopyFollowsTheLetters() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    const int side = game().gridSquareSize;
    QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, QPoint(side / 2, side / 2));
    QTest::keyClick(game().gridForm, 'X');
    QCOMPARE(char(game().puzzle.entry(1, 1)), 'X');
    const QString copy = RecoveryCopy::copyPathOf(a);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 10000);
    QCOMPARE(fileBytes(copy), recordBytes(game().puzzle));
    QVERIFY(copy.startsWith(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/vorlaquince/recovery/A-")));
    form->Save1->trigger();
    QVERIFY(!QFile::exists(copy));
    QCOMPARE(QDir(RecoveryCopy::folder()).entryList(QDir::Files), QStringList{});
}

void TestLifecycle::recoveryOffer_data() {
    QTest::addColumn<int>("answer"); // 0 Recover, 1 Discard; -1: the copy is older, nothing asked
    QTest::newRow("Recover") << 0;
    QTest::newRow("Discard") << 1;
    QTest::newRow("copy older than its puzzle") << -1;
}

// At start a copy newer than its puzzle is offered by name: Recover opens
// the puzzle with its letters unsaved, Discard deletes the copy; a copy the
// puzzle was saved over since is dropped without a word.
void TestLifecycle::recoveryOffer() {
    QFETCH(int, answer);
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    game().currentPuzzlePath = a;
    game().puzzle = smallPuzzle(1);
    game().puzzle.setEntry(1, 1, 'X');
    QVERIFY(recovery->writeNow());
    game().reset();
    const QString copy = RecoveryCopy::copyPathOf(a);
    QFile f(answer < 0 ? a : copy);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    f.close();
    if (answer >= 0) prompts->choiceAnswers << answer;

    form->offerRecoveryCopies();
    QCOMPARE(prompts->choices.size(), answer < 0 ? 0 : 1);
    if (answer >= 0) QVERIFY(prompts->choices[0].contains(QStringLiteral("\"A\"")));
    QCOMPARE(game().currentPuzzlePath, answer == 0 ? a : QString());
    QCOMPARE(game().modified, answer == 0);
    if (answer == 0) QCOMPARE(char(game().puzzle.entry(1, 1)), 'X');
    QCOMPARE(QFile::exists(copy), answer == 0); // kept until the letters are saved
    QCOMPARE(fileBytes(a), recordBytes(smallPuzzle(1)));
}

// When the open puzzle cannot be saved, opening another one asks after the
// error; Yes opens it, the unsaved letters kept in a recovery copy.
void TestLifecycle::openAnotherAfterFailedSave() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString b = docs.writePuzzle(QStringLiteral("B.vlq"), smallPuzzle(2));
    QVERIFY(form->OpenPuzzleFile(a));
    const int side = game().gridSquareSize;
    QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, QPoint(side / 2, side / 2));
    QTest::keyClick(game().gridForm, 'X');
    {
        ReadOnlyGuard guard(a);
        if (!guard.ok()) QSKIP("cannot make a file read-only here");
        prompts->answers << true;
        QVERIFY(form->OpenPuzzleFile(b));
    }
    QCOMPARE(prompts->errors, QStringList{QStringLiteral("File access denied.")});
    QCOMPARE(prompts->questions.size(), 1);
    QCOMPARE(game().currentPuzzlePath, b);
    QCOMPARE(fileBytes(RecoveryCopy::copyPathOf(a)).at(655), 'X');
    QCOMPARE(fileBytes(a), recordBytes(smallPuzzle(1)));
}

void TestLifecycle::puzzleHeldElsewhere_data() {
    QTest::addColumn<QString>("lock");
    QTest::addColumn<int>("answer"); // -1: nothing asked
    QTest::addColumn<bool>("opens");
    QTest::newRow("another computer, Cancel") << "Vorlaquince,ann,far-away-host,4242,2026-01-02T03:04:05" << 1 << false;
    QTest::newRow("another computer, Open Anyway") << "Vorlaquince,ann,far-away-host,4242,2026-01-02T03:04:05" << 0
                                                   << true;
    QTest::newRow("stale: no such process here") << "Vorlaquince,ann,%1,2147483000,2026-01-02T03:04:05" << -1 << true;
}

// A lock beside the puzzle of a live game elsewhere is announced; a stale
// one of this computer is taken over silently. Either way the lock beside
// the opened puzzle is then this game's, and goes with it.
void TestLifecycle::puzzleHeldElsewhere() {
    QFETCH(QString, lock);
    QFETCH(int, answer);
    QFETCH(bool, opens);
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString lockPath = docs.path(QStringLiteral(".~lock.A.vlq#"));
    QVERIFY(writeBytes(lockPath, lock.arg(QSysInfo::machineHostName()).toUtf8()));
    if (answer >= 0) prompts->choiceAnswers << answer;
    QCOMPARE(form->OpenPuzzleFile(a), opens);
    QCOMPARE(prompts->choices.size(), answer < 0 ? 0 : 1);
    if (answer >= 0) QVERIFY(prompts->choices[0].contains(QStringLiteral("ann on far-away-host")));
    const QString held = QString::fromUtf8(fileBytes(lockPath));
    QCOMPARE(held.contains(QStringLiteral(",%1,").arg(QCoreApplication::applicationPid())), opens);
    form->close();
    QCOMPARE(QFile::exists(lockPath), !opens);
}

// A file handed over while a modal window is open waits until it closes.
void TestLifecycle::handOverWaitsForModalWindow() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    SingleInstance instance; // only its signal: no lock, no socket
    form->attachSingleInstance(&instance);
    QDialog modal(form.get());
    bool openedUnderModal = true;
    QTimer::singleShot(0, &modal, [&] {
        emit instance.requested({a});
        QTest::qWait(600);
        openedUnderModal = !game().currentPuzzlePath.isEmpty();
        modal.accept();
    });
    modal.exec();
    QVERIFY(!openedUnderModal);
    QTRY_COMPARE(game().currentPuzzlePath, a);
}

// A second start with a puzzle file (named relative to its own folder)
// hands it to the running game and ends at once; the running game opens it.
void TestLifecycle::secondStartHandsOver() {
    GameHome home;
    const QString puzzle = home.path(QStringLiteral("elsewhere/If.vlq"));
    QDir().mkpath(home.path(QStringLiteral("elsewhere")));
    QVERIFY(QFile::copy(QStringLiteral(VLQ_SOURCE_DIR "/resources/puzzles/If.vlq"), puzzle));
    QProcess first;
    home.start(first, QStringLiteral(VLQ_GAME_PATH), {});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.path(QStringLiteral("runtime/vorlaquince.socket"))), 30000);

    QProcess second;
    home.start(second, QStringLiteral(VLQ_GAME_PATH), {QStringLiteral("elsewhere/If.vlq")});
    QElapsedTimer clock;
    clock.start();
    QVERIFY(second.waitForFinished(10000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(home.settingsContain(QStringLiteral("\"CurrentPuzzle\"=\"") + puzzle, 30000));
    QVERIFY(QFile::exists(home.path(QStringLiteral("elsewhere/.~lock.If.vlq#"))));
    QCOMPARE(first.state(), QProcess::Running);
    QVERIFY(endWithSigterm(first, 2000));
    QVERIFY(!QFile::exists(home.path(QStringLiteral("elsewhere/.~lock.If.vlq#"))));
}

void TestLifecycle::fileSizeLimit_data() {
    QTest::addColumn<QString>("program");
    QTest::newRow("game: the first start's sample puzzles") << VLQ_GAME_PATH;
    QTest::newRow("vlqtool build") << VLQ_TOOL_PATH;
}

// Under a file-size limit smaller than a puzzle, a write is an ordinary
// write error: the game goes on (and ends on SIGTERM as usual), vlqtool
// says the file cannot be written.
void TestLifecycle::fileSizeLimit() {
    QFETCH(QString, program);
    GameHome home;
    QProcess p;
    const bool tool = program == QLatin1String(VLQ_TOOL_PATH);
    QStringList args{QStringLiteral("--fsize=4096"), program};
    if (tool)
        args << QStringLiteral("build") << QStringLiteral(VLQ_SOURCE_DIR "/puzzles/If.txt") << QStringLiteral("-o")
             << home.path(QStringLiteral("If.vlq"));
    home.start(p, QStringLiteral("prlimit"), args);
    if (tool) {
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("cannot be written"));
        QCOMPARE(QDir(home.dir.path()).entryList({QStringLiteral("If.vlq*")}, QDir::Files), QStringList{});
        return;
    }
    // The sample puzzles are copied into the new puzzle folder after the
    // game has taken its session's socket.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.path(QStringLiteral("runtime/vorlaquince.socket"))) ||
                                 p.state() != QProcess::Running, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(home.path(QStringLiteral("Documents/Marlowick/Puzzles"))).isDir() ||
                                 p.state() != QProcess::Running, 30000);
    QTest::qWait(1500);
    QCOMPARE(p.state(), QProcess::Running);
    QVERIFY(endWithSigterm(p, 2000));
}

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
