#include "TVlqGameTitleForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "DocumentWindow.h"
#include "app/GameContext.h"

TVlqGameTitleForm::TVlqGameTitleForm(QMdiArea* area) {
    sub_ = vlq::addDocumentWindow(area, this);
    sub_->setWindowTitle(QStringLiteral("Author-Title"));
    game().titleForm = this;
    sub_->show();
}

TVlqGameTitleForm::~TVlqGameTitleForm() {
    if (game().titleForm == this) game().titleForm = nullptr;
}

QMdiSubWindow* TVlqGameTitleForm::subWindow() const { return sub_; }
void TVlqGameTitleForm::ReadSettings() {}
void TVlqGameTitleForm::PlaceWindow() {}
void TVlqGameTitleForm::ShowSolution() {}
void TVlqGameTitleForm::ClearCurrentClue() {
    if (game().currentClue != 0) {
        game().currentClue = 0;
        update();
    }
}
int TVlqGameTitleForm::squareCount() const { return squareCount_; }
void TVlqGameTitleForm::paintEvent(QPaintEvent*) {}
void TVlqGameTitleForm::resizeEvent(QResizeEvent*) {}
void TVlqGameTitleForm::mouseReleaseEvent(QMouseEvent*) {}
