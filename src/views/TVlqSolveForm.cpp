#include "TVlqSolveForm.h"

TVlqSolveForm::TVlqSolveForm(QWidget* parent) : QWidget(parent, Qt::Tool) {}

int TVlqSolveForm::answerLength() const { return 0; }
void TVlqSolveForm::ReadSettings() {}
void TVlqSolveForm::PlaceWindow() {}
void TVlqSolveForm::FormKeyPress(QChar) {}
void TVlqSolveForm::OpenOnClue() {}
