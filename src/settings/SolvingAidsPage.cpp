#include "SolvingAidsPage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/VlqError.h"
#include "game/SettingsTable.h"
#include "game/TVlqProcs.h"
#include "views/SquareLook.h"
#include "ReadOr.h"

SolvingAidsPage::SolvingAidsPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(3);
    auto box = [&](const char* name, const QString& caption, const QString& hint) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(QString::fromLatin1(name));
        c->setToolTip(hint);
        layout->addWidget(c);
        return c;
    };
    AidsChk = box("AidsChk", QStringLiteral("USE SOLVING AIDS"), QStringLiteral("Switch the aids below on or off"));
    LabelsChk = box("LabelsChk", QStringLiteral("Square &labels"), QStringLiteral("Square numbers and clue letters"));
    LinkedChk = box("LinkedChk", QStringLiteral("Lin&ked squares"),
                    QStringLiteral("Tint the answer a square or clue belongs to"));
    KeysChk = box("KeysChk", QStringLiteral("&Keyboard flow"),
                  QStringLiteral("Arrows, Home, End and Tab move; typing runs on into the next word"));
    UndoChk = box("UndoChk", QStringLiteral("&Undo and redo"), QStringLiteral("Ctrl+Z and Ctrl+Shift+Z"));
    CheckChk = box("CheckChk", QStringLiteral("C&heck letters"), QStringLiteral("Check Letter and Check Word"));
    ZoomChk = box("ZoomChk", QStringLiteral("&Zoom"), QStringLiteral("Ctrl+= and Ctrl+- size the grid and strip"));
    PlaceChk = box("PlaceChk", QStringLiteral("Answer window &beside its clue"),
                   QStringLiteral("The answer window never covers its clue line"));
    SolvedChk = box("SolvedChk", QStringLiteral("Solved &notice"),
                    QStringLiteral("The score card opens by itself when the last right letter goes in"));
    TimeChk = box("TimeChk", QStringLiteral("Keep ti&me"),
                  QStringLiteral("The clock runs while you solve and carries on when the puzzle is opened again"));
    PencilChk = box("PencilChk", QStringLiteral("&Pencil"), QStringLiteral("Tentative letters, drawn grey and smaller"));
    ProgressChk = box("ProgressChk", QStringLiteral("Statistics and p&rogress"),
                      QStringLiteral("Statistics of your solves; size, progress and best time in the puzzle list"));
    for (QCheckBox* c : aidBoxes()) c->setContentsMargins(16, 0, 0, 0);
    LinkedColourBtn = new QPushButton(QStringLiteral("Linked &Colour..."), this);
    LinkedColourBtn->setObjectName(QStringLiteral("LinkedColourBtn"));
    LinkedColourBtn->setToolTip(QStringLiteral("Choose the tint of the linked squares"));
    layout->addWidget(LinkedColourBtn, 0, Qt::AlignLeft);
    layout->addStretch(1);

    connect(LinkedColourBtn, &QPushButton::clicked, this, &SolvingAidsPage::pickColour);
    connect(AidsChk, &QCheckBox::toggled, this, &SolvingAidsPage::followMaster);
    followMaster();
}

QList<QCheckBox*> SolvingAidsPage::aidBoxes() const {
    return {LabelsChk, LinkedChk, KeysChk, UndoChk, CheckChk, ZoomChk, PlaceChk, SolvedChk, TimeChk, PencilChk,
            ProgressChk};
}

void SolvingAidsPage::followMaster() {
    for (QCheckBox* c : aidBoxes()) c->setEnabled(AidsChk->isChecked());
}

void SolvingAidsPage::setLinkedColour(const QColor& c) {
    linkedColour_ = c;
    // The button shows the tint as a swatch.
    QPixmap swatch(14, 14);
    swatch.fill(c);
    LinkedColourBtn->setIcon(QIcon(swatch));
}

void SolvingAidsPage::pickColour() {
    const QColor c = QColorDialog::getColor(linkedColour_, this, QStringLiteral("Linked squares"));
    if (c.isValid()) setLinkedColour(c);
}

void SolvingAidsPage::load() {
    using namespace VlqSetting;
    AidsChk->setChecked(readOr(SolvingAids) != 0);
    LabelsChk->setChecked(readOr(AidLabels) != 0);
    LinkedChk->setChecked(readOr(AidLinked) != 0);
    KeysChk->setChecked(readOr(AidKeys) != 0);
    UndoChk->setChecked(readOr(AidUndo) != 0);
    CheckChk->setChecked(readOr(AidCheck) != 0);
    ZoomChk->setChecked(readOr(AidZoom) != 0);
    PlaceChk->setChecked(readOr(AidPlaceAnswer) != 0);
    SolvedChk->setChecked(readOr(AidSolved) != 0);
    TimeChk->setChecked(readOr(AidTime) != 0);
    PencilChk->setChecked(readOr(AidPencil) != 0);
    ProgressChk->setChecked(readOr(AidProgress) != 0);
    setLinkedColour(readOr(LinkedSqColor));
    followMaster();
}

void SolvingAidsPage::save() const {
    using namespace VlqSetting;
    TVlqProcs::WriteSetting(SolvingAids, AidsChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidLabels, LabelsChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidLinked, LinkedChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidKeys, KeysChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidUndo, UndoChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidCheck, CheckChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidZoom, ZoomChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidPlaceAnswer, PlaceChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidSolved, SolvedChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidTime, TimeChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidPencil, PencilChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(AidProgress, ProgressChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(LinkedSqColor, linkedColour_);
}

void SolvingAidsPage::defaults() {
    AidsChk->setChecked(false);
    for (QCheckBox* c : aidBoxes()) c->setChecked(true);
    setLinkedColour(TVlqProcs::DefaultOf(VlqSetting::LinkedSqColor));
    followMaster();
}
