#include "app/LetterCommands.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "app/PuzzleViews.h"
#include "app/TVlqGameMainForm.h"
#include "app/VlqApplication.h"
#include "core/PuzzleRules.h"
#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/LetterHistory.h"
#include "game/PlayerLetters.h"
#include "platform/Artwork.h"
#include "views/TVlqGameClueForm.h"
#include "views/GridAccessible.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqSolveForm.h"

namespace {

// The answer window when it is on screen, else null.
TVlqSolveForm* shownAnswerWindow() {
    TVlqSolveForm* f = game().solveForm;
    return f && f->isVisible() ? f : nullptr;
}

// The squares a check looks at: the answer window's letter (or whole
// answer) while it shows, else the grid's current square (or its word).
std::vector<vlq::Square> checkedSquares(bool wholeWord) {
    const GameContext& g = game();
    if (const TVlqSolveForm* f = shownAnswerWindow()) {
        const int n = f->answerLength();
        std::vector<vlq::Square> squares;
        for (int j = 1; j <= n; ++j)
            if (wholeWord || j == f->AnswerCursor + 1) squares.push_back(vlq::answerSquare(g.puzzle, g.currentClue, j));
        return squares;
    }
    const auto current = g.gridForm ? g.gridForm->currentSquare() : std::nullopt;
    if (!current) return {};
    return wholeWord ? vlq::wordSquares(g.puzzle, *current) : std::vector<vlq::Square>{*current};
}

void check(bool wholeWord) {
    const std::vector<vlq::Square> checked = checkedSquares(wholeWord);
    const std::vector<vlq::Square> marked = checkMarks().check(game().puzzle, checked);
    for (const vlq::Square& q : marked) {
        refreshAfterLetter(q);
        vlq::announceSquare(q); // its name now says so
    }
    if (checked.empty()) return;
    // The verdict, heard on the square the player is at.
    int wrong = 0;
    for (const vlq::Square& q : checked) wrong += checkMarks().isMarked(q) ? 1 : 0;
    QString verdict;
    if (!wholeWord) verdict = wrong ? QStringLiteral("checked wrong") : QStringLiteral("checked, not wrong");
    else if (wrong == 0) verdict = QStringLiteral("word checked, none wrong");
    else verdict = QStringLiteral("word checked, %1 of %2 wrong").arg(wrong).arg(checked.size());
    PuzzleViews::say(verdict);
}

void afterHistory(const std::vector<vlq::Square>& written) {
    for (const vlq::Square& q : written) refreshAfterLetter(q);
    if (written.empty()) return;
    // The letters now differ from the file, whichever way the step went.
    game().modified = true;
    // The player is taken to (and hears) the square the step changed.
    PuzzleViews::cursorTo(written.front());
}

} // namespace

LetterCommands::LetterCommands(TVlqGameMainForm* form, QMenu* menu, QAction* after)
    : QObject(form), form_(form), menu_(menu), after_(after) {
    auto item = [this](const char* name, const QString& caption, const QList<QKeySequence>& keys) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(keys);
        // The answer window is a window of its own: the keys work there too.
        a->setShortcutContext(Qt::ApplicationShortcut);
        return a;
    };
    auto separator = [this] {
        auto* a = new QAction(this);
        a->setSeparator(true);
        return a;
    };
    undoSeparator_ = separator();
    undoItem = item("undoLetter", QStringLiteral("&Undo Letter"), {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redoItem = item("redoLetter", QStringLiteral("R&edo Letter"),
                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    checkSeparator_ = separator();
    checkLetterItem = item("checkLetter", QStringLiteral("Check &Letter"), {QKeySequence(Qt::CTRL | Qt::Key_K)});
    checkWordItem = item("checkWord", QStringLiteral("Check &Word"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)});
    pencilSeparator_ = separator();
    pencilItem = item("pencil", QStringLiteral("&Pencil"), {QKeySequence(Qt::CTRL | Qt::Key_E)});
    pencilItem->setCheckable(true);
    pencilItem->setToolTip(QStringLiteral("Write in pencil"));
    form->PencilBtn->setDefaultAction(pencilItem);
    connect(pencilItem, &QAction::toggled, &playerLetters(), &PlayerLetters::setPencilSwitch);
    connect(&playerLetters(), &PlayerLetters::pencilSwitched, pencilItem, &QAction::setChecked);

    connect(undoItem, &QAction::triggered, this, [this] { guarded([this] { undo(); }); });
    connect(redoItem, &QAction::triggered, this, [this] { guarded([this] { redo(); }); });
    connect(checkLetterItem, &QAction::triggered, this, [this] { guarded([this] { checkLetter(); }); });
    connect(checkWordItem, &QAction::triggered, this, [this] { guarded([this] { checkWord(); }); });

    LetterHistory& history = letterHistory();
    connect(&history, &LetterHistory::historyChanged, this, [this](bool canUndo, bool canRedo) {
        undoItem->setEnabled(canUndo);
        redoItem->setEnabled(canRedo);
    });
    undoItem->setEnabled(history.canUndo());
    redoItem->setEnabled(history.canRedo());

    connect(form, &TVlqGameMainForm::aidsChanged, this, &LetterCommands::followAids);
    followAids();
}

// The items of an aid that is off are not in the menu at all (so their
// keys do nothing either); those of an aid that is on follow `after_`.
void LetterCommands::followAids() {
    const SolvingAids& aids = game().aids;
    const QList<QAction*> undoGroup{undoSeparator_, undoItem, redoItem};
    const QList<QAction*> checkGroup{checkSeparator_, checkLetterItem, checkWordItem};
    const QList<QAction*> pencilGroup{pencilSeparator_, pencilItem};
    for (QAction* a : undoGroup + checkGroup + pencilGroup) menu_->removeAction(a);
    QList<QAction*> shown;
    if (aids.undoRedo) shown += undoGroup;
    if (aids.checkLetters) shown += checkGroup;
    if (aids.pencil) shown += pencilGroup;
    // The picture is drawn when first wanted, not at start-up.
    if (aids.pencil && pencilItem->icon().isNull())
        pencilItem->setIcon(QIcon(vlq::artwork(QStringLiteral("cursors/PENCIL"), form_->PencilBtn->iconSize())));
    // The pencil button sits among the puzzle's buttons, so only in puzzle state.
    form_->PencilBtn->setVisible(aids.pencil && form_->CheatBtn->isVisibleTo(form_->PencilBtn->parentWidget()));
    const QList<QAction*> items = menu_->actions();
    const qsizetype at = items.indexOf(after_);
    QAction* before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
    menu_->insertActions(before, shown);
    if (!aids.checkLetters) checkMarks().clear();
}

void LetterCommands::undo() { afterHistory(letterHistory().undo()); }
void LetterCommands::redo() { afterHistory(letterHistory().redo()); }
void LetterCommands::checkLetter() { check(false); }
void LetterCommands::checkWord() { check(true); }

void refreshAfterLetter(vlq::Square at) { PuzzleViews::letterChanged(at, PuzzleViews::From::Elsewhere); }
