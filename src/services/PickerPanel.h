// The side panel of the Solve dialog: cream, as the classic dialog paints
// it; with the solving aids on it also shows the picked puzzle's byline, a
// small picture of its grid with the squares the player has filled, and
// its best time.
#pragma once
#include <QString>
#include <QWidget>
#include <optional>

#include "core/PuzzleRecord.h"

class PickerPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // What the panel shows of the picked puzzle (none: cream only).
    struct Facts {
        QString byline;
        vlq::PuzzleRecord record;       // grid and letters of the picture
        std::optional<int> bestSeconds; // the fastest solve
    };
    void showFacts(std::optional<Facts> facts);
    const std::optional<Facts>& facts() const { return facts_; }

    // The text under the picture: "Best 0:12:34", or "Not solved yet".
    static QString bestText(const std::optional<int>& seconds);
    // Where the grid picture lies in the panel, empty without facts.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int bylineHeight() const;
    std::optional<Facts> facts_;
};
