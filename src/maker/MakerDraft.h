// The puzzle being made in the maker window, with every rule the window
// shows and none of its pixels: the quotation, the author and the title as
// typed; one answer per letter that the author and title spell, each with
// its clue and whether Make keeps it; the figures under the text and the
// letters the quotation cannot give, which refuse a search before it
// starts; the letter pool and whether the set is complete; the words that
// could stand in for an answer; the source text that the answer maker and
// `vlqtool build` read (Save Draft and Open Draft), and the puzzle built
// from it and checked as `vlqtool check` checks a file.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/PuzzleRecord.h"
#include "maker/Lexicon.h"
#include "maker/PuzzleMaker.h"

namespace vlq {

struct DraftAnswer {
    std::string answer;  // as written (spaces, hyphens and apostrophes allowed); empty while open
    std::string clue;    // the clue text without the draft mark; empty while none is written
    bool draft = false;  // the clue is the maker's draft, still to be rewritten
    bool locked = false; // Make keeps this answer and fills the others around it
    std::vector<std::string> senses; // a draft's other definitions, to choose from
};

struct DraftFigures {
    int quotationLetters = 0;
    int answers = 0;          // letters the author and title spell: one answer each
    double averageLength = 0; // quotation letters per answer; 0 without answers
    std::string lacking;      // e.g. "needs a K: the quotation has none"; empty when the quotation has every one
};

// One letter of the pool: `count` left in the quotation, or below 0 when
// the answers use that many more than the quotation has.
struct PoolLetter {
    char letter = 'A';
    int count = 0;
};

// The puzzle file made from a draft, or why there is none.
struct BuiltDraft {
    std::optional<PuzzleRecord> record;
    std::vector<std::string> problems;
};

class MakerDraft {
public:
    std::string quotation; // UTF-8, several lines
    std::string author;
    std::string title;
    std::string byline;
    std::uint32_t seed = 1; // of the next Make; Make Again moves it on

    // The letters A..Z that the author and title spell, in order (accented
    // letters as their plain letters).
    std::string spelled() const;
    // The source line: "author, title" (either alone when the other is empty).
    std::string source() const;
    DraftFigures figures() const;
    // Why a search cannot start, one sentence each: letters the quotation
    // lacks for the first letters, no or too many answers, a quotation
    // with no letters, a digit in the author or title. Empty when Make may run.
    std::vector<std::string> refusals() const;

    // One answer per letter spelled: answers are added open at the end or
    // dropped from the end when the author or title changed.
    void fitAnswers();
    const std::vector<DraftAnswer>& answers() const { return answers_; }
    // Answer k (0-based, below answers().size()).
    void setAnswer(std::size_t k, const std::string& written);
    void setClue(std::size_t k, const std::string& clue);
    void setLocked(std::size_t k, bool locked);

    // The letters of the quotation less those of the answers, A to Z,
    // leaving out letters that come out even.
    std::vector<PoolLetter> pool() const;
    // Whether answer k starts with its letter of the author and title.
    bool startsRight(std::size_t k) const;
    // Every answer written, each starting with its letter, and the pool empty.
    bool complete() const;
    // Whether clue k still has to be written by hand: none is there, or the
    // maker's draft says it found none ("write one").
    bool needsWriting(std::size_t k) const;

    // The source text to hand to makePuzzle: the locked answers kept, the
    // others asked for. Nothing, with `refusals` filled, when a search
    // cannot start (see refusals()).
    std::optional<std::string> makeRequest(std::vector<std::string>& refusals) const;
    // Takes a made set's answers and drafts into the slots not locked.
    void takeMade(const MakeResult& made);

    // The text `vlqtool build` reads: the fields, then one clue line per
    // answer ("? = ?" for an open one), drafts marked as the maker marks them.
    std::string sourceText() const;
    // A draft from that text (its title the file's name); the problems of
    // the text land in `problems`. Answers with a clue of their own come
    // locked, as `vlqtool make` keeps every written answer.
    static MakerDraft fromSourceText(const std::string& text, const std::string& title,
                                     std::vector<SourceProblem>& problems);
    // The puzzle as built from sourceText() with the draft marks taken off
    // (saving it accepts the drafts), and checked by every rule of a puzzle file.
    BuiltDraft build() const;

    // Words of the lexicon that could stand in for answer k: they start with
    // its letter and fit the letters it would leave in the pool, are not its
    // present answer, and are near no other answer and no word of the
    // quotation; those that use up the pool first, then the most common.
    std::vector<std::string> otherWords(const Lexicon& lexicon, std::size_t k, std::size_t count = 30) const;
    // A draft clue for a word the lexicon knows, so that a chosen word comes
    // with its clue; false (and no change) for a word it does not know.
    bool draftClueFor(const Lexicon& lexicon, std::size_t k);

private:
    std::vector<DraftAnswer> answers_;
};

} // namespace vlq
