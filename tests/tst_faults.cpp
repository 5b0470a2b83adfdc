// A player's letters under faults: saves that fail in every way the disk and
// the folder allow, kills in the middle of saving, and bad input from the
// player's own files. The save faults run the game's window in a child
// process (this program started with "--child"), which runs short of disk
// room or changes the folder after the puzzle is open; under a file-size
// limit the child runs the game as it starts for the player, the limit set
// by prlimit before it starts. Tests run as root switch the child to an
// ordinary user, since root ignores permission bits.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QTimer>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <csignal>
#include <grp.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/TVlqGameMainForm.h"
#include "app/VlqApplication.h"
#include "views/TVlqGameGridForm.h"
#include "game/GameContext.h"
#include "game/RecoveryCopy.h"
#include "game/SettingsStore.h"
#include "game/TVlqProcs.h"
#include "services/PuzzleImport.h"
#include "services/TVlqDlgForm.h"
#include "core/FileAccess.h"
#include "core/ForeignFormats.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"

// --- a failing disk -------------------------------------------------------------
// While room >= 0, writes into files under roomFolder take `room` more bytes
// in all; the next one fails once with roomError (ENOSPC: the disk is full,
// EIO: it broke) and the disk works again. Every other write goes straight
// through.
namespace {
long long room = -1;
int roomError = ENOSPC;
bool roomStaysFull = false; // set: every write fails once the room is used up
char roomFolder[512];

bool writesIntoRoomFolder(int fd) {
    char link[64];
    char target[512];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n <= 0) return false;
    target[n] = '\0';
    return std::strncmp(target, roomFolder, std::strlen(roomFolder)) == 0;
}
} // namespace

extern "C" ssize_t write(int fd, const void* buf, size_t n) {
    if (room >= 0 && writesIntoRoomFolder(fd)) {
        if (room == 0) {
            if (!roomStaysFull) room = -1;
            errno = roomError;
            return -1;
        }
        n = std::min(n, size_t(room));
        const ssize_t done = ::syscall(SYS_write, fd, buf, n);
        if (done > 0) room -= done;
        return done;
    }
    return ::syscall(SYS_write, fd, buf, n);
}

// --- what reaches the disk -------------------------------------------------------
// While recordSyncs is set, renames and links (which place a new file) and
// syncs of folders are noted in order: "place TARGET", "sync FOLDER".
static bool recordSyncs = false;
static QStringList diskEvents;

extern "C" int fsync(int fd) {
    struct stat st {};
    if (recordSyncs && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode))
        diskEvents << "sync " + QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget();
    return int(::syscall(SYS_fsync, fd));
}
extern "C" int rename(const char* from, const char* to) {
    if (recordSyncs) diskEvents << "place " + QString::fromLocal8Bit(to);
    return int(::syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
}
extern "C" int linkat(int fromFd, const char* from, int toFd, const char* to, int flags) {
    if (recordSyncs) diskEvents << "place " + QString::fromLocal8Bit(to);
    return int(::syscall(SYS_linkat, fromFd, from, toFd, to, flags));
}

namespace {

constexpr uid_t kNobody = 65534;
const bool asRoot = ::geteuid() == 0;
const QString kNotVlq = QStringLiteral("Puzzle not in Vorlaquince format or is corrupt.");

void clickSquare11AndType(char letter) {
    auto* grid = game().gridForm;
    const int s = game().gridSquareSize;
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(s / 2, s / 2));
    QTest::keyClick(grid, letter);
}

// What the player sees after Exit: the error boxes, whether the game is
// open and modified and the square's letter, and the text of a box of
// choices.
void reportAfterExit(const PromptRecorder& prompts, const QWidget* form) {
    QTextStream(stdout) << prompts.errors.join(QLatin1Char('|')) << '\n'
                        << int(form->isVisible()) << int(game().modified) << char(game().puzzle.entry(1, 1)) << '\n'
                        << prompts.choices.join(QLatin1Char('|')).replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
}

// The child: opens the puzzle, types X into its first square, meets the
// fault, presses Exit and reports what the player would see. answer: the
// button the box of choices gets ("" for its default, "quit", or
// "copy:PATH" for Save a Copy to PATH).
int saveChild(const QString& fault, const QString& path, const QString& answer) {
    game().reset();
    TVlqProcs procs;
    RecoveryCopy recovery;
    PromptRecorder prompts;
    if (answer == QLatin1String("quit")) prompts.choiceAnswers << 1;
    if (answer.startsWith(QLatin1String("copy:"))) {
        prompts.choiceAnswers << 0;
        prompts.savePaths << answer.mid(5);
    }
    auto form = fixture::showMainWindow();
    if (!form || !form->OpenPuzzleFile(path)) return 2;
    clickSquare11AndType('X');
    const QString folder = QFileInfo(path).absolutePath();
    const bool full = fault.contains(QLatin1String("full disk"));
    const bool broken = fault.contains(QLatin1String("failing disk"));
    if (fault.contains(QLatin1String("read-only folder"))) QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (fault.startsWith(QLatin1String("read-only file"))) QFile::setPermissions(path, QFile::ReadOwner);
    if (full || broken) {
        std::snprintf(roomFolder, sizeof roomFolder, "%s/", QFile::encodeName(folder).constData());
        roomError = full ? ENOSPC : EIO;
        room = 5000;
    }
    // The puzzle's disk holds the home and the temporary folder too; or the home alone is full.
    if (fault == QLatin1String("disk full everywhere") || fault.endsWith(QLatin1String("full home"))) {
        const QString full = fault.endsWith(QLatin1String("full home")) ? QDir::homePath() : QFileInfo(folder).absolutePath();
        std::snprintf(roomFolder, sizeof roomFolder, "%s/", QFile::encodeName(full).constData());
        roomStaysFull = true;
        room = 0;
    }
    if (fault == QLatin1String("folder in place of the file")) {
        QFile::rename(path, folder + QStringLiteral("/A.old"));
        QDir().mkdir(path);
    }
    if (fault == QLatin1String("missing folder")) QDir().rename(folder, folder + QStringLiteral(".moved"));

    QTest::mouseClick(form->ExitBtn, Qt::LeftButton);
    room = -1;
    reportAfterExit(prompts, form.get());
    return 0;
}

// The child under a file-size limit: the game as the player starts it,
// with the puzzle on its command line; X typed into the first square, then
// Exit, whose box of choices gets its default; reports as saveChild does.
// Until its display goes: says "ready" after the X and plays on; to crash:
// says "ready" and makes a bad memory access.
int gameChild(char* program, char* path, bool untilDisplayGoes = false, bool crash = false) {
    static PromptRecorder prompts;
    static bool playOn = untilDisplayGoes;
    static bool crashes = crash;
    qAddPreRoutine([] {
        QTimer::singleShot(0, [] {
            const bool opened = QTest::qWaitFor([] { return game().mainForm && game().gridForm; }, 60000);
            if (!opened || !QTest::qWaitForWindowExposed(game().mainForm)) return QCoreApplication::exit(2);
            clickSquare11AndType('X');
            if (playOn || crashes) QTextStream(stdout) << "ready" << Qt::endl;
            if (crashes) {
                static volatile std::uintptr_t nowhere = 16; // an address no page is ever at
                *reinterpret_cast<volatile int*>(nowhere) = 1;
            }
            if (playOn) return;
            QTest::mouseClick(game().mainForm->ExitBtn, Qt::LeftButton);
            reportAfterExit(prompts, game().mainForm);
            QCoreApplication::exit(0);
        });
    });
    char* args[] = {program, path, nullptr};
    return runVorlaquince(2, args);
}

// The child of the signal test: opens the puzzle, types X, meets the fault,
// says "ready" and sits in a modal window (the about box) until the signal
// ends it.
int signalChild(const QString& fault, const QString& path) {
    game().reset();
    TVlqProcs procs;
    RecoveryCopy recovery;
    auto form = fixture::showMainWindow();
    if (!form || !form->OpenPuzzleFile(path)) return 2;
    endGameOnSignals(form.get());
    clickSquare11AndType('X');
    if (fault == QLatin1String("read-only file")) QFile::setPermissions(path, QFile::ReadOwner);
    QTimer::singleShot(100, [] { QTextStream(stdout) << "ready" << Qt::endl; });
    form->About1Click();
    return 3; // the about box closed by itself: the signal never came
}

// The child of the unreadable puzzle test: whether the puzzle opened, the
// error boxes and the boxes of choices (their default button pressed).
int openChild(const QString& path) {
    game().reset();
    TVlqProcs procs;
    PromptRecorder prompts;
    auto form = fixture::showMainWindow();
    if (!form) return 2;
    const bool opened = form->OpenPuzzleFile(path);
    QTextStream(stdout) << int(opened) << '\n' << prompts.errors.join(QLatin1Char('|')).replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n'
                        << prompts.choices.join(QLatin1Char('|')).replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
    return 0;
}

// The child of the listing test: the open dialog's items, one a line.
int listChild() {
    TVlqDlgForm dialog;
    dialog.show();
    for (int i = 0; i < dialog.VlqList->count(); ++i) QTextStream(stdout) << dialog.VlqList->item(i)->text() << '\n';
    return 0;
}

// This program where the child's user can start it: as root, a copy in
// /tmp, since the build folder may be closed to other users.
QString childProgram() {
    if (!asRoot) return QCoreApplication::applicationFilePath();
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vlqfaults-bin-XXXXXX"));
    const QString copy = dir.path() + QStringLiteral("/child");
    if (!QFile::exists(copy)) {
        QFile::copy(QCoreApplication::applicationFilePath(), copy);
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther);
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOther | QFile::ReadOther);
    }
    return copy;
}

// A scratch tree in /tmp that the child can use also as the ordinary user:
// home/ for its settings and Puzzles/ for its puzzle.
struct ChildTree {
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/vlqfaults-XXXXXX")};
    QString home() const { return dir.path() + QStringLiteral("/home"); }
    QString folder() const { return dir.path() + QStringLiteral("/Puzzles"); }
    QString tmp() const { return dir.path() + QStringLiteral("/tmp"); }

    ChildTree() {
        QDir().mkpath(home() + QStringLiteral("/runtime"));
        QDir().mkpath(tmp());
        QDir().mkpath(folder());
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther | QFile::ReadOther);
    }
    // Hands every file of the tree to the child's user.
    void handOver() const {
        if (!asRoot) return;
        (void)::chown(QFile::encodeName(dir.path()).constData(), kNobody, kNobody);
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) (void)::chown(QFile::encodeName(it.next()).constData(), kNobody, kNobody);
    }
    // Runs this program with args as the child, under the limits given as
    // prlimit's options; its standard output.
    QString run(const QStringList& args, const QStringList& limits = {}) const {
        QProcess p;
        start(p, args, limits);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            qWarning().noquote() << "child" << args << "exit" << p.exitCode() << p.readAllStandardError().right(3000);
            return QStringLiteral("child failed");
        }
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }
    // Starts this program with args as the child, in the tree's home (on
    // the X display given, if any).
    void start(QProcess& p, const QStringList& args, const QStringList& limits = {}, const QString& display = {}) const {
        handOver();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!display.isEmpty()) {
            env.insert(QStringLiteral("DISPLAY"), display);
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        }
        env.insert(QStringLiteral("HOME"), home());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home() + QStringLiteral("/runtime"));
        env.insert(QStringLiteral("TMPDIR"), tmp());
        p.setProcessEnvironment(env);
        p.setChildProcessModifier([] {
            if (::geteuid() != 0) return;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(90);
        });
        p.setWorkingDirectory(dir.path());
        const QStringList child = QStringList{childProgram(), QStringLiteral("--child")} + args;
        if (limits.isEmpty()) p.start(child.first(), child.mid(1));
        else p.start(QStringLiteral("prlimit"), limits + child);
    }
    // Starts the child as start() does; whether it then says "ready".
    bool startReady(QProcess& p, const QStringList& args, const QString& display = {}) const {
        start(p, args, {}, display);
        QDeadlineTimer ready(60000);
        while (!p.canReadLine() && !ready.hasExpired()) p.waitForReadyRead(1000);
        return p.readLine() == "ready\n";
    }
    // The recovery copies the child left in its data home, or else in the
    // temporary folder.
    QStringList recoveryCopies(bool spare = false) const {
        const QDir recovery(spare ? QStringLiteral("%1/vorlaquince-recovery-%2").arg(tmp()).arg(asRoot ? kNobody : ::getuid())
                                  : home() + QStringLiteral("/.local/share/vorlaquince/recovery"));
        QStringList files;
        for (const QString& name : recovery.entryList({QStringLiteral("*.vlq")}, QDir::Files))
            files << recovery.filePath(name);
        return files;
    }
};

// A record whose every 4 KiB page carries the counter n, so that a file
// mixed from two records, or cut short, is told from every whole one.
vlq::PuzzleRecord counterRecord(quint64 n) {
    vlq::PuzzleRecord rec = smallPuzzle();
    for (int i = 0; i < 4; ++i) rec.setClueSquares(1 + i, std::int16_t(n >> (16 * i)));
    for (int entry : {1510, 2930}) rec.setClueSquares(entry, std::int16_t(n));
    rec.setEntry(1, 1, std::uint8_t('A' + n % 26));
    rec.setEntry(4, 2, std::uint8_t('A' + n / 26 % 26));
    auto& bytes = rec.bytes();
    const std::string digits = std::to_string(n);
    std::copy(digits.begin(), digits.end(), bytes.end() - 1 - digits.size()); // end of the byline
    return rec;
}

quint64 counterOf(const QByteArray& file) {
    vlq::PuzzleRecord rec;
    if (file.size() != qsizetype(vlq::kRecordSize)) return ~quint64(0);
    std::copy(file.begin(), file.end(), rec.bytes().begin());
    quint64 n = 0;
    for (int i = 0; i < 4; ++i) n |= quint64(std::uint16_t(rec.clueSquares(1 + i))) << (16 * i);
    return n;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void saveFaults_data();
    void saveFaults();
    void wayOutOfFailedSave_data();
    void wayOutOfFailedSave();
    void unreadablePuzzle();
    void unreadableLockWarns();
    void recoveryCopyOnFullDisk_data();
    void recoveryCopyOnFullDisk();
    void recoveryCopyWholeOrNotWritten();
    void signalsEndTheGame_data();
    void signalsEndTheGame();
    void killDuringSave();
    void displayLost();
    void crashLeavesLetters_data();
    void crashLeavesLetters();
    void importOnFullDisk();
    void folderSyncedAfterRename_data();
    void folderSyncedAfterRename();
    void vlqtoolTemporaryFileIsItsOwn();
    void leftTemporariesRemoved();
    void vlqtoolWritesOnlyOverFiles_data();
    void vlqtoolWritesOnlyOverFiles();
    void streamsAndDevicesRefused_data();
    void streamsAndDevicesRefused();
    void handEditedSettings_data();
    void handEditedSettings();
    void puzzleFolderFaults_data();
    void puzzleFolderFaults();
};

void TestFaults::saveFaults_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("error"); // empty: the save succeeds
    QTest::newRow("file size limit") << "file size limit" << "Disk write error.";
    QTest::newRow("full disk") << "full disk" << "Disk write error.";
    QTest::newRow("read-only file") << "read-only file" << "File access denied.";
    QTest::newRow("read-only folder: written in place") << "read-only folder" << "";
    QTest::newRow("read-only folder, disk failing in place") << "read-only folder, failing disk" << "Disk write error.";
    QTest::newRow("folder in place of the file") << "folder in place of the file" << "File access denied.";
    QTest::newRow("missing folder") << "missing folder" << "Path not found.";
}

// Whatever fails, the old file stays byte for byte, the box on Exit names
// the problem (and the file, once), and its default keeps the game open
// with the letter and the flag.
void TestFaults::saveFaults() {
    QFETCH(QString, fault);
    QFETCH(QString, error);
    ChildTree tree;
    const QByteArray old = recordBytes(smallPuzzle(1));
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    QVERIFY(writeBytes(path, old));

    const QString report = fault == QLatin1String("file size limit")
                               ? tree.run({QStringLiteral("game"), path}, {QStringLiteral("--fsize=4096")})
                               : tree.run({fault, path, QString()});
    QFile::setPermissions(tree.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (error.isEmpty()) {
        vlq::PuzzleRecord typed = smallPuzzle(1);
        typed.setEntry(1, 1, 'X');
        typed.setEntry(1, 2, '\''); // the grid shows its punctuation into the record
        QCOMPARE(report, QStringLiteral("\n00X\n\n")); // closed, saved
        QCOMPARE(fileBytes(path), recordBytes(typed));
        return;
    }
    const QStringList lines = report.split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QString()); // no error box: the reason is in the box of choices
    QCOMPARE(lines.value(1), QStringLiteral("11X")); // still open, modified, letter kept
    QVERIFY2(lines.value(2).contains(QStringLiteral(" ") + error), qPrintable(report));
    QCOMPARE(lines.value(2).count(path), 1); // the file named once
    QCOMPARE(tree.recoveryCopies(), QStringList{}); // Cancel keeps the letters in the game only
    QString folder = tree.folder();
    QString kept = path;
    if (fault == QLatin1String("missing folder")) {
        folder += QStringLiteral(".moved");
        kept = folder + QStringLiteral("/A.vlq");
    } else if (fault == QLatin1String("folder in place of the file")) {
        kept = folder + QStringLiteral("/A.old");
        QVERIFY(QDir(path).isEmpty());
    }
    QCOMPARE(fileBytes(kept), old);
    // A folder made read-only under the game keeps the game's lock file: a
    // stale lock, taken over at the next opening.
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral(".~lock.A.vlq#"));
    QCOMPARE(left, QStringList{QFileInfo(kept).fileName()});
}

void TestFaults::wayOutOfFailedSave_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("Quit Without Saving") << "quit";
    QTest::newRow("Save a Copy") << "copy";
}

// A save that fails on Exit never traps the player: Quit Without Saving
// ends the game with the letters in a recovery copy, Save a Copy ends it
// with them in the copy.
void TestFaults::wayOutOfFailedSave() {
    QFETCH(QString, answer);
    ChildTree tree;
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(1))));
    const QString copy = tree.home() + QStringLiteral("/A copy.vlq");
    const QString report =
        tree.run({QStringLiteral("read-only file"), path, answer == QLatin1String("copy") ? QStringLiteral("copy:") + copy : answer});
    QVERIFY2(report.startsWith(QStringLiteral("\n01X\n")), qPrintable(report)); // closed, the letter unsaved
    const QStringList copies = tree.recoveryCopies();
    QCOMPARE(copies.size(), answer == QLatin1String("quit") ? 1 : 0);
    QCOMPARE(fileBytes(copies.value(0, copy)).at(655), 'X');
    QCOMPARE(fileBytes(path), recordBytes(smallPuzzle(1)));
}

// A puzzle file the player may not read is said to be that, not corrupt.
void TestFaults::unreadablePuzzle() {
    ChildTree tree;
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(1))));
    QFile::setPermissions(path, QFile::WriteOwner);
    const QStringList lines = tree.run({QStringLiteral("open"), path}).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("0"));
    QCOMPARE(lines.value(1), QStringLiteral("You do not have permission to read this puzzle file: %1").arg(path));
}

// A lock the player may not read (written under another player's umask)
// still warns: its holder cannot be checked, so it counts as live.
void TestFaults::unreadableLockWarns() {
    ChildTree tree;
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    const QString lock = tree.folder() + QStringLiteral("/.~lock.A.vlq#");
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(1))));
    QVERIFY(writeBytes(lock, "Vorlaquince,ann,elsewhere,4242,2026-12-01T10:00:00\n"));
    QFile::setPermissions(lock, {});
    const QStringList lines = tree.run({QStringLiteral("open"), path}).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("0")); // Cancel, the default
    QVERIFY2(lines.value(2).contains(QStringLiteral("is open in another Vorlaquince game")), qPrintable(lines.value(2)));
}

void TestFaults::recoveryCopyOnFullDisk_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("disk full everywhere") << "disk full everywhere";
    QTest::newRow("home full, puzzle read-only") << "read-only file, full home";
}

// A full home: Quit Without Saving keeps the recovery copy it offers in a
// private folder of the temporary folder. A disk full for the puzzle, the
// game's own data and the temporary folder alike: no copy can be kept, so
// the player is told the letters would be lost and asked again, the
// default staying with them.
void TestFaults::recoveryCopyOnFullDisk() {
    QFETCH(QString, fault);
    const bool spare = fault.endsWith(QLatin1String("full home"));
    ChildTree tree;
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(1))));
    const QStringList lines = tree.run({fault, path, QStringLiteral("quit")}).split('\n');
    QCOMPARE(lines.value(1), spare ? QStringLiteral("01X") : QStringLiteral("11X")); // closed, or open with the letter
    QCOMPARE(tree.recoveryCopies(), QStringList{});
    const QStringList copies = tree.recoveryCopies(true);
    QCOMPARE(copies.size(), spare ? 1 : 0);
    if (spare) QVERIFY(fileBytes(copies[0]).at(655) == 'X' && !(QFile::permissions(QFileInfo(copies[0]).absolutePath()) & QFile::ReadOther));
    else QVERIFY2(lines.value(2).section(QLatin1Char('|'), 1).contains(QStringLiteral("loses the letters typed since the last save")),
                  qPrintable(lines.value(2))); // asked again
}

// The disk fills while a recovery copy is written, after every number of
// bytes: the copy is then either whole and offered with the new letter, or
// reported as not written, the copy before it still whole and offered. A
// copy whose path file was lost (cut empty by an older game, or gone) is
// still offered, named by the copy itself.
void TestFaults::recoveryCopyWholeOrNotWritten() {
    ScratchDocuments docs;
    const QString path = docs.writePuzzle(QStringLiteral("R.vlq"), smallPuzzle(1));
    QDir(RecoveryCopy::folder()).removeRecursively();
    RecoveryCopy recovery;
    TVlqProcs::LoadPuzzle(path);
    ::game().currentPuzzlePath = path;
    ::game().puzzle.setEntry(1, 1, 'A');
    QVERIFY(recovery.writeNow());
    // The data home and the temporary folder alike.
    std::snprintf(roomFolder, sizeof roomFolder, "%s/", QFile::encodeName(QDir::homePath()).constData());
    roomStaysFull = true;
    char offered = 'A';
    int failed = 0;
    for (long long bytes = 0; bytes < 3 * qint64(vlq::kRecordSize); bytes += 997) {
        const char letter = char('B' + bytes / 997 % 24);
        ::game().puzzle.setEntry(1, 1, std::uint8_t(letter));
        room = bytes;
        const bool written = recovery.writeNow();
        room = -1;
        if (written) offered = letter;
        failed += !written;
        const QList<RecoveryCopy::Found> found = RecoveryCopy::waiting();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].puzzlePath, QFileInfo(path).absoluteFilePath());
        QCOMPARE(fileBytes(found[0].copyPath).at(655), offered);
    }
    roomStaysFull = false;
    QVERIFY(failed > 0 && offered != 'A');
    const QString pathFile = RecoveryCopy::copyPathOf(path).chopped(4) + QStringLiteral(".path");
    for (bool gone : {false, true}) {
        QVERIFY(gone ? QFile::remove(pathFile) : QFile::resize(pathFile, 0));
        const QList<RecoveryCopy::Found> found = RecoveryCopy::waiting();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].puzzlePath, QFileInfo(path).absoluteFilePath());
    }
    ::game().reset();
}

void TestFaults::signalsEndTheGame_data() {
    QTest::addColumn<int>("sig");
    QTest::addColumn<QString>("fault");
    QTest::newRow("SIGTERM, saved") << int(SIGTERM) << "";
    QTest::newRow("SIGTERM, read-only file") << int(SIGTERM) << "read-only file";
    QTest::newRow("SIGHUP, read-only file") << int(SIGHUP) << "read-only file";
    QTest::newRow("SIGINT, read-only file") << int(SIGINT) << "read-only file";
}

// A logout's signal finds a modal window open: the game ends by itself
// within two seconds, its letters saved or, when the save fails, in a
// recovery copy.
void TestFaults::signalsEndTheGame() {
    QFETCH(int, sig);
    QFETCH(QString, fault);
    ChildTree tree;
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(1))));
    QProcess p;
    QVERIFY(tree.startReady(p, {QStringLiteral("signal"), fault, path}));
    QTest::qWait(300);
    QElapsedTimer clock;
    clock.start();
    ::kill(pid_t(p.processId()), sig);
    QVERIFY(p.waitForFinished(10000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QStringList copies = tree.recoveryCopies();
    QCOMPARE(copies.size(), fault.isEmpty() ? 0 : 1);
    QCOMPARE(fileBytes(fault.isEmpty() ? path : copies.value(0)).at(655), 'X');
    QVERIFY(!QFile::exists(tree.folder() + QStringLiteral("/.~lock.A.vlq#")));
}

// A process saving a changing record is killed at random moments: the file
// is always one whole record, and the open dialog lists nothing but it.
void TestFaults::killDuringSave() {
    ScratchDocuments docs;
    const QString path = docs.writePuzzle(QStringLiteral("K.vlq"), counterRecord(0));
    quint64 last = 0;
    int changes = 0;
    constexpr int kKills = 200;
    for (int i = 1; i <= kKills; ++i) {
        const quint64 first = quint64(i) << 32; // this child's records: first, first + 1, ...
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (quint64 n = first;; ++n) {
                game().puzzle = counterRecord(n);
                try {
                    TVlqProcs::SavePuzzle(path);
                } catch (...) {
                    ::_exit(3);
                }
            }
        }
        QVERIFY(pid > 0);
        ::usleep(QRandomGenerator::global()->bounded(2000u, 50000u));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        QVERIFY2(WIFSIGNALED(status), "the saving child ended by itself");
        const QByteArray now = fileBytes(path);
        const quint64 n = counterOf(now);
        QVERIFY2(now == recordBytes(counterRecord(n)), qPrintable(QStringLiteral("kill %1: torn file").arg(i)));
        QVERIFY(n == last || (n >> 32) == quint64(i));
        changes += n != last;
        last = n;
    }
    QVERIFY2(changes >= kKills / 10, qPrintable(QStringLiteral("only %1 kills came after a save").arg(changes)));
    TVlqDlgForm dialog;
    dialog.show();
    QCOMPARE(dialog.VlqList->count(), 1);
    QCOMPARE(dialog.VlqList->item(0)->text(), QStringLiteral("K"));
    qInfo("%d kills, %d after a finished save, %lld temporary files left beside the puzzle", kKills, changes,
          qlonglong(QDir(docs.puzzleFolder()).entryList(QDir::Files).size() - 1));
}

// The display goes away under the game (its X server dies, a remote
// session drops) a moment after a letter: the letter is in a recovery copy
// once the process has ended.
void TestFaults::displayLost() {
    ChildTree tree;
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(1))));
    QProcess server;
    server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    if (!server.waitForReadyRead(20000)) QSKIP("no Xvfb to run the game on");
    QProcess p;
    QVERIFY(tree.startReady(p, {QStringLiteral("display"), path}, ":" + QString::fromLatin1(server.readLine().trimmed())));
    server.kill();
    QVERIFY(p.waitForFinished(10000));
    const QStringList copies = tree.recoveryCopies();
    QCOMPARE(copies.size(), 1);
    QCOMPARE(fileBytes(copies.value(0)).at(655), 'X');
}

void TestFaults::crashLeavesLetters_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("bad memory access") << "crash";
    QTest::newRow("SIGSEGV sent") << "display";
}

// The game crashes a moment after a letter, long before its recovery copy
// was due: the letter is in a copy all the same.
void TestFaults::crashLeavesLetters() {
    QFETCH(QString, how);
    ChildTree tree;
    const QString path = tree.folder() + QStringLiteral("/A.vlq");
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(1))));
    QProcess p;
    QVERIFY(tree.startReady(p, {how, path}));
    if (how == QLatin1String("display")) ::kill(pid_t(p.processId()), SIGSEGV);
    // A sanitizer's report may take a while; the copy was due only after
    // kDelayMs, and the bad access comes before the event loop runs again.
    QVERIFY(p.waitForFinished(60000));
    QVERIFY(p.exitStatus() == QProcess::CrashExit || p.exitCode() != 0);
    const QStringList copies = tree.recoveryCopies();
    QCOMPARE(copies.size(), 1);
    QCOMPARE(fileBytes(copies.value(0)).at(655), 'X');
    QCOMPARE(QFile(copies.value(0).chopped(4) + QStringLiteral(".path")).size(), QFileInfo(path).absoluteFilePath().toUtf8().size());
}

// Opening another program's puzzle writes a .vlq into the puzzle folder: a
// disk that fills on the way leaves no cut file there to be listed, and the
// player is told.
void TestFaults::importOnFullDisk() {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Puzzles");
    QVERIFY(QDir().mkpath(folder));
    QFile sample(QStringLiteral(VLQ_SOURCE_DIR "/resources/puzzles/If.vlq"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QByteArray bytes = sample.readAll();
    vlq::PuzzleRecord rec;
    rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
    const QString jpz = dir.path() + QStringLiteral("/If.jpz");
    QVERIFY(writeBytes(jpz, QByteArray::fromStdString(vlq::exportForeign(rec, "If", vlq::ForeignFormat::Jpz))));

    std::snprintf(roomFolder, sizeof roomFolder, "%s/", QFile::encodeName(folder).constData());
    roomError = ENOSPC;
    room = 5000;
    const ImportedPuzzle failed = importIntoPuzzleFolder(jpz, folder);
    room = -1;
    QVERIFY(failed.path.isEmpty());
    QVERIFY2(failed.error.contains(QLatin1String("Disk write error")), qPrintable(failed.error));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{});

    const ImportedPuzzle done = importIntoPuzzleFolder(jpz, folder); // the disk has room again
    QCOMPARE(done.path, folder + QStringLiteral("/If.vlq"));
    QCOMPARE(QFileInfo(done.path).size(), qint64(vlq::kRecordSize));
}

void TestFaults::folderSyncedAfterRename_data() {
    QTest::addColumn<bool>("game");
    QTest::newRow("game's save, new file and replaced") << true;
    QTest::newRow("vlqtool's writer") << false;
}

// After each rename into the puzzle's folder the folder itself is synced,
// so a power cut cannot bring the old file back.
void TestFaults::folderSyncedAfterRename() {
    QFETCH(bool, game);
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath(), target = folder + "/A.vlq";
    diskEvents.clear();
    recordSyncs = true;
    ::game().puzzle = smallPuzzle(1);
    for (int i = 0; i < 2 && game; ++i) TVlqProcs::SavePuzzle(target);
    if (!game) QVERIFY(vlq::writeFileSafely(target.toStdString(), recordBytes(smallPuzzle(1)).toStdString()).ok());
    recordSyncs = false;
    QCOMPARE(fileBytes(target), recordBytes(smallPuzzle(1)));
    const qsizetype placed = diskEvents.lastIndexOf("place " + target);
    QVERIFY2(placed >= 0 && diskEvents.indexOf("sync " + folder, placed) > placed, qPrintable(diskEvents.join(" | ")));
}

// vlqtool's temporary file is a new one of its own: a link left where a
// fixed "OUT.part" used to go does not lead its write into another file.
void TestFaults::vlqtoolTemporaryFileIsItsOwn() {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Out.vlq")), victim = dir.filePath(QStringLiteral("victim"));
    QVERIFY(writeBytes(victim, "keep me") && QFile::link(victim, out + ".part"));
    QCOMPARE(QProcess::execute(VLQ_TOOL_PATH, {"build", VLQ_SOURCE_DIR "/puzzles/If.txt", "-o", out}), 0);
    QCOMPARE(fileBytes(victim), QByteArray("keep me"));
    QCOMPARE(fileBytes(out), fileBytes(QStringLiteral(VLQ_SAMPLE_DIR "/If.vlq")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}

// The temporary files of saves a crash cut short go at the next save of
// that puzzle, once they are too old to be a save under way.
void TestFaults::leftTemporariesRemoved() {
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral(".A.vlq.Ab12Cd")), fresh = dir.filePath(QStringLiteral(".A.vlq.Ef34Gh")),
                  other = dir.filePath(QStringLiteral(".B.vlq.Ab12Cd"));
    const std::time_t hourAgo = std::time(nullptr) - 3600;
    const timespec times[2] = {{hourAgo, 0}, {hourAgo, 0}};
    for (const QString& cut : {old, fresh, other}) {
        QVERIFY(writeBytes(cut, "cut"));
        if (cut != fresh) QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(cut).constData(), times, 0), 0);
    }
    ::game().puzzle = smallPuzzle(1);
    TVlqProcs::SavePuzzle(dir.filePath(QStringLiteral("A.vlq")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral(".A.vlq.Ef34Gh"), QStringLiteral(".B.vlq.Ab12Cd"), QStringLiteral("A.vlq")}));
}

void TestFaults::vlqtoolWritesOnlyOverFiles_data() {
    QTest::addColumn<QString>("node");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("folder") << "folder";
    QTest::newRow("device") << "device";
}

// vlqtool -o names a pipe, a folder or a device: it is left as it was, and
// vlqtool says so and fails.
void TestFaults::vlqtoolWritesOnlyOverFiles() {
    QFETCH(QString, node);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Out.vlq"));
    const QByteArray local = QFile::encodeName(out);
    mode_t kind = S_IFIFO;
    if (node == QLatin1String("pipe")) QCOMPARE(::mkfifo(local.constData(), 0644), 0);
    if (node == QLatin1String("folder")) {
        kind = S_IFDIR;
        QCOMPARE(::mkdir(local.constData(), 0644), 0);
    }
    if (node == QLatin1String("device")) {
        kind = S_IFCHR;
        if (::mknod(local.constData(), S_IFCHR | 0644, makedev(1, 3)) != 0) QSKIP("no device node can be made here");
    }
    QProcess tool;
    tool.start(VLQ_TOOL_PATH, {"build", VLQ_SOURCE_DIR "/puzzles/If.txt", "-o", out});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY(tool.readAllStandardError().contains("not a regular file"));
    struct stat st {};
    QVERIFY(::lstat(local.constData(), &st) == 0 && (st.st_mode & S_IFMT) == kind && (st.st_mode & 07777) == 0644);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 1);
}

void TestFaults::streamsAndDevicesRefused_data() {
    QTest::addColumn<QString>("name");    // of the pipe or the link to /dev/zero
    QTest::addColumn<QString>("command"); // vlqtool's; empty: the game opens it
    QTest::newRow("game: .jpz pipe") << "Pipe.jpz" << "";
    QTest::newRow("game: .ipuz link to /dev/zero") << "Zero.ipuz" << "";
    QTest::newRow("vlqtool import: .jpz pipe") << "Pipe.jpz" << "import";
    QTest::newRow("vlqtool import: .ipuz link to /dev/zero") << "Zero.ipuz" << "import";
    QTest::newRow("vlqtool check: pipe") << "Pipe.vlq" << "check";
    QTest::newRow("vlqtool show: link to /dev/zero") << "Zero.vlq" << "show";
}

// A pipe or a device named as a puzzle is refused at once with a clear
// message: never waited on, never read without end.
void TestFaults::streamsAndDevicesRefused() {
    QFETCH(QString, name);
    QFETCH(QString, command);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (name.startsWith(QLatin1String("Pipe"))) QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    QElapsedTimer clock;
    clock.start();
    QString said = importIntoPuzzleFolder(path, dir.path()).error;
    if (!command.isEmpty()) {
        QProcess tool;
        tool.start(VLQ_TOOL_PATH, QStringList{command, path, "-o", path + ".vlq"}.mid(0, command == "import" ? 4 : 2));
        QVERIFY(tool.waitForFinished(10000) && tool.exitCode() == 2);
        said = QString::fromLocal8Bit(tool.readAllStandardError());
    }
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    QVERIFY2(said.contains(QLatin1String("not a regular file")), qPrintable(said));
}

void TestFaults::handEditedSettings_data() {
    QTest::addColumn<QByteArray>("store");
    QByteArray wrongKinds, absurd;
    for (const char* name : {"PlaySounds", "UseCursors", "SolveHLOn", "FontSize", "FontStyle", "SolveFontSize",
                             "SolveFontStyle", "ScreenSquare", "AuthorTitleSquare"}) {
        wrongKinds += QByteArray("\"") + name + "\"=\"12\"\n";
        absurd += QByteArray("\"") + name + "\"=dword:" + (qstrcmp(name, "ScreenSquare") ? "7fffffff\n" : "80000000\n");
    }
    for (const char* name : {"FilledSqColor", "BlankSqColor", "FontColor", "FontName", "SolveFontName",
                             "SolveFontColor", "DictPath", "ThesPath", "ScreenBoundsGrid", "ScreenBoundsAuthorTitle",
                             "ScreenBoundsClues", "ScreenBoundsSolve", "CurrentPuzzle", "HistoryPuzzle1"}) {
        wrongKinds += QByteArray("\"") + name + "\"=dword:00000007\n";
        absurd += QByteArray("\"") + name + "\"=\"" +
                  (QByteArray(name).startsWith("ScreenBounds") ? "2147483647,-2147483648,2147483647,2147483647"
                                                               : "$FFFFFFFFFFFFFFFFFFFF" + QByteArray(5000, 'W')) +
                  "\"\n";
    }
    QByteArray binary(8192, '\0');
    for (qsizetype i = 0; i < binary.size(); ++i) binary[i] = char(QRandomGenerator::global()->bounded(256));
    QTest::newRow("every value of the wrong kind") << wrongKinds;
    QTest::newRow("absurd numbers and texts") << absurd;
    QTest::newRow("binary file") << binary;
}

// A settings file edited by hand never stops the game: each bad value gives
// a message naming it or its default, and the puzzle opens, takes a letter
// and is saved.
void TestFaults::handEditedSettings() {
    QFETCH(QByteArray, store);
    ScratchDocuments docs;
    const QString storePath = SettingsStore::open().fileName();
    QDir().mkpath(QFileInfo(storePath).absolutePath());
    QVERIFY(writeBytes(storePath, store));
    game().reset();
    TVlqProcs procs;
    PromptRecorder prompts;
    auto form = fixture::showMainWindow();
    QVERIFY(form);
    const QString path = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    guarded([&] { form->OpenPuzzleFile(path); });
    QVERIFY(game().gridForm);
    clickSquare11AndType('X');
    form->Save1->trigger();
    QCOMPARE(fileBytes(path).at(655), 'X');
    for (const QString& e : prompts.errors) QVERIFY2(e.contains(QLatin1Char('\'')), qPrintable(e));
    QFile::remove(storePath);
}

void TestFaults::puzzleFolderFaults_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("folder is a file") << "file";
    QTest::newRow("folder without read permission") << "unreadable";
    QTest::newRow("2 GB file") << "huge";
    QTest::newRow("symlink loop") << "loop";
}

// The puzzle folder in a bad state: the open dialog lists what it can and
// opening a listed bad file gives the format message, quickly.
void TestFaults::puzzleFolderFaults() {
    QFETCH(QString, fault);
    ScratchDocuments docs;
    const QString folder = docs.puzzleFolder();
    if (fault == QLatin1String("unreadable")) {
        // Run as the child's ordinary user, whose reading the folder refuses.
        ChildTree tree;
        writeBytes(tree.folder() + QStringLiteral("/A.vlq"), recordBytes(smallPuzzle(1)));
        QDir().mkpath(tree.home() + QStringLiteral("/Documents/Marlowick"));
        QVERIFY(QFile::rename(tree.folder(), tree.home() + QStringLiteral("/Documents/Marlowick/Puzzles")));
        tree.handOver();
        QFile::setPermissions(tree.home() + QStringLiteral("/Documents/Marlowick/Puzzles"), QFile::WriteOwner);
        const QString listed = tree.run({QStringLiteral("list")});
        QFile::setPermissions(tree.home() + QStringLiteral("/Documents/Marlowick/Puzzles"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(listed, QString());
        return;
    }
    QString bad;
    if (fault == QLatin1String("file")) {
        QDir(folder).removeRecursively();
        QVERIFY(writeBytes(folder, "not a folder"));
    } else if (fault == QLatin1String("huge")) {
        bad = folder + QStringLiteral("/Huge.vlq");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(qint64(2) << 30)); // sparse: no disk used
    } else {
        bad = folder + QStringLiteral("/Loop.vlq");
        QVERIFY(QFile::link(folder + QStringLiteral("/Loop2.vlq"), bad));
        QVERIFY(QFile::link(bad, folder + QStringLiteral("/Loop2.vlq")));
    }
    game().reset();
    TVlqProcs procs;
    PromptRecorder prompts;
    auto form = fixture::showMainWindow();
    QVERIFY(form);
    TVlqDlgForm dialog;
    dialog.show();
    if (bad.isEmpty()) {
        QCOMPARE(dialog.VlqList->count(), 0);
        QFile::remove(folder);
        return;
    }
    QVERIFY(dialog.VlqList->count() >= 1);
    QElapsedTimer clock;
    clock.start();
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    QVERIFY(!form->OpenPuzzleFile(bad));
    ::getrusage(RUSAGE_SELF, &after);
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(after.ru_maxrss - before.ru_maxrss < 100 * 1024); // KiB: never the whole file
    if (fault == QLatin1String("huge")) {
        QProcess tool;
        tool.start(QStringLiteral(VLQ_TOOL_PATH), {QStringLiteral("check"), bad});
        QVERIFY(tool.waitForFinished(5000));
        QCOMPARE(tool.exitCode(), 2);
        QVERIFY(tool.readAllStandardError().contains("too large for a puzzle file"));
    }
    QCOMPARE(prompts.errors, QStringList{kNotVlq});
}

int main(int argc, char** argv) {
    // The game makes its own application.
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0 && std::strcmp(argv[2], "game") == 0)
        return gameChild(argv[0], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0 && std::strcmp(argv[2], "display") == 0)
        return gameChild(argv[0], argv[3], true);
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0 && std::strcmp(argv[2], "crash") == 0)
        return gameChild(argv[0], argv[3], false, true);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 2 && args[1] == QLatin1String("--child")) {
        if (args.size() == 3 && args[2] == QLatin1String("list")) return listChild();
        if (args.size() == 4 && args[2] == QLatin1String("open")) return openChild(args[3]);
        if (args.size() == 5 && args[2] == QLatin1String("signal")) return signalChild(args[3], args[4]);
        if (args.size() == 5) return saveChild(args[2], args[3], args[4]);
        return 64;
    }
    TestFaults tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_faults.moc"
