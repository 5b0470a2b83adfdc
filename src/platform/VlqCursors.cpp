#include "VlqCursors.h"

#include <QCoreApplication>
#include <QHash>
#include <QPixmap>

#include "Artwork.h"

namespace VlqCursors {
namespace {

QHash<int, QCursor>& table() {
    static QHash<int, QCursor> cursors;
    static const bool cleared = [] {
        qAddPostRoutine([] { cursors.clear(); }); // cursor pixmaps must not outlive the application
        return true;
    }();
    Q_UNUSED(cleared);
    return cursors;
}

// A 32 x 32 cursor drawn from an SVG resource, with its hot spot.
QCursor svgCursor(const QString& name, QPoint hotSpot) {
    return QCursor(vlq::artwork(name, QSize(32, 32)), hotSpot.x(), hotSpot.y());
}

} // namespace

QCursor cursor(int number) {
    const auto it = table().constFind(number);
    return it == table().cend() ? QCursor(Qt::ArrowCursor) : *it;
}

void registerCursor(int number, const QCursor& c) { table().insert(number, c); }

void loadProgramCursors() {
    registerCursor(Pencil, svgCursor(QStringLiteral("cursors/PENCIL"), QPoint(2, 29)));
    registerCursor(HandPoint, svgCursor(QStringLiteral("cursors/HANDPNT"), QPoint(9, 1)));
}

} // namespace VlqCursors
