// Writing a record as JPZ, APZ or ipuz, in the shapes other solvers read:
// the quotation grid at the record's width (so reading the file back gives
// the same grid), the grid key, clue texts, byline and the player's letters.
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include <algorithm>
#include <map>
#include <sstream>

#include "ForeignFormats.h"
#include "PuzzleRules.h"
#include "Utf8.h"

namespace vlq {

namespace {

std::string utf8(char32_t cp) { return cp ? utf8Of(cp) : std::string(); }

std::string xmlText(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

// Letter squares of the quotation in reading order: (column, row) 1-based,
// with the clue each belongs to.
struct Letter {
    int col = 0;
    int row = 0;
    int clue = 0;
};

std::vector<Letter> lettersOf(const PuzzleRecord& rec) {
    std::vector<Letter> out;
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c) {
            const auto b = rec.solution(c, r);
            if (b != kBlack && b != kApostrophe && b != kHyphen) out.push_back({c, r, rec.squareClue(c, r) % 100});
        }
    return out;
}

std::string jpz(const PuzzleRecord& rec, const ForeignPuzzle& p) {
    const std::vector<Letter> letters = lettersOf(rec);
    const int w = rec.width();
    const int h = rec.height();
    std::size_t longest = 0;
    for (const auto& c : p.clues) longest = std::max(longest, c.squares.size());
    // Answer rows below a spacer row, in two columns: label cell, letters.
    const int answerWidth = static_cast<int>(longest) + 1;
    const int gridWidth = std::max(w, 2 * answerWidth + 1);
    const int perColumn = (static_cast<int>(p.clues.size()) + 1) / 2;
    const int gridHeight = h + 1 + perColumn;

    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    auto applet = doc.append_child("crossword-compiler-applet");
    applet.append_attribute("xmlns") = "http://crossword.info/xml/crossword-compiler-applet";
    auto puzzle = applet.append_child("rectangular-puzzle");
    puzzle.append_attribute("xmlns") = "http://crossword.info/xml/rectangular-puzzle";
    puzzle.append_attribute("alphabet") = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    auto meta = puzzle.append_child("metadata");
    meta.append_child("title").text() = p.title.c_str();
    meta.append_child("creator").text() = p.author.c_str();
    meta.append_child("copyright");
    meta.append_child("description");
    auto acrostic = puzzle.append_child("acrostic");
    auto grid = acrostic.append_child("grid");
    grid.append_attribute("width") = gridWidth;
    grid.append_attribute("height") = gridHeight;
    grid.append_child("grid-look").append_attribute("numbering-scheme") = "normal";

    std::map<std::pair<int, int>, pugi::xml_node> cellAt;
    for (int r = 1; r <= gridHeight; ++r)
        for (int c = 1; c <= gridWidth; ++c) {
            auto cell = grid.append_child("cell");
            cell.append_attribute("x") = c;
            cell.append_attribute("y") = r;
            cellAt[{c, r}] = cell;
        }
    auto setLetter = [&](pugi::xml_node cell, int n) {
        const auto& l = letters[static_cast<std::size_t>(n - 1)];
        cell.append_attribute("solution") = utf8(rec.solution(l.col, l.row)).c_str();
        cell.append_attribute("number") = n;
        if (const char32_t e = p.progress[static_cast<std::size_t>(n - 1)])
            cell.append_attribute("solve-state") = utf8(e).c_str();
    };
    int n = 0;
    for (int r = 1; r <= gridHeight; ++r)
        for (int c = 1; c <= gridWidth; ++c) {
            auto cell = cellAt[{c, r}];
            if (r > h || c > w) continue;
            const auto b = rec.solution(c, r);
            if (b == kBlack) {
                cell.append_attribute("type") = "block";
            } else if (b == kApostrophe || b == kHyphen) {
                cell.append_attribute("type") = "clue";
                cell.append_attribute("solution") = utf8(b).c_str();
                cell.append_attribute("solve-state") = utf8(b).c_str();
            } else {
                setLetter(cell, ++n);
                cell.append_attribute("top-right-number") =
                    p.clues[static_cast<std::size_t>(letters[static_cast<std::size_t>(n - 1)].clue - 1)].label.c_str();
            }
        }
    std::vector<pugi::xml_node> words;
    for (std::size_t k = 0; k < p.clues.size(); ++k) {
        const int row = h + 2 + static_cast<int>(k) % perColumn;
        const int col0 = 1 + static_cast<int>(k) / perColumn * (answerWidth + 1);
        auto label = cellAt[{col0, row}];
        label.append_attribute("type") = "clue";
        label.append_attribute("solution") = p.clues[k].label.c_str();
        label.append_attribute("solve-state") = p.clues[k].label.c_str();
        auto word = acrostic.append_child("word");
        word.append_attribute("id") = static_cast<int>(k) + 1;
        for (std::size_t j = 0; j < p.clues[k].squares.size(); ++j) {
            const int x = col0 + 1 + static_cast<int>(j);
            setLetter(cellAt[{x, row}], p.clues[k].squares[j]);
            auto cells = word.append_child("cells");
            cells.append_attribute("x") = x;
            cells.append_attribute("y") = row;
        }
    }
    // Padding: every cell nothing else took.
    for (auto& [pos, cell] : cellAt)
        if (!cell.attribute("type") && !cell.attribute("solution")) cell.append_attribute("type") = "void";
    auto quote = acrostic.append_child("word");
    quote.append_attribute("id") = 1000;
    for (const auto& l : letters) {
        auto cells = quote.append_child("cells");
        cells.append_attribute("x") = l.col;
        cells.append_attribute("y") = l.row;
    }
    auto clues = acrostic.append_child("clues");
    clues.append_attribute("ordering") = "normal";
    clues.append_child("title").append_child("b").text() = "Clues";
    for (std::size_t k = 0; k < p.clues.size(); ++k) {
        auto clue = clues.append_child("clue");
        clue.append_attribute("word") = static_cast<int>(k) + 1;
        clue.append_attribute("number") = p.clues[k].label.c_str();
        clue.text() = p.clues[k].text.c_str();
    }
    auto q = clues.append_child("clue");
    q.append_attribute("word") = 1000;
    q.append_attribute("number") = "";
    q.text() = "[QUOTE]";
    return xmlText(doc);
}

std::string apz(const PuzzleRecord& rec, const ForeignPuzzle& p) {
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    auto puzzle = doc.append_child("puzzle");
    auto meta = puzzle.append_child("metadata");
    meta.append_child("title").text() = p.title.c_str();
    meta.append_child("creator").text() = p.author.c_str();
    meta.append_child("copyright");
    meta.append_child("suggestedwidth").text() = rec.width();
    meta.append_child("apzversion").text() = "1.0";
    meta.append_child("description");
    std::string solution, key, answers, clues;
    for (const auto& cell : p.quote) solution += cell.kind == QuoteCell::Break ? std::string(" ") : utf8(cell.ch);
    solution.erase(solution.find_last_not_of(' ') + 1); // the black squares filling the last row
    for (const auto& c : p.clues) {
        for (std::size_t j = 0; j < c.squares.size(); ++j) key += (j ? " " : "") + std::to_string(c.squares[j]);
        for (char32_t ch : c.answer) answers += utf8(ch);
        key += '\n';
        answers += '\n';
        std::string text = c.text;
        std::replace(text.begin(), text.end(), '\n', ' ');
        clues += text + '\n';
    }
    puzzle.append_child("solution").text() = solution.c_str();
    puzzle.append_child("source").text() = p.source.c_str();
    puzzle.append_child("gridkey").text() = ("\n" + key).c_str();
    puzzle.append_child("answers").text() = ("\n" + answers).c_str();
    puzzle.append_child("clues").text() = ("\n" + clues).c_str();
    return xmlText(doc);
}

std::string ipuzText(const PuzzleRecord& rec, const ForeignPuzzle& p) {
    using nlohmann::json;
    const std::vector<Letter> letters = lettersOf(rec);
    std::map<std::pair<int, int>, int> numberAt;
    for (std::size_t i = 0; i < letters.size(); ++i) numberAt[{letters[i].col, letters[i].row}] = static_cast<int>(i) + 1;
    json puzzle = json::array(), solution = json::array(), saved = json::array();
    for (int r = 1; r <= rec.height(); ++r) {
        json prow = json::array(), srow = json::array(), vrow = json::array();
        for (int c = 1; c <= rec.width(); ++c) {
            const auto b = rec.solution(c, r);
            if (b == kBlack) {
                prow.push_back("#");
                srow.push_back("#");
                vrow.push_back("#");
            } else if (b == kApostrophe || b == kHyphen) {
                prow.push_back({{"cell", 0}, {"value", utf8(b)}});
                srow.push_back(utf8(b));
                vrow.push_back(utf8(b));
            } else {
                const int n = numberAt[{c, r}];
                const int k = rec.squareClue(c, r) % 100;
                prow.push_back(std::to_string(n) + (k >= 1 ? p.clues[static_cast<std::size_t>(k - 1)].label : ""));
                srow.push_back(utf8(b));
                vrow.push_back(utf8(p.progress[static_cast<std::size_t>(n - 1)]));
            }
        }
        puzzle.push_back(prow);
        solution.push_back(srow);
        saved.push_back(vrow);
    }
    auto cellOf = [&](int n) {
        const auto& l = letters[static_cast<std::size_t>(n - 1)];
        return json::array({l.col - 1, l.row - 1});
    };
    json clues = json::array(), all = json::array();
    for (const auto& c : p.clues) {
        json cells = json::array();
        for (int n : c.squares) cells.push_back(cellOf(n));
        clues.push_back({{"label", c.label}, {"clue", c.text}, {"cells", cells}});
    }
    for (std::size_t n = 1; n <= letters.size(); ++n) all.push_back(cellOf(static_cast<int>(n)));
    json doc = {{"version", "http://ipuz.org/v2"},
                {"kind", json::array({"http://ipuz.org/acrostic#1"})},
                {"title", p.title},
                {"author", p.author},
                {"dimensions", {{"width", rec.width()}, {"height", rec.height()}}},
                {"block", "#"},
                {"empty", "0"},
                {"puzzle", puzzle},
                {"solution", solution},
                {"saved", saved},
                {"clues", {{"Clues", clues}, {"Clues:Quote", json::array({{{"clue", "[QUOTE]"}, {"cells", all}}})}}}};
    return doc.dump(1, ' ', false, json::error_handler_t::replace) + "\n";
}

} // namespace

std::string exportForeign(const PuzzleRecord& rec, const std::string& title, ForeignFormat format) {
    const ForeignPuzzle p = foreignFromRecord(rec, title);
    switch (format) {
    case ForeignFormat::Jpz: return jpz(rec, p);
    case ForeignFormat::Apz: return apz(rec, p);
    case ForeignFormat::Ipuz: return ipuzText(rec, p);
    }
    return {};
}

} // namespace vlq
