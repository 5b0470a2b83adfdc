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

#include "AnswerSearch.h"
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

using namespace maker;

constexpr int kMaxSlots = 30;
constexpr std::size_t kOtherSenses = 3; // senses listed under a draft clue besides its own

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
