// The colour sets of the Preferences dialog, offered with the solving aids
// on. High Contrast: letter squares white, filled squares and outlines
// black, the grid's and the clue list's letters bold and black. Dark: dark
// grey letter squares with light letters, black filled squares; with dark
// letter squares the clue list and the strips' windows turn dark as well
// (darkPane), and every letter keeps 4.5:1 against what it stands on.
// Like every control of the dialog they only edit the copies; Save writes
// them, Cancel forgets.
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

void TVlqGamePrefForm::DarkBtnClick() {
    const QColor light(0xE6, 0xE6, 0xE6);
    blankColour = QColor(0x33, 0x33, 0x33);
    filledColour = QColor(Qt::black);
    showSwatches();

    FontChoice grid = gridFont();
    grid.colour = light;
    setGridFont(grid);

    FontChoice clues = solveFont();
    clues.colour = light;
    setSolveFont(clues);
}
