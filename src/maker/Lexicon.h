// The words the puzzle maker may propose as answers, with how common each is
// and where its dictionary definition lies.
//
// The system lexicon joins two Debian packages:
// - the SCOWL word lists of wamerican-small (size 35) and wamerican (size
//   50): a word in the small list is in tier 0, one only in the larger list
//   in tier 1; words written with a capital (names) or an apostrophe are left
//   out;
// - WordNet 3.0 (wordnet-base): a word must be a WordNet word or an
//   inflection of one (found with WordNet's own suffix rules and exception
//   lists), which leaves out function words and most abbreviations; its
//   tagged-text counts (cntlist.rev) order words within a tier, and the
//   gloss of its most frequent sense becomes the draft clue.
// Each word also gets a stem (its base with derivations such as -ness, -ly
// or -ful taken off while WordNet knows what is left), so that the maker
// can keep a puzzle's answers from being forms of one another.
// Words whose most frequent sense WordNet calls offensive, obscene or a slur,
// or marks by usage as disparaging, an ethnic slur or an obscenity, words
// defined by their sexual or bodily sense, and the words of our own short
// block list are left out. Spelling variants (YOGHOURT beside YOGURT) and
// words whose first sense WordNet marks as archaic, slang, colloquial,
// British, a dialect word or a trade name are kept but marked rare.
// Two-word nouns that WordNet lists (GRAND JURY, BLOOD PRESSURE) join the
// words when both words are on the common list, neither is a small linking
// word, the phrase was seen in tagged text (twice, when WordNet calls it
// only a kind of what its last word names) and is not also written as one
// word; they count as common and give the long answers long quotations need.
// Each word also knows its family (LexiconFamily.cpp): the parts of a
// compound (LIGHT-HEADED), the root under a negating prefix (UN-HAPPY), and
// its core (the word less its commonest ending), whose five-letter runs
// tie words such as INFLAMMATORY and NONFLAMMABLE.
// The maker may add words of its own, with a score and written as phrases,
// and take any word out (addWords, removeWords).
#pragma once
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/StringMap.h"

namespace vlq {

// The word data cannot be read: names the missing file and its package.
class LexiconError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct LexiconWord {
    std::string word;    // upper-case letters A..Z
    int tier = 0;        // 0 the most common words, 1 less common
    int count = 0;       // how often its base word (as this part of speech, for a form) was seen in tagged text
    std::string base;    // the lower-case WordNet word it is a form of
    std::string stem;    // the base less derivations: HAPPINESS and HAPPILY have the stem happy
    char pos = 'n';      // part of speech of the definition: n, v, a or r
    std::string gloss;   // the definition when known without WordNet's files
    bool rare = false;   // a spelling variant or a word of marked usage (archaic, slang, British...)
    std::string written; // how the maker's own list writes it, when that differs (ICE CREAM)
    int userScore = -1;  // the maker's score, 0 to 100, for a word of the maker's list; -1 otherwise
    bool phrase = false; // two words WordNet lists as one noun (GRAND JURY), `written` with its space
    std::vector<std::string> family; // compound parts and the root under a prefix (see familyOf)
};

// One word of the maker's own list: letters, spaces, hyphens and
// apostrophes as written; a score from 0 (avoid) to 100 (prefer).
struct UserWord {
    std::string written;
    int score = 50;
};

// A word with what near() compares: lower-case letters, stem and family.
struct WordKeys {
    std::string word, stem;
    std::vector<std::string> family;
};

struct LexiconPaths {
    std::string commonList;  // tier 0 word list
    std::string largerList;  // tier 1 word list
    std::string wordnetDir;  // WordNet's dict folder
    static LexiconPaths debian();
};

class Lexicon {
public:
    Lexicon() = default;

    // Reads the word lists and WordNet; throws LexiconError when a file is
    // missing or unreadable.
    static Lexicon load(const LexiconPaths& paths);

    const std::vector<LexiconWord>& words() const { return words_; }

    // The WordNet word that `word` (any case) is a form of, or the word
    // itself in lower case when WordNet does not know it.
    std::string baseOf(const std::string& word) const;
    // Its base less derivations (see LexiconWord::stem).
    std::string stemOf(const std::string& word) const;

    // Whether two words (lower case) or their stems are too near to stand in
    // one puzzle: the same stem, or one (at least 4 letters) a piece of the
    // other: all of it, or with a word, a prefix or an ending on either side
    // (GOOD-WILL, BOOK-KEEP-ER), not letters that only happen to spell it
    // (CL-EVER, CARE-FULL-Y).
    bool related(const std::string& a, const std::string& stemA, const std::string& b, const std::string& stemB) const;
    // The indices of the words related to words()[index], itself left out.
    std::vector<int> relatedTo(std::size_t index) const;

    // The first definition of the word's most frequent sense, without
    // examples; empty when none can be read.
    std::string definition(const LexiconWord& word) const;

    // Whether the word is in our own list of words never to propose.
    static bool blocked(const std::string& lowerWord);

    // The family keys of a lower-case word: the parts of a compound of two
    // WordNet words of 4 letters or more, and the stem of the word under a
    // negating prefix (non-, un-, in-, im-, ir-, il-, dis-, mis-).
    std::vector<std::string> familyOf(const std::string& lower) const;
    WordKeys keysOf(const std::string& lower) const;
    WordKeys keysOf(const LexiconWord& word) const;
    // The word less its commonest ending (-ation, -ness, -ing, -ed, -s...):
    // one of 4 letters or more leaves at least 2, a shorter one at least 4.
    static std::string coreOf(const std::string& lower);
    // Whether two words are too near for one puzzle: related(), a shared
    // family key (or one beginning or ending the other), or a run of five
    // letters shared by their cores.
    bool near(const WordKeys& a, const WordKeys& b, bool cores = true) const;
    // The five-letter runs of a lower-case word's core, as numbers (for near() without its cores).
    static std::vector<std::uint32_t> coreRuns(const std::string& lower);
    // Whether one word (3 letters or more, no word such as "the" or "which")
    // is a piece of the other that a solver sees, either way round, words
    // or stems: it begins or ends the other as a compound's part, a head
    // or a root under a prefix (AD-JUST, EN-JOY, SAND-WICH, YESTER-DAY,
    // LONGSHORE-MAN), or, 5 letters or more, lies anywhere in it
    // (UN-HEALTH-Y, NECKER-CHIEF). A word of 3 letters counts at the end,
    // or at the start when a word of 3 letters or more follows.
    bool piece(const WordKeys& a, const WordKeys& b) const;
    // The one test of a word family: near() or piece(). It decides whether a
    // draft's word gives its answer away or names another answer, and whether
    // an answer echoes a word of the quotation.
    bool oneFamily(const WordKeys& a, const WordKeys& b) const { return near(a, b) || piece(a, b); }

    // Adds the maker's own words (a word the lexicon has takes the score);
    // words without any letter are skipped.
    void addWords(const std::vector<UserWord>& words);
    // Takes words (any case) out for good.
    void removeWords(const std::vector<std::string>& words);

    // The definitions of the word's senses as its part of speech, most
    // frequent first, without examples; the first is definition().
    std::vector<std::string> senses(const LexiconWord& word) const;
    struct Sense {
        std::string gloss;
        // Seen in tagged text (or no sense of the word was), and marked
        // neither slang, colloquial nor offensive, nor about sex or the body.
        bool common = true;
    };
    // senses(), each with whether a draft may rest on it before other words.
    std::vector<Sense> rankedSenses(const LexiconWord& word) const;
    // How often a lower-case base word was seen in tagged text as a part of
    // speech (n, v, a, r); -1 when WordNet does not list it as that.
    int taggedCount(const std::string& lower, char pos) const;
    // The irregular forms WordNet lists for a base as a part of speech (n, v, a, r), sorted.
    std::vector<std::string> irregularForms(const std::string& base, char pos) const;
    // The first word of each sense's more general synset (a tent: shelter), in order, without repeats.
    std::vector<std::string> broader(const LexiconWord& word) const;
    // For an adverb: the definitions of the adjective senses its senses come
    // from (AWKWARDLY: "lacking grace or skill..."), in order, without examples.
    std::vector<std::string> adjectiveSenses(const LexiconWord& word) const;
    // The other words of the senses' synsets, in order, without repeats.
    std::vector<std::string> synonyms(const LexiconWord& word) const;
    // For an adverb: the words of the adjective synsets its senses come from
    // (ARROGANTLY: arrogant, chesty, self-important), in order, without repeats.
    std::vector<std::string> adjectiveWords(const LexiconWord& word) const;
    // For an adjective: the words of the narrower synsets that WordNet sets
    // around its senses that head a cluster (HARMLESS: innocent), in order,
    // without repeats.
    std::vector<std::string> similarWords(const LexiconWord& word) const;

private:
    struct IndexEntry {
        std::array<long, 4> offset{-1, -1, -1, -1}; // first sense per n, v, a, r
        std::array<std::uint32_t, 4> line{};         // its line in indexText_
        std::array<int, 4> count{};                 // tagged-text count per part of speech
        std::array<bool, 4> plain{};                // some sense writes it in lower case (it is no name only)
    };
    using Index = StringMap<IndexEntry>;
    std::vector<LexiconWord> words_;
    std::string wordnetDir_;
    Index index_;
    std::array<std::string, 4> indexText_; // WordNet's index files
    std::array<std::unordered_map<std::string, std::string>, 4> exceptions_;
    std::array<bool, 4> anyPlain_{}; // whether IndexEntry::plain tells names apart for the part of speech
    // Every word, stem and family key with its word's index, in order, and written backwards.
    std::vector<std::pair<std::string, int>> keys_, reversedKeys_;
    // Every five-letter run of every word's core (26-based code) with its word's index, in order.
    std::vector<std::pair<std::uint32_t, int>> grams_;

    void indexWord(int at);  // adds words_[at] to the keys and runs above (sort afterwards)
    void sortKeys();
    // The synsets of the word's senses as (data line) for its part of speech.
    // `text` is that data file's contents when read already; else the file is read.
    // `tagged`, when given, gets per line whether tagged text used the sense
    // (every line's when none was).
    std::vector<std::string> senseLines(const LexiconWord& word, const std::string* text = nullptr,
                                        std::vector<bool>* tagged = nullptr) const;
    // Per sense, the data line (of data.`file`) that its first pointer marked
    // `symbol` leads to (" @ " the hypernym, " \\ " an adverb's adjective).
    // `text` as for senseLines, when `file` is the word's own data file.
    std::vector<std::string> pointedLines(const LexiconWord& word, std::string_view symbol, const char* file,
                                          const std::string* text = nullptr) const;
    // broader(), reading data.noun from `nounText` when given.
    std::vector<std::string> broaderIn(const LexiconWord& word, const std::string* nounText) const;

    // The base word and part of speech (0..3) of a lower-case word.
    bool findBase(const std::string& lower, std::string& base, int& pos, bool formsOnly = false) const;
};

// An upper-case word (A to Z only, as the lexicon and the letter counts
// hold them) in lower case, as WordNet and the stems spell it.
std::string lowerOf(const std::string& upper);

} // namespace vlq
