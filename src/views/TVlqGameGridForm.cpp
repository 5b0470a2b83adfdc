#include "TVlqGameGridForm.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QRandomGenerator>
#include <algorithm>

#include "CheckMarkPaint.h"
#include "DocumentWindow.h"
#include "GridAccessible.h"
#include "SquareGeometry.h"
#include "SquareLook.h"
#include "app/PuzzleViews.h"
#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/PlayerLetters.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "core/SettingsText.h"
#include "core/VlqError.h"

namespace {

const QColor kYellow(255, 255, 0);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);

// Celebration palette: maroon, purple, teal, red, lime, blue, fuchsia, aqua.
const QColor kPalette[8] = {{128, 0, 0}, {128, 0, 128}, {0, 128, 128}, {255, 0, 0},
                            {0, 255, 0}, {0, 0, 255},   {255, 0, 255}, {0, 255, 255}};

vlq::PuzzleRecord& rec() { return game().puzzle; }
int cols() { return std::clamp(rec().width(), 0, vlq::kMaxCols); }
int rows() { return std::clamp(rec().height(), 0, vlq::kMaxRows); }

} // namespace

TVlqGameGridForm::TVlqGameGridForm(QMdiArea* area) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(15);
    setFont(f);

    sub_ = vlq::addDocumentWindow(area, this);
    game().gridForm = this;
    sub_->show();
    try {
        FormShow();
    } catch (const std::exception& e) {
        // A setting could not be read: the window still comes up usable.
        vlq::reportError(e);
        placeAt(game().defaultSquareSize, std::nullopt);
    }
}

TVlqGameGridForm::~TVlqGameGridForm() {
    if (game().gridForm == this) game().gridForm = nullptr;
}

QMdiSubWindow* TVlqGameGridForm::subWindow() const { return sub_; }

void TVlqGameGridForm::FormShow() {
    cheated_ = false;
    current_.reset();
    ReadSettings();
    PlaceWindow();
    current_.reset();
    // Keyboard flow: the player can type at once, into the first empty square.
    if (game().aids.keyboardFlow) {
        if (const auto first = vlq::firstEmptySquare(rec())) selectSquare(*first);
        setFocus();
    }
}

// --- settings and placement ------------------------------------------------

void TVlqGameGridForm::ReadSettings() {
    // Everything is read before anything changes, so a malformed value leaves
    // the window as it was.
    const vlq::SquareLook look = vlq::SquareLook::read();

    filledColour_ = look.filled;
    blankColour_ = look.blank;
    letterColour_ = look.letter;
    fontSizeSetting_ = look.fontSize;
    setFont(look.scaledFont(game().gridSquareSize, game().defaultSquareSize));
    look.applyCursor(*this);
}

void TVlqGameGridForm::PlaceWindow() {
    const int s = std::clamp<int>(TVlqProcs::ReadSetting(VlqSetting::ScreenSquare), 1, vlq::kMaxSquare);
    // Only left and top count: the size always follows the puzzle and s.
    const auto b = TVlqProcs::ReadSetting(VlqSetting::ScreenBoundsGrid);
    if (!b) {
        // Squares small enough to leave the strip and the clue list room.
        const int t = std::clamp<int>(TVlqProcs::ReadSetting(VlqSetting::AuthorTitleSquare), 1, vlq::kMaxSquare);
        const int fitted = vlq::fittedDocumentLayout(sub_, s, t).gridSquare;
        shrunk_ = fitted < vlq::zoomedSquare(s);
        placeAt(fitted, std::nullopt);
        return;
    }
    shrunk_ = false;
    // A stored arrangement keeps its own square size: zoom works on the
    // fitted layout only (the stored size is the one the player chose).
    placeAt(s, vlq::storedTopLeft(*b));
}

// Sets s and the bounds for it: at topLeft, or by default centred on the
// screen width with its top at the frame size; then snaps.
void TVlqGameGridForm::placeAt(int s, std::optional<QPoint> topLeft) {
    s = std::clamp(s, 1, vlq::kMaxSquare);
    const QSize extra = vlq::frameExtra(sub_);
    const int outerW = std::max(1, cols()) * s + extra.width() + 1;
    const int outerH = std::max(1, rows()) * s + extra.height() + 1;
    QPoint at((vlq::screenWidth() - outerW) / 2, game().frameSize);
    if (topLeft) at = vlq::keptInView(sub_, QRect(*topLeft, QSize(outerW, outerH))).topLeft();
    game().gridSquareSize = s;
    placing_ = true;
    sub_->setGeometry(at.x(), at.y(), outerW, outerH);
    placing_ = false;
    FormResize();
}

void TVlqGameGridForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (resizing_ || placing_) return;
    FormResize();
}

// Snaps the window to whole squares from its width alone. s is read back
// as (client width - 1) div Width: the last pixel column is the closing
// outline, so a snapped window gives back the same s (for every Width,
// 1 included) and a drag by less than Width pixels snaps back.
void TVlqGameGridForm::FormResize() {
    if (!sub_) return;
    resizing_ = true;
    const std::optional<vlq::Square> was = current_;
    ClearCursor();
    const QSize extra = vlq::frameExtra(sub_);
    const int w = std::max(1, cols());
    const int clientW = sub_->width() - extra.width();
    const int s = std::clamp((clientW - 1) / w, 1, vlq::kMaxSquare);
    game().gridSquareSize = s;
    const QRect g = sub_->geometry();
    sub_->setGeometry(g.x(), g.y(), w * s + extra.width() + 1, std::max(1, rows()) * s + extra.height() + 1);
    fontSizeSetting_ = vlq::SquareLook::fontSizeOr(fontSizeSetting_);
    vlq::rescaleFont(*this, fontSizeSetting_, s, game().defaultSquareSize);
    vlq::adjustLetterFont(*this, s, shrunk_);
    FullRepaint();
    // Keyboard flow keeps the cursor where it was: the player types on.
    if (game().aids.keyboardFlow && was) selectSquare(*was);
    resizing_ = false;
}

int TVlqGameGridForm::squareSize() const { return std::max(1, game().gridSquareSize); }

// --- what the squares show ----------------------------------------------------

void TVlqGameGridForm::fullPaintReset() {
    marks_.fill(Mark{});
    auto& r = rec();
    for (int row = 1; row <= rows(); ++row)
        for (int c = 1; c <= cols(); ++c)
            // Not a change by the player: past the letter door, unrecorded
            // and unannounced.
            if (r.isPunctuation(c, row)) r.setEntry(c, row, r.solution(c, row));
}

// Square (c, r) is drawn anew: it shows the record plus mark, nothing that
// was drawn on it before.
void TVlqGameGridForm::drawSquare(int c, int r) { drawSquare(c, r, Mark{}); }

void TVlqGameGridForm::drawSquare(int c, int r, const Mark& m) {
    if (!rec().inGrid(c, r)) return;
    mark(c, r) = m;
    requestSquare(c, r);
}

void TVlqGameGridForm::requestSquare(int c, int r) {
    const QRect outline = vlq::squareOutline(c, r, squareSize());
    update(outline);
}

// The record is made whole for the paint at once (punctuation back in
// Entry), so that a freshly shown or resized grid holds it even before the
// toolkit gets round to painting.
void TVlqGameGridForm::FullRepaint() {
    fullPaintReset();
    fullPending_ = true;
    update();
}

void TVlqGameGridForm::paintEvent(QPaintEvent* e) {
    const int s = squareSize();
    // Only FullRepaint and the first paint rebuild the squares from the
    // record; a paint the toolkit makes on its own shows them as they are.
    if (fullPending_ || !paintedFully_) {
        fullPaintReset();
        fullPending_ = false;
        paintedFully_ = true;
    }

    const auto& r = rec();
    const auto at = [](const vlq::Square& q) { return std::size_t((q.row - 1) * vlq::kMaxCols + (q.col - 1)); };
    std::array<bool, std::size_t(vlq::kMaxCols) * vlq::kMaxRows> yellow{};
    if (current_)
        for (const vlq::Square& q : vlq::wordRun(r, *current_)) yellow[at(q)] = true;
    std::array<bool, std::size_t(vlq::kMaxCols) * vlq::kMaxRows> linked{};
    for (const vlq::Square& q : vlq::answerSquares(r, linkedClue())) linked[at(q)] = true;
    const bool labels = game().aids.squareLabels;
    // Square numbers in one pass over the reading order.
    std::array<int, std::size_t(vlq::kMaxCols) * vlq::kMaxRows> numbers{};
    if (labels)
        for (int row = 1, n = 0; row <= rows(); ++row)
            for (int c = 1; c <= cols(); ++c)
                if (!r.isBlack(c, row) && !r.isPunctuation(c, row)) numbers[at({c, row})] = ++n;

    QPainter p(this);
    p.setFont(font());
    // Labels take the top of the square: the letter moves down below them.
    const int offset = labels ? vlq::labelledTextOffset(p.fontMetrics(), s) : vlq::textOffset(p.fontMetrics(), s);
    const QRegion& region = e->region();
    for (int row = 1; row <= rows(); ++row) {
        for (int c = 1; c <= cols(); ++c) {
            const QRect outline = vlq::squareOutline(c, row, s);
            if (!region.intersects(outline)) continue;
            const Mark& m = mark(c, row);
            const bool black = r.isBlack(c, row);
            const vlq::Square q{c, row};
            const QColor fill = squareFill(c, row, m, yellow[at(q)], linked[at(q)]);
            vlq::drawSquareBox(p, outline, filledColour_, fill);
            if (labels && !black) {
                const int number = numbers[at(q)];
                const int clue = number ? vlq::letterPlace(r, q).clue : 0;
                vlq::drawSquareLabels(p, outline, s, number ? QString::number(number) : QString(),
                                      clue ? QString::fromStdString(vlq::clueLabel(clue)) : QString(),
                                      letterColour_);
            }
            const std::uint8_t letter = m.hasLetter ? m.letter : black ? 0 : r.entry(c, row);
            if (letter != 0) {
                p.setPen(m.hasLetter ? QColor::fromRgb(m.ink) : vlq::letterInk(letterColour_, fill));
                vlq::drawCentredLetter(p, outline, s, QChar::fromLatin1(char(letter)), offset);
            } else if (const std::uint8_t pencil = black || m.hasLetter ? 0 : playerLetters().shownPencil(q)) {
                vlq::drawPencilLetter(p, outline, s, pencil, letterColour_, fill, labels);
            }
            if (checkMarks().isMarked({c, row})) vlq::drawCheckMark(p, outline, s);
            if (m.cross) {
                // Six pixels in from the corners; less on squares too small
                // for that to leave a cross.
                const int x = outline.x(), y = outline.y(), in = std::min(6, s / 3), out = s - in + 1;
                p.setPen(QPen(kRed, 2));
                p.drawLine(x + in, y + in, x + out, y + out);
                p.drawLine(x + out, y + in, x + in, y + out);
            }
        }
    }
}

QColor TVlqGameGridForm::squareFill(int c, int r, const Mark& m, bool inRun, bool linked) const {
    if (m.hasFill) return QColor::fromRgb(m.fill);
    if (rec().isBlack(c, r)) return filledColour_;
    if (inRun) return kYellow;
    if (linked) return game().aids.linkedColour;
    return blankColour_;
}

// --- selection ---------------------------------------------------------------

// Draws the rest of the word from `from` anew. The yellow of the run comes
// from the current square, so the caller sets or clears that first.
void TVlqGameGridForm::PaintRun(vlq::Square from) {
    for (const vlq::Square& q : vlq::wordRun(rec(), from)) drawSquare(q.col, q.row);
}

void TVlqGameGridForm::ClearCursor() {
    if (!current_) return;
    const vlq::Square was = *current_;
    current_.reset();
    PaintRun(was);
    followLink();
}

void TVlqGameGridForm::SetCurrentSquare(int x, int y) {
    const int s = squareSize();
    selectSquare({x / s + 1, y / s + 1});
}

void TVlqGameGridForm::selectSquare(vlq::Square q) {
    ClearCursor();
    if (rec().inGrid(q.col, q.row) && !rec().isBlack(q.col, q.row)) {
        current_ = q;
        PaintRun(q);
    }
    followLink();
    vlq::announceCurrentSquare(this);
}

void TVlqGameGridForm::SelectSquareClue(int c, int r) {
    PuzzleViews::squareClueChosen({c, r});
}

void TVlqGameGridForm::mousePressEvent(QMouseEvent* e) {
    PuzzleViews::closeAnswerWindow();
    const QPoint at = e->position().toPoint();
    const int s = squareSize();
    // The last pixel row and column close the outlines; they and anything
    // beyond the squares belong to no square.
    if (at.x() < 0 || at.y() < 0 || at.x() >= cols() * s || at.y() >= rows() * s) return;
    if (e->button() == Qt::RightButton)
        SelectSquareClue(at.x() / s + 1, at.y() / s + 1);
    else if (e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton)
        SetCurrentSquare(at.x(), at.y());
}

void TVlqGameGridForm::mouseReleaseEvent(QMouseEvent* e) {
    e->accept(); // the press did the work
}

std::optional<vlq::Square> TVlqGameGridForm::currentSquare() const { return current_; }
bool TVlqGameGridForm::cheated() const { return cheated_; }
void TVlqGameGridForm::setCheated(bool on) { cheated_ = on; }

// --- keys --------------------------------------------------------------------

void TVlqGameGridForm::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    vlq::announceFocusTaken(this);
}

bool TVlqGameGridForm::focusNextPrevChild(bool) {
    return false; // Tab is a key like any other here, and means nothing.
}

void TVlqGameGridForm::keyPressEvent(QKeyEvent* e) {
    if (game().aids.keyboardFlow && flowKey(e)) return;
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Delete:
        if (current_) TypeKey(QLatin1Char(' '));
        return;
    case Qt::Key_Backspace:
        FormKeyPress(QChar(8));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FormKeyPress(QChar(13));
        return;
    default:
        break;
    }
    const QString text = e->text();
    if (text.size() == 1)
        FormKeyPress(text.front());
    else
        QWidget::keyPressEvent(e);
}

void TVlqGameGridForm::FormKeyPress(QChar ch) {
    if (!current_) return;
    char16_t u = ch.unicode();
    if (u >= 'a' && u <= 'z') u = char16_t(u - 'a' + 'A');
    if (u == 8 || u == 13 || u == ' ' || u == '+' || (u >= 'A' && u <= 'Z')) TypeKey(QChar(u));
}

void TVlqGameGridForm::TypeKey(QChar ch) {
    if (!current_) return;
    auto& r = rec();
    if (ch.unicode() == 8) {
        StepBack();
        return;
    }
    // A punctuation square never takes a letter: the key goes to the next
    // letter square, the marks stepped over leave the yellow run.
    const std::optional<vlq::Square> to = vlq::typingSquare(r, *current_);
    if (!to) return;
    for (vlq::Square q = *current_; !(q == *to); q = *vlq::advance(r, q)) drawSquare(q.col, q.row);
    const vlq::Square at = *to;
    std::uint8_t byte = std::uint8_t(ch.unicode());
    if (ch.unicode() == 13) {
        byte = r.entry(at.col, at.row) ? r.entry(at.col, at.row) : std::uint8_t(' ');
    } else if (ch == QLatin1Char('+')) {
        byte = r.solution(at.col, at.row);
        cheated_ = true;
    }
    const LetterCause why = ch == QLatin1Char('+')  ? LetterCause::Revealed
                            : ch.unicode() == 13    ? LetterCause::Kept
                                                    : LetterCause::Typed;
    setPlayerLetter(at, byte == ' ' ? 0 : byte, why);
    // The typed square leaves the yellow run; the next one already lies in
    // it and is not redrawn.
    if (game().aids.keyboardFlow) {
        flowAdvance(at);
    } else {
        current_ = vlq::advance(r, at);
        followLink();
    }
    drawSquare(at.col, at.row);
    vlq::announceCurrentSquare(this);
    PuzzleViews::letterChanged(at, PuzzleViews::From::Grid);
    game().modified = true;
}

void TVlqGameGridForm::StepBack() {
    const vlq::Square to = vlq::stepBack(rec(), *current_);
    current_ = to;
    drawSquare(to.col, to.row); // yellow, with its letter
    followLink();
    vlq::announceCurrentSquare(this);
}

// --- drawings other windows ask for -----------------------------------------

void TVlqGameGridForm::refreshSquare(int c, int r) { drawSquare(c, r); }

// The blank fill is explicit: inside the yellow run the highlight is not
// restored on this square.
void TVlqGameGridForm::PaintSquare(int c, int r) {
    Mark m;
    m.hasFill = true;
    m.fill = blankColour_.rgb();
    drawSquare(c, r, m);
}

void TVlqGameGridForm::MarkSquare(int c, int r, const QColor& fill) {
    Mark m;
    m.hasFill = true;
    m.fill = fill.rgb();
    drawSquare(c, r, m);
}

void TVlqGameGridForm::ShowSolution() {
    cheated_ = true;
    auto& r = rec();
    for (int row = 1; row <= rows(); ++row) {
        for (int c = 1; c <= cols(); ++c) {
            const std::uint8_t e = r.entry(c, row);
            if (r.isBlack(c, row) || (e != 0 && e != ' ')) continue;
            Mark& m = mark(c, row);
            m.hasLetter = true;
            m.letter = r.solution(c, row);
            m.ink = kGrey.rgb();
            requestSquare(c, row);
        }
    }
}

void TVlqGameGridForm::Celebrate() {
    const QPointer<TVlqGameGridForm> self(this);
    QRandomGenerator random(quint32(QDateTime::currentMSecsSinceEpoch()));
    for (int round = 0; round < 120; ++round) {
        for (int i = 0; i < 50; ++i) {
            const int c = int(random.bounded(1, std::max(1, cols()) + 1));
            const int r = int(random.bounded(1, std::max(1, rows()) + 1));
            const QColor& ink = kPalette[random.bounded(8)];
            if (!rec().inGrid(c, r) || rec().isBlack(c, r)) continue;
            Mark& m = mark(c, r);
            m.hasLetter = true;
            m.letter = rec().solution(c, r);
            m.ink = ink.rgb();
            requestSquare(c, r);
        }
        TVlqProcs::Delay(2);
        if (!self) return; // released while the messages went on
    }
    FullRepaint();
}

void TVlqGameGridForm::MarkErrors() {
    const QPointer<TVlqGameGridForm> self(this);
    TVlqProcs::Delay(5);
    if (!self) return;
    for (const vlq::Square& q : vlq::wrongSquares(rec())) {
        // With letter checks an empty square is unfinished, not wrong.
        if (game().aids.checkLetters && !vlq::isWrongSquare(rec(), q)) continue;
        mark(q.col, q.row).cross = true;
        requestSquare(q.col, q.row);
        vlq::announceSquare(q);
    }
}
