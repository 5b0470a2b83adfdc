// Arbitrary bytes as a puzzle file: loading accepts exactly what validate()
// accepts, keeps the record unchanged on refusal and copies the image
// byte for byte on success; nothing reads outside the record.
#include <cstdlib>
#include <span>

#include "FuzzRecord.h"
#include "core/VlqError.h"

using namespace vlq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = fuzzsupport::imageOf(data, size);
    const bool valid = PuzzleRecord::validate(image).empty();

    PuzzleRecord rec;
    rec.setWidth(7);
    const auto before = rec.bytes();
    try {
        rec.loadBytes(std::span(data, size));
        if (size < kRecordSize || !valid || rec.bytes() != image) std::abort();
    } catch (const IoError& e) {
        const int expected = size < kRecordSize ? 100 : 106;
        if (e.code() != expected || rec.bytes() != before) std::abort();
        if (size >= kRecordSize && valid) std::abort();
    }

    // The padded image too: the zero bytes the file lacked change nothing.
    PuzzleRecord padded;
    try {
        padded.loadBytes(image);
        if (!valid) std::abort();
    } catch (const IoError& e) {
        if (valid || e.code() != 106) std::abort();
    }
    return 0;
}
