// The preferences page of the solving aids: the master switch (the same one
// as the Options menu's "Solving Aids"), one check box per aid, and the
// tint of the linked squares. Like the rest of the dialog it edits copies:
// load() fills it from the settings, save() writes it back.
#pragma once
#include <QColor>
#include <QList>
#include <QWidget>

class QCheckBox;
class QPushButton;

class SolvingAidsPage : public QWidget {
    Q_OBJECT
public:
    explicit SolvingAidsPage(QWidget* parent = nullptr);

    QCheckBox* AidsChk = nullptr;      // the master switch
    QCheckBox* LabelsChk = nullptr;
    QCheckBox* LinkedChk = nullptr;
    QCheckBox* KeysChk = nullptr;
    QCheckBox* UndoChk = nullptr;
    QCheckBox* CheckChk = nullptr;
    QCheckBox* ZoomChk = nullptr;
    QCheckBox* PlaceChk = nullptr;
    QCheckBox* SolvedChk = nullptr;
    QCheckBox* TimeChk = nullptr;
    QCheckBox* PencilChk = nullptr;
    QCheckBox* ProgressChk = nullptr;
    QPushButton* LinkedColourBtn = nullptr; // shows and picks the tint

    QColor linkedColour() const { return linkedColour_; }
    void setLinkedColour(const QColor& c);

    // From the settings; a malformed value is reported and its default shown.
    void load();
    // Every value of the page to the settings.
    void save() const;
    // The defaults: aids off, each aid ticked, the soft blue tint.
    void defaults();

private:
    void pickColour();
    void followMaster();
    QList<QCheckBox*> aidBoxes() const;
    QColor linkedColour_;
};
