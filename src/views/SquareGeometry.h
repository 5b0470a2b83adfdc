// Pixel geometry shared by every view that draws squares (the quotation
// grid, the author-title strip, the answer strip, previews and print).
// Square i of a row of squares of side s starts at (i - 1) * s; its outline
// runs up to, not including, x + s + 1, so neighbours share one border line.
// Letters are drawn with a transparent background, centred horizontally at
// x + (s - advance) div 2 and with the top of their cell at y + text offset.
#pragma once
#include <QColor>
#include <QRect>

class QChar;
class QFontMetrics;
class QPainter;
class QString;

namespace vlq {

// Outline of square (col1, row1), both 1-based, side s: x = (col1 - 1) * s,
// y = (row1 - 1) * s, width = height = s + 1.
QRect squareOutline(int col1, int row1, int s);

// Fills outline with fill and draws its edge pixels in pen: a one-pixel
// border on every side of the rectangle, the fill strictly inside.
void drawSquareBox(QPainter& p, const QRect& outline, const QColor& pen, const QColor& fill);

// Draws ch with the painter's font and pen colour, transparent background,
// at x = squareAt.x() + (s - advance of ch) div 2 and with the top of its
// text cell at squareAt.y() + textOffset. A space or NUL draws nothing.
void drawCentredLetter(QPainter& p, const QRect& squareAt, int s, QChar ch, int textOffset);

// Corner labels of a square of side s as print shows them: number at the
// top left, clue label at the top right, in a small sans-serif font in ink,
// one pixel in from the outline. Either text may be empty. The font is
// labelPixelSize(s) pixels high, so the labels stay legible on the smallest
// squares the layout makes. Leaves the painter's font and pen as they were.
void drawSquareLabels(QPainter& p, const QRect& outline, int s, const QString& number, const QString& clue,
                      const QColor& ink);
// The text offset of a letter in a square that shows corner labels: its
// capital starts below the labels where the square has room for that,
// otherwise as low as its baseline allows, never above the plain offset.
int labelledTextOffset(const QFontMetrics& fm, int s);
// Pixel height of the label font for squares of side s: about a third of
// the square, never below 8 pixels.
int labelPixelSize(int s);

// (s - height of the text "H") div 2, the height being the font's cell
// height (ascent + descent). Negative when the font is taller than s.
int textOffset(const QFontMetrics& fm, int s);

// Point size of a font that scales with its squares: round(size * s / d),
// exact division, a half going to the even neighbour; d <= 0 gives size.
// The result is at least 1 and, with d > 0, at most s.
int scaledFontSize(int size, int s, int d);

} // namespace vlq
