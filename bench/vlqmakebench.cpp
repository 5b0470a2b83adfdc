// The answer maker's benchmark: `build/bench/vlqmakebench [seeds [seconds
// [name]]]` (Release build). For every sample puzzle in puzzles/ (its clues
// left out) and for a 178-letter quotation with 26 answers, it prints the
// median time to a complete answer set over the seeds 1..N (10 unless told),
// as elapsed time and as processor time of the search (which a busy machine
// does not inflate), and how many seeds found one; a search stops after
// `seconds` (10 unless told). `name` picks the puzzles whose name contains
// it. It also prints the time to read the word data. Asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/Lexicon.h"
#include "core/PuzzleMaker.h"

namespace fs = std::filesystem;

namespace {

// The fields of a source, without its clue lines.
std::string fieldsOf(const std::string& text) {
    std::string out;
    std::size_t pos = 0;
    bool inField = false;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        const bool continuation = !line.empty() && (line[0] == ' ' || line[0] == '\t');
        if (!continuation) inField = line.find(':') != std::string::npos && line.find(". ") > line.find(':');
        if (inField) out += line + "\n";
    }
    return out;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

int seeds = 10;
double seconds = 10;
std::string pick;

void run(const std::string& name, const std::string& source, const vlq::Lexicon& lexicon) {
    if (name.find(pick) == std::string::npos) return;
    std::vector<double> times, cpu;
    int found = 0, letters = 0, answers = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
        vlq::MakeOptions options;
        options.seed = static_cast<std::uint32_t>(seed);
        options.seconds = seconds;
        timespec t0{}, t1{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t0);
        const vlq::MakeResult made = vlq::makePuzzle(source, name, lexicon, options);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t1);
        times.push_back(made.seconds);
        cpu.push_back(static_cast<double>(t1.tv_sec - t0.tv_sec) + 1e-9 * static_cast<double>(t1.tv_nsec - t0.tv_nsec));
        if (made.complete) ++found;
        answers = static_cast<int>(made.answers.size());
        letters = 0;
        for (const auto& a : made.answers)
            for (char c : a.answer) letters += c >= 'A' && c <= 'Z';
    }
    std::printf("%-22s %3d letters %2d answers  median %6.3f s (processor %6.3f s)  complete %d/%d\n",
                name.c_str(), letters, answers, median(times), median(cpu), found, seeds);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) seeds = std::max(1, std::atoi(argv[1]));
    if (argc > 2) seconds = std::max(0.1, std::atof(argv[2]));
    if (argc > 3) pick = argv[3];
    const auto t0 = std::chrono::steady_clock::now();
    vlq::Lexicon lexicon;
    try {
        lexicon = vlq::Lexicon::load(vlq::LexiconPaths::debian());
    } catch (const vlq::LexiconError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    const double load = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("word data read in %.3f s: %zu words\n", load, lexicon.words().size());

    run("(Moby-Dick)", "Quotation: Call me Ishmael. Some years ago -- never mind how long precisely --\n"
        "  having little or no money in my purse, and nothing particular to interest me\n"
        "  on shore, I thought I would sail about a little and see the watery part of the\n"
        "  world.\n"
        "Source: Melville, The Whale, Chapter One\n", lexicon);
    std::vector<fs::path> samples;
    for (const auto& entry : fs::directory_iterator(VLQ_PUZZLE_DIR))
        if (entry.path().extension() == ".txt") samples.push_back(entry.path());
    std::sort(samples.begin(), samples.end());
    for (const auto& path : samples) {
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        run(path.stem().string(), fieldsOf(text), lexicon);
    }
    return 0;
}
