// The quotation grid: the document window in which the player sees the
// grid of the open puzzle and fills it in square by square. It keeps a
// current square with the rest of its word highlighted, takes letters from
// the keyboard and passes every change on to the clue list and the
// author-title strip. It also carries the grid's transient drawings: the
// shown solution, the error crosses and the celebration.
//
// Drawing. Every paint draws a square from the record: its fill (black,
// blank, or yellow in the rest of the current word) and its Entry letter.
// On top of that the window remembers, per square, what its drawing
// routines left there that the record does not say (a square drawn in the
// normal colours inside the yellow run, the answer window's mark, the grey
// solution, the celebration's letters, the error crosses), as a canvas
// would. Edits ask for a repaint of just the squares they touch, so a key
// press costs one square. A full repaint (FullRepaint: a resize, new
// settings, a replaced record, the end of the celebration; and the first
// paint) forgets those marks and puts the punctuation back into Entry. Any
// other paint only shows the squares again: the toolkit repaints the window
// whole when it is raised, when the main window gains or loses activation
// or a menu opens, where the player sees nothing change.
#pragma once
#include <QColor>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

#include "core/PuzzleRecord.h"

class QMdiArea;
class QMdiSubWindow;

class TVlqGameGridForm : public QWidget {
    Q_OBJECT
public:
    // Adds the window to area, registers it as game().gridForm and shows
    // it (FormShow: cheated flag cleared, settings read, window placed, no
    // current square). The record in game().puzzle must be valid.
    explicit TVlqGameGridForm(QMdiArea* area);
    ~TVlqGameGridForm() override;

    QMdiSubWindow* subWindow() const;

    // Display settings: UseCursors, FilledSqColor, BlankSqColor, FontColor,
    // FontName, FontSize (scaled by s / d), FontStyle. Take effect at the
    // next paint. Throws vlq::SettingsError on a malformed value.
    void ReadSettings();
    // Square size from ScreenSquare, place from ScreenBoundsGrid (empty:
    // centred on the screen width, top at the frame size); then snaps as a
    // resize does. Throws vlq::SettingsError naming a malformed bounds value;
    // the window then keeps its bounds.
    void PlaceWindow();

    void ClearCursor();                 // un-highlight the rest of the word, no current square
    void PaintSquare(int c, int r);     // one square, normal colours, its Entry letter
    // Square (c, r) drawn anew from the record and the current square (its
    // letter, its check mark, yellow inside the run): after a letter changed
    // elsewhere (undo, redo) or a check.
    void refreshSquare(int c, int r);
    void ShowSolution();                // grey solution letters until next full paint; sets cheated flag
    void Celebrate();                   // animation then full repaint
    void MarkErrors();                  // 5 ms delay, red crosses until next full paint
    // The full repaint the game asks for (revert, start over, the release of
    // the solution button, new settings): every mark and overlay goes and
    // the punctuation is back in Entry at once. A bare update() keeps them.
    void FullRepaint();
    void FormKeyPress(QChar ch);        // key rules incl. reveal '+'
    void SelectSquareClue(int c, int r);
    std::optional<vlq::Square> currentSquare() const;
    bool cheated() const;
    void setCheated(bool on);

    // The answer window's right-button mark: draws square (c, r) with fill
    // and its Entry letter in the current font; it stays until the square is
    // drawn again or the next full repaint. Squares outside the grid are
    // ignored.
    void MarkSquare(int c, int r, const QColor& fill);
    // Whether square (c, r), in storage bounds, shows an error cross now.
    bool crossed(int c, int r) const { return marks_[std::size_t((r - 1) * vlq::kMaxCols + (c - 1))].cross; }

    // Makes q the current square (no current square for a black one or one
    // outside the grid); the old and the new rest of the word are drawn anew.
    void selectSquare(vlq::Square q);
    // With the linked-squares aid: repaints what shows the linked answer
    // (its grid squares, its clue line, its author-title square) when the
    // clue whose answer is linked (linkedClue()) changed since the last
    // call. Callers that change the grid's square or the current clue call
    // it afterwards. Does nothing with the aid off.
    void followLink();
    // The clue whose answer the linked-squares aid tints: that of the grid's
    // current square, else the current clue; 0 for none or with the aid off.
    static int linkedClue();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    // What a drawing routine left on a square beyond what the record says.
    struct Mark {
        bool hasFill = false;
        bool hasLetter = false;
        bool cross = false;
        std::uint8_t letter = 0; // 0 and ' ' show nothing
        QRgb fill = 0;
        QRgb ink = 0;
    };

    void FormShow();
    void FormResize();
    void SetCurrentSquare(int x, int y);
    void TypeKey(QChar ch);
    void StepBack();
    void PaintRun(vlq::Square from);
    // The fill of square (c, r) in this order: a drawing routine's mark,
    // the filled colour of a black square, the yellow of the current run,
    // the linked tint (aid), the blank colour.
    QColor squareFill(int c, int r, const Mark& mark, bool inRun, bool linked) const;

    // Keyboard flow aid (GridKeyboard.cpp): arrows, Home, End, Tab,
    // Shift+Tab, Backspace erasing the letter before the cursor. True when
    // the key was one of them and is done.
    bool flowKey(QKeyEvent* e);
    // Where typing goes on from the square just typed at: into the next
    // word, over punctuation; on the grid's last letter the cursor stays.
    void flowAdvance(vlq::Square at);

    void placeAt(int s, std::optional<QPoint> topLeft);
    int squareSize() const;             // s, at least 1
    void fullPaintReset();              // marks forgotten, punctuation back in Entry
    void drawSquare(int c, int r);      // anew, as the record says
    void drawSquare(int c, int r, const Mark& mark);
    void requestSquare(int c, int r);
    Mark& mark(int c, int r) { return marks_[std::size_t((r - 1) * vlq::kMaxCols + (c - 1))]; }

    QMdiSubWindow* sub_ = nullptr;
    QColor filledColour_{Qt::black};
    QColor blankColour_{Qt::white};
    QColor letterColour_{Qt::black};
    int fontSizeSetting_ = 11;
    std::optional<vlq::Square> current_;
    bool cheated_ = false;

    std::array<Mark, std::size_t(vlq::kMaxCols) * vlq::kMaxRows> marks_{};
    bool fullPending_ = false;          // a full repaint was asked for
    bool paintedFully_ = false;         // the first full paint has run
    bool resizing_ = false;             // FormResize runs; ignore its own resizes
    bool placing_ = false;              // PlaceWindow runs; it resizes once itself
    bool shrunk_ = false;               // the fitted layout made the squares smaller
    int linkedClue_ = 0;                // linked clue last shown (followLink)
};
