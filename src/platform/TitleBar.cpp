#include "TitleBar.h"

#include <QEvent>
#include <QWidget>

#include "ToolWindow.h"

namespace vlq {
namespace {

// The show event comes after the native window is made and before it is
// mapped: the last moment the window manager has not yet read its type.
class ToolbarTypeOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Show && windowManagerIgnoresButtonHints())
            preferToolbarType(static_cast<QWidget*>(watched)->winId());
        return false;
    }
};

} // namespace

void closeBoxOnly(QWidget* window) {
    const Qt::WindowFlags kept = window->windowFlags() & (Qt::WindowType_Mask | Qt::WindowStaysOnTopHint);
    window->setWindowFlags(kept | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint);
    window->installEventFilter(new ToolbarTypeOnShow(window));
}

} // namespace vlq
