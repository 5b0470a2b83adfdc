// Small puzzles written as text, for the window tests.
//
// Grid rows: one character per square; '#' is a black square, an
// apostrophe or a hyphen a punctuation square, anything else the
// solution letter of a letter square. Every row must have the same length.
// Clues: each answer is tied letter by letter to the first unused letter
// square holding that letter, in reading order, so SquareClue and
// ClueSquares agree. Letter squares no answer uses belong to no clue.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/PuzzleRecord.h"

class QMdiArea;
class TVlqGameMainForm;

namespace fixture {

struct ClueSpec {
    std::string text;
    std::string answer;
};

// Throws std::invalid_argument when the rows are ragged or too large, or an
// answer letter finds no free square.
vlq::PuzzleRecord makePuzzle(const std::vector<std::string>& rows, const std::vector<ClueSpec>& clues);

// The answers one after another in reading order over a grid `width`
// squares wide, one black square after each answer and black squares to the
// end of the last row, so every answer letter has a square of its own.
vlq::PuzzleRecord answersInReadingOrder(const std::vector<ClueSpec>& clues, int width);

// The 6 x 4 puzzle the window tests play:
//   A B # C D E    words: AB | CDE-FG across the row break | HI- JK'LM across
//   F G # H I -    the next one | NOPQRS, which ends the grid.
//   J K ' L M #    clues: 1 "Playing card" ACE, 2 "Offer" BID, 3 "Mist" FOG,
//   N O P Q R S    4 "Letters" HJK, 5 "More letters" LNQ; M, P, R and S
//                  belong to no clue.
vlq::PuzzleRecord wordsPuzzle();

// Puts the puzzle into game() (puzzle record, default sizes) and resets the
// program-wide values the views use.
void loadIntoGame(const vlq::PuzzleRecord& rec);

// Entry of every letter square := its solution.
void fillSolution(vlq::PuzzleRecord& rec);

// The player's letters for answer k of the open puzzle in game(): one per
// answer square in answer order, '_' leaves the square empty.
void enterAnswer(int k, const std::string& letters);

// The main window's document area, shown at width x height and exposed on
// the screen, ready for the document windows. nullptr (nothing left behind)
// when the screen never exposes it; the caller owns the area.
QMdiArea* showDocumentArea(int width, int height);

// The game's main window, shown and exposed on the screen with no puzzle
// open; empty when the screen never exposes it.
std::unique_ptr<TVlqGameMainForm> showMainWindow();

} // namespace fixture
