// Menu commands carried out by other modules: printing, the clock, window
// layout, preferences, the reference tools and help. Each command hands over
// to its module; a command whose module is not part of this build does
// nothing.
#include "TVlqGameMainForm.h"

#include "GameContext.h"
#include "VlqApplication.h"

void TVlqGameMainForm::Print1Click() {}
void TVlqGameMainForm::ShowClock1Click() {}
void TVlqGameMainForm::AutoArrange1Click() {}
void TVlqGameMainForm::Preferences1Click() {}
void TVlqGameMainForm::Dictionary1Click() {}
void TVlqGameMainForm::Thesaurus1Click() {}
void TVlqGameMainForm::Contents1Click() {}
void TVlqGameMainForm::KeywordIndex1Click() {}
void TVlqGameMainForm::About1Click() {}
