// Whole clue texts. An imported clue longer than the record's 80
// characters is kept shortened in the record and whole in the progress
// store, under the puzzle's identity; with the solving aids on, the answer
// window and the clue line's tooltip show it whole.
#pragma once
#include <QMap>
#include <QString>

#include "core/PuzzleRecord.h"

// Keeps the whole texts (clue number -> text) of the puzzle `rec` in the
// store; nothing when texts is empty.
void keepWholeClueTexts(const vlq::PuzzleRecord& rec, const QMap<int, QString>& texts);

// The open puzzle (game().puzzle) was read: its whole texts are taken from
// the store.
void readWholeClueTexts();

// The whole text of clue k of the open puzzle with the aids on; empty when
// none is kept or the aids are off.
QString wholeClueText(int k);
