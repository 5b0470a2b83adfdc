// Reading what a window shows on the (offscreen) screen, for pixel checks.
// The pixels come from the top-level window's backing store, so taking them
// does not repaint the widget (QWidget::grab() would run a full paint).
#pragma once
#include <QColor>
#include <QImage>
#include <QRect>

class QWidget;

namespace probe {

// Lets pending repaints run, then returns the widget's pixels as shown,
// in widget coordinates.
QImage shot(QWidget* w);

// Pixels of rect inside img whose colour is within tolerance of colour
// on every channel.
int countColour(const QImage& img, const QRect& rect, const QColor& colour, int tolerance = 40);

// The fill of a square whose outline is at outline: its pixel two in from
// the top-left corner, away from any letter.
QColor fillOf(const QImage& img, const QRect& outline);

} // namespace probe
