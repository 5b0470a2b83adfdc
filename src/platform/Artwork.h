// The program's pictures. Each is an SVG in the resources; the build also
// rasterises it to a PNG at its own size (":/art/<name>.png"), which is what
// start-up loads. Rendering the SVG is the fallback for other sizes.
#pragma once
#include <QPixmap>
#include <QSize>
#include <QString>

namespace vlq {

// name: resource path without extension, e.g. "images/logo" or
// "cursors/PENCIL". A picture of exactly size pixels on a transparent
// background; a null-free empty picture when the resource is missing.
QPixmap artwork(const QString& name, QSize size);

} // namespace vlq
