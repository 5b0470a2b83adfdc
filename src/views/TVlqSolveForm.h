// The answer entry window: a floating tool window that shows the current
// clue's text and a strip of squares for its answer, one per letter, in
// answer order. Each square shows the Entry letter of the grid square its
// letter belongs to; typing into the strip writes straight into Entry and
// tells the grid, the author-title strip and the clue list. One instance is
// created at start-up, hidden, and lives until the program ends.
#pragma once
#include <QColor>
#include <QFont>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <optional>

class QLabel;

class TVlqSolveForm : public QWidget {
    Q_OBJECT
public:
    explicit TVlqSolveForm(QWidget* parent = nullptr);

    // Strip square the next key acts on: 0..n-1 on the strip, n past the
    // end, 31 parked. Every value outside 0..n-1 is off the strip, where
    // every key but Escape is ignored.
    int AnswerCursor = 31;
    // Letters of the current clue's answer (0 when no clue is current).
    int answerLength() const;

    // Side of one strip square in pixels (at least 1); the default square
    // size, taken each time the window is shown.
    int SquareSize = 1;

    // The clue text, at the client origin.
    QLabel* ClueLbl = nullptr;
    // The strip, at (0, kStripTop) of the client area, n * SquareSize + 1
    // wide and SquareSize high.
    QWidget* SolveGrid = nullptr;

    // The client area lies inside an inner border of this width.
    static constexpr int kInnerBorder = 8;
    static constexpr int kStripTop = 36;
    static constexpr int kShadow = 2;

    // UseCursors, BlankSqColor, FilledSqColor, FontColor, FontName,
    // FontSize (points, not scaled), FontStyle. Throws vlq::SettingsError
    // for a stored value of the wrong kind or malformed colour text.
    void ReadSettings();
    // SquareSize := the default square size, then the bounds from
    // ScreenBoundsSolve: stored bounds exactly, or (empty) centred over the
    // clue list, wide enough for the strip. Throws vlq::SettingsError naming
    // a malformed bounds value; the window then keeps its bounds.
    void PlaceWindow();
    // Keyboard entry of the answer: 'A'..'Z' (lower case folded), space,
    // Enter (keeps the letter), Backspace (one square back, keeps its
    // letter), '+' (reveals the solution letter, sets the cheated flag);
    // Escape closes the window. Ignored while the cursor is off the strip.
    void FormKeyPress(QChar ch);
    // Repaints if visible, else shows; then raises. Callers set
    // game().currentClue and AnswerCursor first.
    void OpenOnClue();

    // Moves the window's frame to topLeft. A window placed from stored
    // bounds takes the new place as the bounds it keeps while the window
    // manager frames it.
    void moveFrameTo(const QPoint& topLeft);

    // Outline of strip square i (from 0) in SolveGrid's coordinates.
    QRect stripSquare(int i) const;

    // For tests: strip paints so far and the region of the last one.
    int stripPaintCount = 0;
    QRegion lastStripPaintRegion;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class SolveStrip;

    void FormShow();
    // Keyboard flow: the clue by clues ahead (or back) becomes current,
    // cycling, with the cursor on its answer's first empty letter.
    void stepClue(int by);
    // Caption, label text and strip geometry for the current clue.
    void followCurrentClue();
    // A whole clue text (aids on) wrapped into the room above the strip.
    void fitWholeClue();
    int defaultHeight() const;
    // Least client size that shows the current clue's strip and its
    // shadow whole (the width within the screen).
    QSize contentSize() const;
    void SolveGridPaint(QPainter& p, const QRegion& region);
    void SolveGridMouseDown(Qt::MouseButton button, int x);
    void SolveGridMouseUp();
    void SolveGridMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // Draws the grid square of the letter at AnswerCursor with fill, when
    // the cursor is on the strip.
    void markGridSquare(const QColor& fill);

    QColor blankColour_{Qt::white};
    QColor outlineColour_{Qt::black};
    QColor letterColour_{Qt::black};
    bool readFrame();
    // Outer bounds outer exactly: the client size less the frame as known
    // now (after the first showing the height stays).
    void takeBounds(const QRect& outer);
    // Takes the stored bounds again once the window manager has framed
    // the window.
    void watchFrame();

    QFont stripFont_;
    QFont clueFont_;  // the clue text's own type
    bool heightFixed_ = false;
    std::optional<QRect> storedBounds_;  // placed from ScreenBoundsSolve
    QTimer frameWatch_;
    int frameWatchTicks_ = 0;
    QMargins knownFrame_;
    bool firstShowing_ = false;  // placed from stored bounds at the first showing
};
