// The author-title strip: one square per clue showing the player's letter
// in the grid square of each answer's first letter, so the author and title
// appear as the answers are filled in. The current clue's square is yellow;
// a click on a square chooses that clue and opens the answer window on it.
// It holds no letters of its own: every paint reads Entry through
// ClueSquares.
#pragma once
#include <QColor>
#include <QWidget>
#include <optional>

#include "core/SettingsText.h"

class QMdiArea;
class QMdiSubWindow;

class TVlqGameTitleForm : public QWidget {
    Q_OBJECT
public:
    // Adds the window to area, registers it as game().titleForm and shows it
    // (FormShow: squares counted, t := d, settings read, window placed).
    explicit TVlqGameTitleForm(QMdiArea* area);
    ~TVlqGameTitleForm() override;

    QMdiSubWindow* subWindow() const;

    // UseCursors, BlankSqColor, FontColor, FontName, FontSize (scaled by
    // t / d), FontStyle; FilledSqColor is read at every paint.
    void ReadSettings();
    // t from AuthorTitleSquare, place from ScreenBoundsAuthorTitle (placement
    // codes 10000..40000 or a stored left and top; empty: centred just below
    // the grid); then snaps as a resize does. Throws vlq::SettingsError
    // naming a malformed bounds value; the window then keeps its bounds.
    void PlaceWindow();
    // Grey solution first letters in the empty squares until the next paint.
    void ShowSolution();
    // Repaint without the grey letters, whether or not a paint ran since
    // ShowSolution.
    void FullRepaint();
    void ClearCurrentClue();            // current clue 0 + repaint, if it was not 0
    // What a click on square `clue` (1..squareCount) does: that clue
    // current, the clue list refilled, the answer window opened on it.
    // Other values do nothing.
    void chooseClue(int clue);
    int squareCount() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void FormShow();
    void FormResize();
    void FormMouseUp(int x);
    void placeAt(int t, std::optional<vlq::Bounds> stored);
    int titleSize() const;              // t, at least 1

    QMdiSubWindow* sub_ = nullptr;
    int squareCount_ = 0;
    QColor blankColour_{Qt::white};
    QColor fontColour_{Qt::black};
    int fontSizeSetting_ = 11;
    bool showSolution_ = false;         // next paint adds the grey letters
    bool resizing_ = false;
    bool placing_ = false;
    bool shrunk_ = false;    // the fitted layout made the squares smaller
};
