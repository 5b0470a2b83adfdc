// vlqtool: builds puzzle files from their text sources, checks puzzle files
// against every rule of the format and shows them as text, makes the
// answers of a new puzzle from its quotation, and converts the acrostic
// files of other programs (JPZ, APZ, ipuz) to puzzle files and back.
//
// Exit status: 0 success (a sound file for "check", warnings aside), 1 the puzzle or source
// has problems (all are printed), 2 wrong usage or a file that cannot be
// read or written.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/ForeignFormats.h"
#include "core/Lexicon.h"
#include "core/PuzzleBuilder.h"
#include "core/PuzzleMaker.h"
#include "core/PuzzleCheck.h"
#include "core/PuzzleRecord.h"
#include "core/PuzzleShow.h"
#include "core/PuzzleSource.h"
#include "core/VlqError.h"

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
           "                    [--avoid WORD,...] [--time S]\n"
           "                                             find answers for the source's letters,\n"
           "                                             with draft clues (kept answers stay)\n"
           "       vlqtool import FILE -o OUT.vlq        convert a JPZ, APZ or ipuz acrostic\n"
           "       vlqtool export FILE.vlq --to jpz|apz|ipuz -o OUT\n";
    return status;
}

std::optional<std::string> readFile(const std::string& path) {
    // Puzzles, their sources and other programs' files are a few kilobytes:
    // a huge file is refused before it is read.
    constexpr std::uintmax_t kMaxInput = 16u << 20;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxInput) {
        std::cerr << path << ": " << size << " bytes, too large for a puzzle file\n";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int writeFile(const std::string& outPath, const std::string& data);

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
    const auto& bytes = built.record.bytes();
    return writeFile(outPath, std::string(bytes.begin(), bytes.end()));
}

// Writes beside the target and renames, so a failure never leaves half a file.
int writeFile(const std::string& outPath, const std::string& data) {
    const std::string temp = outPath + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            std::cerr << outPath << ": cannot be written\n";
            return kUsage;
        }
    }
    std::error_code ec;
    fs::rename(temp, outPath, ec);
    if (ec) {
        fs::remove(temp, ec);
        std::cerr << outPath << ": cannot be written\n";
        return kUsage;
    }
    return kOk;
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

int make(const std::vector<std::string>& args) {
    std::string sourcePath, outPath;
    vlq::MakeOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        std::optional<long> v;
        if (a == "-o" && hasValue) {
            outPath = args[++i];
        } else if (a == "--seed" && hasValue && (v = number(args[++i], 0, 999999999))) {
            options.seed = static_cast<std::uint32_t>(*v);
        } else if (a == "--min" && hasValue && (v = number(args[++i], 2, 31))) {
            options.minLength = static_cast<int>(*v);
        } else if (a == "--max" && hasValue && (v = number(args[++i], 2, 31))) {
            options.maxLength = static_cast<int>(*v);
        } else if (a == "--time" && hasValue && (v = number(args[++i], 1, 3600))) {
            options.seconds = static_cast<double>(*v);
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
    if (sourcePath.empty()) return usage();
    const auto text = readFile(sourcePath);
    if (!text) return kUsage;
    vlq::Lexicon lexicon;
    try {
        lexicon = vlq::Lexicon::load(vlq::LexiconPaths::debian());
    } catch (const vlq::LexiconError& e) {
        std::cerr << "vlqtool make: " << e.what() << "\n";
        return kUsage;
    }
    const vlq::MakeResult made =
        vlq::makePuzzle(*text, fs::path(sourcePath).stem().string(), lexicon, options);
    for (const auto& p : made.problems)
        std::cerr << sourcePath << ":" << (p.line > 0 ? std::to_string(p.line) + ":" : std::string()) << " "
                  << p.what << "\n";
    if (!made.complete) {
        bool any = false;
        for (const auto& a : made.answers) any = any || !a.answer.empty();
        if (any) {
            std::cerr << "the best answers found (? where none fits):\n";
            for (std::size_t k = 0; k < made.answers.size(); ++k)
                std::cerr << "  " << (k < 26 ? std::string(1, char('A' + k)) : std::string(2, char('a' + k - 26)))
                          << ". " << (made.answers[k].answer.empty() ? "?" : made.answers[k].answer) << "\n";
        }
        return kProblems;
    }
    if (outPath.empty()) {
        std::cout << made.text;
        return kOk;
    }
    return writeFile(outPath, made.text);
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
        if (command == "import") return to.empty() ? importFile(in, out) : usage();
        const auto format = vlq::foreignFormatNamed(to);
        return format ? exportFile(in, *format, out) : usage();
    }
    if (command == "check" && args.size() >= 2) return check({args.begin() + 1, args.end()});
    if (command == "show" && args.size() == 2) return show(args[1]);
    if (command == "make") return make({args.begin() + 1, args.end()});
    return usage();
}
