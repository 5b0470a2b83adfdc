// Reveals and scoring from the toolbar and the Options menu.
#include "TVlqGameMainForm.h"

#include "GameContext.h"
#include "VlqApplication.h"

void TVlqGameMainForm::LetterBtnMouseDown() {}
void TVlqGameMainForm::LetterBtnClick() {}
void TVlqGameMainForm::WordBtnClick() {}
void TVlqGameMainForm::CheatBtnMouseDown() {}
void TVlqGameMainForm::CheatBtnMouseUp() {}
void TVlqGameMainForm::ScoreBtnClick() {}
