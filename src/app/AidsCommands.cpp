// The main window's side of the solving aids: the zoom keys (Ctrl+=,
// Ctrl+-, Ctrl+0), the Make a Puzzle window, and bringing the open
// puzzle's windows up to date when the aids are switched on or off.
#include <QAction>
#include <QListWidget>

#include "MakePuzzleWindow.h"
#include "TVlqGameMainForm.h"
#include "PuzzleViews.h"
#include "VlqApplication.h"
#include "game/GameContext.h"
#include "game/SettingsTable.h"
#include "game/TVlqProcs.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "core/PuzzleRules.h"

namespace {

constexpr int kZoomMin = 50;
constexpr int kZoomMax = 400;
constexpr int kZoomStep = 25; // per cent of the fitted size per key

} // namespace

void TVlqGameMainForm::createAidActions() {
    auto action = [this](const char* name, const QString& text, QList<QKeySequence> keys, int step) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, [this, step] { guarded([this, step] { zoomBy(step); }); });
        return a;
    };
    ZoomIn1 = action("ZoomIn1", QStringLiteral("Zoom In"),
                     {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)}, kZoomStep);
    ZoomOut1 = action("ZoomOut1", QStringLiteral("Zoom Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, -kZoomStep);
    ZoomReset1 = action("ZoomReset1", QStringLiteral("Actual Size"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, 0);
}

void TVlqGameMainForm::MakePuzzle1Click() {
    auto* window = findChild<MakePuzzleWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) window = new MakePuzzleWindow(this);
    window->show();
    window->raise();
    window->activateWindow();
}

void TVlqGameMainForm::zoomBy(int step) {
    GameContext& g = game();
    if (!g.aids.zoom || !g.gridForm || !g.titleForm) return;
    const int was = g.aids.zoomPercent;
    const int wasSquare = g.gridSquareSize;
    const int pct = step == 0 ? 100 : std::clamp(was + step, kZoomMin, kZoomMax);
    if (pct == was) return;
    g.aids.zoomPercent = pct;
    placeDocumentWindows();
    // Beyond what fits the screen a larger zoom shows nothing new: it is
    // not taken, so that the next Ctrl+- shrinks the squares at once.
    if (step > 0 && g.gridSquareSize <= wasSquare) {
        g.aids.zoomPercent = was;
        placeDocumentWindows();
        return;
    }
    TVlqProcs::WriteSetting(VlqSetting::ZoomPercent, pct);
}

void TVlqGameMainForm::placeDocumentWindows() {
    GameContext& g = game();
    if (g.gridForm) g.gridForm->PlaceWindow();
    if (g.titleForm) g.titleForm->PlaceWindow();
    if (g.clueForm) {
        g.clueForm->PlaceWindow();
        g.clueForm->ClueList->doItemsLayout();
        g.clueForm->ClueList->viewport()->update();
    }
}

void TVlqGameMainForm::refreshAidViews() {
    GameContext& g = game();
    if (!g.gridForm) return;
    // Labels change the clue lines' height and zoom the squares' size: the
    // windows are placed anew, as Auto Arrange places them.
    g.gridForm->ReadSettings();
    placeDocumentWindows();
    g.gridForm->FullRepaint();
    if (g.titleForm) g.titleForm->update();
    if (g.aids.keyboardFlow) PuzzleViews::focusGrid();
    g.gridForm->followLink();
}
