// The common shape of the acrostic formats other programs write (JPZ, APZ,
// ipuz), and its conversion to and from the puzzle record.
//
// Every such file reduces to a quotation (a sequence of letter squares,
// word breaks and punctuation squares), per clue the quotation squares of
// its answer in letter order (the grid key), and the clue texts. The
// readers fill a ForeignPuzzle; one layout builder turns it into a record.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "PuzzleRecord.h"

namespace vlq {

struct QuoteCell {
    enum Kind { Letter, Break, Punctuation };
    Kind kind = Letter;
    char32_t ch = 0; // the solution character of a letter or punctuation square
};

struct ForeignClue {
    std::string label;         // as the file writes it ("A", "AA", "aa" ...)
    std::string text;          // UTF-8, may hold HTML tags and entities
    std::vector<int> squares;  // quotation letter squares 1..N, answer order
    std::u32string answer;     // the answer as the file states it; empty if it does not
};

struct ForeignPuzzle {
    std::string title;  // UTF-8, may be empty
    std::string author; // becomes the byline
    std::string source; // author and title of the quotation, when the file names them
    std::vector<QuoteCell> quote;
    // The width at which the file lays the quotation out, wrapping from row
    // to row without regard to words; kept when it fits the game's grid.
    std::optional<int> width;
    std::vector<ForeignClue> clues;
    bool hasGridKey = true; // false: squares are empty and answers given; one is made
    // The player's letters per letter square (index = square number - 1);
    // 0 for an empty square. May be shorter than the quotation.
    std::u32string progress;
};

struct ImportResult {
    PuzzleRecord record;
    std::string title;                 // UTF-8
    std::string error;                 // why the file was refused; empty when accepted
    std::vector<std::string> warnings; // things the player may want to know
    // Clue texts longer than the record holds, whole (Windows-1252 as in
    // the record), by clue number; the record keeps them shortened.
    std::map<int, std::string> wholeClues;
    bool ok() const { return error.empty(); }
};

// Builds the record: folds typographic quotes and dashes, accented and
// lower-case letters; keeps apostrophe and hyphen squares and drops other
// punctuation; lays the quotation out at the file's width when it fits,
// otherwise re-flows it into at most 31 columns breaking at word ends; ties
// the answers to their squares. Refuses (error set) more than 30 clues,
// answers over 31 letters, a quotation that needs more than 21 rows, digits,
// letters the player cannot type, squares used twice or by no clue, and
// stated answers that disagree with their squares. A first-letter mismatch
// with the source is a warning.
ImportResult recordFromForeign(const ForeignPuzzle& puzzle);

// The record in the common shape, for the writers: the grid in reading
// order (black squares as word breaks, the layout width kept), the grid key,
// clue texts and labels ("AA".."DD" for 27..30, as the other programs
// number them), the byline as author and the Entry letters as progress.
// The source is the first letters of the answers.
ForeignPuzzle foreignFromRecord(const PuzzleRecord& rec, const std::string& title);

// Clue text for the record: HTML tags dropped, entities decoded, white space
// collapsed, Windows-1252 with typographic quotes folded; '?' for characters
// it lacks.
std::string plainAnsiText(const std::string& utf8OrHtml);

} // namespace vlq
