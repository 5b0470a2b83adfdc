// The frame every document window of an open puzzle sits in: an MDI
// sub-window with a small caption and no close, minimise or maximise
// buttons, whose caption keeps its active colours while another window has
// the focus (the caption tells which puzzle is open; it must not fade) and
// shows whole as a tooltip over the title bar when the window is too narrow.
#pragma once
#include <QCursor>
#include <QPoint>
#include <QSize>

#include "core/ScreenFit.h"
#include "core/SettingsText.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace vlq {

// Adds content to area as such a sub-window and returns the sub-window,
// which owns content from then on. Does not show it.
QMdiSubWindow* addDocumentWindow(QMdiArea* area, QWidget* content);

// Outer size less client size of a document window: its frame and caption.
QSize frameExtra(const QMdiSubWindow* sub);

// Width of the whole primary screen, by which document windows centre.
int screenWidth();

// Square sizes beyond this make no sense on any screen and would only
// produce giant windows; a stored value above it is taken as this.
inline constexpr int kMaxSquare = 500;

// Left and top of stored bounds (width and height ignored), each kept
// within 100000 pixels of the origin so that no geometry arithmetic can
// overflow.
QPoint storedTopLeft(const Bounds& b);
// Width and height of stored bounds, each within 0 to 100000.
QSize storedSize(const Bounds& b);

// The default layout of the open puzzle's document windows, fitted to the
// document area (game().availableWidth and availableHeight), for grid
// squares s and strip squares t; sub is any document window (they share
// one frame).
// With the zoom aid s and t are first scaled by the zoom (zoomedSquare).
DocumentLayout fittedDocumentLayout(const QMdiSubWindow* sub, int s, int t);
// A square side as the zoom aid scales it (s itself with the aid off).
int zoomedSquare(int s);

// Outer bounds r of a document window placed from stored bounds, moved
// back into the visible document area when it lies wholly outside it.
QRect keptInView(const QMdiSubWindow* sub, const QRect& r);
// r moved into area when it lies wholly outside it (vlq::intoView).
QRect keptInView(const QRect& r, const QRect& area);

// The pencil pointer the square views show when UseCursors is 1.
QCursor pencilCursor();

} // namespace vlq
