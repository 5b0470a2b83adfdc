#include "ChoiceBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ProgramBox.h"

namespace {

ChoiceBox::Hook& hook() {
    static ChoiceBox::Hook h;
    return h;
}

ChoiceBox::PathHook& pathHook() {
    static ChoiceBox::PathHook h;
    return h;
}

} // namespace

void ChoiceBox::setHook(Hook h) { hook() = std::move(h); }

int ChoiceBox::ask(const QString& title, const QString& text, const QStringList& buttons, int defaultIndex,
                   int escapeIndex) {
    if (hook()) {
        const int answer = hook()(text, buttons, defaultIndex);
        return answer >= 0 && answer < buttons.size() ? answer : escapeIndex;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, QApplication::activeWindow());
    QList<QPushButton*> pushed;
    for (const QString& caption : buttons) pushed << box.addButton(caption, QMessageBox::ActionRole);
    if (defaultIndex >= 0 && defaultIndex < pushed.size()) box.setDefaultButton(pushed[defaultIndex]);
    if (escapeIndex >= 0 && escapeIndex < pushed.size()) box.setEscapeButton(pushed[escapeIndex]);
    execProgramBox(box);
    const int chosen = int(pushed.indexOf(static_cast<QPushButton*>(box.clickedButton())));
    return chosen >= 0 ? chosen : escapeIndex;
}

void ChoiceBox::setPathHook(PathHook h) { pathHook() = std::move(h); }

QString ChoiceBox::askSavePath(const QString& title, const QString& suggested) {
    if (pathHook()) return pathHook()(suggested);
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggested,
                                        QStringLiteral("Vorlaquince puzzles (*.vlq)"));
}
