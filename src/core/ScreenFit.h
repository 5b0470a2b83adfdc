// The default arrangement of the three document windows of an open puzzle
// (quotation grid, author-title strip, clue list) in the main window's
// document area, and its fitted form for screens too small for it.
//
// The default layout: the grid at the top, centred on the screen width,
// with squares of side s; the strip centred just below it with squares of
// side t; the clue list filling the space below the strip. With a tall
// puzzle on a small screen that leaves the clue list no room at all, so the
// fitted layout shrinks the grid's squares until the clue list shows
// enough lines. No Qt: positions are in pixels of the document area.
#pragma once

namespace vlq {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }   // one past the last column
    int bottom() const { return top + height; }  // one past the last row
    bool operator==(const Rect&) const = default;
};

// What the layout depends on besides the puzzle.
struct LayoutMetrics {
    int screenWidth = 0;      // whole primary screen: grid and strip centre on it
    int areaWidth = 0;        // document area width
    int availableHeight = 0;  // document area height less 4
    int frameSize = 0;        // gap between the windows and from the area's edges
    int frameWidth = 0;       // document window: outer width less client width
    int frameHeight = 0;      // document window: outer height less client height
    int listFrame = 0;        // the clue list box's border, each side
    int scrollBarHeight = 0;  // its horizontal scroll bar
    int listExtent = 800;     // the list scrolls sideways while narrower than this
    int lineHeight = 19;      // one clue line
};

struct PuzzleShape {
    int cols = 1;
    int rows = 1;
    int clues = 0;  // strip squares and clue lines
};

struct DocumentLayout {
    int gridSquare = 1;
    int titleSquare = 1;
    Rect grid;       // outer bounds of each window
    Rect title;
    Rect clues;
    int clueLines = 0;  // whole clue lines the list shows
    bool operator==(const DocumentLayout&) const = default;
};

// Clue lines the list must show: 6, or all of them when there are fewer.
int neededClueLines(int clues);

// The default layout with grid squares s and strip squares t, exactly as
// the windows place themselves without stored bounds. Sizes are at least 1.
DocumentLayout defaultLayout(const LayoutMetrics& m, const PuzzleShape& p, int s, int t);

// All three windows inside the document area and enough clue lines.
bool layoutFits(const LayoutMetrics& m, const PuzzleShape& p, const DocumentLayout& l);

// defaultLayout(s, t) where that fits. Otherwise the grid's squares shrink
// to the largest side that fits; only when no grid square fits does the
// strip's side shrink too. When nothing fits, the smallest squares.
DocumentLayout fittedLayout(const LayoutMetrics& m, const PuzzleShape& p, int s, int t);

// A window that lies wholly outside area (stored on a bigger screen) moved
// back into it, its size kept: its top-left corner comes as close to where
// it was as lets it lie inside, or at the area's top-left corner when it is
// larger. Any window that shows at least one pixel of itself stays put.
Rect intoView(const Rect& window, const Rect& area);

} // namespace vlq
