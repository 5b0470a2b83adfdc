#include "SquareGeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace vlq {

QRect squareOutline(int col1, int row1, int s) {
    return QRect((col1 - 1) * s, (row1 - 1) * s, s + 1, s + 1);
}

void drawSquareBox(QPainter& p, const QRect& outline, const QColor& pen, const QColor& fill) {
    if (outline.isEmpty()) return;
    p.fillRect(outline, pen);
    const QRect inner = outline.adjusted(1, 1, -1, -1);
    if (!inner.isEmpty()) p.fillRect(inner, fill);
}

void drawCentredLetter(QPainter& p, const QRect& squareAt, int s, QChar ch, int textOffset) {
    if (ch.isNull() || ch == QLatin1Char(' ')) return;
    const QFontMetrics fm = p.fontMetrics();
    const QString text(ch);
    const int x = squareAt.x() + (s - fm.horizontalAdvance(text)) / 2;
    const int y = squareAt.y() + textOffset;
    p.drawText(QPoint(x, y + fm.ascent()), text);
}

int textOffset(const QFontMetrics& fm, int s) { return (s - fm.height()) / 2; }

int scaledFontSize(int size, int s, int d) {
    if (d <= 0) return std::max(1, size);
    const std::int64_t num = std::int64_t(size) * s;
    std::int64_t q = num / d;
    std::int64_t r = num % d;
    if (r < 0) { // floor division for a negative product
        r += d;
        --q;
    }
    if (2 * r > d || (2 * r == d && (q & 1))) ++q;
    return int(std::clamp<std::int64_t>(q, 1, 4096));
}

} // namespace vlq
