// vlqtool: builds puzzle files from their text sources, checks puzzle files
// against every rule of the format and shows them as text.
//
// Exit status: 0 success (a sound file for "check"), 1 the puzzle or source
// has problems (all are printed), 2 wrong usage or a file that cannot be
// read or written.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/PuzzleBuilder.h"
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

int usage() {
    std::cerr << "usage: vlqtool build SOURCE.txt -o FILE.vlq   build a puzzle file from its source\n"
                 "       vlqtool check FILE.vlq...             check puzzle files, print every problem\n"
                 "       vlqtool show FILE.vlq                 print grid, clues, answers and progress\n";
    return kUsage;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
    // Write beside the target and rename, so a failure never leaves half a file.
    const std::string temp = outPath + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        const auto& bytes = built.record.bytes();
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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
        const auto problems = vlq::checkPuzzleFile(
            std::span(reinterpret_cast<const std::uint8_t*>(data->data()), data->size()));
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

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    const std::string& command = args[0];
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
    if (command == "check" && args.size() >= 2) return check({args.begin() + 1, args.end()});
    if (command == "show" && args.size() == 2) return show(args[1]);
    return usage();
}
