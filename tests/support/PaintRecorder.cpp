#include "PaintRecorder.h"

#include <QPaintEvent>
#include <QWidget>

PaintRecorder::PaintRecorder(QWidget* w) { w->installEventFilter(this); }

bool PaintRecorder::eventFilter(QObject*, QEvent* e) {
    if (e->type() == QEvent::Paint) {
        region += static_cast<QPaintEvent*>(e)->region();
        ++count;
    }
    return false;
}
