// The JPZ acrostic: one rectangular grid holding the quotation rows on top
// (letter cells numbered and marked with their clue letter, blocks between
// words, pre-filled punctuation cells), an optional attribution row, and
// the answer rows. Cells with the same number are the same square; a clue's
// word lists its answer cells in letter order.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "ForeignFormats.h"
#include "ForeignReaders.h"
#include "Utf8.h"

namespace vlq::xml {

namespace {

constexpr int kMaxExtent = 1000;       // columns or rows of a grid we read at all
constexpr std::size_t kMaxWordCells = 20000; // all words together

// Attribute values point into the parsed document.
struct Cell {
    std::string_view type;
    std::string_view solution;
    std::string_view number;
    std::string_view solveState;
    bool quoteMark = false; // carries top-right-number
    bool whitePadding = false;
};

using Pos = std::pair<int, int>; // (row, column), so a map runs in reading order

std::u32string codePoints(std::string_view s) {
    const std::string text(s);
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) out += nextCodePoint(text, i);
    return out;
}

int coordinate(const char* text, const char* what) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || v < 1 || v > kMaxExtent)
        throw ForeignError(std::string("a cell has the ") + what + " \"" + std::string(text).substr(0, 12) +
                           "\", outside 1 to 1000");
    return static_cast<int>(v);
}

// "4" or "2-6" (either direction).
std::vector<int> range(const char* text, const char* what) {
    const std::string s = text;
    const auto dash = s.find('-', 1);
    if (dash == std::string::npos) return {coordinate(text, what)};
    const int a = coordinate(s.substr(0, dash).c_str(), what);
    const int b = coordinate(s.substr(dash + 1).c_str(), what);
    std::vector<int> out;
    for (int v = a;; v += a <= b ? 1 : -1) {
        out.push_back(v);
        if (v == b) break;
    }
    return out;
}

void addCells(const pugi::xml_node& node, std::vector<Pos>& cells, std::size_t& total) {
    const auto x = node.attribute("x");
    const auto y = node.attribute("y");
    if (!x || !y) return;
    for (int col : range(x.value(), "column"))
        for (int row : range(y.value(), "row")) {
            cells.push_back({row, col});
            if (++total > kMaxWordCells) throw ForeignError("the words of the grid have too many cells");
        }
}

} // namespace

ForeignPuzzle readJpz(const pugi::xml_node& root) {
    const pugi::xml_node puzzle = localName(root) == "rectangular-puzzle" ? root : child(root, "rectangular-puzzle");
    if (!puzzle) throw ForeignError("the JPZ file has no <rectangular-puzzle>");
    const pugi::xml_node acrostic = child(puzzle, "acrostic");
    if (!acrostic) {
        if (child(puzzle, "crossword")) throw ForeignError("the JPZ file holds a crossword, not an acrostic");
        throw ForeignError("the JPZ file holds no <acrostic>");
    }
    ForeignPuzzle out;
    const pugi::xml_node meta = child(puzzle, "metadata");
    out.title = text(child(meta, "title"));
    out.author = text(child(meta, "creator"));

    const pugi::xml_node grid = child(acrostic, "grid");
    if (!grid) throw ForeignError("the JPZ file has no grid");
    std::map<Pos, Cell> cells;
    for (pugi::xml_node c = grid.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element || localName(c) != "cell") continue;
        Cell cell;
        const char* x = "";
        const char* y = "";
        std::string bg;
        // One pass over the attributes: a grid has hundreds of cells.
        for (const pugi::xml_attribute a : c.attributes()) {
            const std::string_view name = a.name();
            if (name == "x") x = a.value();
            else if (name == "y") y = a.value();
            else if (name == "type") cell.type = a.value();
            else if (name == "solution") cell.solution = a.value();
            else if (name == "number") cell.number = a.value();
            else if (name == "solve-state") cell.solveState = a.value();
            else if (name == "top-right-number") cell.quoteMark = true;
            else if (name == "background-color") bg = a.value();
        }
        if (cell.type == "block") {
            std::transform(bg.begin(), bg.end(), bg.begin(), ::toupper);
            cell.whitePadding = bg == "#FFFFFF" || bg == "#FFF" || bg == "WHITE";
        }
        cells[{coordinate(y, "row"), coordinate(x, "column")}] = cell;
    }

    std::map<std::string, std::vector<Pos>> words;
    std::size_t wordCells = 0;
    for (pugi::xml_node w = acrostic.first_child(); w; w = w.next_sibling()) {
        if (w.type() != pugi::node_element || localName(w) != "word") continue;
        std::vector<Pos>& list = words[w.attribute("id").value()];
        addCells(w, list, wordCells);
        for (pugi::xml_node c = w.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element && localName(c) == "cells") addCells(c, list, wordCells);
    }

    // The quotation's letter cells: word 1000, else the first cell of each
    // number among those marked with a clue letter (later ones are the
    // attribution row's copies).
    std::set<Pos> quoteLetters;
    if (words.count("1000")) {
        quoteLetters.insert(words["1000"].begin(), words["1000"].end());
    } else {
        std::set<std::string_view> seen;
        for (const auto& [pos, cell] : cells)
            if (cell.quoteMark && seen.insert(cell.number).second) quoteLetters.insert(pos);
    }
    if (quoteLetters.empty()) throw ForeignError("the JPZ file marks no quotation squares");
    const int firstRow = quoteLetters.begin()->first;
    const int lastRow = quoteLetters.rbegin()->first;

    // The quotation rows cell by cell: padding skipped, blocks separate
    // words, "clue" cells are punctuation; a row end separates nothing.
    std::map<std::string_view, int> squareOfNumber;
    int letters = 0;
    int firstCol = kMaxExtent, lastCol = 0;
    for (auto it = cells.lower_bound({firstRow, 0}); it != cells.end() && it->first.first <= lastRow; ++it) {
        const Cell& cell = it->second;
        if (cell.type == "void" || cell.whitePadding) continue;
        firstCol = std::min(firstCol, it->first.second);
        lastCol = std::max(lastCol, it->first.second);
        if (cell.type == "block") {
            out.quote.push_back({QuoteCell::Break, U' '});
            continue;
        }
        const std::u32string solution = codePoints(cell.solution);
        if (cell.type == "clue") {
            if (!solution.empty()) out.quote.push_back({QuoteCell::Punctuation, solution[0]});
            continue;
        }
        if (solution.empty()) throw ForeignError("the JPZ file has no solution for its quotation squares");
        if (solution.size() > 1)
            throw ForeignError("a quotation square holds several letters (\"" + std::string(cell.solution.substr(0, 20)) +
                               "\"); the game has one letter per square");
        out.quote.push_back({QuoteCell::Letter, solution[0]});
        const int n = ++letters;
        if (!cell.number.empty()) squareOfNumber.emplace(cell.number, n);
        out.progress += cell.solveState.empty() ? char32_t(0) : codePoints(cell.solveState)[0];
    }
    if (lastCol >= firstCol) out.width = lastCol - firstCol + 1;

    for (pugi::xml_node list = acrostic.first_child(); list; list = list.next_sibling()) {
        if (list.type() != pugi::node_element || localName(list) != "clues") continue;
        for (pugi::xml_node c = list.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || localName(c) != "clue") continue;
            const std::string label = c.attribute("number").value();
            const std::string wordId = c.attribute("word").value();
            if (label.empty() || wordId == "1000" || wordId == "900") continue;
            ForeignClue clue;
            clue.label = label;
            clue.text = text(c);
            const auto word = words.find(wordId);
            if (word == words.end())
                throw ForeignError("clue " + label.substr(0, 4) + " names word " + wordId.substr(0, 8) +
                                   ", which the file lacks");
            bool stated = true;
            for (const Pos& p : word->second) {
                const auto cell = cells.find(p);
                const auto square = cell == cells.end() ? squareOfNumber.end() : squareOfNumber.find(cell->second.number);
                if (square == squareOfNumber.end())
                    throw ForeignError("clue " + label.substr(0, 4) +
                                       " has a square that is not a numbered square of the quotation");
                clue.squares.push_back(square->second);
                const std::u32string letter = codePoints(cell->second.solution);
                if (letter.size() > 1)
                    throw ForeignError("clue " + label.substr(0, 4) + " has a square holding several letters");
                if (letter.empty()) stated = false;
                clue.answer += letter;
                if (!cell->second.solveState.empty() && out.progress[static_cast<std::size_t>(square->second - 1)] == 0)
                    out.progress[static_cast<std::size_t>(square->second - 1)] = codePoints(cell->second.solveState)[0];
            }
            if (!stated) clue.answer.clear();
            out.clues.push_back(std::move(clue));
        }
    }
    return out;
}

} // namespace vlq::xml
