#include "TVlqGameGridForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "DocumentWindow.h"
#include "app/GameContext.h"

TVlqGameGridForm::TVlqGameGridForm(QMdiArea* area) {
    sub_ = vlq::addDocumentWindow(area, this);
    game().gridForm = this;
    sub_->show();
}

TVlqGameGridForm::~TVlqGameGridForm() {
    if (game().gridForm == this) game().gridForm = nullptr;
}

QMdiSubWindow* TVlqGameGridForm::subWindow() const { return sub_; }
void TVlqGameGridForm::ReadSettings() {}
void TVlqGameGridForm::PlaceWindow() {}
void TVlqGameGridForm::ClearCursor() { current_.reset(); }
void TVlqGameGridForm::PaintSquare(int, int) {}
void TVlqGameGridForm::ShowSolution() { cheated_ = true; }
void TVlqGameGridForm::Celebrate() {}
void TVlqGameGridForm::MarkErrors() {}
void TVlqGameGridForm::FormKeyPress(QChar) {}
void TVlqGameGridForm::SelectSquareClue(int, int) {}
std::optional<vlq::Square> TVlqGameGridForm::currentSquare() const { return current_; }
bool TVlqGameGridForm::cheated() const { return cheated_; }
void TVlqGameGridForm::setCheated(bool on) { cheated_ = on; }
void TVlqGameGridForm::MarkSquare(int, int, const QColor&) {}
void TVlqGameGridForm::paintEvent(QPaintEvent*) {}
void TVlqGameGridForm::resizeEvent(QResizeEvent*) {}
void TVlqGameGridForm::mousePressEvent(QMouseEvent*) {}
void TVlqGameGridForm::keyPressEvent(QKeyEvent*) {}
bool TVlqGameGridForm::focusNextPrevChild(bool) { return false; }
