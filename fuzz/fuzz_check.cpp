// Arbitrary bytes as a file for `vlqtool check`: the check never fails
// unsafely, names every problem in a sentence, and a file it passes is one
// the game opens and plays (the check is stricter than the loader).
#include <cstdlib>
#include <span>

#include "FuzzRecord.h"
#include "core/PuzzleCheck.h"
#include "core/PuzzleRules.h"

using namespace vlq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto problems = checkPuzzleFile(bytes);
    for (const auto& p : problems)
        if (p.empty()) std::abort();
    if (size < kRecordSize) {
        if (problems.size() != 1) std::abort();
        return 0;
    }
    if (!problems.empty()) return 0;

    const auto image = fuzzsupport::imageOf(data, size);
    if (!PuzzleRecord::validate(image).empty()) std::abort();
    PuzzleRecord rec;
    rec.loadBytes(image);
    if (clueCount(rec) < 1) std::abort();
    return 0;
}
