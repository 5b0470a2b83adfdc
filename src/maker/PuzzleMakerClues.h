// Draft clues for the answers the maker proposes: a definition from
// WordNet that never gives the answer away (it holds neither the answer, nor
// a word beginning with its base or stem, nor its first five letters), made
// of whole clauses that fit a clue (never cut in the middle), and worded for
// the answer's form: a plural defines plurals, a past tense or a gerund
// turns the definition's verbs, a comparative says "more" or "less" or "to a
// greater degree". Notes on how the
// word is used ("often used in combination") are left out, and a verb's or
// an adverb's definition keeps the clauses that hide the answer. An adverb that
// WordNet defines by itself ("in an awkward manner") takes its adjective's
// definition ("in a way lacking grace..."). When no sense can be worded so,
// the clue names synonyms, or asks the maker for one. The
// other usable senses are listed for the maker to choose from.
#pragma once
#include <string>
#include <vector>

#include "Lexicon.h"

namespace vlq {

struct DraftClue {
    std::string text;                // without the draft mark; at most kDraftClueRoom characters
    std::vector<std::string> senses; // the usable definitions, the one chosen first
    bool defined = true;             // false when no definition or synonym would do and the text asks for one
};

// The draft of an answer no definition would do for.
inline constexpr const char* kWriteOne = "no definition found that hides the answer: write one";

// Room for the clue text beside the draft mark in an 80-character clue.
inline constexpr std::size_t kDraftClueRoom = 72;

DraftClue draftClue(const Lexicon& lexicon, const LexiconWord& word);

// A definition as a draft clue: whole clauses from the first, as many as fit
// kDraftClueRoom; empty when even the first does not.
std::string fitDraft(const std::string& definition);

// Whether `clue` gives away the answer `word` (any case): it holds the
// answer (also spelled across words) or its first five letters, or a word of it begins with the
// answer's base or stem (3 letters or more).
bool givesAway(const std::string& clue, const std::string& word, const std::string& base, const std::string& stem);

// Whether a word of `clue` is of the family of one of `words`
// (Lexicon::oneFamily): it gives that answer away, or names it.
bool namesWord(const Lexicon& lexicon, const std::string& clue, const std::vector<WordKeys>& words);

} // namespace vlq
