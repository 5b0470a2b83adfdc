// What a screen reader says for the squares and the clues: the accessible
// names of the grid's squares, of the strips' squares (the same as the grid
// square they show) and of the clue list's lines. Plain text in the
// record's code page, like the clue texts; the views turn it into a
// QString with recordText. Safe on any record, validated or not.
#pragma once
#include <string>

#include "PuzzleRecord.h"

namespace vlq {

// Grid square s as it is said: a letter square as its square number and
// clue label, row and column, then its letter or "empty", for example
// "12 B, row 1, column 3, E" (no label when no clue owns the square). A
// black square is "row 2, column 5, black square"; an apostrophe or a
// hyphen is "row 1, column 4, apostrophe". "" outside the grid.
std::string describeSquare(const PuzzleRecord& rec, Square s);

// Clue k as it is said: label, text, answer length and how many of its
// letters are filled, for example "B. Saying yes firmly, 9 letters, 3
// filled". "" for a k outside 1..30.
std::string describeClue(const PuzzleRecord& rec, int k);

// Letter j (from 1) of clue k's answer as the answer window says it: its
// place in the answer, its square number and its letter, for example
// "3 of 7, square 121, B" or "1 of 7, square 4, empty". "" outside the
// answer.
std::string describeAnswerLetter(const PuzzleRecord& rec, int k, int j);

// Square i (from 1) of the author-title strip, the first letter of clue i:
// "clue I, 9 of 21, T" (or "empty"). "" outside 1..count.
std::string describeTitleSquare(const PuzzleRecord& rec, int i, int count);

// Clue k with its letters as its line shows them: "I. Plentiful, 7
// letters: I N N blank blank blank blank". "" for a k outside 1..30.
std::string describeClueLetters(const PuzzleRecord& rec, int k);

} // namespace vlq
