// Maximizing a top-level window and waiting for the result. Under a window
// manager maximizing is a request: the window takes its new size some time
// after showMaximized() returns. Whatever is measured from the window
// before then is the old size. A window restored from maximized is kept
// wholly on its screen.
#pragma once

class QWidget;

namespace vlq {

// Maximizes w and returns once it fills its screen's available area, the
// window manager has reported it maximized and resized it, or timeoutMs
// has passed. Window-system events (resizes, paints) are handled
// meanwhile; input waits until this returns. From then on, whenever the
// window is restored from maximized to bounds that lie partly off the
// screen's available area, it is moved and cut to lie within it.
void showMaximizedAndWait(QWidget* w, int timeoutMs = 1500);

} // namespace vlq
