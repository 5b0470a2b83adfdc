// Small puzzles written as text, for the window tests.
//
// Grid rows: one character per square; '#' is a black square, an
// apostrophe or a hyphen a punctuation square, anything else the
// solution letter of a letter square. Every row must have the same length.
// Clues: each answer is tied letter by letter to the first unused letter
// square holding that letter, in reading order, so SquareClue and
// ClueSquares agree. Letter squares no answer uses belong to no clue.
#pragma once
#include <string>
#include <vector>

#include "core/PuzzleRecord.h"

namespace fixture {

struct ClueSpec {
    std::string text;
    std::string answer;
};

// Throws std::invalid_argument when the rows are ragged or too large, or an
// answer letter finds no free square.
vlq::PuzzleRecord makePuzzle(const std::vector<std::string>& rows, const std::vector<ClueSpec>& clues);

// Puts the puzzle into game() (puzzle record, default sizes) and resets the
// program-wide values the views use.
void loadIntoGame(const vlq::PuzzleRecord& rec);

// Entry of every letter square := its solution.
void fillSolution(vlq::PuzzleRecord& rec);

} // namespace fixture
