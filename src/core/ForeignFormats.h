// Acrostic files of other programs: JPZ (the crossword applet XML with its
// <acrostic> extension, plain or in a ZIP), APZ (acrostic maker XML) and
// ipuz (kind http://ipuz.org/acrostic#1). Reading turns them into a puzzle
// record; writing turns a record into each of them.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "ForeignPuzzle.h"
#include "PuzzleRecord.h"

namespace vlq {

enum class ForeignFormat { Jpz, Apz, Ipuz };

// Largest foreign file (and unpacked ZIP member) that is read at all.
inline constexpr std::size_t kMaxForeignFileSize = 4 * 1024 * 1024;

// "jpz", "apz", "ipuz" (any case, with or without the dot) or nothing.
std::optional<ForeignFormat> foreignFormatNamed(const std::string& extension);

// True when the path's extension names a foreign format.
bool isForeignPuzzlePath(const std::string& path);

// Reads a file of any of the three formats (told apart by content, not
// name) into the common shape; throws ForeignError naming the cause when
// the file is malformed or lacks what an acrostic needs.
ForeignPuzzle readForeign(std::span<const std::uint8_t> data);

// readForeign, then recordFromForeign. The title is the file's own, or
// fallbackTitle when it has none. Never throws.
ImportResult importForeign(std::span<const std::uint8_t> data, const std::string& fallbackTitle);

// The record as a file of the format (UTF-8 XML or JSON). The record must
// pass checkPuzzle().
std::string exportForeign(const PuzzleRecord& rec, const std::string& title, ForeignFormat format);

class ForeignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vlq
