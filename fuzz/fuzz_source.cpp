// Arbitrary text as a puzzle source for `vlqtool build`: parsing and
// building never fail unsafely; a source that builds gives a record the
// check passes, and building it again gives the same bytes. The code page
// conversion round-trips whatever it accepts.
#include <cstdlib>
#include <string>

#include "core/PuzzleBuilder.h"
#include "core/PuzzleCheck.h"
#include "core/PuzzleSource.h"

using namespace vlq;

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const auto ansi = toAnsi(text)) check(toAnsi(fromAnsi(*ansi)) == ansi);
    for (const char ch : lettersOf(text)) check(ch >= 'A' && ch <= 'Z');
    quotationSquares(text);

    const ParsedSource parsed = parsePuzzleSource(text, "Fuzz");
    for (const auto& p : parsed.problems) check(!p.what.empty() && p.line >= 0);
    if (!parsed.problems.empty()) return 0;
    const BuildResult built = buildPuzzle(parsed.source);
    for (const auto& p : built.problems) check(!p.what.empty() && p.line >= 0);
    if (!built.ok()) return 0;
    check(checkPuzzle(built.record.bytes()).empty());
    check(buildPuzzle(parsed.source).record.bytes() == built.record.bytes());
    return 0;
}
