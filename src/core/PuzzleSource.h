// The text source of one puzzle, as a person writes it by hand:
//
//   # Lines starting with '#' are comments; blank lines are ignored.
//   Quotation: If you can keep your head when all about you
//     Are losing theirs and blaming it on you
//   Source: Kipling, If
//   Byline: Vera Quince
//   Width: 17                  (optional: the grid's width, 1 to 31)
//
//   A. Take the wheel = STEER
//   B. Small and neat = TIDY
//   ...
//
// A field starts with its name and a colon; a following line that starts
// with white space continues it. Each clue line is its label ("A" to "Z",
// then "aa" to "dd"), a full stop, the clue text, " = " and the answer; the
// answer is split off at the last '='. Answers may contain spaces, hyphens
// and apostrophes for readability; only their letters count. The puzzle's
// title is the source file's name without its extension.
//
// Text is UTF-8; it is stored in the puzzle as single bytes of the Windows
// ANSI code page (typographic quotes become straight ones).
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vlq {

// One problem found in a source, tied to the line it concerns (1-based;
// 0 when it concerns the whole source).
struct SourceProblem {
    int line = 0;
    std::string what;
};

struct SourceClue {
    int line = 0;
    std::string label;  // as written
    std::string text;   // clue text, UTF-8 as written
    std::string answer; // as written, spaces and hyphens included
};

struct PuzzleSource {
    std::string title;
    std::string quotation; // the quotation as written, lines joined by spaces
    std::string source;    // author and title as written
    std::string byline;
    std::optional<int> width;
    int quotationLine = 0;
    int sourceLine = 0;
    int bylineLine = 0;
    int widthLine = 0;
    std::vector<SourceClue> clues;
};

struct ParsedSource {
    PuzzleSource source;
    std::vector<SourceProblem> problems; // empty when the text was well formed
};

// The text of a source as it is read: without the byte-order mark some
// editors write first, every line ending (CR LF, CR) as LF.
std::string plainSourceText(const std::string& text);

// Reads the text of a source. Syntax problems (unknown lines, missing fields,
// labels out of order) are listed; the letters are judged by the builder.
// A source still being made (`unfinished`) may lack clues, and its answers
// may be empty or "?".
ParsedSource parsePuzzleSource(const std::string& text, const std::string& title, bool unfinished = false);

// Converts UTF-8 text to single bytes of the Windows ANSI code page (1252).
// Typographic single and double quotes become straight ones, en and em
// dashes become hyphens. Returns nothing when a character has no such byte
// or the text is not valid UTF-8.
std::optional<std::string> toAnsi(const std::string& utf8);

// The reverse of toAnsi: code page 1252 bytes as UTF-8 (unassigned bytes
// become U+FFFD).
std::string fromAnsi(const std::string& ansi);

// The upper-case letters A..Z of text, in order; every other byte is skipped.
std::string lettersOf(const std::string& text);

// The capital A..Z a Latin letter stands for, its accent dropped (Ë and ë
// give E, Ł gives L); '0' for a digit; 0 for anything else, including the
// letters that stand for two (Æ, Œ, ß).
char foldLetter(char32_t cp);

// A number in capital words as an answer spells it ("TWENTY-THREE"); empty
// beyond 999,999.
std::string numberInWords(unsigned long n);

// The letters a Source line gives the answers to start with: A..Z with
// accented letters folded to their plain letter, punctuation and spaces
// skipped. A digit, or a letter with no plain form, is a problem (against
// `line`) that names it and says how to write it instead; nothing of the
// line is dropped in silence.
struct SourceSpelling {
    std::string letters;
    bool folded = false; // an accented letter was read as its plain letter
    std::vector<SourceProblem> problems;
};
SourceSpelling sourceSpelling(const std::string& sourceUtf8, int line = 0);

} // namespace vlq
