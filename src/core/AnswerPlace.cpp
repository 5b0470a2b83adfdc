#include "AnswerPlace.h"

#include <initializer_list>

namespace vlq {

bool overlaps(const Rect& a, const Rect& b) {
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 && a.left < b.right() && b.left < a.right() &&
           a.top < b.bottom() && b.top < a.bottom();
}

AnswerPlace placeClearOf(const Rect& window, const Rect& line, const Rect& screen, int gap) {
    if (!overlaps(window, line)) return {window, false};
    const auto onScreen = [&screen](const Rect& r) {
        return r.left >= screen.left && r.top >= screen.top && r.right() <= screen.right() &&
               r.bottom() <= screen.bottom();
    };
    Rect below = window, right = window, left = window, above = window;
    below.top = line.bottom() + gap;
    right.left = line.right() + gap;
    left.left = line.left - gap - window.width;
    above.top = line.top - gap - window.height;
    for (const Rect& r : {below, right, left, above})
        if (onScreen(r)) return {r, false};
    return {window, true};
}

} // namespace vlq
