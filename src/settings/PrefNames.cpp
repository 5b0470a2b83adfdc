// Accessible names of the Preferences dialog's controls that no caption or
// label names for a screen reader: the previews, the palette and its
// swatches, the tool paths and their Browse buttons, the two font buttons.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "TVlqGamePrefForm.h"

void TVlqGamePrefForm::nameControls() {
    ScrImg->setAccessibleName(QStringLiteral("Preferences picture"));
    GridPad->setAccessibleName(QStringLiteral("Grid preview"));
    ColorGrid1->setAccessibleName(QStringLiteral("Colour palette"));
    ColorGrid1->setAccessibleDescription(
        QStringLiteral("Left mouse button sets letter square color, right mouse button sets filled square color"));
    BlankSwatch->setAccessibleName(QStringLiteral("Letter square color"));
    FilledSwatch->setAccessibleName(QStringLiteral("Filled square color"));
    FontBtn->setAccessibleName(QStringLiteral("Set grid font"));
    DictEdit->setAccessibleName(QStringLiteral("Dictionary"));
    DictBtn->setAccessibleName(QStringLiteral("Browse for dictionary"));
    ThesEdit->setAccessibleName(QStringLiteral("Thesaurus"));
    ThesBtn->setAccessibleName(QStringLiteral("Browse for thesaurus"));
    SolveList->setAccessibleName(QStringLiteral("Clue list font preview"));
    SolveFontBtn->setAccessibleName(QStringLiteral("Set clue list font"));
}
