// What the Solve dialog shows of each puzzle with the solving aids on: its
// size and clue count, how much of it is filled, whether it was solved and
// when it was last played. A file's figures are read from the file only
// when its modification time or size differ from those the progress
// store's cache holds for its path; the progress comes from the store.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "game/ProgressStore.h"

struct PuzzleFigures {
    FileFigures file;         // identity empty: the file holds no puzzle
    PuzzleProgress progress;  // known false: never opened
};

namespace vlq {

// The figures of each file (names as listed, in the same order) of folder.
// Files read anew go back into the store's cache in one transaction. With
// the store off every file is read.
QList<PuzzleFigures> listPuzzleFigures(const QString& folder, const QStringList& files);

// The figures as the list shows them beside the name, for instance
// "15 x 12   26 clues   40%   solved   2026-12-09"; empty for no puzzle.
QString figuresText(const PuzzleFigures& f);

} // namespace vlq
