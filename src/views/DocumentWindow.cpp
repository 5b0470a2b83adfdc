#include "DocumentWindow.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionTitleBar>
#include <algorithm>

#include "platform/SystemMetrics.h"
#include "platform/VlqCursors.h"

namespace {

// Draws every title bar in its active state and gives document windows the
// small caption of a tool window.
class DocumentCaptionStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                            const QWidget* w) const override {
        if (cc == CC_TitleBar) {
            if (const auto* tb = qstyleoption_cast<const QStyleOptionTitleBar*>(opt)) {
                QStyleOptionTitleBar active(*tb);
                active.state |= State_Active;
                active.titleBarState |= State_Active;
                active.palette.setCurrentColorGroup(QPalette::Active);
                QProxyStyle::drawComplexControl(cc, &active, p, w);
                return;
            }
        }
        QProxyStyle::drawComplexControl(cc, opt, p, w);
    }

    int pixelMetric(PixelMetric m, const QStyleOption* opt, const QWidget* w) const override {
        if (m == PM_TitleBarHeight) return SystemMetrics::smallCaptionHeight();
        return QProxyStyle::pixelMetric(m, opt, w);
    }
};

} // namespace

namespace vlq {

QMdiSubWindow* addDocumentWindow(QMdiArea* area, QWidget* content) {
    QMdiSubWindow* sub =
        area->addSubWindow(content, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // One style for every document frame, living as long as the application;
    // a widget's style does not pass to its children, so the content keeps
    // the application's style.
    static QPointer<DocumentCaptionStyle> style;
    if (!style) {
        style = new DocumentCaptionStyle();
        style->setParent(QCoreApplication::instance());
    }
    sub->setStyle(style);
    sub->setSystemMenu(nullptr);
    return sub;
}

QCursor pencilCursor() { return VlqCursors::cursor(VlqCursors::Pencil); }

QSize frameExtra(const QMdiSubWindow* sub) {
    const QMargins m = sub->contentsMargins();
    return {m.left() + m.right(), m.top() + m.bottom()};
}

QPoint storedTopLeft(const Bounds& b) {
    constexpr int kMaxPosition = 100000;
    return {std::clamp(b.left, -kMaxPosition, kMaxPosition), std::clamp(b.top, -kMaxPosition, kMaxPosition)};
}

int screenWidth() { return SystemMetrics::screenWidth(); }

} // namespace vlq
