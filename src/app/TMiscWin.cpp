#include "TMiscWin.h"

TMiscWin::TMiscWin(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("MiscWin"));
    resize(194, 69);
}
