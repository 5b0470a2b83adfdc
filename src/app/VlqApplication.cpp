#include "VlqApplication.h"

#include <QEvent>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>

#include "CommandLine.h"
#include "PaneKeys.h"
#include "SingleInstance.h"
#include "game/RecoveryCopy.h"
#include "game/GameContext.h"
#include "TMiscWin.h"
#include "TScoreForm.h"
#include "TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "platform/CrashSignal.h"
#include "platform/TerminationSignal.h"
#include "platform/FontMatch.h"
#include "platform/VlqStyle.h"
#include "services/PuzzleFolder.h"
#include "services/TLaunchModule.h"
#include "services/TVlqGameAboutForm.h"
#include "platform/TSoundFX.h"
#include "settings/TVlqGamePrefForm.h"
#include "views/GridAccessible.h"
#include "views/TGameClockForm.h"
#include "views/TVlqSolveForm.h"

namespace {
// How long a later start waits for the running game to take its file.
constexpr int kHandOverMs = 1500;

// The recovery copy of the game while its message loop runs.
RecoveryCopy* runningCopy = nullptr;

// The window system's plugin ends the process with exit() when the
// connection to the display breaks (the X server died, a remote session
// dropped): no window is left to ask, and the letters typed since the last
// recovery copy would go with the process. They are copied aside on the way
// out and offered at the next start.
void copyLettersOnExit() {
    if (runningCopy && game().modified) runningCopy->writeNow();
}

// Runs fn once, from the event loop, after w has painted for the first
// time (or after a second, for a window that is never painted).
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* w, std::function<void()> fn) : QObject(w), fn_(std::move(fn)) {
        w->installEventFilter(this);
        QTimer::singleShot(1000, this, &FirstPaint::fire);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) QTimer::singleShot(0, this, &FirstPaint::fire);
        return false;
    }

private:
    void fire() {
        if (!fn_) return;
        auto fn = std::move(fn_);
        fn_ = nullptr;
        deleteLater();
        fn();
    }
    std::function<void()> fn_;
};

void afterFirstPaint(QWidget* w, std::function<void()> fn) { new FirstPaint(w, std::move(fn)); }
} // namespace

void reportCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        TVlqProcs::ReportException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        TVlqProcs::ReportException(QStringLiteral("Unexpected error"));
    }
}

VlqApplication::VlqApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setStyle(new VlqStyle); // the application owns it
    vlq::installFontSubstitutes();
}

bool VlqApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

static QStringList rawArguments(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}

void endGameOnSignals(TVlqGameMainForm* form) {
    onTerminationSignal(form, [form] { form->endOnSignal(); });
}

int runVorlaquince(int argc, char** argv) {
    ignoreFileSizeSignal();
    // --help and --version answer before any window system is needed.
    const CommandLine info = readCommandLine(rawArguments(argc, argv), true);
    if (info.exitCode >= 0) {
        printCommandLineMessage(info);
        return info.exitCode;
    }
    VlqApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.marlowick.Vorlaquince"));
    const CommandLine commandLine = readCommandLine(QApplication::arguments());
    if (commandLine.exitCode >= 0) {
        printCommandLineMessage(commandLine);
        return commandLine.exitCode;
    }

    // One game per session: a later start hands its puzzle file over to the
    // running game and ends.
    SingleInstance instance;
    if (!instance.claim()) {
        QStringList paths;
        if (!commandLine.puzzle.isEmpty()) paths << QFileInfo(commandLine.puzzle).absoluteFilePath();
        if (SingleInstance::handOver(paths, kHandOverMs)) return 0;
        QTextStream(stderr) << "vorlaquince: a game is already running in this session but does not answer\n";
        return 1;
    }

    // Screen readers see the painted squares as tables of named cells.
    vlq::installAccessibility();

    // The long-lived windows and modules, in their order; the open dialog
    // is made anew for every use.
    auto mainForm = std::make_unique<TVlqGameMainForm>();
    auto procs = std::make_unique<TVlqProcs>();
    auto soundFX = std::make_unique<TSoundFX>();
    game().soundFX = soundFX.get();
    auto clock = std::make_unique<TGameClockForm>();
    game().clock = clock.get();
    auto launchModule = std::make_unique<TLaunchModule>();
    auto aboutForm = std::make_unique<TVlqGameAboutForm>();
    new TVlqGamePrefForm(mainForm.get()); // the main window owns it; TVlqGamePrefForm::instance()
    // The score card is the main window's child: it goes with it.
    game().scoreForm = new TScoreForm(mainForm.get());
    auto miscWin = std::make_unique<TMiscWin>();
    // The answer window floats above the main window, so it is its child.
    auto solveForm = std::make_unique<TVlqSolveForm>(mainForm.get());
    game().solveForm = solveForm.get();
    new PaneKeys(mainForm.get());

    QApplication::setApplicationName(QString::fromLatin1(VlqApplication::Title));
    // A first run finds the sample puzzles in its puzzle folder.
    ensureSamplePuzzles();
    QObject::connect(mainForm.get(), &TVlqGameMainForm::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    TVlqGameMainForm* form = mainForm.get();
    endGameOnSignals(form);
    // Letters typed since the last save are copied aside every few seconds.
    RecoveryCopy recoveryCopy;
    runningCopy = &recoveryCopy;
    // A crash writes them at once.
    onCrashSignal(&RecoveryCopy::writeOnCrash);
    static const bool exitHandled = std::atexit(copyLettersOnExit) == 0;
    (void)exitHandled;
    form->attachSingleInstance(&instance);
    mainForm->show();

    // What can wait waits until the window is on screen: listening for
    // later starts, the scan for recovery copies and the command line's
    // puzzle. Letters a crash or a kill left behind are offered first; a
    // puzzle on the command line opens after them (saving a recovered one
    // first), and offers its own left letters as it opens; a missing or bad
    // one gets the usual error box and the logo stays.
    const QString named = commandLine.puzzle.isEmpty() ? QString() : QFileInfo(commandLine.puzzle).absoluteFilePath();
    const QString path = commandLine.puzzle;
    afterFirstPaint(form, [form, named, path, &instance] {
        instance.listen();
        guarded([form, named] { form->offerRecoveryCopies({}, named); });
        if (!path.isEmpty()) guarded([form, path] { form->OpenPuzzleFile(path); });
    });

    if (commandLine.make) QTimer::singleShot(0, form, [form] { guarded([form] { form->MakePuzzle1Click(); }); });

    const int rc = app.exec();
    runningCopy = nullptr; // the letters were saved or left on purpose
    onCrashSignal(nullptr);
    // The answer window first, then the main window with the document
    // windows and the score card, before the modules they call.
    solveForm.reset();
    game().solveForm = nullptr;
    game().scoreForm = nullptr;
    mainForm.reset();
    clock.reset();
    game().clock = nullptr;
    game().soundFX = nullptr;
    return rc;
}
