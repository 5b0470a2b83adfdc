// The game's rules over the puzzle record, stated without any window:
// clue labels, answers, clue lines, reading order and the cursor's moves,
// correctness and the square numbers printed on paper. Every function is
// safe on any record that PuzzleRecord::validate() accepts and never reads
// outside the record on others.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "PuzzleRecord.h"

namespace vlq {

// "A".."Z" for 1..26, "aa","bb","cc","dd" for 27..30, "" otherwise.
std::string clueLabel(int k);

// Number of clues: k = 1..30 whose first-letter entry (100 + k) is not 0.
int clueCount(const PuzzleRecord& rec);

// Letters of clue k's answer: j = 1.. while j <= 31 and entry j*100+k != 0.
// 0 for k outside 1..30.
int answerLength(const PuzzleRecord& rec, int k);

// Grid square of letter j (1-based) of clue k; j within 1..answerLength.
Square answerSquare(const PuzzleRecord& rec, int k, int j);

// The answer grid square s belongs to, through its letter code: the clue
// (1..30) and the letter's position in its answer (from 1). Both 0 when s
// is outside the grid, black, or in no answer.
struct LetterPlace {
    int clue = 0;
    int letter = 0;
};
LetterPlace letterPlace(const PuzzleRecord& rec, Square s);

// Index (from 0) of the first empty letter of clue k's answer, 0 when every
// letter is filled or k has no answer.
int firstEmptyLetter(const PuzzleRecord& rec, int k);

// The clue list's line of clue k: text, five spaces, then per letter
// "X " for a filled square or "__ " for an empty one.
std::string clueLine(const PuzzleRecord& rec, int k);

// Square after s when typing: right along the row, or column 1 of the next
// row from the last column; none when that square is black or the grid ends.
std::optional<Square> advance(const PuzzleRecord& rec, Square s);

// The square a key typed with the cursor on s writes to: s itself, or for a
// punctuation square (which never holds a letter) the first square after
// the punctuation, as advance steps; none when the word ends first.
std::optional<Square> typingSquare(const PuzzleRecord& rec, Square s);

// Backspace: left along the row, or the last column of the row above from
// column 1; stays on s when that square is black or s is (1, 1).
Square stepBack(const PuzzleRecord& rec, Square s);

// The rest of the word from s: s and the squares after it in reading order
// up to, not including, the next black square or the end of the grid.
std::vector<Square> wordRun(const PuzzleRecord& rec, Square s);

// The whole word s lies in: from the square after the black square (or the
// grid's start) before s, in reading order, to the next black square or
// the grid's end; empty when s is black or outside the grid.
std::vector<Square> wordSquares(const PuzzleRecord& rec, Square s);

// Every square of Width x Height either black or Entry == Solution.
bool isCorrect(const PuzzleRecord& rec);

// Squares that are not black and whose Entry differs from Solution, in
// reading order.
std::vector<Square> wrongSquares(const PuzzleRecord& rec);

// Square s holds a letter that is not its Solution: a wrong letter, as a
// check finds it. An empty square is unfinished, not wrong; black squares,
// squares outside the grid and punctuation holding its own mark never are.
bool isWrongSquare(const PuzzleRecord& rec, Square s);

// Number of square (c, r) on paper: counting from 1 in reading order over
// squares whose Solution is not black, apostrophe or hyphen; 0 for those.
int squareNumber(const PuzzleRecord& rec, Square s);

// --- rules of the solving aids (PuzzleRulesAids.cpp) ------------------------

// Grid squares of clue k's answer, in answer order; empty for a k outside
// 1..30 or without an answer. Squares outside the grid are left out.
std::vector<Square> answerSquares(const PuzzleRecord& rec, int k);

// Everything tied to grid square s through its letter code. clue is 0 (and
// the rest empty) when s is outside the grid, black, or in no answer.
struct LinkedPlaces {
    int clue = 0;               // the answer's clue, 1..30
    int letter = 0;             // position of s in that answer, from 1
    std::vector<Square> answer; // every grid square of that answer, s included
    int stripIndex = -1;        // square of the answer strip (letter - 1)
    int titleSquare = 0;        // author-title square (the clue) when letter is 1
};
LinkedPlaces linkedPlaces(const PuzzleRecord& rec, Square s);

// The two corner labels of a letter square as print shows them: its square
// number and the label of the clue its letter belongs to ("" for none).
// Black and punctuation squares have number 0 and no clue label.
struct SquareLabel {
    int number = 0;
    std::string clue;
};
SquareLabel squareLabel(const PuzzleRecord& rec, Square s);

// Keyboard moves of the grid cursor. None of them lands on a black square;
// every one returns s itself when there is nowhere to go (or s is outside
// the grid).
// One step along a row (dc = -1/+1) or a column (dr = -1/+1), over black
// squares, never off the grid's edge.
Square arrowMove(const PuzzleRecord& rec, Square s, int dc, int dr);
// First and last square of s's row that are not black.
Square rowStart(const PuzzleRecord& rec, Square s);
Square rowEnd(const PuzzleRecord& rec, Square s);
// First square of the next word in reading order (words as wordRun sees
// them); after the last word the first one.
Square nextWord(const PuzzleRecord& rec, Square s);
// First square of the word before s's word; before the first word the last.
Square previousWord(const PuzzleRecord& rec, Square s);
// Where typing goes on from s: the next letter square in reading order, over
// black and punctuation squares, into the next word; none at the grid's end.
std::optional<Square> runOn(const PuzzleRecord& rec, Square s);
// The letter square before s in reading order, over black and punctuation
// squares; none before the first.
std::optional<Square> runBack(const PuzzleRecord& rec, Square s);
// The first letter square whose Entry is empty, or the first letter square
// when all are filled; none in a grid without letter squares.
std::optional<Square> firstEmptySquare(const PuzzleRecord& rec);

} // namespace vlq
