// The program's widget style: the platform's own, with its standard icons
// kept once made. Every document window's frame asks for its title-bar
// icons when it is built, and the common styles read them from image files
// each time; a puzzle opens three such windows.
#pragma once
#include <QHash>
#include <QIcon>
#include <QProxyStyle>

class VlqStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit VlqStyle(QStyle* base = nullptr) : QProxyStyle(base) {}

    // Icons asked for without a style option depend on nothing but their
    // kind and the layout direction, so they are made once.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    mutable QHash<int, QIcon> icons_;
};
