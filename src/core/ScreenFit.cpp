#include "ScreenFit.h"

#include <algorithm>

namespace vlq {

int neededClueLines(int clues) { return std::clamp(clues, 0, 6); }

DocumentLayout defaultLayout(const LayoutMetrics& m, const PuzzleShape& p, int s, int t) {
    DocumentLayout l;
    l.gridSquare = s = std::max(1, s);
    l.titleSquare = t = std::max(1, t);
    const int f = m.frameSize;

    // Grid: whole squares plus the closing outline, centred, at the top.
    l.grid.width = std::max(1, p.cols) * s + m.frameWidth + 1;
    l.grid.height = std::max(1, p.rows) * s + m.frameHeight + 1;
    l.grid.left = (m.screenWidth - l.grid.width) / 2;
    l.grid.top = f;

    // Strip: one row of squares and an 18-pixel margin, centred below.
    l.title.width = t * std::max(0, p.clues) + 18;
    l.title.height = t + m.frameHeight;
    l.title.left = (m.screenWidth - l.title.width) / 2;
    l.title.top = l.grid.bottom() + f;

    // Clue list: the rest of the area, as wide as the screen allows.
    l.clues.left = f;
    l.clues.top = l.title.bottom() + f;
    l.clues.width = std::max(0, std::min(m.screenWidth, m.areaWidth) - 2 * f);
    l.clues.height = std::max(0, m.availableHeight - l.title.bottom() - 2 * f);

    const int listWidth = l.clues.width - m.frameWidth - 2 * m.listFrame;
    const int scrollBar = listWidth < m.listExtent ? m.scrollBarHeight : 0;
    const int rows = l.clues.height - m.frameHeight - 2 * m.listFrame - scrollBar;
    l.clueLines = m.lineHeight > 0 ? std::max(0, rows) / m.lineHeight : 0;
    return l;
}

bool layoutFits(const LayoutMetrics& m, const PuzzleShape& p, const DocumentLayout& l) {
    const auto inside = [&m](const Rect& r) {
        return r.left >= 0 && r.top >= 0 && r.right() <= m.areaWidth && r.bottom() <= m.availableHeight;
    };
    return inside(l.grid) && inside(l.title) && inside(l.clues) && l.clueLines >= neededClueLines(p.clues);
}

DocumentLayout fittedLayout(const LayoutMetrics& m, const PuzzleShape& p, int s, int t) {
    s = std::max(1, s);
    t = std::max(1, t);
    for (int tt = t; tt >= 1; --tt)
        for (int ss = s; ss >= 1; --ss) {
            const DocumentLayout l = defaultLayout(m, p, ss, tt);
            if (layoutFits(m, p, l)) return l;
        }
    return defaultLayout(m, p, 1, 1);
}

Rect intoView(const Rect& window, const Rect& area) {
    const bool apart = window.right() <= area.left || window.left >= area.right() ||
                       window.bottom() <= area.top || window.top >= area.bottom();
    if (!apart) return window;
    Rect r = window;
    r.left = std::max(area.left, std::min(window.left, area.right() - window.width));
    r.top = std::max(area.top, std::min(window.top, area.bottom() - window.height));
    return r;
}

} // namespace vlq
