#include "game/PlayerLetters.h"

#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/LetterHistory.h"

bool PlayerLetters::setPlayerLetter(vlq::Square at, std::uint8_t letter, LetterCause why) {
    vlq::PuzzleRecord& rec = game().puzzle;
    if (!rec.inGrid(at.col, at.row) || at.col > vlq::kMaxCols || at.row > vlq::kMaxRows) return false;
    // A punctuation square holds its own mark and nothing else, whoever
    // writes (a reveal, an undo of one, Start Over).
    if (rec.isPunctuation(at.col, at.row)) letter = rec.solution(at.col, at.row);
    const std::uint8_t before = rec.entry(at.col, at.row);
    if (before == letter) return false;
    rec.setEntry(at.col, at.row, letter);
    if (why != LetterCause::History) letterHistory().record(at, before, letter);
    checkMarks().unmark(at);
    emit letterChanged(at);
    return true;
}

PlayerLetters& playerLetters() {
    static PlayerLetters instance;
    return instance;
}
