// The high-contrast set of the Preferences dialog, offered with the solving
// aids on: letter squares white, filled squares and outlines black, the
// grid's and the clue list's letters bold and black. Like every control of
// the dialog it only edits the copies; Save writes them, Cancel forgets.
#include <QPushButton>

#include "TVlqGamePrefForm.h"

void TVlqGamePrefForm::HighContrastBtnClick() {
    blankColour = QColor(Qt::white);
    filledColour = QColor(Qt::black);
    showSwatches();

    FontChoice grid = gridFont();
    grid.font.setBold(true);
    grid.colour = QColor(Qt::black);
    setGridFont(grid);

    FontChoice clues = solveFont();
    clues.font.setBold(true);
    clues.colour = QColor(Qt::black);
    setSolveFont(clues);
}
