#include "TVlqGameTitleForm.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "DocumentWindow.h"
#include "SquareGeometry.h"
#include "SquareLook.h"
#include "game/PlayerLetters.h"
#include "TVlqGameClueForm.h"
#include "TVlqGameGridForm.h"
#include "app/PuzzleViews.h"
#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "core/SettingsText.h"
#include "core/VlqError.h"

namespace {

const QColor kYellow(255, 255, 0);
const QColor kGrey(128, 128, 128);

// Outer width beyond the squares: the frame plus a margin on the right.
constexpr int kExtraWidth = 18;

vlq::PuzzleRecord& rec() { return game().puzzle; }

// The grid square of the first letter of clue i, if it lies in the grid.
std::optional<vlq::Square> firstLetterSquare(int i) {
    const vlq::Square q = rec().decodeSquare(100 + i);
    if (!rec().inGrid(q.col, q.row)) return std::nullopt;
    return q;
}

} // namespace

TVlqGameTitleForm::TVlqGameTitleForm(QMdiArea* area) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Button));
    setPalette(pal);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(15);
    setFont(f);

    sub_ = vlq::addDocumentWindow(area, this);
    sub_->setWindowTitle(QStringLiteral("Author-Title"));
    game().titleForm = this;
    sub_->show();
    try {
        FormShow();
    } catch (const std::exception& e) {
        // A setting could not be read: the strip still comes up usable.
        vlq::reportError(e);
        placeAt(game().defaultSquareSize, std::nullopt);
    }
}

TVlqGameTitleForm::~TVlqGameTitleForm() {
    if (game().titleForm == this) game().titleForm = nullptr;
}

QMdiSubWindow* TVlqGameTitleForm::subWindow() const { return sub_; }
int TVlqGameTitleForm::squareCount() const { return squareCount_; }

void TVlqGameTitleForm::FormShow() {
    squareCount_ = 0;
    for (int k = 1; k <= vlq::kMaxClues; ++k)
        if (rec().clueSquares(100 + k) != 0) ++squareCount_;
    game().titleSquareSize = game().defaultSquareSize;
    ReadSettings();
    PlaceWindow();
}

void TVlqGameTitleForm::ReadSettings() {
    const vlq::SquareLook look = vlq::SquareLook::read(vlq::SquareLook::Outline::Skip);

    blankColour_ = look.blank;
    fontColour_ = look.letter;
    fontSizeSetting_ = look.fontSize;
    QPalette pal = palette();
    const auto dark = vlq::darkPane();
    pal.setColor(QPalette::Window, dark ? vlq::stripPane(*dark) : QGuiApplication::palette().color(QPalette::Button));
    setPalette(pal);
    setFont(look.scaledFont(game().titleSquareSize, game().defaultSquareSize));
    look.applyCursor(*this);
}

void TVlqGameTitleForm::PlaceWindow() {
    int t = std::clamp<int>(TVlqProcs::ReadSetting(VlqSetting::AuthorTitleSquare), 1, vlq::kMaxSquare);
    const std::optional<vlq::Bounds> stored = TVlqProcs::ReadSetting(VlqSetting::ScreenBoundsAuthorTitle);
    shrunk_ = false;
    if (!stored) {
        const int s = std::clamp<int>(TVlqProcs::ReadSetting(VlqSetting::ScreenSquare), 1, vlq::kMaxSquare);
        const int fitted = vlq::fittedDocumentLayout(sub_, s, t).titleSquare;
        shrunk_ = fitted < vlq::zoomedSquare(t);
        t = fitted;
    }
    placeAt(t, stored);
}

// Sets t and the bounds for it from a stored value (placement code or left
// and top; width and height ignored) or, without one, centred on the screen
// width just below the grid; then snaps.
void TVlqGameTitleForm::placeAt(int t, std::optional<vlq::Bounds> stored) {
    t = std::clamp(t, 1, vlq::kMaxSquare);
    const int outerW = t * squareCount_ + kExtraWidth;
    const int outerH = t + vlq::frameExtra(sub_).height();
    const int centred = (vlq::screenWidth() - outerW) / 2;
    QRect grid;
    if (game().gridForm && game().gridForm->subWindow()) grid = game().gridForm->subWindow()->geometry();
    const int available = game().availableHeight;

    QPoint at(centred, grid.y() + grid.height() + game().frameSize);
    if (stored) {
        switch (stored->left) {
        case 10000: at = {centred, grid.y() + grid.height() + 1}; break;
        case 20000: at = {centred, 2}; break;
        case 30000: at = {centred, available - outerH}; break;
        case 40000: at = {centred, available - grid.height() - 4 - outerH}; break;
        default: at = vlq::keptInView(sub_, QRect(vlq::storedTopLeft(*stored), QSize(outerW, outerH))).topLeft(); break;
        }
    }
    game().titleSquareSize = t;
    placing_ = true;
    sub_->setGeometry(at.x(), at.y(), outerW, outerH);
    placing_ = false;
    FormResize();
}

void TVlqGameTitleForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (resizing_ || placing_) return;
    FormResize();
}

// Snaps the strip to whole squares from its width alone. t is read back
// from the outer width as (outer width - 18) div square count, the inverse
// of the snapped width t * count + 18, so a snapped strip keeps its size
// whatever the frame and however few the clues. (Taking t from the client
// width instead would grow the strip at every snap whenever 18 less the
// frame width reaches the square count.) Without squares t stays as it is.
void TVlqGameTitleForm::FormResize() {
    if (!sub_) return;
    resizing_ = true;
    int t = std::max(1, game().titleSquareSize);
    if (squareCount_ > 0) t = std::clamp((sub_->width() - kExtraWidth) / squareCount_, 1, vlq::kMaxSquare);
    game().titleSquareSize = t;
    const QRect g = sub_->geometry();
    sub_->setGeometry(g.x(), g.y(), t * squareCount_ + kExtraWidth, t + vlq::frameExtra(sub_).height());
    fontSizeSetting_ = vlq::SquareLook::fontSizeOr(fontSizeSetting_);
    vlq::rescaleFont(*this, fontSizeSetting_, t, game().defaultSquareSize);
    vlq::adjustLetterFont(*this, t, shrunk_);
    update();
    resizing_ = false;
}

int TVlqGameTitleForm::titleSize() const { return std::max(1, game().titleSquareSize); }

void TVlqGameTitleForm::paintEvent(QPaintEvent*) {
    QColor pen(Qt::black);
    try {
        pen = TVlqProcs::ReadSetting(VlqSetting::FilledSqColor);
    } catch (const vlq::SettingsError&) {
        // Outlines stay black; ReadSettings of the grid reports the value.
    }
    const int t = titleSize();
    QPainter p(this);
    p.setFont(font());
    p.setPen(fontColour_);
    const int offset = vlq::textOffset(p.fontMetrics(), t);
    const int linked = TVlqGameGridForm::linkedClue(); // 0 with the aid off
    for (int i = 1; i <= squareCount_; ++i) {
        const QRect outline((i - 1) * t, 0, t + 1, t);
        const QColor fill = game().currentClue == i ? kYellow : linked == i ? game().aids.linkedColour : blankColour_;
        vlq::drawSquareBox(p, outline, pen, fill);
        const auto q = firstLetterSquare(i);
        if (!q) continue;
        const std::uint8_t e = rec().entry(q->col, q->row);
        if (e != 0 && e != 255) {
            p.setPen(vlq::letterInk(fontColour_, game().currentClue == i ? kYellow : blankColour_));
            vlq::drawCentredLetter(p, outline, t, QChar::fromLatin1(char(e)), offset);
        } else if (e == 0 && showSolution_) {
            p.setPen(kGrey);
            vlq::drawCentredLetter(p, outline, t, QChar::fromLatin1(char(rec().solution(q->col, q->row))), offset);
        } else if (const std::uint8_t pencil = e == 0 ? playerLetters().shownPencil(*q) : 0) {
            vlq::drawPencilLetter(p, outline, t, pencil, fontColour_, fill, false);
        }
    }
    showSolution_ = false;
}

void TVlqGameTitleForm::ShowSolution() {
    showSolution_ = true;
    update();
}

void TVlqGameTitleForm::FullRepaint() {
    showSolution_ = false;
    update();
}

void TVlqGameTitleForm::ClearCurrentClue() { PuzzleViews::clueCleared(); }

void TVlqGameTitleForm::mousePressEvent(QMouseEvent* e) {
    e->accept(); // a clue is chosen when the button is released
}

void TVlqGameTitleForm::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    // Only a release over a square chooses its clue; the margin beyond the
    // squares (and a release dragged off the strip) does nothing.
    if (at.x() < 0 || at.y() < 0 || at.y() >= height() || at.x() >= titleSize() * squareCount_) return;
    FormMouseUp(at.x());
}

void TVlqGameTitleForm::FormMouseUp(int x) { chooseClue(x / titleSize() + 1); }

void TVlqGameTitleForm::chooseClue(int clue) {
    if (clue < 1 || clue > squareCount_) return;
    int cursor = 31;
    try {
        cursor = TVlqProcs::ReadSetting(VlqSetting::SolveHLOn);
    } catch (const vlq::SettingsError&) {
        // A value of the wrong kind parks the cursor.
    }
    PuzzleViews::clueChosen(clue, cursor, PuzzleViews::ChosenIn::Strip);
}
