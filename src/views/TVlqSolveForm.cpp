#include "TVlqSolveForm.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "AnswerPlacement.h"
#include "CheckMarkPaint.h"
#include "DocumentWindow.h"
#include "GridAccessible.h"
#include "SquareGeometry.h"
#include "SquareLook.h"
#include "TVlqGameClueForm.h"
#include "app/PuzzleViews.h"
#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/PlayerLetters.h"
#include "game/WholeClues.h"
#include "game/RecordText.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "core/SettingsText.h"
#include "platform/TitleBar.h"
#include "game/SettingsTable.h"

namespace {

const QColor kYellow(255, 255, 0);
const QColor kShadowGrey(128, 128, 128);
const QColor kMarkOff(255, 255, 255);

constexpr int kDesignedClientWidth = 694;

} // namespace

// The paint box that holds the strip; painting and the mouse belong to the
// answer window.
class SolveStrip : public QWidget {
public:
    explicit SolveStrip(TVlqSolveForm* form) : QWidget(form), form_(form) {
        // Named before anyone asks for its accessible interface.
        setObjectName(QStringLiteral("SolveGrid"));
        // Every pixel of the strip is painted by its squares.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        ++form_->stripPaintCount;
        form_->lastStripPaintRegion = e->region();
        QPainter p(this);
        form_->SolveGridPaint(p, e->region());
    }
    void mousePressEvent(QMouseEvent* e) override { form_->SolveGridMouseDown(e->button(), e->position().toPoint().x()); }
    void mouseReleaseEvent(QMouseEvent*) override { form_->SolveGridMouseUp(); }
    void mouseMoveEvent(QMouseEvent* e) override { form_->SolveGridMouseMove(e->buttons(), e->modifiers()); }
    void focusInEvent(QFocusEvent* e) override {
        QWidget::focusInEvent(e);
        vlq::announceFocusTaken(this);
    }

private:
    TVlqSolveForm* form_;
};

TVlqSolveForm::TVlqSolveForm(QWidget* parent)
    : QWidget(parent, Qt::Tool) {
    vlq::closeBoxOnly(this);
    setWindowTitle(QStringLiteral("Acrostic Clue A"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);

    ClueLbl = new QLabel(this);
    ClueLbl->setTextFormat(Qt::PlainText);
    clueFont_ = QFont(QStringLiteral("Times New Roman"));
    clueFont_.setPixelSize(15);
    ClueLbl->setFont(clueFont_);
    QPalette labelPal = ClueLbl->palette();
    labelPal.setColor(QPalette::WindowText, Qt::black);
    ClueLbl->setPalette(labelPal);
    ClueLbl->move(kInnerBorder, kInnerBorder);

    SolveGrid = new SolveStrip(this);
    // The strip takes the keyboard for the window (its keys reach the
    // window as they are not its own), so that a screen reader finds the
    // focus on the strip's cell under the cursor.
    SolveGrid->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(SolveGrid);
    stripFont_ = QFont(QStringLiteral("Arial"));
    stripFont_.setPixelSize(15);

    frameWatch_.setInterval(10);
    connect(&frameWatch_, &QTimer::timeout, this, &TVlqSolveForm::watchFrame);

    SquareSize = std::max(1, game().defaultSquareSize);
    resize(kDesignedClientWidth + 2 * kInnerBorder, defaultHeight());
    followCurrentClue();
}

int TVlqSolveForm::answerLength() const { return vlq::answerLength(game().puzzle, game().currentClue); }

QRect TVlqSolveForm::stripSquare(int i) const { return {i * SquareSize, 0, SquareSize + 1, SquareSize}; }

QSize TVlqSolveForm::contentSize() const {
    // The strip's squares and their shadow, within the screen's width.
    const int need = kInnerBorder + answerLength() * SquareSize + 1 + kShadow;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int frameW = frameGeometry().width() - width();
    const int room = screen ? screen->availableGeometry().width() - frameW : need;
    return {std::max(1, std::min(need, room)), kInnerBorder + kStripTop + SquareSize + kShadow};
}

int TVlqSolveForm::defaultHeight() const {
    // Clue text above, the strip at kStripTop with its shadow below it and
    // two pixels to spare, all inside the inner border.
    return 2 * kInnerBorder + kStripTop + SquareSize + kShadow + 2;
}

void TVlqSolveForm::ReadSettings() {
    const vlq::SquareLook look = vlq::SquareLook::read();

    look.applyCursor(*this);
    blankColour_ = look.blank;
    outlineColour_ = look.filled;
    letterColour_ = look.letter;
    // Dark squares: the window around them dark too, its clue text light.
    const auto dark = vlq::darkPane();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, dark ? vlq::stripPane(*dark) : QGuiApplication::palette().color(QPalette::Button));
    setPalette(pal);
    QPalette labelPal = ClueLbl->palette();
    labelPal.setColor(QPalette::WindowText, dark ? vlq::letterInk(Qt::black, vlq::stripPane(*dark)) : QColor(Qt::black));
    ClueLbl->setPalette(labelPal);
    // The answer strip keeps one square size: its letters do not scale.
    stripFont_ = look.unscaledFont();
    SolveGrid->update();
}

void TVlqSolveForm::PlaceWindow() {
    SquareSize = std::max(1, game().defaultSquareSize);
    const std::optional<vlq::Bounds> b = TVlqProcs::ReadSetting(VlqSetting::ScreenBoundsSolve);
    // Frame around the client area, known once the window has been shown.
    const int frameW = frameGeometry().width() - width();
    const int frameH = frameGeometry().height() - height();
    if (b) {
        // Bounds stored on a bigger screen come back into view.
        const QScreen* screen = QGuiApplication::primaryScreen();
        QRect stored(vlq::storedTopLeft(*b), vlq::storedSize(*b));
        if (screen) stored = vlq::keptInView(stored, screen->geometry());
        // The height stays what the first showing gave it.
        firstShowing_ = !heightFixed_;
        takeBounds(stored);
        // A window manager frames the window only once it is first shown;
        // until then the frame is unknown and the size would come out too
        // large by it. The bounds are taken again once it is known.
        storedBounds_ = stored;
        frameWatchTicks_ = 0;
        frameWatch_.start();
        followCurrentClue();
        return;
    }
    storedBounds_.reset();

    if (!heightFixed_) resize(width(), defaultHeight());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Wide enough for the whole strip with its shadow (within the screen).
    const int need = 2 * kInnerBorder + answerLength() * SquareSize + 1 + kShadow;
    if (width() < need) resize(std::min(need, std::max(width(), avail.width() - frameW)), height());

    const int outerW = width() + frameW;
    const int outerH = height() + frameH;
    const GameContext& g = game();
    QMdiSubWindow* clues = g.clueForm ? g.clueForm->subWindow() : nullptr;
    QMdiArea* area = clues ? clues->mdiArea() : nullptr;
    if (clues && area) {
        // Centred over the clue list, across the main window's client width.
        const QPoint origin = area->viewport()->mapToGlobal(QPoint(0, 0));
        const int across = g.availableWidth > 0 ? g.availableWidth : area->viewport()->width();
        move(origin.x() + (across - outerW) / 2, origin.y() + clues->y() + (clues->height() - outerH) / 2);
    } else {
        move(avail.x() + (avail.width() - outerW) / 2, avail.y() + (avail.height() - outerH) / 2);
    }
    followCurrentClue();
}

// The frame as the window system knows it now (the widget's own idea of it
// lags behind the window manager's). While the window manager is framing
// or unframing the window the toolkit can report nonsense, and a hidden
// window has no frame: then knownFrame_ keeps the frame last seen. True
// when the frame seen now is a real one.
bool TVlqSolveForm::readFrame() {
    const QWindow* win = windowHandle();
    const QMargins m = win ? win->frameMargins() : QMargins();
    const auto sane = [](int side) { return side >= 0 && side < 100; };
    const bool real = !m.isNull() && sane(m.left()) && sane(m.top()) && sane(m.right()) && sane(m.bottom());
    if (real) knownFrame_ = m;
    return real;
}

void TVlqSolveForm::takeBounds(const QRect& outer) {
    readFrame();
    const QRect client = outer.marginsRemoved(knownFrame_);
    // Stored bounds too small for the clue text and the strip grow to fit.
    const int h = std::max(client.height(), contentSize().height());
    if (heightFixed_ && firstShowing_) {
        setMinimumHeight(h);
        setMaximumHeight(h);
    }
    setGeometry(client.x(), client.y(), std::max(client.width(), contentSize().width()), h);
}

// Runs every 10 ms for a second after a showing with stored bounds: each
// time the window is framed but not at its bounds (the window manager
// framed it after it was placed, or placed it on its own), it takes them
// again.
void TVlqSolveForm::watchFrame() {
    const QWindow* win = windowHandle();
    const bool framed = readFrame();
    if (framed && storedBounds_ && isVisible() && win->frameGeometry() != *storedBounds_) takeBounds(*storedBounds_);
    if (!storedBounds_ || !isVisible() || ++frameWatchTicks_ >= 100) {
        frameWatch_.stop();
        frameWatchTicks_ = 0;
    }
}

void TVlqSolveForm::OpenOnClue() {
    followCurrentClue();
    if (isVisible()) {
        // A longer answer than the last one widens the window to its strip.
        if (width() < contentSize().width()) resize(contentSize().width(), height());
        update();
        SolveGrid->update();
    } else {
        show();
    }
    raise();
    activateWindow();
    // Keyboard flow: typing goes into the strip at once.
    if (game().aids.keyboardFlow) setFocus(Qt::OtherFocusReason);
    vlq::keepClueLineClear(*this);
    // Under a window manager the window is framed and placed a moment after
    // it shows (and re-takes stored bounds while the frame settles): clear
    // the clue's line again once that is over.
    if (game().aids.placeAnswer)
        QTimer::singleShot(1100, this, [this] { vlq::keepClueLineClear(*this); });
    vlq::announceCurrentSquare(SolveGrid);
}

void TVlqSolveForm::moveFrameTo(const QPoint& topLeft) {
    if (storedBounds_) storedBounds_->moveTopLeft(topLeft);
    if (pos() != topLeft) move(topLeft);
}

void TVlqSolveForm::followCurrentClue() {
    const int k = game().currentClue;
    if (k >= 1 && k <= vlq::kMaxClues) {
        const QString caption = QStringLiteral("Acrostic Clue ") + QString::fromLatin1(vlq::clueLabel(k));
        if (windowTitle() != caption) {
            setWindowTitle(caption);
            // A screen reader hears the window's new name.
            if (QAccessible::isActive()) {
                QAccessibleEvent renamed(this, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&renamed);
            }
        }
    }
    const QString whole = (k >= 1 && k <= vlq::kMaxClues) ? wholeClueText(k) : QString();
    const QString clue = !whole.isEmpty()                  ? whole
                         : (k >= 1 && k <= vlq::kMaxClues) ? vlq::recordText(game().puzzle.clue(k))
                                                           : QString();
    if (ClueLbl->text() != clue) {
        ClueLbl->setText(clue);
        ClueLbl->setToolTip(whole);
        if (whole.isEmpty()) {
            ClueLbl->setWordWrap(false);
            ClueLbl->setFont(clueFont_);
            ClueLbl->adjustSize();
        } else {
            fitWholeClue();
        }
    }
    const int n = answerLength();
    const QRect strip(kInnerBorder, kInnerBorder + kStripTop, n * SquareSize + 1, SquareSize);
    if (SolveGrid->geometry() != strip) SolveGrid->setGeometry(strip);
    if (SolveGrid->isVisibleTo(this) != (n > 0)) SolveGrid->setVisible(n > 0);
}

// A whole clue text fills the room above the strip, wrapped, in a smaller
// type where the window's width leaves it too little room.
void TVlqSolveForm::fitWholeClue() {
    const QRect room(kInnerBorder, kInnerBorder, std::max(1, width() - 2 * kInnerBorder), kStripTop - 2);
    QFont f = clueFont_;
    for (int px = clueFont_.pixelSize(); px > 9; --px) {
        f.setPixelSize(px);
        const QRect need = QFontMetrics(f).boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, ClueLbl->text());
        if (need.height() <= room.height()) break;
    }
    ClueLbl->setFont(f);
    ClueLbl->setWordWrap(true);
    ClueLbl->setGeometry(room);
}

void TVlqSolveForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!ClueLbl->toolTip().isEmpty()) fitWholeClue();
}

void TVlqSolveForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TVlqSolveForm::FormShow() {
    try {
        ReadSettings();
        PlaceWindow();
        // From the first showing on only the width can change.
        setMinimumHeight(height());
        setMaximumHeight(height());
        heightFixed_ = true;
    } catch (const std::exception& e) {
        vlq::reportError(e);
    }
    followCurrentClue();
}

void TVlqSolveForm::closeEvent(QCloseEvent* event) {
    PuzzleViews::answerWindowClosed();
    event->accept();
}

void TVlqSolveForm::paintEvent(QPaintEvent*) {
    // Another puzzle may have been opened since the last paint: follow it.
    followCurrentClue();
    if (!SolveGrid->isVisibleTo(this)) return;
    const QRect s = SolveGrid->geometry();
    QPainter p(this);
    p.fillRect(QRect(s.left() + 3, s.top() + 3, s.width() - 1, s.height() - 1), kShadowGrey);
}

void TVlqSolveForm::SolveGridPaint(QPainter& p, const QRegion& region) {
    const int n = answerLength();
    const int k = game().currentClue;
    const vlq::PuzzleRecord& rec = game().puzzle;
    p.setFont(stripFont_);
    p.setPen(letterColour_);
    const bool labels = game().aids.squareLabels;
    // Square numbers take the top of the square: the letter moves down below them.
    const int offset = labels ? vlq::labelledTextOffset(p.fontMetrics(), SquareSize)
                              : vlq::textOffset(p.fontMetrics(), SquareSize);
    for (int i = 0; i < n; ++i) {
        const QRect box = stripSquare(i);
        if (!region.intersects(box)) continue;
        const QColor& fill = i < AnswerCursor ? blankColour_ : kYellow;
        vlq::drawSquareBox(p, box, outlineColour_, fill);
        p.setPen(vlq::letterInk(letterColour_, fill));
        const vlq::Square sq = vlq::answerSquare(rec, k, i + 1);
        if (!rec.inGrid(sq.col, sq.row)) continue;
        if (labels)
            vlq::drawSquareLabels(p, box, SquareSize, QString::number(vlq::squareNumber(rec, sq)), {}, letterColour_);
        const std::uint8_t e = rec.entry(sq.col, sq.row);
        if (e != 0) vlq::drawCentredLetter(p, box, SquareSize, QChar::fromLatin1(char(e)), offset);
        else if (const std::uint8_t pencil = playerLetters().shownPencil(sq))
            vlq::drawPencilLetter(p, box, SquareSize, pencil, letterColour_, fill, labels);
        if (checkMarks().isMarked(sq)) vlq::drawCheckMark(p, box, SquareSize);
    }
}

bool TVlqSolveForm::focusNextPrevChild(bool next) {
    // Keyboard flow: Tab and Shift+Tab go to the next and previous clue.
    if (game().aids.keyboardFlow) return false;
    return QWidget::focusNextPrevChild(next);
}

void TVlqSolveForm::stepClue(int by) {
    GameContext& g = game();
    const int count = vlq::clueCount(g.puzzle);
    if (count < 1) return;
    const int from = g.currentClue >= 1 && g.currentClue <= count ? g.currentClue : (by > 0 ? 0 : 1);
    // The cursor on the answer's first empty letter, else its first.
    const int k = (from - 1 + by + count) % count + 1;
    PuzzleViews::clueChosen(k, vlq::firstEmptyLetter(g.puzzle, k), PuzzleViews::ChosenIn::Answer);
}

void TVlqSolveForm::keyPressEvent(QKeyEvent* event) {
    if (game().aids.keyboardFlow && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        stepClue(event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) ? -1 : 1);
        return;
    }
    // As in the grid: Ctrl, Alt and Meta chords are not letters.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete: FormKeyPress(QLatin1Char(' ')); return;
    case Qt::Key_Backspace: FormKeyPress(QChar(8)); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: FormKeyPress(QChar(13)); return;
    case Qt::Key_Escape: FormKeyPress(QChar(27)); return;
    default: break;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    FormKeyPress(text.front());
}

void TVlqSolveForm::FormKeyPress(QChar ch) {
    const int n = answerLength();
    const char16_t c = ch.toUpper().unicode();
    const bool accepted = c == 8 || c == 13 || c == u' ' || c == u'+' || (c >= u'A' && c <= u'Z');
    // Keyboard flow: a letter typed while the cursor is off the strip goes
    // to the answer's first empty square; with none left it is refused out
    // loud, never dropped in silence.
    if (accepted && c != 8 && game().aids.keyboardFlow && (AnswerCursor < 0 || AnswerCursor >= n) && n > 0) {
        const int empty = vlq::firstEmptyLetter(game().puzzle, game().currentClue);
        const vlq::Square first = vlq::answerSquare(game().puzzle, game().currentClue, empty + 1);
        if (game().puzzle.inGrid(first.col, first.row) && game().puzzle.entry(first.col, first.row) == 0) {
            AnswerCursor = empty;
            SolveGrid->update();
        } else {
            QApplication::beep();
            vlq::announceNote(SolveGrid, QStringLiteral("answer full"));
            return;
        }
    }
    if (!accepted || AnswerCursor < 0 || AnswerCursor >= n) {
        if (c == 27) close();
        return;
    }

    GameContext& g = game();
    vlq::PuzzleRecord& rec = g.puzzle;
    const int k = g.currentClue;
    vlq::Square sq = vlq::answerSquare(rec, k, AnswerCursor + 1);
    // A validated record keeps every answer letter inside the grid.
    if (!rec.inGrid(sq.col, sq.row)) return;
    std::uint8_t letter = std::uint8_t(c);
    const bool advances = c != 8;
    switch (c) {
    case 8:
        if (AnswerCursor == 0) return;
        --AnswerCursor;
        sq = vlq::answerSquare(rec, k, AnswerCursor + 1);
        if (!rec.inGrid(sq.col, sq.row)) return;
        letter = rec.entry(sq.col, sq.row);
        break;
    case 13: letter = rec.entry(sq.col, sq.row); break;
    case u'+':
        letter = rec.solution(sq.col, sq.row);
        PuzzleViews::revealed();
        break;
    default: break;
    }

    const LetterCause why = c == u'+' ? LetterCause::Revealed : c == 8 || c == 13 ? LetterCause::Kept : LetterCause::Typed;
    setPlayerLetter(sq, letter == ' ' ? 0 : letter, why);
    // The square's new look follows from Entry and the cursor: behind an
    // advancing cursor it is blank, under a stepped-back one yellow.
    SolveGrid->update(stripSquare(AnswerCursor));
    g.modified = true;
    if (advances) {
        PuzzleViews::letterChanged(sq, PuzzleViews::From::Answer);
        ++AnswerCursor;
    } else {
        PuzzleViews::clueLineChanged(k);
    }
    vlq::announceCurrentSquare(SolveGrid);
}

void TVlqSolveForm::mousePressEvent(QMouseEvent* event) {
    // A press on the clue text is the label's, not the background's.
    if (ClueLbl->geometry().contains(event->position().toPoint())) return;
    AnswerCursor = 31;
    SolveGrid->update();
}

void TVlqSolveForm::SolveGridMouseDown(Qt::MouseButton button, int x) {
    AnswerCursor = std::max(0, x) / SquareSize;
    SolveGrid->update();
    if (button == Qt::RightButton) markGridSquare(kYellow);
}

void TVlqSolveForm::SolveGridMouseUp() { markGridSquare(kMarkOff); }

void TVlqSolveForm::SolveGridMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    if (buttons == Qt::RightButton && modifiers == Qt::NoModifier) markGridSquare(kMarkOff);
}

void TVlqSolveForm::markGridSquare(const QColor& fill) {
    if (AnswerCursor < 0 || AnswerCursor >= answerLength()) return;
    PuzzleViews::markSquare(vlq::answerSquare(game().puzzle, game().currentClue, AnswerCursor + 1), fill);
}
