// vlqtool: builds puzzle files from their text sources, checks puzzle files
// against every rule of the format and shows them as text, makes the
// answers of a new puzzle from its quotation, and converts the acrostic
// files of other programs (JPZ, APZ, ipuz) to puzzle files and back.
//
// Exit status: 0 success (a sound file for "check", warnings aside), 1 the puzzle or source
// has problems (all are printed), 2 wrong usage or a file that cannot be
// read or written.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <span>
#include <unordered_map>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "core/FileAccess.h"
#include "core/ForeignFormats.h"
#include "core/PuzzleBuilder.h"
#include "core/PuzzleCheck.h"
#include "core/PuzzleRecord.h"
#include "core/PuzzleRules.h"
#include "core/PuzzleShow.h"
#include "core/PuzzleSource.h"
#include "core/Utf8.h"
#include "core/VlqError.h"
#include "maker/Lexicon.h"
#include "maker/PuzzleMaker.h"

namespace fs = std::filesystem;

namespace {

constexpr int kOk = 0;
constexpr int kProblems = 1;
constexpr int kUsage = 2;

int usage(std::ostream& out = std::cerr, int status = kUsage) {
    out << "usage: vlqtool build SOURCE.txt -o FILE.vlq   build a puzzle file from its source\n"
           "       vlqtool check FILE.vlq...             check puzzle files, print every problem\n"
           "       vlqtool show FILE.vlq                 print grid, clues, answers and progress\n"
           "       vlqtool make SOURCE.txt [-o OUT.txt] [--seed N] [--min L] [--max L]\n"
           "                    [--balance B] [--avoid WORD,...] [--time S] [--sets N]\n"
           "                                             find answers for the source's letters,\n"
           "                                             with draft clues (kept answers stay)\n"
           "       vlqtool make SOURCE.txt --suggest SLOT  words for one open answer (A, B, ... or 1, 2, ...)\n"
           "       vlqtool import FILE -o OUT.vlq        convert a JPZ, APZ or ipuz acrostic\n"
           "       vlqtool export FILE.vlq [--to jpz|apz|ipuz] -o OUT   (the format from OUT's name without --to)\n";
    return status;
}

std::optional<std::string> readFile(const std::string& path) {
    // Puzzles, their sources and other programs' files are a few kilobytes:
    // a larger file is refused after reading one byte past the limit, and a
    // pipe, a device or a folder is not read at all.
    constexpr std::size_t kMaxInput = 16u << 20;
    vlq::FileContents file = vlq::readRegularFile(path, kMaxInput);
    if (file.fault != vlq::ReadFault::None) {
        std::cerr << path << ": cannot be read: " << vlq::readFaultText(file.fault) << "\n";
        return std::nullopt;
    }
    if (file.longer) {
        std::cerr << path << ": more than " << kMaxInput << " bytes, too large for a puzzle file\n";
        return std::nullopt;
    }
    return std::move(file.data);
}

int writeFile(const std::string& outPath, const std::string& data);

// Whether the output would replace the input: the same file under any name
// (a link, a path of its own). Told, it is refused: the input would be lost.
bool replacesInput(const std::string& command, const std::string& in, const std::string& out) {
    std::error_code error;
    if (!fs::equivalent(in, out, error)) return false;
    std::cerr << "vlqtool " << command << ": " << out << " is the input file; write the output to another file\n";
    return true;
}

// Tells how the source line was read when an accented letter in it was
// taken as its plain letter.
void noteFolding(const std::string& sourcePath, const vlq::PuzzleSource& source) {
    const vlq::SourceSpelling spelling = vlq::sourceSpelling(source.source);
    if (spelling.folded && spelling.problems.empty())
        std::cerr << sourcePath << ":" << source.sourceLine << ": note: the source spells " << spelling.letters
                  << " (accented letters as plain ones)\n";
}

int build(const std::string& sourcePath, const std::string& outPath) {
    const auto text = readFile(sourcePath);
    if (!text) return kUsage;
    const std::string title = fs::path(sourcePath).stem().string();
    const vlq::ParsedSource parsed = vlq::parsePuzzleSource(*text, title);
    auto report = [&](const std::vector<vlq::SourceProblem>& problems) {
        for (const auto& p : problems)
            std::cerr << sourcePath << ":" << (p.line > 0 ? std::to_string(p.line) + ":" : std::string()) << " "
                      << p.what << "\n";
    };
    if (!parsed.problems.empty()) {
        report(parsed.problems);
        return kProblems;
    }
    const vlq::BuildResult built = vlq::buildPuzzle(parsed.source);
    if (!built.ok()) {
        report(built.problems);
        return kProblems;
    }
    noteFolding(sourcePath, parsed.source);
    for (const auto& clue : parsed.source.clues)
        if (clue.text.starts_with(vlq::kDraftMark))
            std::cerr << sourcePath << ":" << clue.line << ": warning: clue " << clue.label
                      << " is still a draft: rewrite it and take off \"" << vlq::kDraftMark << "\"\n";
    const auto& bytes = built.record.bytes();
    return writeFile(outPath, std::string(bytes.begin(), bytes.end()));
}

// Writes through the game's own writer: only over nothing or a regular
// file (never a pipe, a device, a socket or a folder), beside the target
// under a unique name, synced and renamed, so a failure never leaves half a
// file and a crash never brings the old one back.
int writeFile(const std::string& outPath, const std::string& data) {
    const vlq::WriteResult written = vlq::writeFileSafely(outPath, data);
    if (written.ok()) return kOk;
    if (written.fault == vlq::WriteFault::NotRegular)
        std::cerr << outPath << ": not written: not a regular file (a folder, pipe, device or socket)\n";
    else
        std::cerr << outPath << ": cannot be written: " << written.text << "\n";
    return kUsage;
}

// Why no file can be written at `path` (its folder missing or read-only, a
// folder in its place), learnt before a long search for what it would hold;
// empty when one can.
std::string unwritable(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return "it is a folder";
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec)) return "there is no folder " + folder.string();
    const fs::path probe = folder / (".vlqtool-" + std::to_string(::getpid()) + ".probe");
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

int check(const std::vector<std::string>& paths) {
    int status = kOk;
    for (const auto& path : paths) {
        const auto data = readFile(path);
        if (!data) {
            status = kUsage;
            continue;
        }
        std::vector<std::string> warnings;
        const auto problems = vlq::checkPuzzleFile(
            std::span(reinterpret_cast<const std::uint8_t*>(data->data()), data->size()), &warnings);
        for (const auto& w : warnings) std::cout << path << ": warning: " << w << "\n";
        if (problems.empty()) {
            vlq::PuzzleRecord rec;
            rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(data->data()), data->size()));
            for (int k = 1; k <= vlq::clueCount(rec); ++k)
                if (rec.clue(k).starts_with(vlq::kDraftMark))
                    std::cout << path << ": warning: clue " << vlq::clueLabel(k) << " is still a draft\n";
        }
        for (const auto& p : problems) std::cout << path << ": " << p << "\n";
        if (!problems.empty() && status == kOk) status = kProblems;
    }
    return status;
}

int show(const std::string& path) {
    const auto data = readFile(path);
    if (!data) return kUsage;
    vlq::PuzzleRecord rec;
    try {
        rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(data->data()), data->size()));
    } catch (const vlq::IoError& e) {
        std::cerr << path << ": not a puzzle the game can open (" << e.what() << "); try vlqtool check\n";
        return kProblems;
    }
    std::cout << vlq::showPuzzle(rec);
    return kOk;
}

std::optional<long> number(const std::string& text, long lo, long hi) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const long v = std::stol(text);
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

// The maker's own files in the user's config folder (beside the game's settings).
fs::path makerFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return fs::path(xdg) / "Marlowick32";
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) / ".config" / "Marlowick32" : fs::path();
}

struct ListLine {
    int number = 0;
    std::string text;
};

// Lines of a text file less comments ('#') and surrounding blanks, with
// their numbers; none when it is missing. A byte-order mark and CR LF line
// ends are read as a plain editor writes them.
std::vector<ListLine> listLines(const fs::path& path) {
    std::vector<ListLine> out;
    if (path.empty()) return out;
    const vlq::FileContents file = vlq::readRegularFile(path.string(), 4u << 20);
    if (file.fault != vlq::ReadFault::None || file.longer) return out;
    std::istringstream in(vlq::plainSourceText(file.data));
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        line = line.substr(0, line.find('#'));
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        out.push_back({number, line.substr(first, line.find_last_not_of(" \t") - first + 1)});
    }
    return out;
}

std::vector<std::string> listWords(const fs::path& path) {
    std::vector<std::string> out;
    for (const ListLine& line : listLines(path)) out.push_back(line.text);
    return out;
}

// The maker's word list: "WORD OR PHRASE" or "WORD OR PHRASE;SCORE" (0 to 100) a line.
// A line with other characters in its word is told and left out.
std::vector<vlq::UserWord> userWords(const fs::path& path) {
    std::vector<vlq::UserWord> out;
    for (const auto& [lineNumber, line] : listLines(path)) {
        vlq::UserWord word;
        const auto semi = line.rfind(';');
        word.written = line.substr(0, semi);
        while (!word.written.empty() && (word.written.back() == ' ' || word.written.back() == '\t'))
            word.written.pop_back();
        const auto odd = word.written.find_first_not_of(
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz -'");
        if (odd != std::string::npos || vlq::lettersOf(word.written).empty()) {
            std::cerr << path.string() << ":" << lineNumber << ": \"" << vlq::shownText(line, 60)
                      << "\": a word or phrase of plain letters (spaces, hyphens and apostrophes between), "
                         "then ;SCORE if wanted; left out\n";
            continue;
        }
        if (semi != std::string::npos) {
            const auto score = number(line.substr(line.find_first_not_of(' ', semi + 1) == std::string::npos
                                                      ? line.size()
                                                      : line.find_first_not_of(' ', semi + 1)),
                                      0, 100);
            if (!score) {
                std::cerr << path.string() << ":" << lineNumber << ": \"" << vlq::shownText(line, 60)
                          << "\": the score must be 0 to 100; taken as 50\n";
            } else {
                word.score = static_cast<int>(*score);
            }
        }
        out.push_back(word);
    }
    return out;
}

// How many puzzles of a folder hold each answer (upper-case letters).
void countAnswers(const fs::path& folder, std::unordered_map<std::string, int>& seen) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext != ".vlq" || !it->is_regular_file(ec) || it->file_size(ec) != vlq::kRecordSize) continue;
        const std::string data = vlq::readRegularFile(it->path().string(), vlq::kRecordSize).data;
        vlq::PuzzleRecord rec;
        try {
            rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
        } catch (const vlq::IoError&) {
            continue;
        }
        if (!vlq::checkPuzzleFile(std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size())).empty())
            continue;
        for (int k = 1; k <= vlq::clueCount(rec); ++k) {
            std::string answer;
            for (int j = 1; j <= vlq::answerLength(rec, k); ++j) {
                const vlq::Square sq = vlq::answerSquare(rec, k, j);
                answer += static_cast<char>(rec.solution(sq.col, sq.row));
            }
            ++seen[answer];
        }
    }
}

std::string describeLine(const std::string& source, const vlq::SourceProblem& p) {
    return source + ":" + (p.line > 0 ? std::to_string(p.line) + ":" : std::string()) + " " + p.what;
}

int make(const std::vector<std::string>& args, const std::string& programPath) {
    std::string sourcePath, outPath, suggest;
    vlq::MakeOptions options;
    long sets = 1;
    // The number options and their ranges: a value outside is refused with
    // a message saying what the option takes.
    const std::pair<const char*, std::pair<long, long>> kRanges[] = {
        {"--seed", {0, 999999999}}, {"--min", {2, 31}},  {"--max", {2, 31}},
        {"--balance", {0, 10}},     {"--time", {1, 3600}}, {"--sets", {1, 20}}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        std::optional<long> v; // the value of a number option
        for (const auto& [name, range] : kRanges) {
            if (a != name) continue;
            if (!hasValue || !(v = number(args[++i], range.first, range.second))) {
                std::cerr << "vlqtool make: " << name << " takes a whole number from " << range.first << " to "
                          << range.second << "\n";
                return usage();
            }
        }
        if (a == "-o" && hasValue) {
            outPath = args[++i];
            if (outPath.empty()) return usage();
        } else if (a == "--seed") {
            options.seed = static_cast<std::uint32_t>(*v);
        } else if (a == "--min") {
            options.minLength = static_cast<int>(*v);
            options.widen = false;
        } else if (a == "--max") {
            options.maxLength = static_cast<int>(*v);
            options.widen = false;
        } else if (a == "--balance") {
            options.balance = static_cast<double>(*v);
        } else if (a == "--time") {
            options.seconds = static_cast<double>(*v);
        } else if (a == "--sets") {
            sets = *v;
        } else if (a == "--suggest" && hasValue) {
            suggest = args[++i];
            if (suggest.empty()) return usage();
        } else if (a == "--avoid" && hasValue) {
            std::string list = args[++i] + ",";
            for (std::size_t start = 0, comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
                if (comma > start) options.avoid.push_back(list.substr(start, comma - start));
        } else if (sourcePath.empty() && !a.empty() && a[0] != '-') {
            sourcePath = a;
        } else {
            return usage();
        }
    }
    if (sourcePath.empty() || (!suggest.empty() && (sets > 1 || !outPath.empty()))) return usage();
    if (!outPath.empty() && replacesInput("make", sourcePath, outPath)) return kUsage;
    const auto text = readFile(sourcePath);
    if (!text) return kUsage;
    if (!outPath.empty())
        if (const std::string why = unwritable(outPath); !why.empty()) {
            std::cerr << outPath << ": cannot be written: " << why << "\n";
            return kUsage;
        }
    if (const auto problems = vlq::makingProblems(*text, "", options); !problems.empty()) {
        for (const auto& p : problems) std::cerr << describeLine(sourcePath, p) << "\n";
        return kProblems;
    }
    noteFolding(sourcePath, vlq::parsePuzzleSource(*text, "", true).source);
    vlq::Lexicon lexicon;
    try {
        lexicon = vlq::Lexicon::load(vlq::LexiconPaths::debian());
    } catch (const vlq::LexiconError& e) {
        std::cerr << "vlqtool make: " << e.what() << "\n";
        return kUsage;
    }
    // The data folder beside the program (bin/../share/vorlaquince).
    fs::path data;
    {
        std::error_code ec;
        fs::path program = fs::read_symlink("/proc/self/exe", ec);
        if (ec) program = fs::weakly_canonical(fs::path(programPath), ec);
        if (!ec && program.has_parent_path()) data = program.parent_path().parent_path() / "share" / "vorlaquince";
    }
    // The maker's own words and blocked words, the default block list, and
    // the answers of the puzzles already made (the puzzle folder and the
    // game's library).
    const fs::path folder = makerFolder();
    if (!folder.empty()) {
        lexicon.addWords(userWords(folder / "maker-words.txt"));
        lexicon.removeWords(listWords(folder / "maker-block.txt"));
    }
    if (!data.empty()) lexicon.removeWords(listWords(data / "maker-block.txt"));
    if (const char* home = std::getenv("HOME"); home && *home)
        countAnswers(fs::path(home) / "Documents" / "Marlowick" / "Puzzles", options.seen);
    if (!data.empty()) countAnswers(data / "puzzles", options.seen);
    const std::string title = fs::path(sourcePath).stem().string();

    if (!suggest.empty()) {
        int slot = 0;
        if (const auto n = number(suggest, 1, 30)) {
            slot = static_cast<int>(*n);
        } else {
            for (int k = 1; k <= 30 && slot == 0; ++k)
                if (vlq::clueLabel(k) == suggest || (k <= 26 && suggest.size() == 1 && suggest[0] == 'a' + k - 1))
                    slot = k;
        }
        if (slot == 0) {
            std::cerr << "vlqtool make: --suggest takes an answer's label (A to Z, aa to dd) or its number (1 to 30)\n";
            return usage();
        }
        std::vector<vlq::SourceProblem> problems;
        const auto words = vlq::suggestAnswers(*text, title, lexicon, options, slot, problems);
        for (const auto& p : problems) std::cerr << describeLine(sourcePath, p) << "\n";
        if (!problems.empty()) return kProblems;
        std::cout << "words for answer " << vlq::clueLabel(slot) << ", best first:\n";
        for (const auto& w : words)
            std::cout << "  " << w.word << (w.completes ? "" : "   (no set found with it in a quick search)") << "\n";
        if (words.empty()) std::cout << "  none fits the letters left\n";
        return kOk;
    }

    int status = kOk;
    // --time bounds the whole run: the sets share it, each the time left over the sets left.
    const auto started = std::chrono::steady_clock::now();
    for (long n = 0; n < sets; ++n) {
        vlq::MakeOptions these = options;
        these.seed = options.seed + static_cast<std::uint32_t>(n);
        const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        these.seconds = std::max(0.1, (options.seconds - spent) / static_cast<double>(sets - n));
        const vlq::MakeResult made = vlq::makePuzzle(*text, title, lexicon, these);
        for (const auto& p : made.problems) std::cerr << describeLine(sourcePath, p) << "\n";
        if (made.text.empty()) return kProblems; // the source itself has problems
        if (sets > 1) std::cerr << "set " << n + 1 << " of " << sets << " (seed " << these.seed << "):\n";
        std::cerr << "letters for the new answers: " << vlq::describeLetters(made.pool) << "\n";
        if (!made.complete) {
            std::cerr << "letters left over: " << vlq::describeLetters(made.unplaced) << "\n";
            status = kProblems;
        }
        // Later sets keep away from the words of earlier ones.
        for (const auto& a : made.answers)
            if (!a.kept && !a.answer.empty()) options.earlier.insert(vlq::lettersOf(a.answer));
        std::string path = outPath;
        if (!outPath.empty() && n > 0) {
            const fs::path out(outPath);
            path = (out.parent_path() / (out.stem().string() + "-" + std::to_string(n + 1) + out.extension().string()))
                       .string();
        }
        if (path.empty()) {
            if (!made.complete) {
                std::cerr << "the best answers found (? where none fits):\n";
                for (std::size_t k = 0; k < made.answers.size(); ++k)
                    std::cerr << "  " << vlq::clueLabel(static_cast<int>(k) + 1) << ". "
                              << (made.answers[k].answer.empty() ? "?" : made.answers[k].answer) << "\n";
                continue;
            }
            if (sets > 1) std::cout << "# Set " << n + 1 << " of " << sets << "\n";
            std::cout << made.text;
            continue;
        }
        if (const int written = writeFile(path, made.text); written != kOk) return written;
        if (!made.complete)
            std::cerr << path << ": the best set found, with ? for the open answers; run make on it again\n";
    }
    return status;
}

int importFile(const std::string& path, const std::string& outPath) {
    const auto data = readFile(path);
    if (!data) return kUsage;
    if (data->size() > vlq::kMaxForeignFileSize) {
        std::cerr << path << ": larger than 4 MiB, not a puzzle\n";
        return kProblems;
    }
    const vlq::ImportResult imported = vlq::importForeign(
        std::span(reinterpret_cast<const std::uint8_t*>(data->data()), data->size()), fs::path(path).stem().string());
    for (const auto& w : imported.warnings) std::cerr << path << ": warning: " << w << "\n";
    if (!imported.ok()) {
        std::cerr << path << ": " << imported.error << "\n";
        return kProblems;
    }
    const auto& bytes = imported.record.bytes();
    return writeFile(outPath, std::string(bytes.begin(), bytes.end()));
}

int exportFile(const std::string& path, vlq::ForeignFormat format, const std::string& outPath) {
    const auto data = readFile(path);
    if (!data) return kUsage;
    const auto problems =
        vlq::checkPuzzleFile(std::span(reinterpret_cast<const std::uint8_t*>(data->data()), data->size()));
    if (!problems.empty()) {
        for (const auto& p : problems) std::cerr << path << ": " << p << "\n";
        return kProblems;
    }
    vlq::PuzzleRecord rec;
    rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(data->data()), data->size()));
    return writeFile(outPath, vlq::exportForeign(rec, fs::path(path).stem().string(), format));
}

} // namespace

int main(int argc, char** argv) {
    // A write past the file-size limit is then an ordinary write error
    // ("cannot be written") instead of a killed process.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") return usage(std::cout, kOk);
    if (command == "--version" || command == "-v") {
        std::cout << "vlqtool " VLQ_VERSION "\n";
        return kOk;
    }
    if (command == "build") {
        std::string source, out;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "-o" && i + 1 < args.size())
                out = args[++i];
            else if (source.empty() && args[i] != "-o")
                source = args[i];
            else
                return usage();
        }
        if (source.empty() || out.empty()) return usage();
        if (replacesInput(command, source, out)) return kUsage;
        return build(source, out);
    }
    if (command == "import" || command == "export") {
        std::string in, out, to;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "-o" && i + 1 < args.size())
                out = args[++i];
            else if (args[i] == "--to" && i + 1 < args.size() && command == "export")
                to = args[++i];
            else if (in.empty())
                in = args[i];
            else
                return usage();
        }
        if (in.empty() || out.empty()) return usage();
        if (replacesInput(command, in, out)) return kUsage;
        if (command == "import") return to.empty() ? importFile(in, out) : usage();
        // Without --to the output's extension names the format.
        const auto format = vlq::foreignFormatNamed(to.empty() ? fs::path(out).extension().string() : to);
        if (!format && to.empty()) {
            std::cerr << "vlqtool export: " << out << ": the name ends in no format (.jpz, .apz, .ipuz); give --to\n";
            return kUsage;
        }
        return format ? exportFile(in, *format, out) : usage();
    }
    if (command == "check" && args.size() >= 2) return check({args.begin() + 1, args.end()});
    if (command == "show" && args.size() == 2) return show(args[1]);
    if (command == "make") return make({args.begin() + 1, args.end()}, argv[0]);
    return usage();
}
