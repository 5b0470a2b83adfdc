// The clue list's line as print shows it, for the square-labels aid: the
// clue's letter before its text, then one cell per answer letter (the
// player's letter or a blank "__") with the letter's square number beneath
// it. The list's items keep their plain text; only the painting differs.
#pragma once
#include <QColor>
#include <QRect>

class QFont;
class QPainter;

namespace vlq {

// Height of a labelled line: the plain line plus a line of square numbers.
inline constexpr int kLabelledLineHeight = 32;

// Paints clue k's labelled line into line (a list row) with font and ink;
// the text starts indent pixels in from the left.
void paintLabelledClueLine(QPainter& p, const QRect& line, int indent, const QFont& font, const QColor& ink, int k);
// Width that line takes from the row's left edge to the end of its last cell.
int labelledClueLineWidth(int indent, const QFont& font, int k);

} // namespace vlq
