// The answer maker's benchmark: `build/bench/vlqmakebench [seeds [seconds
// [name]]]` (Release build). It makes the answers of fifteen public-domain
// quotations (96 to 320 letters, none of them a sample puzzle) for the
// seeds 1..N (3 unless told), each search bounded by `seconds` (10 unless
// told); `name` picks the quotations whose name contains it. Per quotation
// it prints how many seeds gave a complete set and the median time, as
// elapsed time and as the search's processor time (which a busy machine
// does not inflate). Each set is made as `vlqtool make` makes one beside a
// folder of earlier puzzles: the answers of the sets made before it are
// words to use sparingly (VLQ_BENCH_FRESH=1 makes every set as the first).
// Over all sets it prints what a maker judges a set by:
// - the share of answers from the common word list, or phrases of two of
//   its words;
// - the share of sets holding a near-duplicate: two answers, or an answer
//   and a word of the quotation, sharing a stem, a compound part or a
//   run of five letters outside their endings (see nearDuplicate below,
//   written apart from the maker's own rules);
// - the words in most sets, and whether any is in more than a fifth;
// - the share of draft clues that give their answer away: holding the
//   answer (also across words), its first five letters or a word
//   beginning with its stem (or with a word of a phrase answer), and of
//   those that found no definition to use and ask the maker for one;
// - the mix of answer lengths.
// It also prints the time to read the word data. Asserts nothing.
// VLQ_BENCH_SOURCES=FOLDER runs the source files (*.txt) of a folder
// instead of the fifteen: quotations the maker's weights were not tried on.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/PuzzleBuilder.h"
#include "maker/Lexicon.h"
#include "maker/PuzzleMaker.h"

namespace {

struct Quotation {
    const char* name;
    const char* text;
};

// Public domain: authors dead for well over a century, translations as old.
const Quotation kQuotations[] = {
    {"Moby-Dick", "Quotation: Call me Ishmael. Some years ago -- never mind how long precisely -- having little or "
                  "no money in my purse, and nothing particular to interest me on shore, I thought I would sail "
                  "about a little and see the watery part of the world.\nSource: Melville, The Whale, Chapter One\n"},
    {"Two Cities", "Quotation: It was the best of times, it was the worst of times, it was the age of wisdom, it "
                   "was the age of foolishness, it was the epoch of belief, it was the epoch of incredulity, it was "
                   "the season of Light, it was the season of Darkness, it was the spring of hope, it was the "
                   "winter of despair.\nSource: Dickens, A Tale of Two Cities\n"},
    {"Pride", "Quotation: It is a truth universally acknowledged, that a single man in possession of a good "
              "fortune, must be in want of a wife.\nSource: Austen, Pride\n"},
    {"Declaration", "Quotation: We hold these truths to be self-evident, that all men are created equal, that they "
                    "are endowed by their Creator with certain unalienable Rights, that among these are Life, "
                    "Liberty and the pursuit of Happiness. That to secure these rights, Governments are instituted "
                    "among Men, deriving their just powers from the consent of the governed.\n"
                    "Source: Jefferson, The Declaration\n"},
    {"Sonnet", "Quotation: Shall I compare thee to a summer's day? Thou art more lovely and more temperate: Rough "
               "winds do shake the darling buds of May, And summer's lease hath all too short a date.\n"
               "Source: Shakespeare, Sonnet Eighteen\n"},
    {"Macbeth", "Quotation: Tomorrow, and tomorrow, and tomorrow, Creeps in this petty pace from day to day, To the "
                "last syllable of recorded time; And all our yesterdays have lighted fools The way to dusty "
                "death.\nSource: Macbeth, Act Five\n"},
    {"Karenina", "Quotation: Happy families are all alike; every unhappy family is unhappy in its own way. Everything was "
                 "in confusion in the Oblonskys' house.\nSource: Tolstoy, Karenina\n"},
    {"Jane Eyre", "Quotation: I am no bird; and no net ensnares me: I am a free human being with an independent "
                  "will, which I now exert to leave you.\nSource: Bronte, Eyre\n"},
    {"Expectations", "Quotation: Suffering has been stronger than all other teaching, and has taught me to "
                     "understand what your heart used to be. I have been bent and broken, but -- I hope -- into a "
                     "better shape.\nSource: Dickens, Estella\n"},
    {"Franklin", "Quotation: Those who would give up essential Liberty, to purchase a little temporary Safety, "
                 "deserve neither Liberty nor Safety.\nSource: Reply to the Governor\n"},
    {"Endymion", "Quotation: A thing of beauty is a joy for ever: Its loveliness increases; it will never Pass into "
                 "nothingness; but still will keep A bower quiet for us, and a sleep Full of sweet dreams, and "
                 "health, and quiet breathing.\nSource: Keats, Endymion\n"},
    {"Hope", "Quotation: Hope is the thing with feathers That perches in the soul, And sings the tune without the "
             "words, And never stops at all.\nSource: Thing with Feathers\n"},
    {"Crisis", "Quotation: These are the times that try men's souls. The summer soldier and the sunshine patriot "
               "will, in this crisis, shrink from the service of their country; but he that stands by it now, "
               "deserves the love and thanks of man and woman. Tyranny, like hell, is not easily conquered; yet "
               "we have this consolation with us, that the harder the conflict, the more glorious the triumph.\n"
               "Source: Thomas Paine, The American Crisis\n"},
    {"Ozymandias", "Quotation: My name is Ozymandias, King of Kings; Look on my Works, ye Mighty, and despair! "
                   "Nothing beside remains. Round the decay Of that colossal Wreck, boundless and bare The lone "
                   "and level sands stretch far away.\nSource: Shelley, Ozymandias\n"},
    {"Song of Myself", "Quotation: I celebrate myself, and sing myself, And what I assume you shall assume, For "
                       "every atom belonging to me as good belongs to you.\nSource: Whitman, Song of Myself\n"},
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string lower(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c >= 'A' && c <= 'Z')
            out += static_cast<char>(c - 'A' + 'a');
        else if (c >= 'a' && c <= 'z')
            out += c;
    return out;
}

std::string upper(const std::string& s) {
    std::string out;
    for (char c : s) out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return out;
}

// A word less the commonest endings, for comparing what is left.
std::string core(const std::string& w) {
    static const char* const kEndings[] = {"ations", "ation", "itions", "ition", "ments", "ment", "nesses",
                                           "ness", "ingly", "ings", "ing", "ously", "ous", "ities", "ity",
                                           "ables", "able", "ibly", "ible", "ally", "ical", "ers", "er",
                                           "est", "ed", "es", "ly", "s"};
    for (const char* e : kEndings) {
        const std::string end(e);
        if (w.size() >= end.size() + 4 && w.ends_with(end)) return w.substr(0, w.size() - end.size());
    }
    return w;
}

// Two words a solver would call near-duplicates: one stem, or five letters
// in a row shared by what is left of both without their endings.
bool nearDuplicate(const vlq::Lexicon& lexicon, const std::string& a, const std::string& b) {
    if (lexicon.stemOf(a) == lexicon.stemOf(b)) return true;
    const std::string x = core(a), y = core(b);
    for (std::size_t i = 0; i + 5 <= x.size(); ++i)
        if (y.find(x.substr(i, 5)) != std::string::npos) return true;
    return false;
}

// The words of an answer as written (one, or two for a phrase), lower case.
std::vector<std::string> partsOf(const std::string& written) {
    std::vector<std::string> parts{""};
    for (char c : written)
        if (c == ' ' && !parts.back().empty())
            parts.emplace_back();
        else if (c != ' ')
            parts.back() += lower(std::string(1, c));
    if (parts.back().empty()) parts.pop_back();
    return parts;
}

// Two answers as written: near when the whole of them is, or when a word of
// one phrase is near a word of the other.
bool nearAnswers(const vlq::Lexicon& lexicon, const std::string& a, const std::string& b) {
    if (nearDuplicate(lexicon, lower(a), lower(b))) return true;
    const auto x = partsOf(a), y = partsOf(b);
    if (x.size() == 1 && y.size() == 1) return false;
    for (const std::string& p : x)
        for (const std::string& q : y)
            if (p.size() >= 4 && q.size() >= 4 && nearDuplicate(lexicon, p, q)) return true;
    return false;
}

// Whether a draft clue gives its answer away.
bool givesAway(const vlq::Lexicon& lexicon, const std::string& clue, const std::string& answer) {
    const std::string text = lower(clue.substr(std::min(clue.size(), std::string(vlq::kDraftMark).size())));
    std::string words = " "; // the clue's words, lower case, spaced
    for (char c : clue.substr(std::min(clue.size(), std::string(vlq::kDraftMark).size())))
        words += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : (c >= 'a' && c <= 'z') ? c : ' ';
    const std::string a = lower(answer), stem = lexicon.stemOf(a);
    if (text.find(a) != std::string::npos) return true;
    if (a.size() >= 5 && words.find(a.substr(0, 5)) != std::string::npos) return true;
    // The stem as a word of its own, or as the start of one.
    if (stem.size() >= 3 && words.find(" " + stem) != std::string::npos) return true;
    // For a phrase, any of its words or their stems.
    const auto parts = partsOf(answer);
    if (parts.size() < 2) return false;
    for (const std::string& part : parts)
        for (const std::string& root : {part, lexicon.stemOf(part)})
            if (root.size() >= 3 && words.find(" " + root) != std::string::npos) return true;
    return false;
}

int seeds = 3;
double seconds = 10;
std::string pick;
bool fresh = false; // each set made as if no puzzle had been made before

struct Totals {
    int sets = 0, complete = 0, answers = 0, common = 0, phrases = 0, nearSets = 0, clues = 0, giveaways = 0;
    int unclued = 0; // drafts that found no definition to use
    std::map<std::string, int> used; // sets per word
    std::map<int, int> lengths;
    std::vector<double> times, cpu;
    std::vector<std::string> examples;
    // The answers of the sets made so far, as a puzzle folder would hold them for `vlqtool make`.
    std::unordered_map<std::string, int> seen;
};

void run(const Quotation& q, const vlq::Lexicon& lexicon, const std::unordered_map<std::string, int>& tier,
         Totals& totals) {
    if (std::string(q.name).find(pick) == std::string::npos) return;
    std::vector<double> times, cpu;
    int found = 0, letters = 0, answers = 0, placed = 0, common = 0;
    std::vector<std::string> quoteWords;
    {
        std::string text(q.text), word;
        text = text.substr(0, text.find("\nSource:"));
        for (char c : text + " ") {
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
                word += c;
            } else if (c != '\'') {
                if (word.size() >= 4) quoteWords.push_back(lower(word));
                word.clear();
            }
        }
    }
    for (int seed = 1; seed <= seeds; ++seed) {
        vlq::MakeOptions options;
        options.seed = static_cast<std::uint32_t>(seed);
        options.seconds = seconds;
        if (!fresh) options.seen = totals.seen;
        timespec t0{}, t1{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t0);
        const vlq::MakeResult made = vlq::makePuzzle(q.text, q.name, lexicon, options);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t1);
        const double processor =
            static_cast<double>(t1.tv_sec - t0.tv_sec) + 1e-9 * static_cast<double>(t1.tv_nsec - t0.tv_nsec);
        times.push_back(made.seconds);
        cpu.push_back(processor);
        totals.times.push_back(made.seconds);
        totals.cpu.push_back(processor);
        ++totals.sets;
        answers = static_cast<int>(made.answers.size());
        letters = 0;
        for (const auto& a : made.answers)
            for (char c : a.answer) letters += c >= 'A' && c <= 'Z';
        if (!made.complete) continue;
        for (const auto& a : made.answers) ++totals.seen[vlq::lettersOf(a.answer)];
        ++found;
        ++totals.complete;
        bool near = false;
        for (std::size_t i = 0; i < made.answers.size(); ++i) {
            const std::string a = lower(made.answers[i].answer);
            ++totals.answers;
            ++placed;
            ++totals.lengths[static_cast<int>(a.size())];
            ++totals.used[a];
            const auto parts = partsOf(made.answers[i].answer);
            const auto isCommon = [&](const std::string& w) {
                const auto t = tier.find(upper(w));
                return t != tier.end() && t->second == 0;
            };
            if (parts.size() == 1 && isCommon(parts[0]))
                ++totals.common, ++common;
            else if (parts.size() == 2 && isCommon(parts[0]) && isCommon(parts[1]))
                ++totals.common, ++common, ++totals.phrases;
            else
                totals.examples.push_back("less common: " + made.answers[i].answer);
            ++totals.clues;
            if (made.answers[i].clue.find("no definition found") != std::string::npos) {
                ++totals.unclued;
                totals.examples.push_back("no definition: " + made.answers[i].answer);
            }
            if (givesAway(lexicon, made.answers[i].clue, made.answers[i].answer)) {
                ++totals.giveaways;
                totals.examples.push_back(made.answers[i].answer + ": " + made.answers[i].clue);
            }
            for (std::size_t j = 0; j < i; ++j)
                if (nearAnswers(lexicon, made.answers[i].answer, made.answers[j].answer)) {
                    near = true;
                    totals.examples.push_back("near: " + made.answers[i].answer + " / " + made.answers[j].answer);
                }
            for (const std::string& w : quoteWords)
                if (nearAnswers(lexicon, made.answers[i].answer, w)) {
                    near = true;
                    totals.examples.push_back("echo: " + made.answers[i].answer + " / " + w);
                }
        }
        totals.nearSets += near;
    }
    std::printf("%-15s %3d letters %2d answers  median %6.3f s (processor %6.3f s)  complete %d/%d  common %3.0f %%\n",
                q.name, letters, answers, median(times), median(cpu), found, seeds,
                placed ? 100.0 * common / placed : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) seeds = std::max(1, std::atoi(argv[1]));
    if (argc > 2) seconds = std::max(0.1, std::atof(argv[2]));
    if (argc > 3) pick = argv[3];
    fresh = std::getenv("VLQ_BENCH_FRESH") != nullptr;
    const auto t0 = std::chrono::steady_clock::now();
    vlq::Lexicon lexicon;
    try {
        lexicon = vlq::Lexicon::load(vlq::LexiconPaths::debian());
    } catch (const vlq::LexiconError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    {
        // The default block list, as vlqtool make reads it from the data folder.
        std::ifstream in(VLQ_MAKER_BLOCK);
        std::vector<std::string> blocked;
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line[0] != '#') blocked.push_back(line);
        lexicon.removeWords(blocked);
    }
    const double load = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("word data read in %.3f s: %zu words\n", load, lexicon.words().size());
    std::unordered_map<std::string, int> tier;
    for (const auto& w : lexicon.words()) tier.emplace(w.word, w.tier);

    Totals totals;
    if (const char* folder = std::getenv("VLQ_BENCH_SOURCES")) {
        // Quotations of one's own instead, one source file each: figures on
        // text the maker was never tried on.
        std::vector<std::filesystem::path> files;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".txt") files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const auto& path : files) {
            std::ifstream in(path, std::ios::binary);
            const std::string name = path.stem().string();
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            run({name.c_str(), text.c_str()}, lexicon, tier, totals);
        }
    } else {
        for (const Quotation& q : kQuotations) run(q, lexicon, tier, totals);
    }

    const auto share = [](int part, int whole) { return whole ? 100.0 * part / whole : 0.0; };
    std::printf("\nsets complete %d/%d; median %.3f s (processor %.3f s), slowest %.3f s\n", totals.complete,
                totals.sets, median(totals.times), median(totals.cpu),
                totals.times.empty() ? 0 : *std::max_element(totals.times.begin(), totals.times.end()));
    std::printf("common words %.1f %% of %d answers (of them phrases of two common words %.1f %%)\n",
                share(totals.common, totals.answers), totals.answers, share(totals.phrases, totals.answers));
    std::printf("sets with a near-duplicate or an echo %.1f %%\n", share(totals.nearSets, totals.complete));
    std::printf("draft clues giving the answer away %.1f %% of %d; without a definition to use %.1f %%\n",
                share(totals.giveaways, totals.clues), totals.clues, share(totals.unclued, totals.clues));
    std::vector<std::pair<int, std::string>> most;
    for (const auto& [w, n] : totals.used) most.emplace_back(n, w);
    std::sort(most.rbegin(), most.rend());
    std::printf("words in most sets:");
    for (std::size_t i = 0; i < std::min<std::size_t>(6, most.size()); ++i)
        std::printf(" %s %.0f %%", most[i].second.c_str(), share(most[i].first, totals.complete));
    std::printf("\nanswer lengths:");
    for (const auto& [length, n] : totals.lengths) std::printf(" %d:%.0f%%", length, share(n, totals.answers));
    std::printf("\n");
    if (std::getenv("VLQ_BENCH_EXAMPLES"))
        for (const auto& e : totals.examples) std::printf("  %s\n", e.c_str());
    return 0;
}
