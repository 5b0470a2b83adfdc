#include "PuzzleMaker.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "AnswerSpread.h"
#include "PuzzleMakerClues.h"
#include "core/PuzzleBuilder.h"

namespace vlq {

// One of a base of three syllables or more (but LIVELIEST), or of two
// unless it ends as HAPPY, NARROW, GENTLE, CLEVER or QUIET do.
bool oddDegree(const LexiconWord& w) {
    if (w.pos != 'a' || w.phrase || !(w.word.ends_with("ER") || w.word.ends_with("EST"))) return false;
    if (w.base == lowerOf(w.word)) return false; // the adjective itself (CLEVER)
    const std::string& base = w.base;
    int syllables = 0;
    bool inVowel = false;
    for (char c : base) {
        const bool vowel = std::string_view("aeiouy").find(c) != std::string_view::npos;
        if (vowel && !inVowel) ++syllables;
        inVowel = vowel;
    }
    if (base.size() > 2 && base.ends_with("e") && !base.ends_with("le") && syllables > 1) --syllables; // silent e
    if (syllables <= 1 || (base.ends_with("y") && syllables <= 3)) return false; // LIVELIEST, UNTIDIER
    if (syllables > 2) return true;
    for (const char* end : {"y", "ow", "le", "er", "et"})
        if (base.ends_with(end)) return false;
    return true;
}

namespace {

constexpr int kMaxSlots = 30;
constexpr std::size_t kOtherSenses = 3; // senses listed under a draft clue besides its own

using Counts = std::array<int, 26>;

std::size_t idx(char upper) { return static_cast<std::size_t>(upper - 'A'); }

std::string label(int k) {
    return k <= 26 ? std::string(1, static_cast<char>('A' + k - 1)) : std::string(2, static_cast<char>('a' + k - 27));
}

std::string letterList(const Counts& counts) {
    std::string out;
    for (std::size_t l = 0; l < 26; ++l) {
        if (counts[l] <= 0) continue;
        if (!out.empty()) out += ", ";
        out += std::to_string(counts[l]) + " " + static_cast<char>('A' + l);
    }
    return out;
}

// One word a slot may take; `tail` counts its letters after the first.
struct Candidate {
    std::array<std::uint8_t, 26> tail{};
    std::uint32_t letters = 0; // bit l set when tail[l] > 0
    int tailLength = 0;
    float cost = 0;         // how much less common the word is
    int level = 0;          // 0 common, 1 less common, 2 rare: the search widens to rarer words as it restarts
    int word = 0;           // index into the lexicon
};

// The letter counts of a tail packed 4 bits per letter, for exact look-up.
struct Key {
    std::uint64_t lo = 0, hi = 0;
    bool operator==(const Key&) const = default;
};
struct KeyHash {
    std::size_t operator()(const Key& k) const {
        return std::hash<std::uint64_t>()(k.lo * 0x9E3779B97F4A7C15ull ^ k.hi);
    }
};
template <typename C>
Key keyOf(const C& counts) {
    Key k;
    for (std::size_t l = 0; l < 13; ++l) k.lo |= static_cast<std::uint64_t>(counts[l] & 15) << (4 * l);
    for (std::size_t l = 13; l < 26; ++l) k.hi |= static_cast<std::uint64_t>(counts[l] & 15) << (4 * (l - 13));
    return k;
}

class TimeUp {};
// Search weights, found by trying them on the sample quotations.
constexpr double kEasyTail = 5.5;    // letters after the first in a word easy to find last
constexpr double kLengthWeight = 2.0; // against leaving long words to the end
constexpr double kJitter = 3.0;       // random spread between equally good words
constexpr std::size_t kTries = 3;     // words tried per slot, and per slot of the last three
constexpr std::size_t kTriesNearEnd = 12;
constexpr double kTierWeight = 16.0;  // against less common words
constexpr double kFormWeight = 4.0;   // against inflected forms (plurals, tenses)
constexpr double kRareWeight = 1.5;   // against words seldom seen in tagged text: per halving of
constexpr double kCommonCount = 4.0;  // the count below 15 (2^4 - 1)
constexpr double kDecay = 0.85;       // how the three weights above fade with each restart
constexpr double kFloor = 0.1;
constexpr double kBalanceWeight = 0.6; // against lengths far from the average (times MakeOptions::balance)
constexpr double kWordJitter = 2.0;   // seeded spread of each word's cost, so seeds differ in their favourites
constexpr double kSeenWeight = 3.0;   // against words other puzzles hold, per doubling of their count,
constexpr double kSeenMost = 5.0;     // at most: a common word others hold still beats a less common one
constexpr double kUserWeight = 0.08;  // per point of the maker's score away from 50
constexpr double kPhraseWeight = 3.0;  // against a two-word phrase where a word would do
constexpr double kUncluedWeight = 8.0; // against an answer no draft clue was found for
constexpr long long kRepolishShare = 10; // of the words tried trading answers, for each round of that
constexpr int kWiden = 3;             // letters added to the longest answer when the search stalls
constexpr int kRestartsPerLevel = 4;  // fresh starts before rarer words are let in
constexpr long long kFirstRun = 20000; // words tried before the first restart
constexpr int kSecondLooks = 6;       // fresh starts among common words after a set with others,
constexpr long long kSecondLookRun = 8 * kFirstRun; // each of at most this many words tried
constexpr std::size_t kMaxSearches = 4;   // searches at once, one per processor
constexpr std::uint32_t kSeedStep = 7919; // between the seeds of searches at once
// A letter left is placed before the next slot is filled when the open
// slots hold fewer words with it than this for each one of it.
constexpr double kScarce = 1000;

// The lower-case letters of an answer as written, and of each of its words
// when it has several (ICE CREAM: icecream, ice, cream).
std::vector<std::string> wordsOf(const std::string& answer) {
    std::vector<std::string> out{lowerOf(lettersOf(answer))};
    std::string word;
    for (char c : answer + " ") {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (c == ' ' && !word.empty()) {
            out.push_back(word);
            word.clear();
        }
    }
    if (out.size() == 2) out.pop_back(); // one word
    return out;
}

// An inflected form (a plural, a tense) rather than the word WordNet lists.
bool isForm(const LexiconWord& w) { return !w.phrase && w.base != lowerOf(w.word); }

// A word the maker takes only when nothing else will do: marked rare by
// the word data, or a comparative English makes with "more".
bool rareWord(const LexiconWord& w) { return w.rare || oddDegree(w); }

// How much less a maker wants the word: less common, a form, seldom seen,
// rare, a phrase; the maker's own score stands instead when it has one.
double wordCost(const LexiconWord& w) {
    if (w.userScore >= 0) return -kUserWeight * (w.userScore - 50);
    const double unseen = std::max(0.0, kCommonCount - std::log2(1.0 + w.count));
    return kTierWeight * w.tier + (isForm(w) ? kFormWeight : 0.0) - 0.25 * std::log1p(w.count) + kRareWeight * unseen +
           (rareWord(w) ? kTierWeight : 0.0) + (w.phrase ? kPhraseWeight : 0.0);
}

class Search {
public:
    // A slot's words, and per letter those that hold it (indices into
    // `words`, in their order) with their counts up to each level.
    struct Holders {
        std::array<std::vector<int>, 26> of;
        std::array<std::array<int, 26>, 3> upTo{};
    };
    struct Slot {
        std::vector<Candidate>* words = nullptr;
        std::unordered_map<Key, std::vector<int>, KeyHash>* exact = nullptr;
        const Holders* holders = nullptr;
    };

    Search(std::vector<Slot> slots, Counts budget, const Lexicon& lexicon, std::uint32_t seed, double seconds,
           long long maxSteps, long long polish, double balance, const std::atomic<bool>* stop = nullptr)
        : stop_(stop), balance_(balance), slots_(std::move(slots)), budget_(budget), lexicon_(lexicon), blocked_(lexicon.words().size(), 0),
          related_(lexicon.words().size()), known_(lexicon.words().size(), 0), rng_(seed), maxSteps_(maxSteps),
          polish_(polish),
          deadline_(std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                            std::chrono::duration<double>(seconds))) {
        for (int c : budget_) left_ += c;
        // Letter shares of the words' tails: what an ordinary remainder looks like.
        double total = 0;
        ending_.assign(lexicon.words().size(), 0);
        theme_.assign(lexicon.words().size(), 0);
        for (const Slot& s : slots_)
            for (const Candidate& c : *s.words) {
                for (std::size_t l = 0; l < 26; ++l) share_[l] += c.tail[l], total += c.tail[l];
                const LexiconWord& word = lexicon.words()[static_cast<std::size_t>(c.word)];
                const std::string lower = lowerOf(word.word);
                ending_[static_cast<std::size_t>(c.word)] = endingClass(lower, word.pos);
                theme_[static_cast<std::size_t>(c.word)] = themeOf(lower);
            }
        for (double& v : share_) v = total > 0 ? v / total : 1.0 / 26;
        start_ = budget_;
        notePresent();
        chosen_.assign(slots_.size(), -1);
        chosenSlots_ = chosen_;
        for (std::size_t s = 0; s < slots_.size(); ++s) pos_.push_back(s);
        best_ = chosen_;
        bestLeft_ = left_;
    }

    // Fills every slot or gives up at the deadline; `best()` then holds the
    // set or the best partial set found (word per slot, -1 for none). Once a
    // set is found, fresh starts look for one of more common words a while.
    // Answers have minTail to maxTail letters after the first, and up to
    // widest when the search stalls.
    bool run(int minTail, int maxTail, int widest) {
        minTail_ = minTail;
        maxTail_ = maxTail;
        widest_ = std::max(widest, maxTail);
        avgTail_ = slots_.empty() ? 0.0 : static_cast<double>(left_) / static_cast<double>(slots_.size());
        long long limit = kFirstRun;
        try {
            for (;;) {
                stepLimit_ = steps_ + limit;
                noise_.seed(rng_());
                cut_ = false;
                try {
                    if (fill(0)) {
                        found_ = true;
                        keepIfBetter();
                        improve();
                        secondLook(std::min(limit, kSecondLookRun));
                        restoreBest();
                        return true;
                    }
                    if (!cut_ && level_ == 2 && maxTail_ >= widest_) return false; // every word tried everywhere
                } catch (const Restart&) {
                }
                clear();
                limit = limit * 3 / 2;
                // Each fresh start cares a little less for common words.
                preference_ = std::max(kFloor, preference_ * kDecay);
                if (++restarts_ % kRestartsPerLevel != 0) continue;
                // Longer answers of common words, then less common words,
                // and rare words last.
                if (level_ == 0 && maxTail_ < widest_) {
                    maxTail_ = std::min(widest_, maxTail_ + kWiden);
                    preference_ = 1.0;
                    limit = kFirstRun;
                } else if (level_ < 2) {
                    ++level_;
                }
            }
        } catch (const TimeUp&) {
            if (found_) restoreBest();
            return found_;
        }
    }

    const std::vector<int>& best() const { return best_; }

    // After a complete set: the given words made dearer by `extra` and the
    // set's answers traded again, so that they give way where they can.
    void repolish(const std::vector<int>& dearer, float extra) {
        if (!found_) return;
        std::vector<std::vector<Candidate>*> lists;
        for (const Slot& s : slots_)
            if (std::find(lists.begin(), lists.end(), s.words) == lists.end()) lists.push_back(s.words);
        for (std::vector<Candidate>* list : lists)
            for (Candidate& c : *list)
                if (std::find(dearer.begin(), dearer.end(), c.word) != dearer.end()) c.cost += extra;
        restoreBest();
        bestCost_ = setCost();
        try {
            improve(polish_ / kRepolishShare);
        } catch (const TimeUp&) {
        }
        restoreBest();
    }
    int maxTail() const { return maxTail_; }
    long long steps() const { return steps_; }
    bool outOfSteps() const { return steps_ > maxSteps_; }

private:
    class Restart {};
    const std::atomic<bool>* stop_; // set: give up as at the deadline
    double balance_ = 1.0, avgTail_ = 0;
    int widest_ = 0;
    std::vector<Slot> slots_;
    Counts budget_;
    Counts start_{};
    int left_ = 0;
    const Lexicon& lexicon_;
    // How many chosen words each word is, or is related to; those of each word taken so far.
    std::vector<int> blocked_;
    std::vector<std::uint8_t> ending_, theme_; // per word: its ending class and theme (AnswerSpread.h)
    std::array<int, kEndingClasses> endings_{}; // answers chosen per ending class and theme
    std::array<int, kThemes> themes_{};
    std::vector<std::vector<int>> related_;
    std::vector<char> known_;
    std::mt19937 rng_, noise_;
    long long maxSteps_, polish_;
    std::chrono::steady_clock::time_point deadline_;
    std::array<double, 26> share_{};
    std::vector<int> chosen_, best_;
    std::vector<int> chosenSlots_, bestSlots_; // the candidates chosen per slot (indices into its words)
    std::vector<std::size_t> pos_; // the slot filled at each depth
    int bestLeft_ = 0;
    std::uint32_t present_ = 0; // bit l set while budget_[l] > 0
    bool cut_ = false; // some words that fit were left untried
    std::size_t bestDepth_ = 0;
    long long steps_ = 0, stepLimit_ = 0;
    int minTail_ = 0, maxTail_ = 0;
    double preference_ = 1.0;
    bool found_ = false;
    double cost_ = 0; // of the words chosen
    double bestCost_ = 1e300; // of the cheapest complete set found
    int restarts_ = 0, level_ = 0;

    void clear() {
        std::fill(chosen_.begin(), chosen_.end(), -1);
        std::fill(chosenSlots_.begin(), chosenSlots_.end(), -1);
        std::fill(blocked_.begin(), blocked_.end(), 0);
        endings_.fill(0);
        themes_.fill(0);
        budget_ = start_;
        notePresent();
        for (std::size_t s = 0; s < pos_.size(); ++s) pos_[s] = s;
        left_ = 0;
        for (int c : budget_) left_ += c;
        cost_ = 0;
    }
    void notePresent() {
        present_ = 0;
        for (std::size_t l = 0; l < 26; ++l)
            if (budget_[l] > 0) present_ |= 1u << l;
    }
    const Candidate& candidate(std::size_t slot, int i) const { return (*slots_[slot].words)[static_cast<std::size_t>(i)]; }
    // What a word costs in the finished set: how uncommon, and how far from the average length.
    double value(const Candidate& c) const {
        const double off = c.tailLength - avgTail_;
        return c.cost + balance_ * kBalanceWeight * off * off / (avgTail_ + 1.0);
    }

    // Once a set is found: take out the costliest answer with two others and
    // put in the cheapest words that fit their letters exactly, while that
    // lowers the set's cost; when no three will do, with three others (or
    // until the steps for it run out).
    void improve(long long budget = -1) {
        const long long end = steps_ + (budget < 0 ? polish_ : budget);
        std::vector<double> least(slots_.size(), 0.0);
        for (std::size_t s = 0; s < slots_.size(); ++s) {
            double m = 1e9;
            for (const Candidate& c : *slots_[s].words) m = std::min(m, value(c));
            least[s] = m;
        }
        const std::size_t n = slots_.size();
        if (n < 3) return;
        for (bool better = true; better && steps_ < end;) {
            better = false;
            std::vector<std::size_t> order(n);
            for (std::size_t s = 0; s < n; ++s) order[s] = s;
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                return value(candidate(a, chosenSlots_[a])) - least[a] > value(candidate(b, chosenSlots_[b])) - least[b];
            });
            for (std::size_t others = 2; others <= 3 && !better && others < n; ++others) {
                for (std::size_t w = 0; w < std::min<std::size_t>(n, others == 2 ? 4 : 2) && !better && steps_ < end;
                     ++w) {
                    const std::size_t i = order[w];
                    if (value(candidate(i, chosenSlots_[i])) - least[i] < 1e-6) break; // the cheapest already
                    std::vector<std::vector<std::size_t>> groups;
                    for (std::size_t j = 0; j < n; ++j)
                        for (std::size_t k = j + 1; k < n; ++k) {
                            if (j == i || k == i) continue;
                            if (others == 2) {
                                groups.push_back({i, j, k});
                                continue;
                            }
                            for (std::size_t l = k + 1; l < n; ++l)
                                if (l != i) groups.push_back({i, j, k, l});
                        }
                    for (std::size_t p = groups.size(); p > 1; --p) std::swap(groups[p - 1], groups[noise_() % p]);
                    for (const auto& group : groups) {
                        if (steps_ >= end) break;
                        if (refill(group, least)) {
                            better = true;
                            break;
                        }
                    }
                }
            }
        }
        keepIfBetter();
    }

    // What the set chosen costs, and keeping it when it is the cheapest yet.
    double setCost() const {
        double c = 0;
        for (std::size_t s = 0; s < slots_.size(); ++s) c += value(candidate(s, chosenSlots_[s]));
        return c;
    }
    void keepIfBetter() {
        if (const double c = setCost(); c < bestCost_ - 1e-9) {
            bestCost_ = c;
            best_ = chosen_;
            bestSlots_ = chosenSlots_;
        }
    }
    void restoreBest() {
        clear();
        for (std::size_t s = 0; s < slots_.size(); ++s) take(s, candidate(s, bestSlots_[s]));
        best_ = chosen_;
    }

    // A set holding less common words than the first ones tried: a few
    // fresh starts among those first ones alone, each set found improved
    // in turn; the cheapest set stands.
    void secondLook(long long limit) {
        bool plain = true;
        for (std::size_t s = 0; s < slots_.size(); ++s) plain = plain && candidate(s, chosenSlots_[s]).level == 0;
        if (plain) return;
        const int level = level_;
        for (int look = 0; look < kSecondLooks; ++look) {
            clear();
            level_ = 0;
            noise_.seed(rng_());
            stepLimit_ = steps_ + limit;
            try {
                if (fill(0)) {
                    keepIfBetter();
                    improve();
                }
            } catch (const Restart&) {
            }
        }
        level_ = level;
    }

    // The slots of `group` refilled with the cheapest words that fit what
    // they held (the last by exact look-up); whether that lowered the cost.
    bool refill(const std::vector<std::size_t>& group, const std::vector<double>& least) {
        const std::size_t m = group.size();
        std::vector<int> was(m), trial(m), found;
        double before = 0;
        for (std::size_t g = 0; g < m; ++g) {
            was[g] = chosenSlots_[group[g]];
            before += value(candidate(group[g], was[g]));
        }
        for (std::size_t g = 0; g < m; ++g) give(group[g], candidate(group[g], was[g]));
        std::vector<double> leastAfter(m + 1, 0.0);
        for (std::size_t g = m; g-- > 0;) leastAfter[g] = leastAfter[g + 1] + least[group[g]];
        double best = before - 1e-6;
        // Depth-first over all but the last slot, cheapest first.
        const auto search = [&](auto&& self, std::size_t g, double spent) -> void {
            const std::size_t slot = group[g];
            if (g + 1 == m) {
                const auto it = slots_[slot].exact->find(keyOf(budget_));
                if (it == slots_[slot].exact->end()) return;
                for (int c : it->second) {
                    const Candidate& z = candidate(slot, c);
                    if (z.tailLength != left_ || !free(z.word) || !fits(z)) continue;
                    if (spent + value(z) < best) {
                        best = spent + value(z);
                        trial[g] = c;
                        found = trial;
                    }
                }
                return;
            }
            const auto& words = *slots_[slot].words;
            for (std::size_t a = 0; a < words.size(); ++a) {
                const Candidate& x = words[a];
                tick();
                if (spent + value(x) + leastAfter[g + 1] >= best || !free(x.word) || !fits(x)) continue;
                take(slot, x);
                trial[g] = static_cast<int>(a);
                self(self, g + 1, spent + value(x));
                give(slot, x);
            }
        };
        search(search, 0, 0.0);
        const std::vector<int>& use = found.empty() ? was : found;
        for (std::size_t g = 0; g < m; ++g) take(group[g], candidate(group[g], use[g]));
        if (found.empty()) return false;
        keepIfBetter();
        return true;
    }

    void tick() {
        if (++steps_ > maxSteps_) throw TimeUp();
        if ((steps_ & 1023) == 0 &&
            ((stop_ && stop_->load(std::memory_order_relaxed)) || std::chrono::steady_clock::now() > deadline_))
            throw TimeUp();
    }

    bool fits(const Candidate& c) const {
        if ((c.letters & ~present_) != 0) return false; // a letter none is left of
        if (c.level > level_ || c.tailLength > maxTail_ || c.tailLength < minTail_) return false;
        for (std::size_t l = 0; l < 26; ++l)
            if (c.tail[l] > budget_[l]) return false;
        return true;
    }
    void take(std::size_t slot, const Candidate& c) {
        // Letters only run out here, in the one pass over them.
        for (std::size_t l = 0; l < 26; ++l)
            if ((budget_[l] -= c.tail[l]) <= 0) present_ &= ~(1u << l);
        left_ -= c.tailLength;
        cost_ += c.cost;
        chosen_[slot] = c.word;
        chosenSlots_[slot] = static_cast<int>(&c - slots_[slot].words->data());
        block(c.word, 1);
        ++endings_[ending_[static_cast<std::size_t>(c.word)]];
        ++themes_[theme_[static_cast<std::size_t>(c.word)]];
    }
    // Not near an answer chosen, and neither a third of an ending nor a second of a theme.
    bool free(int word) const {
        const auto w = static_cast<std::size_t>(word);
        return blocked_[w] == 0 && (ending_[w] == 0 || endings_[ending_[w]] < kMostPerEnding) &&
               (theme_[w] == 0 || themes_[theme_[w]] == 0);
    }
    void block(int word, int by) {
        const auto w = static_cast<std::size_t>(word);
        if (!known_[w]) related_[w] = lexicon_.relatedTo(w), known_[w] = 1;
        blocked_[w] += by;
        for (int r : related_[w]) blocked_[static_cast<std::size_t>(r)] += by;
    }
    void give(std::size_t slot, const Candidate& c) {
        for (std::size_t l = 0; l < 26; ++l)
            if ((budget_[l] += c.tail[l]) > 0) present_ |= 1u << l;
        left_ += c.tailLength;
        cost_ -= c.cost;
        chosen_[slot] = -1;
        chosenSlots_[slot] = -1;
        block(c.word, -1);
        --endings_[ending_[static_cast<std::size_t>(c.word)]];
        --themes_[theme_[static_cast<std::size_t>(c.word)]];
    }
    bool lengthFits(int tail, std::size_t restAfter) const {
        const int rest = left_ - tail;
        return rest >= minTail_ * static_cast<int>(restAfter) && rest <= maxTail_ * static_cast<int>(restAfter);
    }

    void noteBest(std::size_t depth) {
        if (found_) return;
        if (depth > bestDepth_ || (depth == bestDepth_ && left_ < bestLeft_)) {
            bestDepth_ = depth;
            bestLeft_ = left_;
            best_ = chosen_;
        }
    }

    // The last slot: a word whose tail is exactly what is left.
    bool finishLast(std::size_t depth) {
        const std::size_t slot = pos_[depth];
        const Slot& s = slots_[slot];
        const auto it = s.exact->find(keyOf(budget_));
        if (it == s.exact->end() || left_ > 15 * 26) return false;
        for (int i : it->second) {
            const Candidate& c = (*s.words)[static_cast<std::size_t>(i)];
            if (c.tailLength == left_ && free(c.word) && c.level <= level_ && c.tailLength <= maxTail_ &&
                c.tailLength >= minTail_) {
                take(slot, c);
                return true;
            }
        }
        return false;
    }

    // The last three slots: every word of the first that fits, against every
    // word of the second that fits what is left, against an exact look-up
    // for the last; common words first.
    bool finishThree(std::size_t depth) {
        const std::size_t a = pos_[depth], b = pos_[depth + 1];
        std::vector<const Candidate*> first, second;
        for (const Candidate& c : *slots_[a].words)
            if (free(c.word) && lengthFits(c.tailLength, 2) && fits(c)) first.push_back(&c);
        for (const Candidate& c : *slots_[b].words)
            if (fits(c)) second.push_back(&c);
        for (const Candidate* x : first) {
            take(a, *x);
            noteBest(depth + 1);
            for (const Candidate* y : second) {
                tick();
                if (!lengthFits(y->tailLength, 1) || !fits(*y) || !free(y->word)) continue;
                take(b, *y);
                if (finishLast(depth + 2)) return true;
                noteBest(depth + 2);
                give(b, *y);
            }
            give(a, *x);
        }
        return false;
    }

    // The letter left that the fewest words of the open slots hold for each
    // one of it, when they are few enough that it should be placed first.
    int scarceLetter(std::size_t depth) const {
        int scarce = -1;
        double fewest = kScarce;
        for (std::size_t l = 0; l < 26; ++l) {
            if (budget_[l] <= 0) continue;
            int holders = 0;
            for (std::size_t p = depth; p < pos_.size(); ++p) holders += slots_[pos_[p]].holders->upTo[static_cast<std::size_t>(level_)][l];
            const double per = static_cast<double>(holders) / budget_[l];
            if (per < fewest) fewest = per, scarce = static_cast<int>(l);
        }
        return scarce;
    }

    bool fill(std::size_t depth) {
        noteBest(depth);
        const std::size_t rest = slots_.size() - depth;
        if (rest == 0) return left_ == 0;
        if (rest == 1) return finishLast(depth);
        if (steps_ > stepLimit_) throw Restart();
        if (rest == 3) return finishThree(depth);
        if (rest == 2) {
            // Every word of this slot against an exact look-up for the last.
            const std::size_t slot = pos_[depth];
            for (const Candidate& c : *slots_[slot].words) {
                tick();
                if (!lengthFits(c.tailLength, 1) || !fits(c) || !free(c.word)) continue;
                take(slot, c);
                if (finishLast(depth + 1)) return true;
                noteBest(depth + 1);
                give(slot, c);
            }
            return false;
        }
        // The words to rank: when a letter left is scarce, those of every
        // open slot that hold it (one of them must); else those of the next slot.
        struct Ranked {
            float score;
            std::uint16_t at; // the depth whose slot the word is for
            int index;
            bool operator<(const Ranked& o) const { return score < o.score; }
        };
        std::vector<Ranked> ranked;
        const auto rank = [&](std::size_t at, int index) {
            const Candidate& c = (*slots_[pos_[at]].words)[static_cast<std::size_t>(index)];
            tick();
            if (!lengthFits(c.tailLength, rest - 1) || !fits(c) || !free(c.word)) return;
            // Rank the words that fit by how ordinary the remainder stays.
            const double after = left_ - c.tailLength;
            double deviation = 0;
            for (std::size_t l = 0; l < 26; ++l) {
                const double expect = after * share_[l];
                const double d = budget_[l] - c.tail[l] - expect;
                deviation += d * d / (expect + 1.0);
            }
            // Long words are hard to find last: leave the last ones short.
            const double longer = std::max(0.0, after / static_cast<double>(rest - 1) - kEasyTail);
            const double jitter = static_cast<double>(noise_() >> 8) / static_cast<double>(1u << 24);
            const double off = c.tailLength - avgTail_;
            const double score = deviation + preference_ * c.cost + kLengthWeight * longer * longer +
                                 kJitter * jitter + balance_ * kBalanceWeight * off * off / (avgTail_ + 1.0);
            ranked.push_back({static_cast<float>(score), static_cast<std::uint16_t>(at), index});
        };
        if (const int scarce = scarceLetter(depth); scarce >= 0) {
            for (std::size_t at = depth; at < pos_.size(); ++at)
                for (int i : slots_[pos_[at]].holders->of[static_cast<std::size_t>(scarce)]) rank(at, i);
        } else {
            for (std::size_t i = 0; i < slots_[pos_[depth]].words->size(); ++i) rank(depth, static_cast<int>(i));
        }
        const std::size_t tries = std::min<std::size_t>(ranked.size(), rest <= 3 ? kTriesNearEnd : kTries);
        cut_ = cut_ || tries < ranked.size();
        std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(tries), ranked.end());
        for (std::size_t t = 0; t < tries; ++t) {
            // The word's slot is filled at this depth.
            std::swap(pos_[depth], pos_[ranked[t].at]);
            const std::size_t slot = pos_[depth];
            const Candidate& c = (*slots_[slot].words)[static_cast<std::size_t>(ranked[t].index)];
            take(slot, c);
            if (fill(depth + 1)) return true;
            give(slot, c);
            std::swap(pos_[depth], pos_[ranked[t].at]);
        }
        return false;
    }
};

} // namespace

std::vector<SourceProblem> makingProblems(const std::string& written, const std::string& title,
                                          const MakeOptions& options) {
    std::vector<SourceProblem> out;
    auto problem = [&](int line, std::string what) { out.push_back({line, std::move(what)}); };
    const ParsedSource parsed = parsePuzzleSource(plainSourceText(written), title, true);
    out = parsed.problems;
    const PuzzleSource& src = parsed.source;
    const QuotationSquares quote = quotationSquares(src.quotation, src.quotationLine);
    out.insert(out.end(), quote.problems.begin(), quote.problems.end());
    const SourceSpelling spelling = sourceSpelling(src.source, src.sourceLine);
    out.insert(out.end(), spelling.problems.begin(), spelling.problems.end());
    const std::string& spelled = spelling.letters;
    const int slots = static_cast<int>(spelled.size());
    if (slots > kMaxSlots)
        problem(src.sourceLine,
                "the source spells " + std::to_string(slots) + " letters; a puzzle has at most 30 clues");
    if (slots == 0 && spelling.problems.empty())
        problem(src.sourceLine, "the source has no letters for the answers to start with");
    if (static_cast<int>(src.clues.size()) > slots)
        problem(src.clues.back().line, "there are more clue lines than letters in the source (" + spelled + ")");
    if (options.minLength < 2 || options.maxLength > 31 || options.minLength > options.maxLength ||
        !(options.balance >= 0 && options.balance <= 10))
        problem(0, "answer lengths must lie within 2 to 31 letters, the shortest no longer than the longest, "
                   "and the balance within 0 to 10");
    return out;
}

MakeResult makePuzzle(const std::string& written, const std::string& title, const Lexicon& lexicon,
                      const MakeOptions& options) {
    const std::string text = plainSourceText(written);
    const auto started = std::chrono::steady_clock::now();
    MakeResult result;
    auto problem = [&](int line, std::string what) { result.problems.push_back({line, std::move(what)}); };

    result.problems = makingProblems(text, title, options);
    const ParsedSource parsed = parsePuzzleSource(text, title, true);
    const PuzzleSource& src = parsed.source;
    const QuotationSquares quote = quotationSquares(src.quotation, src.quotationLine);
    const std::string spelled = sourceSpelling(src.source).letters;
    const int slots = static_cast<int>(spelled.size());
    if (!result.problems.empty()) return result;

    Counts budget{};
    for (auto b : quote.squares)
        if (b >= 'A' && b <= 'Z') ++budget[idx(static_cast<char>(b))];

    // Kept answers and the letters they use.
    result.answers.resize(static_cast<std::size_t>(slots));
    // Words the new answers must not be, contain, or share a stem with: the
    // kept answers, the quotation's own words and --avoid; as (word, stem).
    std::vector<WordKeys> avoid;
    const auto keepOut = [&](const std::string& text) {
        const std::string lower = lowerOf(lettersOf(text));
        if (lower.empty()) return;
        for (const auto& a : avoid)
            if (a.word == lower) return;
        avoid.push_back(lexicon.keysOf(lower));
    };
    for (int k = 0; k < slots; ++k) {
        auto& made = result.answers[static_cast<std::size_t>(k)];
        if (k >= static_cast<int>(src.clues.size())) continue;
        const SourceClue& clue = src.clues[static_cast<std::size_t>(k)];
        const std::string letters = lettersOf(clue.answer);
        if (letters.empty()) continue;
        if (letters[0] != spelled[static_cast<std::size_t>(k)]) {
            problem(clue.line, "clue " + clue.label + " answer " + letters + " starts with " + letters[0] +
                                   " but letter " + std::to_string(k + 1) + " of the source is " +
                                   spelled[static_cast<std::size_t>(k)]);
            continue;
        }
        made.answer = clue.answer;
        made.clue = clue.text;
        made.kept = true;
        for (char c : letters) --budget[idx(c)];
        keepOut(letters);
    }
    Counts over{};
    bool overused = false;
    for (std::size_t l = 0; l < 26; ++l)
        if (budget[l] < 0) over[l] = -budget[l], overused = true;
    if (overused) problem(src.quotationLine, "the kept answers use letters the quotation lacks: " + letterList(over));

    // The first letters of the answers still to find come off the top.
    std::vector<int> open;
    for (int k = 0; k < slots; ++k)
        if (!result.answers[static_cast<std::size_t>(k)].kept) {
            open.push_back(k);
            --budget[idx(spelled[static_cast<std::size_t>(k)])];
        }
    Counts lacking{};
    bool lacks = false;
    for (std::size_t l = 0; l < 26; ++l)
        if (!overused && budget[l] < 0) lacking[l] = -budget[l], lacks = true;
    if (lacks)
        problem(src.sourceLine, "the answers must start with more of these letters than the quotation has: " +
                                    letterList(lacking));
    if (!result.problems.empty()) return result;

    int left = 0;
    for (int c : budget) left += c;
    for (std::size_t l = 0; l < 26; ++l) result.pool += std::string(static_cast<std::size_t>(budget[l]), static_cast<char>('A' + l));
    const int openCount = static_cast<int>(open.size());
    // Lengths: as given; when they may widen, long enough for the average
    // answer with room to spare, and up to a few letters more when stalled.
    int minLength = options.minLength, maxLength = options.maxLength, widest = maxLength;
    if (options.widen && openCount > 0) {
        const int average = (left + openCount + openCount - 1) / openCount;
        maxLength = std::min(31, std::max(maxLength, average + 2));
        widest = std::min(31, std::max(maxLength, average + 2 + 2 * kWiden));
    }
    result.minLength = minLength;
    result.maxLength = maxLength;
    if (openCount == 0) {
        if (left != 0) problem(src.quotationLine, "the kept answers leave letters over: " + letterList(budget));
    } else if (left + openCount < openCount * minLength || left + openCount > openCount * widest) {
        problem(src.quotationLine, std::to_string(openCount) + " answers of " + std::to_string(minLength) +
                                       " to " + std::to_string(widest) + " letters cannot hold the " +
                                       std::to_string(left + openCount) + " letters left; change --min or --max");
    }
    if (!result.problems.empty()) return result;

    {
        std::string word;
        for (char ch : src.quotation + " ") {
            if (std::isalpha(static_cast<unsigned char>(ch))) {
                word += ch;
            } else if (ch != '\'' && !word.empty()) {
                keepOut(word);
                word.clear();
            }
        }
        for (const std::string& w : options.avoid) keepOut(w);
    }

    // Candidate words per first letter, the most common first and in seeded
    // order within a tier.
    std::array<std::vector<Candidate>, 26> byLetter;
    std::array<std::unordered_map<Key, std::vector<int>, KeyHash>, 26> exact;
    std::array<bool, 26> needed{};
    for (int k : open) needed[idx(spelled[static_cast<std::size_t>(k)])] = true;
    std::mt19937 order(options.seed);
    const auto& words = lexicon.words();
    std::unordered_set<std::uint32_t> avoidRuns;
    for (const WordKeys& a : avoid)
        for (std::uint32_t r : Lexicon::coreRuns(a.word)) avoidRuns.insert(r);
    const auto cancelled = [&] { return options.cancel && options.cancel->load(std::memory_order_relaxed); };
    for (std::size_t i = 0; i < words.size(); ++i) {
        if ((i & 1023) == 0 && cancelled()) {
            problem(0, "cancelled");
            return result;
        }
        const LexiconWord& w = words[i];
        const int length = static_cast<int>(w.word.size());
        if (length < minLength || length > widest || !needed[idx(w.word[0])]) continue;
        if (w.userScore == 0) continue;
        const std::string lower = lowerOf(w.word);
        const WordKeys keys = lexicon.keysOf(w);
        const auto runs = Lexicon::coreRuns(lower);
        if (std::any_of(runs.begin(), runs.end(), [&](std::uint32_t r) { return avoidRuns.count(r) > 0; }) ||
            std::any_of(avoid.begin(), avoid.end(),
                        [&](const WordKeys& a) { return lexicon.near(keys, a, false) || lexicon.piece(keys, a); }))
            continue;
        Candidate c;
        bool counted = true;
        for (std::size_t j = 1; j < w.word.size(); ++j) {
            counted = counted && c.tail[idx(w.word[j])] < 15; // the exact look-up packs 4 bits a letter
            ++c.tail[idx(w.word[j])];
        }
        if (!counted) continue;
        for (std::size_t l = 0; l < 26; ++l)
            if (c.tail[l] > 0) c.letters |= 1u << l;
        c.tailLength = length - 1;
        const bool form = isForm(w);
        double cost = wordCost(w);
        if (const auto it = options.seen.find(w.word); it != options.seen.end() && it->second > 0)
            cost += std::min(kSeenMost, kSeenWeight * std::log2(1.0 + it->second));
        cost += kWordJitter * static_cast<double>(order() >> 8) / static_cast<double>(1u << 24);
        c.cost = static_cast<float>(cost);
        c.word = static_cast<int>(i);
        // A form never seen as its part of speech (TOMAHAWKED) is rare whatever its list.
        c.level = w.userScore >= 50 ? 0
                  : rareWord(w)    ? 2
                  : w.tier == 0 && w.count > 0          ? 0
                  : (w.tier == 0 || w.count > 0) && !form ? 1
                                                              : 2;
        if (w.userScore >= 0 && w.userScore < 50) c.level = std::max(c.level, 1);
        if (options.earlier.count(w.word)) {
            c.level = 2;
            c.cost += static_cast<float>(kTierWeight);
        }
        byLetter[idx(w.word[0])].push_back(c);
    }
    for (std::size_t l = 0; l < 26; ++l) {
        auto& list = byLetter[l];
        // Fisher-Yates on the raw generator, whose sequence the language fixes.
        for (std::size_t i = list.size(); i > 1; --i) std::swap(list[i - 1], list[order() % i]);
        std::stable_sort(list.begin(), list.end(),
                         [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    }

    // Letters no set of words can hold: each slot holds at most the most of
    // a letter that any of its words has.
    Counts capacity{};
    for (int k : open) {
        std::array<int, 26> most{};
        for (const Candidate& c : byLetter[idx(spelled[static_cast<std::size_t>(k)])]) {
            bool fit = true;
            for (std::size_t l = 0; l < 26 && fit; ++l) fit = c.tail[l] <= budget[l];
            if (!fit) continue;
            for (std::size_t l = 0; l < 26; ++l) most[l] = std::max<int>(most[l], c.tail[l]);
        }
        bool any = false;
        for (std::size_t l = 0; l < 26; ++l) capacity[l] += most[l], any = any || most[l] > 0;
        if (!any && byLetter[idx(spelled[static_cast<std::size_t>(k)])].empty())
            problem(src.sourceLine, "no word of " + std::to_string(minLength) + " to " +
                                        std::to_string(widest) + " letters starts with " +
                                        spelled[static_cast<std::size_t>(k)]);
    }
    Counts stranded{};
    bool strands = false;
    for (std::size_t l = 0; l < 26; ++l)
        if (budget[l] > capacity[l]) stranded[l] = budget[l] - capacity[l], strands = true;
    if (strands)
        problem(src.quotationLine, "these letters cannot be placed in any answer: " + letterList(stranded) +
                                       (open.size() < static_cast<std::size_t>(slots)
                                            ? "; write ? = ? for some kept answers to free their letters"
                                            : ""));
    if (!result.problems.empty()) return result;

    // The slots with the fewest words first, so the last ones have the most.
    std::vector<int> slotOrder = open;
    std::stable_sort(slotOrder.begin(), slotOrder.end(), [&](int a, int b) {
        return byLetter[idx(spelled[static_cast<std::size_t>(a)])].size() <
               byLetter[idx(spelled[static_cast<std::size_t>(b)])].size();
    });
    // Any slot may be the last of three refilled exactly (a look-up by its
    // letters), and any may take a scarce letter placed first.
    std::array<Search::Holders, 26> holders;
    for (std::size_t l = 0; l < 26; ++l)
        for (std::size_t i = 0; needed[l] && i < byLetter[l].size(); ++i) {
            const Candidate& c = byLetter[l][i];
            exact[l][keyOf(c.tail)].push_back(static_cast<int>(i));
            for (std::size_t h = 0; h < 26; ++h) {
                if (c.tail[h] == 0) continue;
                holders[l].of[h].push_back(static_cast<int>(i));
                for (int level = c.level; level < 3; ++level) ++holders[l].upTo[static_cast<std::size_t>(level)][h];
            }
        }
    std::vector<Search::Slot> searchSlots;
    for (int k : slotOrder) {
        const std::size_t l = idx(spelled[static_cast<std::size_t>(k)]);
        searchSlots.push_back({&byLetter[l], &exact[l], &holders[l]});
    }
    // One search per processor, each of its own seed. The first seed's set
    // stands when it finds one, and the others then stop; otherwise the set
    // of the first other search that found one, so a quotation whose sets
    // are rare gets as many tries as the machine can run at once.
    const std::size_t searches = std::clamp<std::size_t>(
        options.searches > 0 ? static_cast<std::size_t>(options.searches) : std::thread::hardware_concurrency(), 1,
        kMaxSearches);
    std::atomic<bool> stop = false;
    std::vector<std::unique_ptr<Search>> tries;
    for (std::size_t t = 0; t < searches; ++t)
        tries.push_back(std::make_unique<Search>(searchSlots, budget, lexicon,
                                                 options.seed + static_cast<std::uint32_t>(t) * kSeedStep,
                                                 options.seconds, options.steps, options.polish, options.balance,
                                                 t == 0 ? options.cancel : &stop));
    std::vector<char> found(searches, 0);
    std::vector<std::thread> others;
    // However the first search ends, the others stop and are waited for.
    struct Joined {
        std::vector<std::thread>& threads;
        std::atomic<bool>& stop;
        ~Joined() {
            stop = true;
            for (std::thread& t : threads)
                if (t.joinable()) t.join();
        }
    } joined{others, stop};
    for (std::size_t t = 1; t < searches; ++t) {
        try {
            others.emplace_back([&, t] {
                try {
                    found[t] = tries[t]->run(minLength - 1, maxLength - 1, widest - 1);
                } catch (...) {
                    found[t] = 0; // out of memory: this try gives up
                }
            });
        } catch (const std::system_error&) {
            break; // no more threads to be had: fewer searches
        }
    }
    found[0] = tries[0]->run(minLength - 1, maxLength - 1, widest - 1);
    if (found[0] || cancelled()) stop = true;
    for (std::thread& t : others) t.join();
    const std::size_t chosen = static_cast<std::size_t>(std::find(found.begin(), found.end(), 1) - found.begin());
    Search& search = *tries[chosen < searches ? chosen : 0];
    result.complete = chosen < searches;
    // Each word's draft clue, drafted once (it reads the dictionary's files).
    std::unordered_map<int, DraftClue> drafts;
    const auto draftOf = [&](int w) -> const DraftClue& {
        auto it = drafts.find(w);
        if (it == drafts.end()) it = drafts.emplace(w, draftClue(lexicon, words[static_cast<std::size_t>(w)])).first;
        return it->second;
    };
    // Answers no draft clue can be found for give way to others where they can.
    for (int round = 0; round < 2 && result.complete && !cancelled(); ++round) {
        std::vector<int> unclued;
        for (int w : search.best())
            if (w >= 0 && !draftOf(w).defined) unclued.push_back(w);
        if (unclued.empty()) break;
        search.repolish(unclued, static_cast<float>(kUncluedWeight));
    }
    result.maxLength = std::max(maxLength, search.maxTail() + 1);
    result.steps = search.steps();
    result.outOfSteps = search.outOfSteps();

    Counts unplaced = budget;
    for (std::size_t s = 0; s < slotOrder.size(); ++s) {
        const int w = search.best()[s];
        auto& made = result.answers[static_cast<std::size_t>(slotOrder[s])];
        if (w < 0) {
            ++unplaced[idx(spelled[static_cast<std::size_t>(slotOrder[s])])];
            continue;
        }
        const LexiconWord& word = words[static_cast<std::size_t>(w)];
        for (std::size_t j = 1; j < word.word.size(); ++j) --unplaced[idx(word.word[j])];
        made.answer = word.written.empty() ? word.word : word.written;
        if (cancelled()) continue; // no drafts for a set nobody waits for
        const DraftClue& draft = draftOf(w);
        made.clue = kDraftMark + draft.text;
        made.senses = draft.senses;
    }
    // A draft never names another answer of the set ("after the nineteenth"
    // for TWENTIETH beside NINETEENTH): it takes the next sense that does not,
    // or asks for one.
    for (MadeAnswer& made : result.answers) {
        if (made.kept || made.answer.empty()) continue;
        std::vector<WordKeys> others;
        for (const MadeAnswer& other : result.answers)
            if (&other != &made && !other.answer.empty())
                for (const std::string& w : wordsOf(other.answer)) others.push_back(lexicon.keysOf(w));
        const std::string text = made.clue.substr(std::string(kDraftMark).size());
        if (made.senses.empty()) {
            if (namesWord(lexicon, text, others)) made.clue = std::string(kDraftMark) + kWriteOne;
            continue;
        }
        std::vector<std::string> kept;
        for (const std::string& sense : made.senses) {
            const std::string fitted = fitDraft(sense);
            if (!fitted.empty() && !namesWord(lexicon, fitted, others)) kept.push_back(kept.empty() ? fitted : sense);
        }
        if (kept.size() == made.senses.size()) continue;
        made.senses = kept;
        made.clue = std::string(kDraftMark) + (kept.empty() ? kWriteOne : kept.front());
    }
    // Two answers never share a draft: a later one takes another of its senses where it has one.
    {
        std::unordered_set<std::string> used;
        for (const MadeAnswer& made : result.answers)
            if (made.kept) used.insert(made.clue);
        for (MadeAnswer& made : result.answers) {
            if (made.kept || made.answer.empty()) continue;
            std::string text = made.clue.substr(std::string(kDraftMark).size());
            for (std::size_t n = 1; used.count(text) && n < made.senses.size(); ++n) {
                const std::string other = fitDraft(made.senses[n]);
                if (other.empty() || used.count(other)) continue;
                made.senses.erase(made.senses.begin() + static_cast<std::ptrdiff_t>(n));
                made.senses.insert(made.senses.begin(), other);
                made.clue = kDraftMark + other;
                text = other;
            }
            used.insert(text);
        }
    }
    for (std::size_t l = 0; l < 26; ++l)
        for (int n = 0; n < unplaced[l]; ++n) result.unplaced += static_cast<char>('A' + l);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!result.complete) {
        char limit[32];
        std::snprintf(limit, sizeof limit, "%g s", options.seconds);
        problem(src.quotationLine, "no complete set of answers found within " +
                                       (result.outOfSteps ? std::to_string(options.steps) + " words tried"
                                                          : std::string(limit)) +
                                       "; the best set found leaves " + std::to_string(result.unplaced.size()) +
                                       " letters unplaced: " + result.unplaced +
                                       "; write answers that hold these letters into the source (they are kept, "
                                       "and the search finishes the rest), or give it more --time, longer answers "
                                       "(--max), or a quotation or source with fewer of these letters");
    }

    // The source: its fields as written, then one clue line per answer ("?"
    // for one still open), a draft's other senses in a comment below it.
    std::string out;
    {
        const int firstClue = src.clues.empty() ? 1 << 30 : src.clues.front().line;
        int number = 0;
        std::size_t pos = 0;
        while (pos < text.size()) {
            auto end = text.find('\n', pos);
            if (end == std::string::npos) end = text.size();
            if (++number >= firstClue) break;
            out += text.substr(pos, end - pos) + "\n";
            pos = end + 1;
        }
        while (out.size() >= 2 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n') out.pop_back();
    }
    out += "\n";
    if (!slotOrder.empty())
        out += "# Clues marked " + std::string(kDraftMark) + "are dictionary definitions: rewrite each one.\n";
    for (int k = 0; k < slots; ++k) {
        const auto& made = result.answers[static_cast<std::size_t>(k)];
        if (made.answer.empty()) {
            out += label(k + 1) + ". ? = ?\n";
            continue;
        }
        out += label(k + 1) + ". " + made.clue + " = " + made.answer + "\n";
        for (std::size_t n = 1; n < made.senses.size() && n <= kOtherSenses; ++n)
            out += "#   or: " + made.senses[n] + "\n";
    }
    result.text = out;
    return result;
}

} // namespace vlq

namespace vlq {

std::string describeLetters(const std::string& letters) {
    Counts counts{};
    int total = 0, vowels = 0;
    for (char c : letters)
        if (c >= 'A' && c <= 'Z') {
            ++counts[idx(c)];
            ++total;
            vowels += std::string_view("AEIOU").find(c) != std::string_view::npos;
        }
    if (total == 0) return "no letters";
    Counts awkward{};
    for (char c : std::string_view("JKQVWXZ")) awkward[idx(c)] = counts[idx(c)];
    const std::string odd = letterList(awkward);
    return std::to_string(total) + " letters: " + letterList(counts) + "; vowels " +
           std::to_string((200 * vowels + total) / (2 * total)) + " %; awkward letters: " + (odd.empty() ? "none" : odd);
}

std::vector<Suggestion> suggestAnswers(const std::string& written, const std::string& title, const Lexicon& lexicon,
                                       const MakeOptions& options, int slot, std::vector<SourceProblem>& problems,
                                       std::size_t count) {
    const std::string text = plainSourceText(written);
    // A search of one step: the source's problems, the letters left and the lengths.
    MakeOptions probe = options;
    probe.steps = 1;
    const MakeResult base = makePuzzle(text, title, lexicon, probe);
    // A source whose letters no set can hold still gets words for a slot:
    // a stuck search is where a maker asks for them.
    if (base.steps == 0 && !base.problems.empty() && (base.pool.empty() || base.answers.empty())) {
        problems = base.problems;
        return {};
    }
    if (slot < 1 || slot > static_cast<int>(base.answers.size())) {
        problems.push_back({0, "the source has no answer " + std::to_string(slot) + "; its answers are 1 to " +
                                   std::to_string(base.answers.size())});
        return {};
    }
    if (base.answers[static_cast<std::size_t>(slot - 1)].kept) {
        problems.push_back({0, "answer " + label(slot) + " is kept in the source: write ? = ? to ask for it"});
        return {};
    }
    const ParsedSource parsed = parsePuzzleSource(text, title, true);
    const std::string spelled = sourceSpelling(parsed.source.source).letters;
    const char first = spelled[static_cast<std::size_t>(slot - 1)];
    Counts pool{};
    for (char c : base.pool) ++pool[idx(c)];
    // What the word must keep away from: the kept answers and the quotation.
    std::vector<WordKeys> avoid;
    for (const auto& a : base.answers)
        if (a.kept) avoid.push_back(lexicon.keysOf(lowerOf(lettersOf(a.answer))));
    {
        std::string word;
        for (char ch : parsed.source.quotation + " ")
            if (std::isalpha(static_cast<unsigned char>(ch))) {
                word += ch;
            } else if (ch != '\'' && !word.empty()) {
                avoid.push_back(lexicon.keysOf(lowerOf(lettersOf(word))));
                word.clear();
            }
        for (const std::string& w : options.avoid) avoid.push_back(lexicon.keysOf(lowerOf(lettersOf(w))));
    }
    std::vector<std::pair<double, std::size_t>> ranked;
    const auto& words = lexicon.words();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const LexiconWord& w = words[i];
        const int length = static_cast<int>(w.word.size());
        if (w.word[0] != first || length < base.minLength || length > base.maxLength || w.userScore == 0) continue;
        Counts tail{};
        bool fits = true;
        for (std::size_t j = 1; j < w.word.size() && fits; ++j) fits = ++tail[idx(w.word[j])] <= pool[idx(w.word[j])];
        if (!fits) continue;
        const WordKeys keys = lexicon.keysOf(w);
        if (std::any_of(avoid.begin(), avoid.end(), [&](const WordKeys& a) { return lexicon.oneFamily(keys, a); }))
            continue;
        ranked.emplace_back(wordCost(w), i);
    }
    std::stable_sort(ranked.begin(), ranked.end());
    if (ranked.size() > count) ranked.resize(count);

    // Each one tried as a kept answer in a quick search for the rest.
    std::string fields;
    {
        const int firstClue = parsed.source.clues.empty() ? 1 << 30 : parsed.source.clues.front().line;
        int number = 0;
        for (std::size_t pos = 0; pos < text.size();) {
            auto end = text.find('\n', pos);
            if (end == std::string::npos) end = text.size();
            if (++number >= firstClue) break;
            fields += text.substr(pos, end - pos) + "\n";
            pos = end + 1;
        }
    }
    MakeOptions quick = options;
    quick.steps = 2'000'000;
    quick.polish = 0;
    std::vector<Suggestion> out, open;
    for (const auto& [cost, i] : ranked) {
        std::string trial = fields + "\n";
        for (std::size_t k = 0; k < base.answers.size(); ++k) {
            const auto& a = base.answers[k];
            const std::string answer = static_cast<int>(k) == slot - 1 ? words[i].word : a.kept ? a.answer : "?";
            trial += label(static_cast<int>(k) + 1) + ". " + (a.kept ? a.clue : "?") + " = " + answer + "\n";
        }
        const bool completes = makePuzzle(trial, title, lexicon, quick).complete;
        const std::string shown = words[i].written.empty() ? words[i].word : words[i].written;
        (completes ? out : open).push_back({shown, completes});
    }
    out.insert(out.end(), open.begin(), open.end());
    return out;
}

} // namespace vlq
