#include "VlqApplication.h"

#include <QFileInfo>
#include <QTimer>

#include <exception>
#include <memory>

#include "game/GameContext.h"
#include "TMiscWin.h"
#include "TScoreForm.h"
#include "TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "platform/VlqStyle.h"
#include "services/PuzzleFolder.h"
#include "services/TLaunchModule.h"
#include "services/TVlqGameAboutForm.h"
#include "platform/TSoundFX.h"
#include "settings/TVlqGamePrefForm.h"
#include "views/TGameClockForm.h"
#include "views/TVlqSolveForm.h"

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
}

bool VlqApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

int runVorlaquince(int argc, char** argv) {
    VlqApplication app(argc, argv);

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

    QApplication::setApplicationName(QString::fromLatin1(VlqApplication::Title));
    // A first run finds the sample puzzles in its puzzle folder.
    ensureSamplePuzzles();
    QObject::connect(mainForm.get(), &TVlqGameMainForm::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    mainForm->show();

    // A puzzle file named on the command line opens as a chosen one.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && QFileInfo(args.at(1)).isFile()) {
        const QString path = args.at(1);
        TVlqGameMainForm* form = mainForm.get();
        QTimer::singleShot(0, form, [form, path] { guarded([form, path] { form->OpenPuzzleFile(path); }); });
    }

    const int rc = app.exec();
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
