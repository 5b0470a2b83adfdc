#include "VlqStyle.h"

#include <QGuiApplication>

QIcon VlqStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    if (option) return QProxyStyle::standardIcon(icon, option, widget);
    const int key = int(icon) * 2 + (QGuiApplication::layoutDirection() == Qt::RightToLeft ? 1 : 0);
    auto it = icons_.constFind(key);
    if (it == icons_.cend()) it = icons_.insert(key, QProxyStyle::standardIcon(icon, nullptr, widget));
    return *it;
}
