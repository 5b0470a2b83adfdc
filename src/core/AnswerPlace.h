// Where the answer window goes so that it leaves the current clue's line in
// the clue list uncovered (a solving aid): the player reads the clue and
// its letters in the list while typing the answer. No Qt: positions are
// screen pixels.
#pragma once

#include "ScreenFit.h"

namespace vlq {

struct AnswerPlace {
    Rect window;              // the window's outer bounds
    bool scrollList = false;  // no place on the screen clears the line: the list scrolls it
};

// True when a and b share at least one pixel.
bool overlaps(const Rect& a, const Rect& b);

// The window's bounds that keep it off line (the clue line's text), within
// screen (the available area), gap pixels away from the line; the size
// never changes. Tried in this order, the first that lies on the screen
// wins: where it is (when it does not cover the line), just below the line,
// beside it (right, then left of the text), just above it. When none fits,
// the window stays and scrollList asks for the list to move the line.
AnswerPlace placeClearOf(const Rect& window, const Rect& line, const Rect& screen, int gap);

} // namespace vlq
