#include "PuzzleMakerClues.h"

#include <algorithm>
#include <string_view>

#include "DraftWording.h"

namespace vlq {

namespace {

using namespace draft;

// The printable ASCII of a definition, '=' (the answer's separator) made a
// dash and the dictionary's opening quote (`to') an apostrophe.
std::string clean(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F) continue;
        out += c == '=' ? '-' : c == '`' ? '\'' : c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ';' || out.back() == ',')) out.pop_back();
    return out;
}

// A definition without its remarks in brackets: "a portable shelter (usually of canvas...)".
std::string withoutBrackets(const std::string& text) {
    std::string out;
    int depth = 0;
    for (char c : text) {
        if (c == '(') ++depth;
        if (depth == 0) out += c;
        if (c == ')' && depth > 0) --depth;
    }
    std::string tidy;
    for (char c : out)
        if (!(c == ' ' && (tidy.empty() || tidy.back() == ' '))) tidy += c;
    for (std::size_t at; (at = tidy.find(" ;")) != std::string::npos;) tidy.erase(at, 1);
    for (std::size_t at; (at = tidy.find(" ,")) != std::string::npos;) tidy.erase(at, 1);
    return clean(tidy);
}

// The clauses of a definition. A part starting with a capital continues a
// list ("Washington; Oregon"), not a new clause.
std::vector<std::string> clausesOf(const std::string& text) {
    std::vector<std::string> clauses;
    for (const std::string& part : split(text, "; "))
        if (!clauses.empty() && !part.empty() && part[0] >= 'A' && part[0] <= 'Z')
            clauses.back() += "; " + part;
        else
            clauses.push_back(part);
    return clauses;
}

// A definition as read, cleaned, less its notes on how the word is used
// ("sometimes used in combination", "used of a person's appearance") when
// a clause that defines is left. The dictionary's examples are not kept,
// so an "e.g." they followed goes, and a clause that only named what they
// were of ("of metal e.g.") goes with it.
std::string withoutRemarks(const std::string& sense) {
    static constexpr std::string_view kUsageNotes[] = {"used of ", "in combination", "in compounds",
                                                       "in the imperative", "negative constructions",
                                                       "metaphorically", "as intensifiers", "term of address",
                                                       "terms of endearment", "as a combining form"};
    std::vector<std::string> clauses, kept;
    for (std::string clause : clausesOf(clean(sense))) {
        if (clause == "e.g." || clause.ends_with(" e.g.")) {
            clause = clean(clause.substr(0, clause.size() - 4));
            if (clause.starts_with("of ") || clause.empty() || clause == "as in") continue;
        }
        clauses.push_back(clause);
        if (clause.starts_with("(") || std::none_of(std::begin(kUsageNotes), std::end(kUsageNotes), [&](std::string_view r) {
                return clause.find(r) != std::string::npos;
            }))
            kept.push_back(clause);
    }
    return clean(join(kept.empty() ? clauses : kept, "; "));
}

// A clause ending in a list of alternatives ("equal to another in value or
// measure or force or effect or significance etc") with as many of them as
// fit `room`, two at least; empty when that does not fit, or the clause
// ends otherwise.
std::string fewerAlternatives(const std::string& clause, std::size_t room) {
    std::vector<std::string> words = split(clause, " ");
    if (!words.empty() && (words.back() == "etc" || words.back() == "etc.")) words.pop_back();
    // The "or"s of the list, from the last back, each before one word (not
    // "correct or usual or expected time", whose words all go with "time").
    std::vector<std::size_t> ors;
    for (std::size_t end = words.size(); end >= 3 && words[end - 2] == "or" && isLetters(words[end - 1]); end -= 2)
        ors.push_back(end - 2);
    // Cut before a later "or", keeping the first two alternatives.
    for (std::size_t k = 0; k + 1 < ors.size(); ++k) {
        std::vector<std::string> kept(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(ors[k]));
        const std::string text = join(kept, " ");
        if (text.size() <= room) return text;
    }
    return {};
}

// Whole clauses of a definition, from the first, as many as fit `room`;
// a first clause too long for it keeps fewer of the alternatives it ends
// with, or else the result is empty.
std::string fitClauses(const std::string& text, std::size_t room) {
    std::string out;
    for (const std::string& clause : clausesOf(text)) {
        const std::string longer = out.empty() ? clause : out + "; " + clause;
        if (longer.size() > room) {
            if (out.empty()) out = fewerAlternatives(clause, room);
            break;
        }
        out = longer;
    }
    return out;
}

} // namespace

std::string fitDraft(const std::string& definition) { return fitClauses(definition, kDraftClueRoom); }

bool givesAway(const std::string& clue, const std::string& word, const std::string& base, const std::string& stem) {
    const std::string text = lowerText(clue);
    std::string answer;
    for (char c : lowerText(word))
        if (c >= 'a' && c <= 'z') answer += c;
    if (answer.empty()) return false;
    if (text.find(answer) != std::string::npos) return true;
    // Spelled across words too: "in any way" for ANYWAY.
    std::string joined;
    for (char c : text)
        if (c >= 'a' && c <= 'z') joined += c;
    if (answer.size() >= 4 && joined.find(answer) != std::string::npos) return true;
    if (answer.size() > 5 && text.find(answer.substr(0, 5)) != std::string::npos) return true;
    // Words of the clue beginning with the base or the stem.
    std::string words = " ";
    for (char c : text) words += (c >= 'a' && c <= 'z') ? c : ' ';
    for (const std::string* root : {&base, &stem})
        if (root->size() >= 3 && words.find(" " + lowerText(*root)) != std::string::npos) return true;
    // Or with the stem less the ending that makes it a verb: OXIDATION
    // (oxidate) in "the process of oxidizing".
    const std::string root = lowerText(stem);
    for (const std::string_view ending : {"ate", "ize", "ise", "ify"}) {
        if (root.ends_with(ending) && root.size() >= ending.size() + 4 &&
            words.find(" " + root.substr(0, root.size() - ending.size())) != std::string::npos)
            return true;
    }
    return false;
}

bool namesWord(const Lexicon& lexicon, const std::string& clue, const std::vector<WordKeys>& words) {
    std::string letters;
    for (char c : lowerText(clue) + " ") {
        if (c >= 'a' && c <= 'z') {
            letters += c;
            continue;
        }
        if (c == '\'' || letters.empty()) continue; // "one's" is one word
        const WordKeys keys = lexicon.keysOf(letters);
        if (letters.size() >= 3 && std::any_of(words.begin(), words.end(), [&](const WordKeys& w) {
                return lexicon.oneFamily(keys, w);
            }))
            return true;
        letters.clear();
    }
    return false;
}

DraftClue draftClue(const Lexicon& lexicon, const LexiconWord& word) {
    DraftClue out;
    const Form form = formOf(word);
    const std::string answer = word.written.empty() ? word.word : word.written;
    // The stem of the answer as written as well as of its base (EVALUATION: value).
    const std::string ownStem = lexicon.stemOf(lowerOf(word.word));
    // A word of a phrase (LAW for FUNDAMENTAL LAW) or a part of a compound gives it away too.
    std::vector<std::string> parts = word.family;
    std::vector<WordKeys> answerKeys{lexicon.keysOf(word)};
    if (word.phrase)
        for (const std::string& w : split(lowerText(answer), " ")) {
            parts.push_back(w);
            answerKeys.push_back(lexicon.keysOf(w));
        }
    const auto givesAway = [&](const std::string& text, const std::string& a, const std::string& base,
                               const std::string& stem) {
        if (vlq::givesAway(text, a, base, stem) || vlq::givesAway(text, a, base, ownStem)) return true;
        if (std::any_of(parts.begin(), parts.end(),
                        [&](const std::string& part) { return vlq::givesAway(text, a, part, part); }))
            return true;
        // A word of the answer's stem spelled otherwise: "leaves" for LEAFED.
        for (const std::string& w : split(lowerText(text), " ")) {
            std::string letters;
            for (char c : w)
                if (c >= 'a' && c <= 'z') letters += c;
            if (letters.size() < 3) continue;
            if (const std::string its = lexicon.stemOf(letters); its == stem || its == ownStem) return true;
        }
        // A word of the answer's family: "actual or real" for REALISM,
        // "health" for UNHEALTHY.
        return namesWord(lexicon, text, answerKeys);
    };
    // The senses tagged text uses first; the others (AFTERNOON as a
    // greeting, WANDER as being unfaithful) only when nothing else will do.
    const std::vector<Lexicon::Sense> ranked = lexicon.rankedSenses(word);
    const auto define = [&](bool common) {
        for (const Lexicon::Sense& ranking : ranked) {
            if (ranking.common != common) continue;
            const std::string& sense = ranking.gloss;
            // As written, or without its remarks in brackets when that hides the answer or fits.
            const std::string defining = withoutRemarks(sense);
            if (defining.empty()) continue;
            const std::string full = clean(worded(lexicon, defining, form));
            std::string text = full;
            if (!text.empty() && (givesAway(text, answer, word.base, word.stem) || clausesOf(text).front().size() > kDraftClueRoom))
                text = withoutBrackets(text);
            // A verb's, an adverb's or an adjective's definition that says the same twice over
            // ("from this time forth; from now on") keeps the clauses that hide
            // the answer. Later clauses of other definitions are remarks ("usually
            // with a single mast") that do not stand alone.
            if ((word.pos == 'v' || word.pos == 'r' || word.pos == 'a') && givesAway(text, answer, word.base, word.stem)) {
                std::vector<std::string> hiding;
                for (const std::string& clause : clausesOf(text))
                    if (!givesAway(clause, answer, word.base, word.stem)) hiding.push_back(clause);
                // A remark on what the others apply to ("as of a message") says nothing alone.
                const bool remarks = std::all_of(hiding.begin(), hiding.end(), [](const std::string& clause) {
                    return clause.starts_with("as of ") || clause.starts_with("as in ");
                });
                text = remarks ? std::string() : join(hiding, "; ");
            }
            if (text.empty() || givesAway(text, answer, word.base, word.stem)) continue;
            std::string fitted = fitClauses(text, kDraftClueRoom);
            // A first clause too long for a clue, cut before its remark:
            // "pleasing in appearance especially by reason of ..." for HANDSOME.
            if (const auto cut = text.find(" especially "); fitted.empty() && cut != std::string::npos && cut > 10)
                fitted = fitClauses(text.substr(0, cut), kDraftClueRoom);
            if (fitted.empty()) continue;
            if (out.text.empty()) out.text = fitted;
            out.senses.push_back(out.senses.empty() ? fitted : text);
        }
    };
    define(true);
    if (!out.text.empty()) return out;
    // An adverb defined by itself ("in an awkward manner"): by its adjective's definition.
    for (const std::string& sense : lexicon.adjectiveSenses(word)) {
        const std::string defining = withoutRemarks(sense);
        const std::string text = defining.empty() ? defining : fitClauses(withoutBrackets("in a way " + defining), kDraftClueRoom);
        if (text.empty() || givesAway(text, answer, word.base, word.stem)) continue;
        if (out.text.empty()) out.text = text;
        out.senses.push_back(text);
    }
    if (!out.text.empty()) return out;
    // No definition that keeps the answer hidden and fits: a broader word
    // for a noun ("a kind of shelter"), or synonyms.
    std::string text;
    if (word.pos == 'n')
        for (const std::string& b : lexicon.broader(word)) {
            const std::string kind = (form == Form::plural ? "kinds of " : "a kind of ") + b;
            if (text.empty() && kind.size() <= kDraftClueRoom && !givesAway(kind, answer, word.base, word.stem))
                text = kind;
        }
    std::vector<std::string> others;
    // A synonym in figures ("15th" for FIFTEENTH) is the answer written otherwise.
    for (const std::string& s : lexicon.synonyms(word))
        if (!givesAway(s, answer, word.base, word.stem) && std::none_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
            others.push_back(s);
    for (const std::string& s : others) {
        if (!text.empty() && !text.starts_with("same as")) break;
        const std::string longer = text.empty() ? "same as " + s : text + ", " + s;
        if (longer.size() > kDraftClueRoom) break;
        text = longer;
    }
    // An adverb with no other words of its own: by another word for its
    // adjective, the most used first, if seen at all in tagged text:
    // HAUGHTILY "in an overbearing manner".
    std::vector<std::pair<int, std::string>> adjectives;
    for (const std::string& adjective : text.empty() ? lexicon.adjectiveWords(word) : std::vector<std::string>{}) {
        const int seen = lexicon.taggedCount(adjective, 'a');
        // A spelling of the answer's own adjective ("humourous") is no other word.
        if (seen > 0 && adjective.size() >= 3 && lowerOf(word.word).compare(0, 4, adjective, 0, 4) != 0)
            adjectives.emplace_back(-seen, adjective);
    }
    std::stable_sort(adjectives.begin(), adjectives.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [seen, adjective] : adjectives) {
        const bool an = isVowel(adjective[0]) && !adjective.starts_with("uni") && !adjective.starts_with("use");
        const std::string manner = (an ? "in an " : "in a ") + adjective + " manner";
        if (manner.size() > kDraftClueRoom || givesAway(manner, answer, word.base, word.stem)) continue;
        text = manner;
        break;
    }
    // An adjective (not a comparative) with no other words of its own: up
    // to three of the narrower ones it stands for, seen in tagged text.
    int similar = 0;
    for (const std::string& s : text.empty() && form == Form::plain ? lexicon.similarWords(word) : std::vector<std::string>{}) {
        if (s.size() < 4 || lexicon.taggedCount(s, 'a') <= 0 || givesAway(s, answer, word.base, word.stem)) continue;
        const std::string longer = text.empty() ? "similar to " + s : text + ", " + s;
        if (longer.size() > kDraftClueRoom || ++similar > 3) break;
        text = longer;
    }
    if (text.empty()) {
        define(false);
        if (!out.text.empty()) return out;
    }
    out.defined = !text.empty();
    out.text = text.empty() ? std::string(kWriteOne) : clean(text);
    return out;
}

} // namespace vlq
