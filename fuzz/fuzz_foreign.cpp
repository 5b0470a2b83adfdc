// Arbitrary bytes as a JPZ, APZ or ipuz file: the importer refuses or gives
// a record that passes the full check; such a record written in each format
// is read back again. Nothing crashes or hangs.
#include <cstdlib>
#include <span>

#include "core/ForeignFormats.h"
#include "core/PuzzleCheck.h"

using namespace vlq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ImportResult got = importForeign(std::span(data, size), "fuzz");
    if (!got.ok()) return 0;
    if (!checkPuzzle(got.record.bytes()).empty()) std::abort();
    for (auto format : {ForeignFormat::Jpz, ForeignFormat::Apz, ForeignFormat::Ipuz}) {
        const std::string text = exportForeign(got.record, got.title, format);
        const ImportResult back =
            importForeign(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), "fuzz");
        if (!back.ok()) std::abort();
    }
    return 0;
}
