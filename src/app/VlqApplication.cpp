#include "VlqApplication.h"

#include <QFileInfo>
#include <QTimer>

#include <exception>
#include <memory>

#include "GameContext.h"
#include "TMiscWin.h"
#include "TScoreForm.h"
#include "TVlqGameMainForm.h"
#include "TVlqProcs.h"
#include "services/TSoundFX.h"

#if __has_include("views/TVlqSolveForm.h")
#include "views/TVlqSolveForm.h"
#define VLQ_HAVE_SOLVEFORM 1
#endif

void reportCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        TVlqProcs::ReportException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        TVlqProcs::ReportException(QStringLiteral("Unexpected error"));
    }
}

VlqApplication::VlqApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
    app.setProperty("helpFile", QString::fromLatin1(VlqApplication::HelpFile));

    // The long-lived windows and modules, in their order.
    auto mainForm = std::make_unique<TVlqGameMainForm>();
    auto procs = std::make_unique<TVlqProcs>();
    auto soundFX = std::make_unique<TSoundFX>();
    game().soundFX = soundFX.get();
    auto scoreForm = std::make_unique<TScoreForm>(mainForm.get());
    game().scoreForm = scoreForm.get();
    auto miscWin = std::make_unique<TMiscWin>();
#ifdef VLQ_HAVE_SOLVEFORM
    auto solveForm = std::make_unique<TVlqSolveForm>();
    game().solveForm = solveForm.get();
#endif

    QApplication::setApplicationName(QString::fromLatin1(VlqApplication::Title));
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
    game().mainForm = nullptr;
    game().scoreForm = nullptr;
    game().soundFX = nullptr;
#ifdef VLQ_HAVE_SOLVEFORM
    game().solveForm = nullptr;
#endif
    return rc;
}
