// A spare borderless stay-on-top window of 194 x 69 pixels, created at
// start-up and never shown.
#pragma once
#include <QWidget>

class TMiscWin : public QWidget {
    Q_OBJECT
public:
    explicit TMiscWin(QWidget* parent = nullptr);
};
