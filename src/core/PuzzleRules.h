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

} // namespace vlq
