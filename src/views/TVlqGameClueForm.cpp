#include "TVlqGameClueForm.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/GameContext.h"

TVlqGameClueForm::TVlqGameClueForm(QMdiArea* area) {
    ClueList = new QListWidget(this);
    area->addSubWindow(this, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    game().clueForm = this;
    show();
}

TVlqGameClueForm::~TVlqGameClueForm() {
    if (game().clueForm == this) game().clueForm = nullptr;
}

QMdiSubWindow* TVlqGameClueForm::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void TVlqGameClueForm::ReadSettings() {}
void TVlqGameClueForm::PlaceWindow() {}
void TVlqGameClueForm::FillList() {}
void TVlqGameClueForm::RefreshClueLine(int) {}
void TVlqGameClueForm::ClueListClick(QObject*) {}
void TVlqGameClueForm::ClearSelection() { ClueList->clearSelection(); }
