// Makes the answers of an acrostic: given a source with its quotation and
// source line (and any answers already written, which are kept), finds one
// answer per letter of the source among the lexicon's words, so that each
// answer starts with its letter and all answers together use exactly the
// quotation's letters. New answers get a draft clue from their definition.
//
// The search takes the slots with the fewest words first, picks words whose
// letters keep what is left of the quotation close to ordinary English,
// backtracks, and finishes the last two answers with an exact look-up of
// the letters left. It restarts with fresh random choices after a number of
// steps, letting in less common words every few restarts; once it has a
// set it goes on a while for a set of more common words. All choices come
// from the seed, so the same input and seed always give the same answers.
// No new answer shares a stem with another answer, begins or ends with
// one, or holds, is held in or shares a stem with a word of the quotation.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Lexicon.h"
#include "PuzzleSource.h"

namespace vlq {

struct MakeOptions {
    std::uint32_t seed = 1;
    int minLength = 4;              // letters per new answer
    int maxLength = 12;
    std::vector<std::string> avoid; // words not to propose (any case)
    double seconds = 10.0;          // the longest the search may run
    long long steps = 200'000'000;  // the most words it may try (a limit a busy machine does not move)
    long long polish = 300'000;     // words tried after the first complete set, for one of more common words
};

struct MadeAnswer {
    std::string answer; // as written for a kept answer, upper case for a new one; empty when none was found
    std::string clue;   // the kept clue text, or the draft clue
    bool kept = false;
};

struct MakeResult {
    bool complete = false;
    std::vector<MadeAnswer> answers; // one per letter of the source (the best set found when not complete)
    std::vector<SourceProblem> problems; // why no complete set was made
    std::string unplaced;            // letters of the quotation the best set leaves over
    std::string text;                // the complete source, when complete
    long long steps = 0;             // words tried
    double seconds = 0;
    bool outOfSteps = false;         // the search stopped at its step limit rather than its time limit
};

// The prefix that marks a clue as a draft to be rewritten.
inline constexpr const char* kDraftMark = "[draft] ";

// `text` is the source as written; `title` its name.
MakeResult makePuzzle(const std::string& text, const std::string& title, const Lexicon& lexicon,
                      const MakeOptions& options);

} // namespace vlq
