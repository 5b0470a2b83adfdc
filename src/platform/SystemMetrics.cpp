#include "SystemMetrics.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace SystemMetrics {
namespace {

QRect screenRect(bool available) {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return QRect(0, 0, 1024, 768);
    return available ? s->availableGeometry() : s->geometry();
}

int titleBarHeight(bool toolWindow) {
    QStyleOptionTitleBar opt;
    opt.titleBarFlags = toolWindow ? Qt::Tool : Qt::Window;
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight, &opt);
}

} // namespace

int screenWidth() { return screenRect(false).width(); }
int screenHeight() { return screenRect(false).height(); }
int fullScreenHeight() { return screenRect(true).height() - captionHeight(); }

int menuBarHeight() {
    QMenuBar bar;
    bar.addMenu(QStringLiteral("&Puzzle"));
    return bar.sizeHint().height();
}

int captionHeight() { return titleBarHeight(false); }
int smallCaptionHeight() { return titleBarHeight(true); }
int frameSize() { return QApplication::style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth); }

int defaultSquareSize() { return qMax(8, (fullScreenHeight() - menuBarHeight()) / 23); }

} // namespace SystemMetrics
