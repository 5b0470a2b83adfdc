#include "ProgramBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

int execProgramBox(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    QFont captionFont = QApplication::font();
    captionFont.setBold(true);
    // The caption's text with room to spare, the frame's buttons and its icon.
    const int width = QFontMetrics(captionFont).horizontalAdvance(box.windowTitle()) * 5 / 4 + 140;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    return box.exec();
}
