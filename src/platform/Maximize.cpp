#include "Maximize.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>

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

const QString kRestoreOnScreen = QStringLiteral("vlqRestoreOnScreen");

// Keeps a window that the window manager restores from maximized on the
// screen, frame and all. The bounds kept from before maximizing put the
// client area at the screen's corner, so the restored title bar would lie
// above the screen. Watches for a second after each restore, as the
// window manager's new bounds come in.
class RestoreOnScreen : public QObject {
public:
    explicit RestoreOnScreen(QWidget* w) : QObject(w), w_(w) {
        setObjectName(kRestoreOnScreen);
        poll_.setInterval(20);
        connect(&poll_, &QTimer::timeout, this, &RestoreOnScreen::check);
        w->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && !(w_->windowState() & Qt::WindowMaximized) &&
            (static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMaximized)) {
            ticks_ = 0;
            poll_.start();
        }
        return false;
    }

private:
    void check() {
        const QWindow* win = w_->windowHandle();
        const QScreen* screen = w_->screen();
        if (++ticks_ > 50 || !win || !screen || (w_->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) {
            poll_.stop();
            return;
        }
        const QRect avail = screen->availableGeometry();
        const QRect frame = win->frameGeometry();
        if (win->frameMargins().isNull() || avail.contains(frame)) return;
        QRect fit(frame.topLeft(), frame.size().boundedTo(avail.size()));
        fit.moveLeft(std::clamp(fit.left(), avail.left(), avail.right() + 1 - fit.width()));
        fit.moveTop(std::clamp(fit.top(), avail.top(), avail.bottom() + 1 - fit.height()));
        w_->setGeometry(fit.marginsRemoved(win->frameMargins()));
    }

    QWidget* w_;
    QTimer poll_;
    int ticks_ = 0;
};

} // namespace

void showMaximizedAndWait(QWidget* w, int timeoutMs) {
    if (!w->findChild<QObject*>(kRestoreOnScreen, Qt::FindDirectChildrenOnly)) new RestoreOnScreen(w);
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
