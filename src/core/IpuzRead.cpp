// The ipuz acrostic: only the quotation grid is stored; each clue lists the
// grid cells of its answer in letter order. Cells are [column, row], 0- or
// 1-based depending on the program that wrote the file.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <map>

#include "ForeignFormats.h"
#include "ForeignReaders.h"
#include "Utf8.h"

namespace vlq::ipuz {

namespace {

using nlohmann::json;

constexpr int kMaxExtent = 1000;
constexpr int kMaxDepth = 16;

std::u32string codePoints(const std::string& s) {
    std::u32string out;
    std::size_t i = 0;
    while (i < s.size()) out += nextCodePoint(s, i);
    return out;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string stringOf(const json& v) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_number_integer()) return std::to_string(v.get<long long>());
    return {};
}

// A grid cell's value: the string, a number as text, the "value" of an
// object; nullopt for null (an omitted cell).
std::optional<std::string> cellValue(const json& v) {
    if (v.is_null()) return std::nullopt;
    if (v.is_object()) {
        const auto it = v.find("value");
        if (it == v.end()) return std::string();
        return cellValue(*it);
    }
    if (v.is_array()) throw ForeignError("a square holds several values; the game has one letter per square");
    return stringOf(v);
}

const json& rowOf(const json& grid, int r, const char* name) {
    if (!grid.is_array() || r >= static_cast<int>(grid.size()) || !grid[static_cast<std::size_t>(r)].is_array())
        throw ForeignError(std::string("the ") + name + " grid is shorter than the puzzle's dimensions");
    return grid[static_cast<std::size_t>(r)];
}

bool isLetterLike(char32_t cp) {
    return (cp < 0x80 && std::isalnum(static_cast<int>(cp))) ||
           (cp >= 0xC0 && cp <= 0x24F && cp != 0xD7 && cp != 0xF7) || (cp >= 0x370 && cp < 0x2000);
}

int dimension(const json& dims, const char* name) {
    const auto it = dims.find(name);
    if (it == dims.end() || !it->is_number_integer() || it->get<long long>() < 1 ||
        it->get<long long>() > kMaxExtent)
        throw ForeignError(std::string("the puzzle's ") + name + " is missing or outside 1 to 1000");
    return static_cast<int>(it->get<long long>());
}

// Deepest nesting of arrays and objects, outside strings; the readers
// below recurse no deeper than the file nests.
int nestingDepth(std::string_view text) {
    int depth = 0, deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

struct RawClue {
    std::string label;
    std::string text;
    std::vector<std::pair<long long, long long>> cells;
};

} // namespace

ForeignPuzzle read(std::string_view text) {
    if (text.starts_with("ipuz(")) {
        text.remove_prefix(5);
        const auto close = text.rfind(')');
        if (close != std::string_view::npos) text = text.substr(0, close);
    }
    if (nestingDepth(text) > kMaxDepth) throw ForeignError("the ipuz file is nested too deeply");
    json doc;
    try {
        doc = json::parse(text);
    } catch (const json::exception&) {
        throw ForeignError("the ipuz file is not valid JSON");
    }
    if (!doc.is_object()) throw ForeignError("the ipuz file is not a JSON object");
    bool acrostic = false;
    if (const auto kind = doc.find("kind"); kind != doc.end() && kind->is_array())
        for (const auto& k : *kind)
            if (k.is_string() && k.get<std::string>().starts_with("http://ipuz.org/acrostic")) acrostic = true;
    if (!acrostic) throw ForeignError("the ipuz file is not an acrostic (its kind lacks http://ipuz.org/acrostic)");

    ForeignPuzzle out;
    out.title = doc.contains("title") ? stringOf(doc["title"]) : std::string();
    out.author = doc.contains("author") ? stringOf(doc["author"]) : std::string();
    const auto dims = doc.find("dimensions");
    if (dims == doc.end() || !dims->is_object()) throw ForeignError("the ipuz file has no dimensions");
    const int width = dimension(*dims, "width");
    const int height = dimension(*dims, "height");
    out.width = width;
    const auto solution = doc.find("solution");
    if (solution == doc.end() || solution->is_null()) {
        if (doc.contains("checksum"))
            throw ForeignError("the file has no solution, only a checksum, so answers could never be checked");
        throw ForeignError("the file has no solution");
    }
    const std::string block = doc.contains("block") ? stringOf(doc["block"]) : std::string("#");
    const std::string empty = doc.contains("empty") ? stringOf(doc["empty"]) : std::string("0");

    // The quotation in reading order; omitted (null) cells are skipped.
    std::map<std::pair<int, int>, int> numberAt; // (column, row) 0-based
    for (int r = 0; r < height; ++r) {
        const json& row = rowOf(*solution, r, "solution");
        for (int c = 0; c < width && c < static_cast<int>(row.size()); ++c) {
            const auto value = cellValue(row[static_cast<std::size_t>(c)]);
            if (!value) continue;
            const std::u32string cps = codePoints(*value);
            if (cps.empty() || *value == block) {
                out.quote.push_back({QuoteCell::Break, U' '});
            } else if (cps.size() > 1) {
                throw ForeignError("a square holds several letters (\"" + shownText(*value, 20) +
                                   "\"); the game has one letter per square");
            } else if (isLetterLike(cps[0])) {
                out.quote.push_back({QuoteCell::Letter, cps[0]});
                numberAt[{c, r}] = static_cast<int>(numberAt.size()) + 1;
            } else {
                out.quote.push_back({QuoteCell::Punctuation, cps[0]});
            }
        }
    }

    // Clue lists; a list of the quotation or a "[QUOTE]" clue is not a clue.
    std::vector<RawClue> raw;
    const auto clues = doc.find("clues");
    if (clues == doc.end() || !clues->is_object()) throw ForeignError("the ipuz file has no clues");
    for (const auto& [key, list] : clues->items()) {
        const auto colon = key.find(':');
        const std::string direction = lower(colon == std::string::npos ? key : key.substr(colon + 1));
        if (direction == "quote" || !list.is_array()) continue;
        for (const auto& entry : list) {
            RawClue clue;
            if (entry.is_object()) {
                clue.label = entry.contains("label") ? stringOf(entry["label"])
                                                     : entry.contains("number") ? stringOf(entry["number"]) : "";
                clue.text = entry.contains("clue") ? stringOf(entry["clue"]) : std::string();
                if (const auto cells = entry.find("cells"); cells != entry.end() && cells->is_array())
                    for (const auto& cell : *cells) {
                        if (!cell.is_array() || cell.size() != 2 || !cell[0].is_number_integer() ||
                            !cell[1].is_number_integer())
                            throw ForeignError("clue " + clue.label.substr(0, 4) + " has a cell that is not [column, row]");
                        clue.cells.push_back({cell[0].get<long long>(), cell[1].get<long long>()});
                    }
            } else if (entry.is_array() && entry.size() == 2) {
                clue.label = stringOf(entry[0]);
                clue.text = stringOf(entry[1]);
            } else {
                clue.text = stringOf(entry);
            }
            if (lower(clue.text) == "[quote]") continue;
            if (clue.cells.empty())
                throw ForeignError("clue " + clue.label.substr(0, 4) + " lists no cells, so its answer is unknown");
            raw.push_back(std::move(clue));
            if (raw.size() > 100) throw ForeignError("the file has more than 100 clues");
        }
    }

    // 0- or 1-based: a 0 or a coordinate at the far edge decides; else the
    // base under which every cell is a letter square.
    bool zero = false, one = false;
    for (const auto& clue : raw)
        for (const auto& [c, r] : clue.cells) {
            zero = zero || c == 0 || r == 0;
            one = one || c == width || r == height;
        }
    int base = 0;
    if (!zero && one) {
        base = 1;
    } else if (!zero) {
        auto allLetters = [&](int b) {
            for (const auto& clue : raw)
                for (const auto& [c, r] : clue.cells)
                    if (!numberAt.count({static_cast<int>(c - b), static_cast<int>(r - b)})) return false;
            return true;
        };
        base = !allLetters(0) && allLetters(1) ? 1 : 0;
    }
    for (auto& clue : raw) {
        ForeignClue fc;
        fc.label = clue.label;
        fc.text = clue.text;
        for (const auto& [c, r] : clue.cells) {
            const auto it = c - base >= 0 && c - base < kMaxExtent && r - base >= 0 && r - base < kMaxExtent
                                ? numberAt.find({static_cast<int>(c - base), static_cast<int>(r - base)})
                                : numberAt.end();
            if (it == numberAt.end()) {
                // Inside the grid the fault may as well be the solution's:
                // both are named.
                const bool inside = c - base >= 0 && c - base < width && r - base >= 0 && r - base < height;
                throw ForeignError("clue " + clue.label.substr(0, 4) + " names the cell [" + std::to_string(c) + ", " +
                                   std::to_string(r) + "], " +
                                   (inside ? "whose solution holds no letter: the solution grid or the clue is wrong"
                                           : "which lies outside the grid"));
            }
            fc.squares.push_back(it->second);
        }
        out.clues.push_back(std::move(fc));
    }

    // The player's letters.
    if (const auto saved = doc.find("saved"); saved != doc.end() && saved->is_array()) {
        out.progress.assign(numberAt.size(), 0);
        for (const auto& [pos, n] : numberAt) {
            const auto [c, r] = pos;
            if (r >= static_cast<int>(saved->size()) || !(*saved)[static_cast<std::size_t>(r)].is_array()) continue;
            const json& row = (*saved)[static_cast<std::size_t>(r)];
            if (c >= static_cast<int>(row.size())) continue;
            const auto value = cellValue(row[static_cast<std::size_t>(c)]);
            if (!value || *value == empty || *value == block) continue;
            const std::u32string cps = codePoints(*value);
            if (cps.size() == 1) out.progress[static_cast<std::size_t>(n - 1)] = cps[0];
        }
    }
    return out;
}

} // namespace vlq::ipuz
