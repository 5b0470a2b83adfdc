#include "Lexicon.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <unordered_set>

#include "WordNetFiles.h"

namespace vlq {

namespace {

using namespace wordnet;

// Words never proposed, whatever the dictionaries say of them: slurs and
// vulgar words, and words too easily read as one.
const std::unordered_set<std::string>& blockList() {
    static const std::unordered_set<std::string> words = {
        "arse", "arsehole", "ass", "asshole", "bastard", "bitch", "bollocks", "boob", "bugger", "butt", "chink",
        "cock", "coon", "crap", "cunt", "dago", "damn", "dick", "dildo", "dyke", "fag", "faggot", "fuck",
        "gook", "homo", "honky", "hooker", "horny", "jap", "kike", "nigga", "nigger", "piss", "porn", "prick",
        "pussy", "queer", "rape", "rapist", "retard", "screw", "shit", "slut", "spastic", "spic", "tit",
        "titty", "tranny", "twat", "wank", "wanker", "whore", "wop",
        // Words for people that wound, and words no puzzle should make a solver write.
        "cripple", "crippled", "cretin", "gypsy", "harlot", "heathen", "heathenish", "idiot", "imbecile",
        "lunatic", "midget", "moron", "mulatto", "negro", "negroid", "nympho", "nymphomania", "nymphomaniac",
        "retarded", "savage", "strumpet", "trollop", "wench", "hussy", "bimbo", "swastika", "nazi"};
    return words;
}

// Finds several marks in a text in one pass: a place is compared with the
// marks only when its first two characters begin one of them, and then
// only with the marks whose first three characters it holds.
class MarkFinder {
public:
    explicit MarkFinder(std::vector<std::string_view> marks) : marks_(std::move(marks)) {
        for (std::size_t m = 0; m < marks_.size() && m < 32; ++m) {
            const std::size_t pair = pairOf(marks_[m][0], marks_[m][1]);
            pairs_[pair / 64] |= std::uint64_t{1} << (pair % 64);
            for (std::size_t k = 0; k < kLead; ++k)
                lead_[k][static_cast<unsigned char>(marks_[m][k])] |= std::uint32_t{1} << m;
        }
    }
    // Calls found(m) for every place in `text` where marks[m] begins.
    template <typename F>
    void find(std::string_view text, F&& found) const {
        for (std::size_t i = 0; i + kLead <= text.size(); ++i) {
            const std::size_t pair = pairOf(text[i], text[i + 1]);
            if (!((pairs_[pair / 64] >> (pair % 64)) & 1)) continue;
            std::uint32_t hits = lead_[0][static_cast<unsigned char>(text[i])];
            hits &= lead_[1][static_cast<unsigned char>(text[i + 1])];
            hits &= lead_[2][static_cast<unsigned char>(text[i + 2])];
            for (; hits; hits &= hits - 1) {
                const auto m = static_cast<std::size_t>(std::countr_zero(hits));
                if (text.substr(i).starts_with(marks_[m])) found(m);
            }
        }
    }

private:
    static constexpr std::size_t kLead = 3; // every mark is at least this long
    static std::size_t pairOf(char a, char b) {
        return std::size_t{static_cast<unsigned char>(a)} << 8 | static_cast<unsigned char>(b);
    }
    std::vector<std::string_view> marks_;
    std::array<std::uint64_t, 65536 / 64> pairs_{}; // the first two characters of some mark
    std::array<std::array<std::uint32_t, 256>, kLead> lead_{};
};

// Whether two words of one synset are spellings of one word (YOGURT,
// YOGHOURT; LENGTHWISE, LENGTHWAYS): the same first three letters and at
// most three letters changed, added or dropped.
bool spellings(std::string_view a, std::string_view b) {
    if (a.size() < 4 || b.size() < 4 || a.substr(0, 3) != b.substr(0, 3)) return false;
    if (a.size() > b.size() + 3 || b.size() > a.size() + 3) return false;
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()] <= 3;
}

struct SuffixRule {
    std::string_view from, to;
};
// WordNet's detachment rules per part of speech (adverbs have none).
constexpr SuffixRule kNounRules[] = {{"s", ""},     {"ses", "s"},  {"xes", "x"}, {"zes", "z"},
                                     {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
constexpr SuffixRule kVerbRules[] = {{"s", ""},  {"ies", "y"}, {"es", "e"},  {"es", ""},
                                     {"ed", "e"}, {"ed", ""},   {"ing", "e"}, {"ing", ""}};
constexpr SuffixRule kAdjRules[] = {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};

} // namespace

LexiconPaths LexiconPaths::debian() {
    return {"/usr/share/dict/american-english-small", "/usr/share/dict/american-english", "/usr/share/wordnet"};
}

bool Lexicon::blocked(const std::string& lowerWord) { return blockList().count(lowerWord) > 0; }

// Derivations taken off a base for its stem, each leaving at least 4
// letters that WordNet knows as they are, with a final e restored, or with a
// final i made y again (happi-ness).
constexpr std::string_view kDerivations[] = {"ness", "ly", "ful", "less", "ment", "hood", "ship", "ion", "ous"};

bool Lexicon::findBase(const std::string& lower, std::string& base, int& pos, bool formsOnly) const {
    // The word itself first (unless only its being a form of another word
    // counts), then its exceptions, then the suffix rules; of several parts
    // of speech the one seen most in tagged text wins.
    int bestCount = -1;
    const auto consider = [&](Index::const_iterator it, int p) {
        const IndexEntry& entry = it->second;
        if (entry.offset[static_cast<std::size_t>(p)] < 0) return;
        if (anyPlain_[static_cast<std::size_t>(p)] && !entry.plain[static_cast<std::size_t>(p)]) return; // only a name
        const int c = entry.count[static_cast<std::size_t>(p)];
        if (c > bestCount) {
            bestCount = c;
            base = it->first;
            pos = p;
        }
    };
    const auto lookUp = [&](const std::string& candidate, int p) {
        if (const auto it = index_.find(candidate); it != index_.end()) consider(it, p);
    };
    if (const auto it = formsOnly ? index_.end() : index_.find(lower); it != index_.end())
        for (int p = 0; p < 4; ++p) consider(it, p);
    if (bestCount >= 0) return true;
    for (int p = 0; p < 4; ++p) {
        const auto& exc = exceptions_[static_cast<std::size_t>(p)];
        if (const auto it = exc.find(lower); it != exc.end()) lookUp(it->second, p);
    }
    if (bestCount >= 0) return true;
    std::string candidate;
    const auto applyRules = [&](const auto& rules, int p) {
        for (const SuffixRule& r : rules) {
            if (lower.size() <= r.from.size() || !lower.ends_with(r.from)) continue;
            candidate.assign(lower, 0, lower.size() - r.from.size());
            candidate += r.to;
            lookUp(candidate, p);
        }
    };
    applyRules(kNounRules, 0);
    applyRules(kVerbRules, 1);
    applyRules(kAdjRules, 2);
    return bestCount >= 0;
}

std::string Lexicon::stemOf(const std::string& word) const {
    std::string stem = baseOf(word), form;
    // A word that is also a form of another (thought, thinking) takes that one.
    if (int pos = 0; findBase(stem, form, pos, true) && form.size() <= stem.size() + 1) stem = form;
    for (bool cut = true; cut;) {
        cut = false;
        for (std::string_view suffix : kDerivations) {
            if (stem.size() < suffix.size() + 4 || !stem.ends_with(suffix)) continue;
            const std::string root = stem.substr(0, stem.size() - suffix.size());
            const std::string y = root.back() == 'i' ? root.substr(0, root.size() - 1) + "y" : root;
            for (const std::string& r : {root, root + "e", y}) {
                if (!index_.count(r)) continue;
                if (std::string shorter = baseOf(r); shorter.size() < stem.size()) {
                    stem = std::move(shorter);
                    cut = true;
                }
                break;
            }
            if (cut) break;
        }
    }
    return stem;
}

std::string lowerOf(const std::string& upper) {
    std::string out;
    for (char c : upper) out += static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Lexicon::baseOf(const std::string& word) const {
    std::string lower;
    for (char c : word)
        if (c >= 'A' && c <= 'Z')
            lower += static_cast<char>(c - 'A' + 'a');
        else if (c >= 'a' && c <= 'z')
            lower += c;
    std::string base;
    int pos = 0;
    return findBase(lower, base, pos) ? base : lower;
}

Lexicon Lexicon::load(const LexiconPaths& paths) {
    Lexicon lex;
    lex.wordnetDir_ = paths.wordnetDir;
    const std::string dir = paths.wordnetDir + "/";
    lex.index_.reserve(160000);
    std::vector<std::string> phrases; // the two-word nouns, as index.noun lists them

    for (int p = 0; p < 4; ++p) {
        lex.indexText_[static_cast<std::size_t>(p)] = readWhole(dir + "index." + kPosName[p], "wordnet-base");
        const std::string& text = lex.indexText_[static_cast<std::size_t>(p)];
        forEachLine(text, [&](std::string_view line) {
            if (line.empty() || line[0] == ' ') return; // licence text
            const std::string_view lemma = firstField(line);
            if (!lemmaOfTwo(lemma)) return;
            // lemma pos synset_cnt p_cnt [ptr_symbol...] sense_cnt tagsense_cnt synset_offset...
            // The offsets are the last synset_cnt fields; the first is the most frequent sense.
            std::size_t at = lemma.size() + 1;
            at = line.find(' ', at) + 1; // after pos
            const std::size_t end = line.find(' ', at);
            const int synsets = static_cast<int>(numberOf(line.substr(at, end - at)));
            std::string_view rest = line;
            while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
            std::size_t cut = rest.size();
            for (int i = 0; i < synsets && cut != std::string_view::npos && cut > 0; ++i)
                cut = rest.rfind(' ', cut - 1);
            if (cut == std::string_view::npos || synsets <= 0) return;
            const long offset = numberOf(rest.substr(cut + 1, 8));
            IndexEntry& entry = lex.index_[lemma];
            entry.offset[static_cast<std::size_t>(p)] = offset;
            entry.line[static_cast<std::size_t>(p)] = static_cast<std::uint32_t>(line.data() - text.data());
            if (p == 0 && lemma.find('_') != std::string_view::npos) phrases.emplace_back(lemma);
        });
        const std::string exc = readWhole(dir + kPosName[p] + ".exc", "wordnet-base");
        forEachLine(exc, [&](std::string_view line) {
            const std::string_view form = firstField(line);
            if (form.size() + 1 >= line.size()) return;
            const std::string_view base = firstField(line.substr(form.size() + 1));
            if (allLower(form) && allLower(base))
                lex.exceptions_[static_cast<std::size_t>(p)].emplace(std::string(form), std::string(base));
        });
    }

    // sense_key sense_number tag_cnt, the key being lemma%ss_type:...
    const std::string counts = readWhole(dir + "cntlist.rev", "wordnet-base");
    forEachLine(counts, [&](std::string_view line) {
        const auto pct = line.find('%');
        if (pct == std::string_view::npos || pct + 1 >= line.size()) return;
        const auto it = lex.index_.find(line.substr(0, pct));
        if (it == lex.index_.end()) return;
        int p = line[pct + 1] - '1';
        if (p == 4) p = 2; // adjective satellite
        if (p < 0 || p > 3) return;
        const auto last = line.rfind(' ');
        it->second.count[static_cast<std::size_t>(p)] += static_cast<int>(numberOf(line.substr(last + 1)));
    });

    // Senses WordNet marks as offensive (by a gloss or a usage domain) or as
    // of rare usage, by part of speech and offset; the words that some sense
    // writes in lower case (the others are names); pairs of spellings.
    std::array<std::unordered_set<long>, 4> offensive, bodily, rareUsage;
    std::vector<std::pair<std::string, std::string>> spellingPairs;
    const std::unordered_set<long> offensiveDomains(std::begin(kOffensiveUsage), std::end(kOffensiveUsage));
    const std::unordered_set<long> rareDomains(std::begin(kRareUsage), std::end(kRareUsage));
    // Few glosses carry a mark: all marks are looked for in one pass.
    constexpr auto kMarkCount = std::size(kOffensiveMarks) + std::size(kBodilyMarks);
    static_assert(kMarkCount <= 32, "one bit per mark");
    constexpr auto longEnough = [](std::string_view mark) { return mark.size() >= 3; };
    static_assert(std::all_of(std::begin(kOffensiveMarks), std::end(kOffensiveMarks), longEnough) &&
                  std::all_of(std::begin(kBodilyMarks), std::end(kBodilyMarks), longEnough));
    std::vector<std::string_view> allMarks(std::begin(kOffensiveMarks), std::end(kOffensiveMarks));
    allMarks.insert(allMarks.end(), std::begin(kBodilyMarks), std::end(kBodilyMarks));
    const MarkFinder marks(std::move(allMarks));
    // data.noun stays in memory for the phrases' broader terms below.
    std::string nounText;
    for (int p = 0; p < 4; ++p) {
        std::string data = readWhole(dir + "data." + kPosName[p], "wordnet-base");
        bool& anyPlain = lex.anyPlain_[static_cast<std::size_t>(p)];
        std::vector<std::string_view> members; // of one synset, in lower case
        forEachLine(data, [&](std::string_view line) {
            // offset lex_filenum ss_type w_cnt word lex_id [word lex_id...] p_cnt [ptr...] | gloss
            if (line.empty() || line[0] == ' ') return; // the licence at the top
            const long offset = numberOf(line.substr(0, 8));
            const auto bar = findByRare(line, " | ", 1);
            if (bar != std::string_view::npos)
                marks.find(line.substr(bar + 3), [&](std::size_t m) {
                    auto& into = m < std::size(kOffensiveMarks) ? offensive : bodily;
                    into[static_cast<std::size_t>(p)].insert(offset);
                });
            std::size_t at = 0;
            for (int f = 0; f < 3 && at != std::string_view::npos; ++f) at = line.find(' ', at + 1);
            if (at == std::string_view::npos || at + 3 >= line.size()) return;
            const auto count = std::strtol(std::string(line.substr(at + 1, 2)).c_str(), nullptr, 16);
            at += 4;
            members.clear();
            for (long w = 0; w < count && at < line.size(); ++w) {
                const auto end = std::min(line.find(' ', at), line.size());
                std::string_view word = line.substr(at, end - at);
                word = word.substr(0, word.find('('));
                const bool lower = allLower(word);
                if (lower || lemmaOfTwo(word)) {
                    anyPlain = true;
                    if (const auto it = lex.index_.find(word); it != lex.index_.end())
                        it->second.plain[static_cast<std::size_t>(p)] = true;
                }
                if (lower) members.push_back(word);
                at = line.find(' ', end + 1); // past lex_id
                if (at == std::string_view::npos) break;
                ++at;
            }
            for (std::size_t i = 0; i < members.size(); ++i)
                for (std::size_t j = i + 1; j < members.size(); ++j)
                    if (spellings(members[i], members[j]))
                        spellingPairs.emplace_back(std::string(members[i]), std::string(members[j]));
            const std::string_view head = line.substr(0, bar);
            for (auto u = findByRare(head, " ;u ", 1); u != std::string_view::npos;
                 u = findByRare(head, " ;u ", 1, u + 1)) {
                const long domain = numberOf(head.substr(u + 4, 8));
                if (offensiveDomains.count(domain)) offensive[static_cast<std::size_t>(p)].insert(offset);
                if (rareDomains.count(domain)) rareUsage[static_cast<std::size_t>(p)].insert(offset);
            }
        });
        if (p == 0) nounText = std::move(data);
    }
    // Offensive when the first sense is, or any sense is marked by usage as
    // a slur; bodily when the first sense is about sex or waste.
    auto isOffensive = [&](const std::string& base) {
        const auto it = lex.index_.find(base);
        if (it == lex.index_.end()) return false;
        for (std::size_t p = 0; p < 4; ++p) {
            const long first = it->second.offset[p];
            if (first < 0) continue;
            if (offensive[p].count(first) || bodily[p].count(first)) return true;
            if (offensive[p].empty()) continue;
            bool marked = false;
            forEachSense(std::string_view(lex.indexText_[p]).substr(it->second.line[p]),
                         [&](long sense) { marked = marked || offensive[p].count(sense) > 0; });
            if (marked) return true;
        }
        return false;
    };

    StringMap<bool> common; // a set: the values are unused
    forEachLine(readWhole(paths.commonList, "wamerican-small"), [&](std::string_view w) {
        if (allLower(w)) common[w] = true;
    });
    // Of two spellings the common list's, else the one seen more in tagged
    // text, else WordNet's first, is the word; the other a variant.
    std::unordered_set<std::string> preferred, variants;
    {
        const auto seen = [&](const std::string& w) {
            int n = 0;
            if (const auto it = lex.index_.find(w); it != lex.index_.end())
                for (int c : it->second.count) n += c;
            return n;
        };
        for (const auto& [a, b] : spellingPairs) {
            const bool ca = common.count(a) > 0, cb = common.count(b) > 0;
            const bool aWins = ca != cb ? ca : seen(a) != seen(b) ? seen(a) > seen(b) : true;
            preferred.insert(aWins ? a : b);
            variants.insert(aWins ? b : a);
        }
    }
    auto isRare = [&](const std::string& w, const std::string& base, int pos) {
        if ((variants.count(w) && !preferred.count(w)) || (variants.count(base) && !preferred.count(base)))
            return true;
        const auto it = lex.index_.find(base);
        const long first = it == lex.index_.end() ? -1 : it->second.offset[static_cast<std::size_t>(pos)];
        return first >= 0 && rareUsage[static_cast<std::size_t>(pos)].count(first) > 0;
    };
    std::vector<std::string> all;
    forEachLine(readWhole(paths.largerList, "wamerican"), [&](std::string_view w) {
        if (allLower(w) && w.size() >= 2 && hasVowel(w)) all.emplace_back(w);
    });
    sortOnce(all);

    // The stems of the bases met last, with whether each is offensive: the
    // forms of a word mostly stand together in the list.
    struct BaseFacts {
        std::string base, stem;
        bool offensive = false;
    };
    std::array<BaseFacts, 8> recent;
    std::size_t nextRecent = 0;
    const auto factsOf = [&](const std::string& base) -> const BaseFacts& {
        for (const BaseFacts& facts : recent)
            if (facts.base == base) return facts;
        BaseFacts& facts = recent[nextRecent++ % recent.size()];
        facts = {base, lex.stemOf(base), isOffensive(base)};
        return facts;
    };
    for (const std::string& w : all) {
        std::string base;
        int pos = 0;
        if (!lex.findBase(w, base, pos)) continue;
        const BaseFacts& facts = factsOf(base);
        const std::string& stem = facts.stem;
        if (blocked(w) || blocked(base) || blocked(stem) || facts.offensive) continue;
        const IndexEntry& entry = lex.index_.at(base);
        LexiconWord word;
        for (char c : w) word.word += static_cast<char>(c - 'a' + 'A');
        word.tier = common.count(w) ? 0 : 1;
        // A form counts as seen as often as its base is as that part of speech.
        if (w == base)
            for (int c : entry.count) word.count += c;
        else
            word.count = entry.count[static_cast<std::size_t>(pos)];
        word.base = base;
        word.pos = kPosLetter[pos];
        word.stem = stem;
        word.rare = isRare(w, base, pos);
        word.family = lex.familyOf(w);
        lex.words_.push_back(std::move(word));
        lex.indexWord(static_cast<int>(lex.words_.size() - 1));
    }

    // Two-word nouns, in a fixed order (index.noun is sorted already).
    StringMap<bool> single; // a set of words taken
    single.reserve(lex.words_.size() + phrases.size());
    for (const LexiconWord& w : lex.words_) single[w.word] = true;
    sortOnce(phrases);
    for (const std::string& lemma : phrases) {
        const auto cut = lemma.find('_');
        const std::string first = lemma.substr(0, cut), second = lemma.substr(cut + 1);
        if (first.size() < 3 || second.size() < 3 || !common.count(first) || !common.count(second) ||
            linkingWord(first) || linkingWord(second))
            continue;
        const IndexEntry& entry = lex.index_.at(lemma);
        if (!entry.plain[0]) continue;
        // Seen in tagged text, and as a noun more than as anything else.
        if (entry.count[0] == 0 || *std::max_element(entry.count.begin(), entry.count.end()) > entry.count[0])
            continue;
        LexiconWord word;
        for (char c : first + second) word.word += static_cast<char>(c - 'a' + 'A');
        if (single.count(word.word)) continue;
        const std::string firstStem = lex.stemOf(first), secondStem = lex.stemOf(second);
        if (blocked(first) || blocked(second) || blocked(firstStem) || blocked(secondStem) || isOffensive(lemma) ||
            isOffensive(lex.baseOf(first)) || isOffensive(lex.baseOf(second)))
            continue;
        word.base = lemma;
        word.pos = 'n';
        // Seen once, and only a kind of what its last word names (LINED SNAKE, a colubrid snake): no answer.
        if (entry.count[0] < 2) {
            const auto kinds = lex.broaderIn(word, &nounText);
            if (!kinds.empty() && (kinds.front() == second || kinds.front().ends_with(" " + second))) continue;
        }
        word.written = word.word.substr(0, first.size()) + " " + word.word.substr(first.size());
        word.tier = 0;
        word.count = entry.count[0];
        word.stem = first + second;
        word.rare = isRare(lemma, lemma, 0);
        word.phrase = true;
        for (const std::string& key : {first, firstStem, second, secondStem})
            if (key.size() >= 4 && std::find(word.family.begin(), word.family.end(), key) == word.family.end())
                word.family.push_back(key);
        single[word.word] = true;
        lex.words_.push_back(std::move(word));
        lex.indexWord(static_cast<int>(lex.words_.size() - 1));
    }
    lex.sortKeys();
    return lex;
}

} // namespace vlq
