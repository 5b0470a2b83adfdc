// Menu commands carried out by other modules: printing, the clock, window
// layout, preferences, the reference tools and help. Each command hands over
// to its module; a command whose module is not part of this build does
// nothing.
#include "TVlqGameMainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QToolButton>

#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "VlqApplication.h"
#include "platform/SystemMetrics.h"
#include "services/HelpWindow.h"
#include "services/PrintPuzzle.h"
#include "services/TLaunchModule.h"
#include "services/TVlqGameAboutForm.h"
#include "settings/TVlqGamePrefForm.h"
#include "views/TGameClockForm.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqSolveForm.h"
#include "views/TVlqGameTitleForm.h"

// Prints the open puzzle on the printer chosen with Printer Setup. Printing
// to a PDF file (also all Qt offers without an installed printer) asks for
// the file every time; Cancel prints nothing.
void TVlqGameMainForm::Print1Click() {
    guarded([this] {
        if (game().currentPuzzlePath.isEmpty() || !Save1->isEnabled()) return;
        QPrinter* target = printer();
        if (printout::printsToFile(*target)) {
            const QString file =
                printout::askPdfFile(this, printout::printedName(game().currentPuzzlePath));
            if (file.isEmpty()) return;
            PulseProgress(QStringLiteral("Printing"));
            target->setOutputFileName(file);
            PrintPuzzle(*target);
            target->setOutputFileName(QString()); // ask again next time
            return;
        }
        PulseProgress(QStringLiteral("Printing"));
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
void TVlqGameMainForm::SolvingAids1Click() {
    guarded([this] {
        SolvingAids::setSwitchedOn(SolvingAids1->isChecked());
        ReadToolSettings(); // tells aidsChanged
        refreshAidViews();
    });
}

// Shows the preferences dialog; after Save the tools and sounds are read
// again and, with a puzzle open, the layout option is stored and the
// document windows take the new settings and places.
void TVlqGameMainForm::Preferences1Click() {
    guarded([this] {
        TVlqGamePrefForm* prefs = TVlqGamePrefForm::instance();
        if (!prefs || prefs->exec() != QDialog::Accepted) return;
        const bool aidsBefore = SolvingAids1->isChecked();
        ReadToolSettings();
        if (!Save1->isEnabled()) return;
        SaveLayout(prefs->SaveAllChk->isChecked());
        if (game().gridForm) guarded([] {
            game().gridForm->ReadSettings();
            game().gridForm->PlaceWindow();
            game().gridForm->FullRepaint();
        });
        if (game().titleForm) guarded([] {
            game().titleForm->ReadSettings();
            game().titleForm->PlaceWindow();
        });
        if (game().clueForm) guarded([] {
            game().clueForm->ReadSettings();
            game().clueForm->PlaceWindow();
        });
        if (aidsBefore || SolvingAids1->isChecked()) refreshAidViews();
    });
}

namespace {
// Bounds of a document window in the MDI area: its frame when it has one.
QRect documentBounds(QWidget* view, QMdiSubWindow* frame) {
    return frame ? frame->geometry() : view->geometry();
}
void writeBounds(const VlqSetting::Bounds& s, const QRect& r) {
    TVlqProcs::WriteBounds(s, r.x(), r.y(), r.width(), r.height());
}
} // namespace

// custom: store the square sizes in use and the places of the showing
// puzzle windows. Otherwise both square sizes go back to the default and
// the stored places are emptied, so the default layout returns (a player
// who unticks the custom arrangement asks for exactly that).
void TVlqGameMainForm::SaveLayout(bool custom) {
    using namespace VlqSetting;
    GameContext& g = game();
    if (!custom) {
        g.gridSquareSize = g.defaultSquareSize;
        TVlqProcs::WriteSetting(ScreenSquare, g.defaultSquareSize);
        TVlqProcs::WriteSetting(AuthorTitleSquare, g.defaultSquareSize);
        for (const Bounds& b : {ScreenBoundsGrid, ScreenBoundsAuthorTitle, ScreenBoundsClues, ScreenBoundsSolve})
            TVlqProcs::WriteSetting(QString::fromLatin1(b.name.data(), qsizetype(b.name.size())), QString());
        return;
    }
    if (g.gridSquareSize > 0) TVlqProcs::WriteSetting(ScreenSquare, g.gridSquareSize);
    if (g.titleSquareSize > 0) TVlqProcs::WriteSetting(AuthorTitleSquare, g.titleSquareSize);
    if (g.gridForm) writeBounds(ScreenBoundsGrid, documentBounds(g.gridForm, g.gridForm->subWindow()));
    if (g.titleForm && g.titleForm->isVisible())
        writeBounds(ScreenBoundsAuthorTitle, documentBounds(g.titleForm, g.titleForm->subWindow()));
    if (g.clueForm && g.clueForm->isVisible())
        writeBounds(ScreenBoundsClues, documentBounds(g.clueForm, g.clueForm->subWindow()));
    if (g.solveForm && g.solveForm->isVisible()) writeBounds(ScreenBoundsSolve, g.solveForm->frameGeometry());
}
// Starts the reference tool of slot whose program path is in setting, or
// brings its running window forward. A path that names no file, or a file
// that cannot be started, gets "<name> has not been properly configured.".
static void runReferenceTool(int slot, const VlqSetting::Text& setting, const char* name) {
    guarded([&] {
        const QString path = TVlqProcs::ReadSetting(setting);
        TLaunchModule* launcher = TLaunchModule::instance();
        bool ok = false;
        if (launcher && !path.isEmpty() && QFileInfo(path).isFile()) {
            launcher->setCurrentTool(slot);
            ok = launcher->LaunchTool(path);
        }
        if (!ok) TVlqProcs::ErrorBox(QString::fromLatin1(name) + QStringLiteral(" has not been properly configured."));
    });
}

// The Tools menu's "&Dictionary..." (Ctrl+D) and the toolbar's dictionary
// button.
void TVlqGameMainForm::Dictionary1Click() { runReferenceTool(0, VlqSetting::DictPath, "Dictionary"); }
void TVlqGameMainForm::Thesaurus1Click() { runReferenceTool(1, VlqSetting::ThesPath, "Thesaurus"); }
// Help opens at its table of contents, or at its index with an empty keyword.
void TVlqGameMainForm::Contents1Click() {
    guarded([this] { HelpWindow::showHelp(this, HelpWindow::ContentsTab); });
}
void TVlqGameMainForm::KeywordIndex1Click() {
    guarded([this] { HelpWindow::showHelp(this, HelpWindow::IndexTab); });
}
void TVlqGameMainForm::About1Click() {
    if (TVlqGameAboutForm* about = TVlqGameAboutForm::instance()) {
        about->ShowModal();
    } else {
        TVlqGameAboutForm box(this);
        box.ShowModal();
    }
}
