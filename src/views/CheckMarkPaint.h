// How a square carries its check mark (a letter that Check Letter or Check
// Word found wrong): a red triangle in the bottom right corner, a third of
// the square wide, clear of the letter and of the label corners. The grid
// and the answer strip draw it the same way.
#pragma once
#include <QRect>
#include <QRgb>

class QPainter;

namespace vlq {

inline constexpr QRgb kCheckMarkColour = 0xffdc0000;

// Draws the mark inside outline (a square outline of side s as
// squareOutline gives it), over whatever the square shows.
void drawCheckMark(QPainter& p, const QRect& outline, int s);

} // namespace vlq
