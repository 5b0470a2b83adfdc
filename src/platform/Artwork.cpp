#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace vlq {

QPixmap artwork(const QString& name, QSize size) {
    QPixmap ready(QStringLiteral(":/art/") + name + QStringLiteral(".png"));
    if (!ready.isNull() && ready.size() == size) return ready;
    QPixmap pix(size);
    pix.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/") + name + QStringLiteral(".svg"));
    if (svg.isValid()) {
        QPainter p(&pix);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pix;
}

} // namespace vlq
