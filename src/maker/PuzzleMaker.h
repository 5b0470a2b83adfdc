// Makes the answers of an acrostic: given a source with its quotation and
// source line (and any answers already written, which are kept), finds one
// answer per letter of the source among the lexicon's words, so that each
// answer starts with its letter and all answers together use exactly the
// quotation's letters. New answers get a draft clue from their definition.
//
// The search takes the slots with the fewest words first, except that a
// letter left which few words of the open slots hold (a J, the Qs) is
// placed first, in whichever slot its best word fits; it picks words whose
// letters keep what is left of the quotation close to ordinary English and
// whose lengths keep near the average, backtracks, and finishes the last
// three answers exactly: every pair of words that fits the letters left,
// with a look-up of the letters the last answer must hold. It restarts with
// fresh random choices after a number of steps, letting in less common
// words every few restarts, then longer answers (when the lengths were not
// given), then rare words; once it has a set it goes on a while for a set of
// more common words. All choices come from the seed, so the same input and
// seed always give the same answers; only the time limit (or a step limit
// a test sets) ends a search early. No new answer is near another answer or a word of the quotation
// (Lexicon::near: one stem, a compound part, a prefixed root, a shared
// core). Draft clues come from PuzzleMakerClues.h.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Lexicon.h"
#include "core/PuzzleSource.h"

namespace vlq {

struct MakeOptions {
    std::uint32_t seed = 1;
    int minLength = 4;              // letters per new answer
    int maxLength = 12;
    bool widen = true;              // lengthen the answers when the search stalls (lengths not given)
    double balance = 1.0;           // how much to keep answer lengths near the average (0: no care)
    std::vector<std::string> avoid; // words not to propose (any case)
    // Words to use sparingly: how many puzzles (or sets already made) hold each, upper case.
    std::unordered_map<std::string, int> seen;
    // The answers of other sets of the same source (upper case letters): taken only as rare words are,
    // so that sets made one after another share few answers.
    std::unordered_set<std::string> earlier;
    double seconds = 10.0;          // the longest the whole search may run
    long long steps = 1'000'000'000'000; // the most words it may try (a limit a busy machine does not move, for tests)
    long long polish = 3'000'000;      // words tried after the first complete set, trading its answers for more common ones
    int searches = 0;               // searches run at once, each of its own seed (0: one per processor, up to four)
    // Set from another thread: the maker gives up within about a thousand
    // words looked at or tried: the result is then incomplete, without drafts.
    const std::atomic<bool>* cancel = nullptr;
};

struct MadeAnswer {
    std::string answer; // as written for a kept answer, upper case for a new one; empty when none was found
    std::string clue;   // the kept clue text, or the draft clue
    bool kept = false;
    std::vector<std::string> senses; // for a new answer: its definitions, for the maker to choose from
};

struct MakeResult {
    bool complete = false;
    std::vector<MadeAnswer> answers; // one per letter of the source (the best set found when not complete)
    std::vector<SourceProblem> problems; // why no complete set was made
    std::string unplaced;            // letters of the quotation the best set leaves over
    std::string pool;                // the letters the new answers share (after their first letters), A to Z
    int minLength = 0, maxLength = 0; // the answer lengths the search ended with
    std::string text;                // the source with the answers: complete, or the best set with "?" for open answers
    long long steps = 0;             // words tried
    double seconds = 0;
    bool outOfSteps = false;         // the search stopped at its step limit rather than its time limit
};

// The prefix that marks a clue as a draft to be rewritten.
inline constexpr const char* kDraftMark = "[draft] ";

// The problems of a source that stop any search (its syntax, the letters
// of its quotation and source line, the options), found without a lexicon.
std::vector<SourceProblem> makingProblems(const std::string& text, const std::string& title,
                                          const MakeOptions& options);

// `text` is the source as written; `title` its name.
MakeResult makePuzzle(const std::string& text, const std::string& title, const Lexicon& lexicon,
                      const MakeOptions& options);

// Whether a word is a comparative or superlative English makes with "more"
// and "most" instead (AWKWARDEST, SECUREST; not LIVELIEST or NARROWER):
// the maker takes it as a rare word.
bool oddDegree(const LexiconWord& word);

// Letters (A to Z, any order) described for the maker: how many, each
// letter's count, the share of vowels and the awkward letters (J, K, Q, V,
// W, X, Z) among them.
std::string describeLetters(const std::string& letters);

struct Suggestion {
    std::string word;
    bool completes = false; // a complete set was found with it within the quick search
};
// Words for the open answer `slot` (1-based) given the answers kept in the
// source, best first: words that fit the letters left, are near no kept
// answer nor the quotation, each tried in a quick search for the rest.
// Problems of the source land in `problems`.
std::vector<Suggestion> suggestAnswers(const std::string& text, const std::string& title, const Lexicon& lexicon,
                                       const MakeOptions& options, int slot, std::vector<SourceProblem>& problems,
                                       std::size_t count = 20);

} // namespace vlq
