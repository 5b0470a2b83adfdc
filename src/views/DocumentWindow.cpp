#include "DocumentWindow.h"
#include "ClueLineLabels.h"

#include <QApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionTitleBar>
#include <QToolTip>
#include <algorithm>

#include "core/PuzzleRules.h"
#include "game/GameContext.h"
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

// Shows a document window's whole caption as a tooltip over its title
// bar, where a narrow window cuts the caption short. The window's content
// keeps its own tooltips (none): hovering the grid shows nothing.
class CaptionToolTip : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* sub = qobject_cast<QMdiSubWindow*>(watched);
        if (!sub || e->type() != QEvent::ToolTip) return false;
        const auto* help = static_cast<QHelpEvent*>(e);
        if (help->pos().y() >= sub->contentsMargins().top() || sub->windowTitle().isEmpty()) return false;
        QToolTip::showText(help->globalPos(), sub->windowTitle(), sub);
        return true;
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
    sub->installEventFilter(new CaptionToolTip(sub));
    return sub;
}

QCursor pencilCursor() { return VlqCursors::cursor(VlqCursors::Pencil); }

QSize frameExtra(const QMdiSubWindow* sub) {
    const QMargins m = sub->contentsMargins();
    return {m.left() + m.right(), m.top() + m.bottom()};
}

namespace {
constexpr int kMaxPosition = 100000;
}

QPoint storedTopLeft(const Bounds& b) {
    return {std::clamp(b.left, -kMaxPosition, kMaxPosition), std::clamp(b.top, -kMaxPosition, kMaxPosition)};
}

QSize storedSize(const Bounds& b) {
    return {std::clamp(b.width, 0, kMaxPosition), std::clamp(b.height, 0, kMaxPosition)};
}

int screenWidth() { return SystemMetrics::screenWidth(); }

DocumentLayout fittedDocumentLayout(const QMdiSubWindow* sub, int s, int t) {
    // The clue list's box and scroll bar as the style draws them, measured once.
    static const int listFrame = QListWidget().frameWidth();
    const GameContext& g = game();
    const QSize extra = frameExtra(sub);
    LayoutMetrics m;
    m.screenWidth = screenWidth();
    m.areaWidth = g.availableWidth > 0 ? g.availableWidth : m.screenWidth;
    m.availableHeight = g.availableHeight;
    m.frameSize = g.frameSize;
    m.frameWidth = extra.width();
    m.frameHeight = extra.height();
    m.listFrame = listFrame;
    m.scrollBarHeight = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // Labelled clue lines are taller: the list keeps as many of them.
    if (g.aids.squareLabels) m.lineHeight = kLabelledLineHeight;
    const PuzzleShape shape{std::clamp(g.puzzle.width(), 1, kMaxCols), std::clamp(g.puzzle.height(), 1, kMaxRows),
                            clueCount(g.puzzle)};
    // The zoom aid scales both square sizes; the fit keeps them on screen.
    s = zoomedSquare(s);
    t = zoomedSquare(t);
    // Without a measured area (no main window) the default layout stands.
    if (m.availableHeight <= 0) return defaultLayout(m, shape, s, t);
    return fittedLayout(m, shape, s, t);
}

int zoomedSquare(int s) {
    const SolvingAids& aids = game().aids;
    return aids.zoom ? std::max(1, s * aids.zoomPercent / 100) : s;
}

QRect keptInView(const QMdiSubWindow* sub, const QRect& r) {
    const QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    if (!area) return r;
    return keptInView(r, area->viewport()->rect());
}

QRect keptInView(const QRect& r, const QRect& area) {
    if (area.isEmpty()) return r;
    const Rect in = intoView({r.x(), r.y(), r.width(), r.height()}, {area.x(), area.y(), area.width(), area.height()});
    return {in.left, in.top, in.width, in.height};
}

} // namespace vlq
