// Records the paint events a widget receives while the recorder lives: how
// many, and the region they covered together. Used to check that a change
// repaints only the squares it touches.
#pragma once
#include <QObject>
#include <QRegion>

class QWidget;

class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* w);

    QRegion region;
    int count = 0;

    void clear() {
        region = QRegion();
        count = 0;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
};
