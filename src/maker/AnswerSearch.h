// The answer maker's search (PuzzleMaker.cpp alone includes it): the words
// each open slot may take, their costs and the search weights, and the
// search that fills the slots with restarts, an exact finish for the last
// three answers and the trading of answers for cheaper ones once a set is
// found. See PuzzleMaker.h for what it does.
#pragma once
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "AnswerSpread.h"
#include "Lexicon.h"
#include "PuzzleMaker.h"

namespace vlq::maker {

using Counts = std::array<int, 26>;

inline std::size_t idx(char upper) { return static_cast<std::size_t>(upper - 'A'); }

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
inline Key keyOf(const C& counts) {
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

// An inflected form (a plural, a tense) rather than the word WordNet lists.
inline bool isForm(const LexiconWord& w) { return !w.phrase && w.base != lowerOf(w.word); }

// A word the maker takes only when nothing else will do: marked rare by
// the word data, or a comparative English makes with "more".
inline bool rareWord(const LexiconWord& w) { return w.rare || oddDegree(w); }

// How much less a maker wants the word: less common, a form, seldom seen,
// rare, a phrase; the maker's own score stands instead when it has one.
inline double wordCost(const LexiconWord& w) {
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

} // namespace vlq::maker
