#include "ScreenProbe.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <cstdlib>

namespace probe {

QImage shot(QWidget* w) {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(5);
    }
    QWidget* top = w->window();
    const QPoint at = w->mapTo(top, QPoint(0, 0));
    const QPixmap pm = top->screen()->grabWindow(top->winId(), at.x(), at.y(), w->width(), w->height());
    return pm.toImage();
}

int countColour(const QImage& img, const QRect& rect, const QColor& colour, int tolerance) {
    int n = 0;
    const QRect r = rect.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) <= tolerance && std::abs(p.green() - colour.green()) <= tolerance &&
                std::abs(p.blue() - colour.blue()) <= tolerance)
                ++n;
        }
    }
    return n;
}

QColor fillOf(const QImage& img, const QRect& outline) { return img.pixelColor(outline.topLeft() + QPoint(2, 2)); }

} // namespace probe
