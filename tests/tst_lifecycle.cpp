// The game's life beyond one run: recovery copies and their offer, the lock
// beside an open puzzle, one game per session, a file-size limit.
#include <QDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Starts a real program in a home of its own, with a private runtime
// folder, so it never meets another game of this machine.
struct GameHome {
    QTemporaryDir dir;
    QString path(const char* rel) const { return dir.filePath(QString::fromLatin1(rel)); }
    void start(QProcess& p, const QString& program, const QStringList& args) const {
        QDir().mkdir(path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(".config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(".local/share"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("runtime"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start(program, args);
    }
};

// SIGTERM ends p by itself, with status 0, within withinMs.
bool endsOnSigterm(QProcess& p, int withinMs) {
    ::kill(pid_t(p.processId()), SIGTERM);
    QElapsedTimer clock;
    clock.start();
    return p.waitForFinished(10000) && clock.elapsed() < withinMs && p.exitStatus() == QProcess::NormalExit &&
           p.exitCode() == 0;
}

void typeIntoFirstSquare(char letter) {
    const int side = game().gridSquareSize;
    QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, QPoint(side / 2, side / 2));
    QTest::keyClick(game().gridForm, letter);
}

// Where recovery copies go when the data home takes none.
QString spareFolder() { return QDir::tempPath() + QStringLiteral("/vorlaquince-recovery-%1").arg(::getuid()); }

// Leaves a recovery copy of the puzzle at path, with X in its first
// square and newer than the puzzle, as a game that ended unsaved does.
bool leaveRecoveryCopy(RecoveryCopy& recovery, const QString& path) {
    TVlqProcs::LoadPuzzle(path);
    game().currentPuzzlePath = path;
    game().puzzle.setEntry(1, 1, 'X');
    QFile copy(RecoveryCopy::copyPathOf(path));
    const bool left = recovery.writeNow() && copy.open(QIODevice::ReadWrite) &&
                      copy.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    game().reset();
    return left;
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
    void copyOfAnOddPathOffered();
    void manyCopiesOneQuestion();
    void copyOfAnotherLiveGameNotOffered();
    void recoveredPuzzleChangedElsewhere_data();
    void recoveredPuzzleChangedElsewhere();
    void openingOffersLeftLetters();
    void openAnotherAfterFailedSave();
    void puzzleHeldElsewhere_data();
    void puzzleHeldElsewhere();
    void handOverWaitsForModalWindow();
    void secondStartHandsOver();
    void runtimeFolderIsTheUsers_data();
    void runtimeFolderIsTheUsers();
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
    QDir(RecoveryCopy::folder()).removeRecursively();
    QDir(spareFolder()).removeRecursively();
    form = fixture::showMainWindow();
    QVERIFY(form);
}

void TestLifecycle::cleanup() {
    form.reset();
    prompts.reset();
    recovery.reset();
    procs.reset();
    docs.clear();
}

// A typed letter is copied within the delay; a save takes the copy away.
void TestLifecycle::recoveryCopyFollowsTheLetters() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    typeIntoFirstSquare('X');
    const QString copy = RecoveryCopy::copyPathOf(a);
    // Due after a pause, well before the longest delay (or written already,
    // on a slow machine).
    const auto* due = RecoveryCopy::instance()->findChild<QTimer*>();
    QVERIFY(due && (due->isActive() ? due->remainingTime() < RecoveryCopy::kDelayMs / 2 : QFile::exists(copy)));
    QVERIFY(copy.startsWith(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/vorlaquince/recovery/A-")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 10000);
    QCOMPARE(fileBytes(copy).left(qsizetype(vlq::kRecordSize)), recordBytes(game().puzzle));
    QVERIFY(!(QFileInfo(RecoveryCopy::folder()).permissions() & (QFile::ReadGroup | QFile::ReadOther))); // the player's alone
    form->Save1->trigger();
    QCOMPARE(QDir(RecoveryCopy::folder()).entryList(QDir::Files), QStringList{});
}

void TestLifecycle::recoveryOffer_data() {
    QTest::addColumn<int>("answer"); // 0 Recover, 1 Discard; -1: the copy is older, nothing asked
    QTest::addColumn<bool>("touched"); // the puzzle file newer than the copy without its letters
    QTest::addColumn<bool>("spare");   // the copy went to the temporary folder (the data home was full)
    QTest::newRow("Recover") << 0 << false << false;
    QTest::newRow("Discard") << 1 << false << false;
    QTest::newRow("copy older than its puzzle") << -1 << false << false;
    QTest::newRow("puzzle file newer without the letters") << 0 << true << false;
    QTest::newRow("Recover from the spare folder") << 0 << false << true;
}

// At start a copy newer than its puzzle is offered by name: Recover opens
// the puzzle with its letters unsaved, Discard deletes the copy; a copy the
// puzzle was saved over since goes without a word, but not one whose puzzle
// file only became newer (touched, or rewritten by another program).
void TestLifecycle::recoveryOffer() {
    QFETCH(int, answer);
    QFETCH(bool, touched);
    QFETCH(bool, spare);
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    game().currentPuzzlePath = a;
    game().puzzle = smallPuzzle(1);
    game().puzzle.setEntry(1, 1, 'X');
    QVERIFY(recovery->writeNow());
    if (answer < 0) docs.writePuzzle(QStringLiteral("A.vlq"), game().puzzle); // saved since
    game().reset();
    QString copy = RecoveryCopy::copyPathOf(a);
    if (spare) {
        QVERIFY(QDir().mkdir(spareFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        for (const QString& name : QDir(RecoveryCopy::folder()).entryList(QDir::Files))
            QVERIFY(QFile::rename(RecoveryCopy::folder() + '/' + name, spareFolder() + '/' + name));
        copy = spareFolder() + '/' + QFileInfo(copy).fileName();
    }
    QFile newer(answer < 0 || touched ? a : copy);
    QVERIFY(newer.open(QIODevice::ReadWrite) &&
            newer.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    newer.close();
    if (answer >= 0) prompts->choiceAnswers << answer;

    form->offerRecoveryCopies();
    QCOMPARE(prompts->choices.size(), answer < 0 ? 0 : 1);
    QVERIFY(prompts->choices.value(0, QStringLiteral("\"A\"")).contains(QStringLiteral("\"A\"")));
    QCOMPARE(game().currentPuzzlePath, answer == 0 ? a : QString());
    QCOMPARE(game().modified, answer == 0);
    QCOMPARE(game().puzzle.entry(1, 1), answer == 0 ? 'X' : 0);
    QCOMPARE(QFile::exists(copy), answer == 0); // kept until the letters are saved
    if (answer >= 0) QCOMPARE(fileBytes(a), recordBytes(smallPuzzle(1)));
}

// A puzzle whose name ends in a space keeps its copy to be offered: its
// path is read back as written.
void TestLifecycle::copyOfAnOddPathOffered() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq "), smallPuzzle(1));
    QVERIFY(leaveRecoveryCopy(*recovery, a));
    const auto waiting = RecoveryCopy::waiting();
    QCOMPARE(waiting.size(), 1);
    QCOMPARE(waiting[0].puzzlePath, QFileInfo(a).absoluteFilePath());
}

// Several copies waiting at start: one question lists them all; Later
// keeps them all, Discard All deletes them all, with no question for each.
void TestLifecycle::manyCopiesOneQuestion() {
    QStringList puzzles;
    for (const char* name : {"A.vlq", "B.vlq", "C.vlq"}) {
        puzzles << docs.writePuzzle(QString::fromLatin1(name), smallPuzzle(1));
        QVERIFY(leaveRecoveryCopy(*recovery, puzzles.last()));
    }
    for (int answer : {2, 1}) { // Later, then Discard All
        prompts->clear();
        prompts->choiceAnswers << answer;
        form->offerRecoveryCopies();
        QCOMPARE(prompts->choices.size(), 1);
        for (const QString& p : puzzles) QVERIFY(prompts->choices[0].contains(QDir::toNativeSeparators(p)));
        QCOMPARE(RecoveryCopy::waiting().size(), answer == 2 ? 3 : 0);
    }
    QCOMPARE(game().currentPuzzlePath, QString());
}

// The copy of a puzzle that a live game of another session holds is that
// game's own: it is neither offered nor deleted.
void TestLifecycle::copyOfAnotherLiveGameNotOffered() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(leaveRecoveryCopy(*recovery, a));
    QTemporaryDir bin; // the other game: a sleeping program under this program's name
    const QString other = bin.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QVERIFY(QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), other));
    QProcess live;
    live.start(other, {QStringLiteral("60")});
    QVERIFY(live.waitForStarted());
    QVERIFY(writeBytes(PuzzleLock::lockPathOf(a), QStringLiteral("Vorlaquince,ann,%1,%2,2026-01-02T03:04:05")
                                                      .arg(QSysInfo::machineHostName()).arg(live.processId()).toUtf8()));
    form->offerRecoveryCopies();
    live.kill();
    live.waitForFinished();
    QCOMPARE(prompts->choices, QStringList{});
    QVERIFY(QFile::exists(RecoveryCopy::copyPathOf(a)));
}

// Opening a puzzle whose letters an earlier game left in a recovery copy
// offers them first, so that new letters never take the copy's place.
void TestLifecycle::openingOffersLeftLetters() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(leaveRecoveryCopy(*recovery, a));
    prompts->choiceAnswers << 0; // Recover
    QVERIFY(form->OpenPuzzleFile(a));
    QCOMPARE(prompts->choices.size(), 1);
    QCOMPARE(game().puzzle.entry(1, 1), 'X');
    QVERIFY(game().modified);
}

void TestLifecycle::recoveredPuzzleChangedElsewhere_data() {
    QTest::addColumn<QString>("when");
    QTest::newRow("written after Recover") << "after";
    QTest::newRow("written before Recover") << "before";
    QTest::newRow("written before Recover, its old time kept") << "before, old time";
    QTest::newRow("only touched before Recover") << "touched";
}

// Recovered letters meet the puzzle's file as any open puzzle does: when
// another program has written it since the copy (a sync keeping the time
// it had elsewhere, too), Save asks before overwriting it; a file only
// touched is saved over as usual.
void TestLifecycle::recoveredPuzzleChangedElsewhere() {
    QFETCH(QString, when);
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(leaveRecoveryCopy(*recovery, a));
    const auto otherWrite = [&] {
        const QDateTime time = QFileInfo(a).lastModified();
        if (when != QLatin1String("touched")) docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(2));
        QFile file(a);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(when.contains(QLatin1String("old")) ? time : QDateTime::currentDateTime().addSecs(120),
                                 QFileDevice::FileModificationTime));
    };
    if (when != QLatin1String("after")) otherWrite();
    prompts->choiceAnswers << 0 << 0; // Recover, then Keep Both
    form->offerRecoveryCopies();
    QCOMPARE(game().currentPuzzlePath, a);
    if (when == QLatin1String("after")) otherWrite();
    form->Save1->trigger();
    const bool changed = when != QLatin1String("touched");
    QCOMPARE(prompts->choices.size(), changed ? 2 : 1);
    QCOMPARE(fileBytes(a).at(655) == 'X', !changed);
    if (changed) QCOMPARE(fileBytes(a), recordBytes(smallPuzzle(2)));
}

// When the open puzzle cannot be saved, opening another one asks after the
// error; Yes opens it, the unsaved letters kept in a recovery copy.
void TestLifecycle::openAnotherAfterFailedSave() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString b = docs.writePuzzle(QStringLiteral("B.vlq"), smallPuzzle(2));
    QVERIFY(form->OpenPuzzleFile(a));
    typeIntoFirstSquare('X');
    {
        ReadOnlyGuard guard(a);
        if (!guard.ok()) QSKIP("cannot make a file read-only here");
        prompts->answers << true;
        QVERIFY(form->OpenPuzzleFile(b));
    }
    QCOMPARE(prompts->errors, QStringList{"Cannot save the puzzle to this file:\n" + a + "\nFile access denied."});
    QCOMPARE(game().currentPuzzlePath, b);
    QCOMPARE(fileBytes(RecoveryCopy::copyPathOf(a)).at(655), 'X');
}

void TestLifecycle::puzzleHeldElsewhere_data() {
    QTest::addColumn<QString>("lock"); // %1: this computer, %2: the process of `holder`
    QTest::addColumn<QString>("holder"); // a live program of this computer that gets the lock's number
    QTest::addColumn<int>("answer"); // -1: nothing asked
    const QString far = QStringLiteral("Vorlaquince,ann,far-away-host,4242,2026-01-02T03:04:05");
    const QString here = QStringLiteral("Vorlaquince,ann,%1,%2,2026-01-02T03:04:05");
    QTest::newRow("another computer, Cancel") << far << "" << 1;
    QTest::newRow("another computer, Open Anyway") << far << "" << 0;
    QTest::newRow("stale: no such process here") << "Vorlaquince,ann,%1,2147483000,2026-01-02T03:04:05" << "" << -1;
    QTest::newRow("stale: the number is another program's") << here << "sleep" << -1;
    QTest::newRow("stale: a game that ended, not yet waited for") << here << "zombie" << -1;
    QTest::newRow("a game of this computer, Cancel") << here << QFileInfo(QCoreApplication::applicationFilePath()).fileName() << 1;
    QTest::newRow("another computer, opened through a link") << far << "link" << 1;
}

// A lock beside the puzzle of a live game elsewhere is announced; a stale
// one of this computer is taken over silently. The opened puzzle's lock is
// then this game's, and goes when the game closes.
void TestLifecycle::puzzleHeldElsewhere() {
    QFETCH(QString, lock);
    QFETCH(QString, holder);
    QFETCH(int, answer);
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString lockPath = docs.path(QStringLiteral(".~lock.A.vlq#"));
    lock = lock.arg(QSysInfo::machineHostName());
    // The holder: a sleeping program under the name it is given.
    QTemporaryDir bin;
    QProcess live;
    pid_t ended = 0;
    if (holder == QLatin1String("zombie")) {
        // A copy of this program that has ended, its parent (this) not waiting yet.
        if ((ended = ::fork()) == 0) ::_exit(0);
        QTRY_VERIFY(fileBytes(QStringLiteral("/proc/%1/stat").arg(ended)).contains(") Z "));
        lock = lock.arg(ended);
    } else if (holder == QLatin1String("link")) {
        QVERIFY(QFile::link(a, docs.path(QStringLiteral("L.vlq"))));
    } else if (!holder.isEmpty()) {
        const QString program = bin.filePath(holder);
        QVERIFY(QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), program));
        live.start(program, {QStringLiteral("60")});
        QVERIFY(live.waitForStarted());
        lock = lock.arg(live.processId());
    }
    QVERIFY(writeBytes(lockPath, lock.toUtf8()));
    if (answer >= 0) prompts->choiceAnswers << answer;
    const bool opens = answer != 1;
    const mode_t mask = ::umask(077); // a player who keeps new files to themselves
    QCOMPARE(form->OpenPuzzleFile(holder == QLatin1String("link") ? docs.path(QStringLiteral("L.vlq")) : a), opens);
    ::umask(mask);
    QCOMPARE(prompts->choices.size(), answer < 0 ? 0 : 1);
    const QString heldBy = QStringLiteral("ann on ") + lock.section(QLatin1Char(','), 2, 2);
    QVERIFY(prompts->choices.value(0, heldBy).contains(heldBy));
    QCOMPARE(fileBytes(lockPath).contains(',' + QByteArray::number(QCoreApplication::applicationPid()) + ','), opens);
    if (opens) QVERIFY(QFile::permissions(lockPath) & QFile::ReadOther); // other players see it
    form->close();
    QCOMPARE(QFile::exists(lockPath), !opens);
    live.kill();
    live.waitForFinished();
    if (ended > 0) ::waitpid(ended, nullptr, 0);
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
    QVERIFY(QDir().mkdir(home.path("elsewhere")));
    QVERIFY(QFile::copy(QStringLiteral(VLQ_SOURCE_DIR "/resources/puzzles/If.vlq"), home.path("elsewhere/If.vlq")));
    QProcess first, second;
    home.start(first, QStringLiteral(VLQ_GAME_PATH), {});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.path("runtime/vorlaquince.socket")), 30000);
    QElapsedTimer clock;
    clock.start();
    home.start(second, QStringLiteral(VLQ_GAME_PATH), {QStringLiteral("elsewhere/If.vlq")});
    QVERIFY(second.waitForFinished(10000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.path("elsewhere/.~lock.If.vlq#")), 30000); // opened
    QVERIFY(endsOnSigterm(first, 2000));
    QVERIFY(!QFile::exists(home.path("elsewhere/.~lock.If.vlq#")));
}

void TestLifecycle::runtimeFolderIsTheUsers_data() {
    QTest::addColumn<QString>("planted");
    QTest::newRow("none: the game makes it") << "";
    QTest::newRow("a link to a folder") << "link";
    QTest::newRow("a folder open to others") << "open";
    QTest::newRow("another user's folder") << "other";
}

// Without XDG_RUNTIME_DIR the lock and the socket go into a folder of the
// player's own in the cache folder, made by the game and closed to others.
// A folder planted there first is not used: the game plays alone and puts
// nothing into it.
void TestLifecycle::runtimeFolderIsTheUsers() {
    QFETCH(QString, planted);
    if (planted == QLatin1String("other") && ::geteuid() != 0) QSKIP("only root can plant another user's folder");
    // Short paths: a socket's path takes at most 107 bytes.
    QTemporaryDir cache(QStringLiteral("/tmp/vlqc-XXXXXX")), elsewhere;
    const QString dir = cache.filePath(QStringLiteral("vorlaquince-runtime"));
    const QByteArray local = QFile::encodeName(dir);
    if (planted == QLatin1String("link")) QVERIFY(QFile::link(elsewhere.path(), dir));
    if (planted == QLatin1String("open")) QVERIFY(::mkdir(local.constData(), 0700) == 0 && ::chmod(local.constData(), 0777) == 0);
    if (planted == QLatin1String("other")) QVERIFY(::mkdir(local.constData(), 0700) == 0 && ::chown(local.constData(), 65534, 65534) == 0);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), oldCache = qgetenv("XDG_CACHE_HOME");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    auto instance = std::make_unique<SingleInstance>();
    const bool plays = instance->claim();
    instance->listen();
    const QString used = SingleInstance::runtimeFolder();
    qputenv("XDG_RUNTIME_DIR", runtime);
    oldCache.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", oldCache);
    QVERIFY(plays);
    struct stat st {};
    QVERIFY(::lstat(local.constData(), &st) == 0);
    if (planted.isEmpty()) {
        QCOMPARE(used, dir);
        QVERIFY(S_ISDIR(st.st_mode) && (st.st_mode & 07777) == 0700);
        QVERIFY(QFile::exists(dir + QStringLiteral("/vorlaquince.socket")));
    } else {
        QCOMPARE(used, QString());
        QVERIFY(QDir(planted == QLatin1String("link") ? elsewhere.path() : dir).isEmpty());
    }
}

void TestLifecycle::fileSizeLimit_data() {
    QTest::addColumn<QString>("program");
    QTest::newRow("game: the first start's sample puzzles") << VLQ_GAME_PATH;
    QTest::newRow("vlqtool build") << VLQ_TOOL_PATH;
}

// Under a file-size limit smaller than a puzzle, writing one is an
// ordinary write error: the game goes on (and ends on SIGTERM as usual),
// vlqtool says the file cannot be written.
void TestLifecycle::fileSizeLimit() {
    QFETCH(QString, program);
    GameHome home;
    QProcess p;
    if (program == QLatin1String(VLQ_TOOL_PATH)) {
        home.start(p, QStringLiteral("prlimit"), {QStringLiteral("--fsize=4096"), program, QStringLiteral("build"),
                                                  QStringLiteral(VLQ_SOURCE_DIR "/puzzles/If.txt"), QStringLiteral("-o"), home.path("If.vlq")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("cannot be written"));
        return;
    }
    home.start(p, QStringLiteral("prlimit"), {QStringLiteral("--fsize=4096"), program});
    // The samples are copied into the new puzzle folder after the socket is up.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(home.path("Documents/Marlowick/Puzzles")).isDir() || p.state() != QProcess::Running, 30000);
    QTest::qWait(1500);
    QCOMPARE(p.state(), QProcess::Running);
    QVERIFY(endsOnSigterm(p, 2000));
}

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
