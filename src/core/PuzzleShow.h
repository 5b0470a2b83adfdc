// A plain-text picture of a puzzle record for people and for the tool's
// "show": the solution grid, the player's grid, every clue with its answer
// and the player's letters of it, the author-title letters and the progress.
#pragma once
#include <string>

#include "PuzzleRecord.h"

namespace vlq {

// rec must be accepted by PuzzleRecord::validate(); the text is UTF-8.
// Grids use one character per square: the letter, '#' for black, the
// punctuation itself, and '.' for an empty square of the player's grid.
std::string showPuzzle(const PuzzleRecord& rec);

// The quotation as the solved grid holds it: the solution letters and
// punctuation in reading order, a space for each run of black squares
// between words, none at either end.
std::string quotationText(const PuzzleRecord& rec);

// The author and title as the answers' first letters spell them, in clue
// order ('?' for an answer without squares).
std::string authorTitleLetters(const PuzzleRecord& rec);

} // namespace vlq
