#include "Maximize.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vlq {
namespace {

// Notes the window system's report of the maximized state and the resize
// it makes (in either order).
class MaximizeWatch : public QObject {
public:
    bool reported = false;
    bool resized = false;

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (!e->spontaneous()) return false;
        if (e->type() == QEvent::WindowStateChange) {
            // The window's state is now the one the window system reports.
            if (const auto* win = qobject_cast<QWindow*>(watched)) reported = win->windowStates() & Qt::WindowMaximized;
        } else if (e->type() == QEvent::Resize && qobject_cast<QWidget*>(watched)) {
            resized = true;
        }
        return false;
    }
};

} // namespace

void showMaximizedAndWait(QWidget* w, int timeoutMs) {
    // Without a window manager nothing maximizes: take the screen's
    // available area first, which is then the final size.
    if (const QScreen* s = w->screen()) w->setGeometry(s->availableGeometry());
    w->showMaximized();
    QWindow* win = w->windowHandle();
    if (!win) return;

    MaximizeWatch watch;
    win->installEventFilter(&watch);
    w->installEventFilter(&watch);
    // Without a window manager (no report ever comes) the window already
    // has its final size when the wait ends.
    const auto done = [&] { return watch.reported && watch.resized; };
    if (!done()) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done()) loop.quit();
        });
        poll.start(5);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        // What the window system sent along with the last of them.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    w->removeEventFilter(&watch);
    win->removeEventFilter(&watch);
}

} // namespace vlq
