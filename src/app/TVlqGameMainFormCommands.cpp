// Menu commands carried out by other modules: printing, the clock, window
// layout, preferences, the reference tools and help. Each command hands over
// to its module; a command whose module is not part of this build does
// nothing.
#include "TVlqGameMainForm.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QToolButton>

#include "GameContext.h"
#include "VlqApplication.h"
#include "platform/SystemMetrics.h"
#include "services/PrintPuzzle.h"
#include "views/TGameClockForm.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"

// Prints the open puzzle on the printer chosen with Printer Setup. A printer
// that prints nowhere (PDF with no file, all Qt offers without an installed
// printer) becomes a PDF file the player names; Cancel prints nothing.
void TVlqGameMainForm::Print1Click() {
    guarded([this] {
        if (game().currentPuzzlePath.isEmpty() || !Save1->isEnabled()) return;
        QPrinter* target = printer();
        if (printout::printsNowhere(*target)) {
            const QString file =
                printout::askPdfFile(this, printout::printedName(game().currentPuzzlePath));
            if (file.isEmpty()) return;
            PulseProgress();
            target->setOutputFileName(file);
            PrintPuzzle(*target);
            target->setOutputFileName(QString()); // ask again next time
            return;
        }
        PulseProgress();
        PrintPuzzle(*target);
    });
}

// Shows the clock at the grid window's top right, just below a caption and a
// menu bar of the main window, or hides it when it shows.
void TVlqGameMainForm::ShowClock1Click() {
    TGameClockForm* clock = game().clock;
    if (!clock) return;
    const bool show = !clock->isVisible();
    if (show) {
        // The grid window's right edge on the screen; the main window's
        // right edge when no grid is open.
        int right = mapToGlobal(QPoint(width(), 0)).x();
        if (const TVlqGameGridForm* grid = game().gridForm) {
            const QWidget* frame = grid->subWindow() ? static_cast<const QWidget*>(grid->subWindow()) : grid;
            right = frame->mapToGlobal(QPoint(frame->width(), 0)).x();
        }
        const int top = frameGeometry().top() + SystemMetrics::captionHeight() + SystemMetrics::menuBarHeight();
        clock->move(right - TGameClockForm::ClientWidth, top);
        clock->show();
    } else {
        clock->hide();
    }
    ClockBtn->setProperty("hint", show ? QStringLiteral("Hide clock") : QStringLiteral("Show clock"));
    setHintShown(ClockBtn, true);
    ShowClock1->setText(show ? QStringLiteral("Hide &Clock...") : QStringLiteral("Show &Clock..."));
}

// Puts the three document windows back where their settings say: the stored
// custom arrangement when there is one, otherwise the default layout. Each
// window reads its square size and bounds again; a malformed value is
// reported and that window keeps its place, the others still move.
void TVlqGameMainForm::AutoArrange1Click() {
    if (game().gridForm) guarded([] { game().gridForm->PlaceWindow(); });
    if (game().titleForm) guarded([] { game().titleForm->PlaceWindow(); });
    if (game().clueForm) guarded([] { game().clueForm->PlaceWindow(); });
}
void TVlqGameMainForm::Preferences1Click() {}
void TVlqGameMainForm::Dictionary1Click() {}
void TVlqGameMainForm::Thesaurus1Click() {}
void TVlqGameMainForm::Contents1Click() {}
void TVlqGameMainForm::KeywordIndex1Click() {}
void TVlqGameMainForm::About1Click() {}
