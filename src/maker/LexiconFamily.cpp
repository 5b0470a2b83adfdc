// Word families for the lexicon: which words are too near to stand in one
// puzzle beyond sharing a stem (compound parts, negating prefixes, the core
// of a word less its ending), and the maker's own words added to or taken
// out of the lexicon.
#include <algorithm>
#include <cctype>
#include <string_view>

#include "Lexicon.h"

namespace vlq {

namespace {

constexpr std::size_t kGram = 5;
constexpr std::size_t kPart = 4; // the shortest compound part or root that counts

// Endings taken off for a word's core, longest first where they overlap.
constexpr std::string_view kEndings[] = {
    "ations", "ation", "itions", "ition", "ments", "ment", "nesses", "ness", "ingly", "ings", "ing",
    "ously", "ous",   "ities",  "ity",   "ables", "able", "ibly",   "ible", "ally",  "ical", "ers",
    "er",    "est",   "ed",     "es",    "ly",    "s"};

constexpr std::string_view kPrefixes[] = {"non", "un", "in", "im", "ir", "il", "dis", "mis"};

// Other pieces a word is built of, before and after its root.
constexpr std::string_view kMorePrefixes[] = {"re", "be", "de", "pre", "over", "under", "out", "up", "sub", "self", "fore"};
constexpr std::string_view kMoreEndings[] = {"d", "ful", "fully", "ism", "ist", "ists", "ion", "ions", "al", "ive", "ish", "ably", "edly"};

// Endings that happen to be words too (a ness is a headland): no part a
// word shares with others, or every -NESS answer would be near every other.
constexpr std::string_view kSuffixWords[] = {"able", "ible", "less", "ness", "ship", "hood", "ward", "wards", "wise", "some"};

// Words that build no family: articles, pronouns, linking and helping
// words (THE in THEORY, OTHER in MOTHER, WHICH in SANDWICH).
constexpr std::string_view kLinkWords[] = {
    "the", "and", "but", "for", "nor", "yet", "you", "she", "his", "her", "him", "its", "our", "who", "why",
    "how", "all", "any", "are", "was", "has", "had", "can", "may", "not", "off", "out", "own", "per", "too",
    "via", "one", "did", "get", "got", "let", "use", "that", "this", "with", "from", "they", "them", "then",
    "than", "there", "their", "these", "those", "what", "when", "where", "which", "while", "whom", "whose",
    "will", "would", "shall", "should", "could", "must", "have", "been", "being", "into", "onto", "upon",
    "unto", "about", "other", "such", "some", "each", "both", "were", "your", "ours", "mine", "thee", "thou",
    "thy", "hath", "doth", "ever", "here", "once", "very", "also", "only", "does", "done", "said", "says",
    "more", "most", "much", "many", "same", "self", "itself", "ourselves", "thus", "hence", "though",
    "although", "whether", "because", "before", "after", "under", "over", "above", "below", "since", "until"};

std::uint32_t gramCode(std::string_view s) {
    std::uint32_t code = 0;
    for (char c : s) code = code * 26 + static_cast<std::uint32_t>(c - 'a');
    return code;
}

bool lowerLetters(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Whether `part` (4 letters or more) begins or ends `whole`, or is it.
bool atEnd(const std::string& part, const std::string& whole) {
    return part.size() >= kPart && part.size() <= whole.size() && (whole.starts_with(part) || whole.ends_with(part));
}

} // namespace

std::string Lexicon::coreOf(const std::string& lower) {
    // Long endings come off however short the rest (CREATION and NATION
    // share only -ation); short ones leave 4 letters (KIND-NESS, not B-ED).
    for (std::string_view end : kEndings) {
        const std::size_t keep = end.size() >= 4 ? 2 : 4;
        if (lower.size() >= end.size() + keep && lower.ends_with(end)) return lower.substr(0, lower.size() - end.size());
    }
    return lower;
}

std::vector<std::string> Lexicon::familyOf(const std::string& lower) const {
    std::vector<std::string> out;
    const auto add = [&](std::string key) {
        if (key.size() >= kPart && std::find(out.begin(), out.end(), key) == out.end()) out.push_back(std::move(key));
    };
    // Compounds of two words: LIGHT+HEADED, NOTE+WORTHY, NORTH+WEST. A
    // form's parts are its base's (OFFSET, not OFFSET+TING for OFFSETTING).
    const std::string base = baseOf(lower);
    const bool form = base != lower && lowerLetters(base);
    for (std::size_t i = kPart; !form && i + kPart <= lower.size(); ++i) {
        const std::string left = lower.substr(0, i), right = lower.substr(i);
        if (index_.count(left) && index_.count(right)) {
            add(left);
            if (std::find(std::begin(kSuffixWords), std::end(kSuffixWords), right) == std::end(kSuffixWords)) add(right);
        }
    }
    // The root under a negating prefix: UNHAPPY and HAPPINESS, NONFLAMMABLE and FLAMMABLE.
    for (std::string_view prefix : kPrefixes) {
        if (lower.size() < prefix.size() + kPart || !lower.starts_with(prefix)) continue;
        const std::string rest = lower.substr(prefix.size());
        if (!index_.count(rest)) continue;
        add(stemOf(rest));
        add(rest);
    }
    // A form (PHOTOJOURNALISTS, UNHAPPIER) is of its base's family: the
    // dictionary knows the parts only in their plain forms.
    if (form)
        for (std::string& key : familyOf(base)) add(std::move(key));
    return out;
}

WordKeys Lexicon::keysOf(const std::string& lower) const { return {lower, stemOf(lower), familyOf(lower)}; }

WordKeys Lexicon::keysOf(const LexiconWord& word) const { return {lowerOf(word.word), word.stem, word.family}; }

std::vector<std::uint32_t> Lexicon::coreRuns(const std::string& lower) {
    const std::string core = coreOf(lower);
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i + kGram <= core.size(); ++i) out.push_back(gramCode(std::string_view(core).substr(i, kGram)));
    return out;
}

bool Lexicon::related(const std::string& a, const std::string& stemA, const std::string& b,
                      const std::string& stemB) const {
    if (a == b || stemA == stemB) return true;
    // What stands beside a piece: nothing, a word of 3 letters or more, a prefix or an ending.
    const auto beside = [&](std::string_view s, bool before) {
        if (s.empty()) return true;
        if (s.size() >= 3 && index_.count(std::string(s))) return true;
        if (before) return std::find(std::begin(kPrefixes), std::end(kPrefixes), s) != std::end(kPrefixes) ||
                           std::find(std::begin(kMorePrefixes), std::end(kMorePrefixes), s) != std::end(kMorePrefixes);
        return std::find(std::begin(kEndings), std::end(kEndings), s) != std::end(kEndings) ||
               std::find(std::begin(kSuffixWords), std::end(kSuffixWords), s) != std::end(kSuffixWords) ||
               std::find(std::begin(kMoreEndings), std::end(kMoreEndings), s) != std::end(kMoreEndings);
    };
    const auto within = [&](const std::string& part, const std::string& whole) {
        if (part.size() < kPart || part.size() > whole.size()) return false;
        for (auto at = whole.find(part); at != std::string::npos; at = whole.find(part, at + 1))
            if (beside(std::string_view(whole).substr(0, at), true) &&
                beside(std::string_view(whole).substr(at + part.size()), false))
                return true;
        return false;
    };
    for (const std::string* x : {&a, &stemA})
        for (const std::string* y : {&b, &stemB})
            if (within(*x, *y) || within(*y, *x)) return true;
    return false;
}

bool Lexicon::near(const WordKeys& a, const WordKeys& b, bool cores) const {
    if (related(a.word, a.stem, b.word, b.stem)) return true;
    for (const std::string& x : a.family) {
        if (atEnd(x, b.word) || atEnd(x, b.stem)) return true;
        for (const std::string& y : b.family)
            if (atEnd(x, y) || atEnd(y, x)) return true;
    }
    for (const std::string& y : b.family)
        if (atEnd(y, a.word) || atEnd(y, a.stem)) return true;
    if (!cores) return false;
    const std::string x = coreOf(a.word), y = coreOf(b.word);
    for (std::size_t i = 0; i + kGram <= x.size(); ++i)
        if (y.find(std::string_view(x).substr(i, kGram)) != std::string::npos) return true;
    return false;
}

bool Lexicon::piece(const WordKeys& a, const WordKeys& b) const {
    const auto inside = [&](const std::string& part, const std::string& whole) {
        if (part.size() < 3 || part.size() >= whole.size()) return false;
        if (std::find(std::begin(kLinkWords), std::end(kLinkWords), part) != std::end(kLinkWords)) return false;
        if (part.size() >= 5) return whole.find(part) != std::string::npos;
        // An ending that is a word (TABLE, HARDSHIP) is no head.
        const bool suffix = std::find(std::begin(kSuffixWords), std::end(kSuffixWords), part) != std::end(kSuffixWords);
        if (whole.ends_with(part) && !suffix && (part.size() >= 4 || whole.size() - part.size() >= 2)) return true;
        if (!whole.starts_with(part)) return false;
        return part.size() >= 4 || (whole.size() - part.size() >= 3 && index_.count(whole.substr(part.size())));
    };
    for (const std::string* x : {&a.word, &a.stem})
        for (const std::string* y : {&b.word, &b.stem})
            if (inside(*x, *y) || inside(*y, *x)) return true;
    return false;
}

void Lexicon::indexWord(int at) {
    const LexiconWord& word = words_[static_cast<std::size_t>(at)];
    const std::string lower = lowerOf(word.word);
    const auto key = [&](const std::string& k) {
        keys_.emplace_back(k, at);
        reversedKeys_.emplace_back(std::string(k.rbegin(), k.rend()), at);
    };
    key(lower);
    if (word.stem != lower) key(word.stem);
    for (const std::string& f : word.family)
        if (f != lower && f != word.stem) key(f);
    const std::string core = coreOf(lower);
    for (std::size_t i = 0; i + kGram <= core.size(); ++i)
        grams_.emplace_back(gramCode(std::string_view(core).substr(i, kGram)), at);
}

void Lexicon::sortKeys() {
    std::sort(keys_.begin(), keys_.end());
    std::sort(reversedKeys_.begin(), reversedKeys_.end());
    std::sort(grams_.begin(), grams_.end());
    grams_.erase(std::unique(grams_.begin(), grams_.end()), grams_.end());
}

std::vector<int> Lexicon::relatedTo(std::size_t index) const {
    const LexiconWord& w = words_.at(index);
    const std::string lower = lowerOf(w.word);
    std::vector<int> out;
    // Words whose word, stem or family key begins (ends) with a key of ours, or is one.
    const auto from = [&](const std::vector<std::pair<std::string, int>>& keys, const std::string& key, bool equal) {
        auto it = std::lower_bound(keys.begin(), keys.end(), std::make_pair(key, -1));
        for (; it != keys.end() && (equal ? it->first == key : it->first.starts_with(key)); ++it)
            out.push_back(it->second);
    };
    std::vector<std::string> ours{lower, w.stem};
    ours.insert(ours.end(), w.family.begin(), w.family.end());
    for (const std::string& key : ours) {
        from(keys_, key, key.size() < kPart);
        if (key.size() < kPart) continue;
        const std::string backwards(key.rbegin(), key.rend());
        from(reversedKeys_, backwards, false);
        // Words whose keys are a beginning or an end of ours.
        for (std::size_t n = kPart; n < key.size(); ++n) {
            from(keys_, key.substr(0, n), true);
            from(keys_, key.substr(key.size() - n), true);
        }
    }
    // Words whose cores share five letters in a row with ours.
    const std::string core = coreOf(lower);
    for (std::size_t i = 0; i + kGram <= core.size(); ++i) {
        const std::uint32_t code = gramCode(std::string_view(core).substr(i, kGram));
        auto it = std::lower_bound(grams_.begin(), grams_.end(), std::make_pair(code, -1));
        for (; it != grams_.end() && it->first == code; ++it) out.push_back(it->second);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    out.erase(std::remove(out.begin(), out.end(), static_cast<int>(index)), out.end());
    return out;
}

void Lexicon::addWords(const std::vector<UserWord>& list) {
    std::unordered_map<std::string, std::size_t> at;
    for (std::size_t i = 0; i < words_.size(); ++i) at.emplace(words_[i].word, i);
    bool added = false;
    for (const UserWord& u : list) {
        std::string letters;
        for (char c : u.written)
            if (c >= 'a' && c <= 'z')
                letters += static_cast<char>(c - 'a' + 'A');
            else if (c >= 'A' && c <= 'Z')
                letters += c;
        if (letters.empty()) continue;
        const int score = std::clamp(u.score, 0, 100);
        if (const auto it = at.find(letters); it != at.end()) {
            LexiconWord& known = words_[it->second];
            known.userScore = score;
            known.rare = false;
            // The maker's spelling of a phrase stands (ice cream, ice-cream).
            if (std::any_of(u.written.begin(), u.written.end(), [](char c) { return !std::isalpha(static_cast<unsigned char>(c)); }))
                known.written = u.written;
            continue;
        }
        LexiconWord word;
        word.word = letters;
        const std::string lower = lowerOf(letters);
        word.base = baseOf(lower);
        word.stem = lowerLetters(word.base) && index_.count(word.base) ? stemOf(lower) : lower;
        word.family = familyOf(lower);
        word.userScore = score;
        if (u.written != letters) word.written = u.written;
        at.emplace(letters, words_.size());
        words_.push_back(std::move(word));
        indexWord(static_cast<int>(words_.size() - 1));
        added = true;
    }
    if (added) sortKeys();
}

void Lexicon::removeWords(const std::vector<std::string>& list) {
    std::unordered_set<std::string> out;
    for (const std::string& w : list) {
        std::string letters;
        for (char c : w)
            if (c >= 'a' && c <= 'z')
                letters += static_cast<char>(c - 'a' + 'A');
            else if (c >= 'A' && c <= 'Z')
                letters += c;
        if (!letters.empty()) out.insert(letters);
    }
    const auto before = words_.size();
    std::erase_if(words_, [&](const LexiconWord& w) { return out.count(w.word) > 0; });
    if (words_.size() == before) return;
    keys_.clear();
    reversedKeys_.clear();
    grams_.clear();
    for (std::size_t i = 0; i < words_.size(); ++i) indexWord(static_cast<int>(i));
    sortKeys();
}

} // namespace vlq
