#include "views/CheckMarkPaint.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace vlq {

void drawCheckMark(QPainter& p, const QRect& outline, int s) {
    // Inside the one-pixel border; at least three pixels on tiny squares.
    const int side = std::max(3, s / 3);
    const int right = outline.x() + s - 1, bottom = outline.y() + s - 1;
    const QPolygon triangle({QPoint(right - side, bottom), QPoint(right, bottom), QPoint(right, bottom - side)});
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(kCheckMarkColour));
    p.drawPolygon(triangle);
    p.restore();
}

} // namespace vlq
