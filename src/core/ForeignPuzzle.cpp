#include "ForeignPuzzle.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <map>

#include "PuzzleBuilder.h"
#include "PuzzleCheck.h"
#include "PuzzleRules.h"
#include "PuzzleSource.h"
#include "Utf8.h"

namespace vlq {

namespace {

constexpr int kGridCapacity = kMaxCols * kMaxRows;

// Apostrophe or hyphen for the punctuation the record can hold, 0 otherwise.
std::uint8_t foldPunctuation(char32_t cp) {
    switch (cp) {
    case '\'': case 0x2018: case 0x2019: case 0x201B: case 0x2032: case 0xB4: case '`':
        return kApostrophe;
    case '-': case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015: case 0x2212:
    case 0xAD:
        return kHyphen;
    default:
        return 0;
    }
}

bool isLetterByte(std::uint8_t b) { return b >= 'A' && b <= 'Z'; }

std::string describe(char32_t cp) { return "\"" + utf8Of(cp) + "\""; }

// Clue label at position k (1-based) the way the other programs write it.
std::string exportLabel(int k) {
    return std::string(static_cast<std::size_t>((k - 1) / 26 + 1), static_cast<char>('A' + (k - 1) % 26));
}

// Laid-out quotation: squares in reading order at `width` columns.
struct Layout {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> cells; // width * height, black filled
};

// Keeps the sequence as it is, wrapping from row to row.
Layout wrapAsIs(const std::vector<std::uint8_t>& squares, int width) {
    Layout out;
    out.width = width;
    out.height = std::max<int>(1, (static_cast<int>(squares.size()) + width - 1) / width);
    out.cells = squares;
    out.cells.resize(static_cast<std::size_t>(out.width * out.height), kBlack);
    return out;
}

// Re-flows words (runs without black) into rows of `width`: a word moves to
// the next row when it and the black square after it do not fit, so a row
// end never joins two words; a word too long for any row wraps.
Layout reflow(const std::vector<std::vector<std::uint8_t>>& words, int width) {
    Layout out;
    out.width = width;
    int col = 0;
    auto put = [&](std::uint8_t b) {
        out.cells.push_back(b);
        if (++col == width) col = 0;
    };
    for (std::size_t w = 0; w < words.size(); ++w) {
        const bool last = w + 1 == words.size();
        const int need = static_cast<int>(words[w].size()) + (last ? 0 : 1);
        if (col > 0 && col + need > width && need <= width)
            while (col != 0) put(kBlack);
        for (auto b : words[w]) put(b);
        if (!last) put(kBlack);
    }
    while (col != 0) put(kBlack);
    out.height = static_cast<int>(out.cells.size()) / width;
    return out;
}

std::vector<std::vector<std::uint8_t>> wordsOf(const std::vector<std::uint8_t>& squares) {
    std::vector<std::vector<std::uint8_t>> words;
    std::vector<std::uint8_t> word;
    auto flush = [&] {
        if (std::any_of(word.begin(), word.end(), isLetterByte)) words.push_back(word);
        word.clear();
    };
    for (auto b : squares) {
        if (b == kBlack)
            flush();
        else
            word.push_back(b);
    }
    flush();
    return words;
}

// The re-flowed layout of the best shape: a little wider than high with
// little waste, as the puzzle builder chooses; height 0 when nothing fits.
Layout bestReflow(const std::vector<std::uint8_t>& squares) {
    const auto words = wordsOf(squares);
    int letters = 0;
    int longest = 0;
    for (const auto& w : words) {
        letters += static_cast<int>(w.size()) + 1;
        longest = std::max(longest, static_cast<int>(w.size()));
    }
    // Rows at least as wide as the longest word and its black square, so no
    // word needs to wrap unless it is longer than a row of the grid.
    Layout best;
    int bestScore = 0;
    for (int width = std::clamp(longest + 1, 5, kMaxCols); width <= kMaxCols; ++width) {
        Layout l = reflow(words, width);
        if (l.height > kMaxRows) continue;
        const int score = std::abs(2 * width - 3 * l.height) + (width * l.height - letters);
        if (best.height == 0 || score < bestScore) {
            best = std::move(l);
            bestScore = score;
        }
    }
    if (best.height == 0) best = reflow(words, kMaxCols);
    return best;
}

std::string decodeEntity(const std::string& name) {
    static const std::map<std::string, char32_t> named = {
        {"amp", '&'},      {"lt", '<'},        {"gt", '>'},        {"quot", '"'},      {"apos", '\''},
        {"nbsp", ' '},     {"mdash", 0x2014},  {"ndash", 0x2013},  {"lsquo", 0x2018},  {"rsquo", 0x2019},
        {"ldquo", 0x201C}, {"rdquo", 0x201D},  {"hellip", 0x2026}, {"eacute", 0xE9},   {"egrave", 0xE8}};
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 6) return {};
        char* end = nullptr;
        const long v = std::strtol(digits.c_str(), &end, hex ? 16 : 10);
        if (*end != 0 || v <= 0 || v > 0x10FFFF) return {};
        return utf8Of(static_cast<char32_t>(v));
    }
    const auto it = named.find(name);
    return it == named.end() ? std::string() : utf8Of(it->second);
}

std::string clipped(const std::string& text, const std::string& what, std::vector<std::string>& warnings) {
    if (text.size() <= static_cast<std::size_t>(kShortStringCap)) return text;
    std::string cut = text.substr(0, kShortStringCap - 3);
    const auto space = cut.find_last_of(' ');
    if (space != std::string::npos && space > 40) cut.erase(space);
    warnings.push_back(what + " was shortened to 80 characters");
    return cut + "...";
}

} // namespace

std::string plainAnsiText(const std::string& text) {
    // Tags out, entities decoded.
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '<' && i + 1 < text.size() &&
            (std::isalpha(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '/' || text[i + 1] == '!')) {
            const auto close = text.find('>', i);
            if (close != std::string::npos) {
                i = close;
                continue;
            }
        }
        if (ch == '&') {
            const auto semi = text.find(';', i);
            if (semi != std::string::npos && semi - i <= 8) {
                const std::string decoded = decodeEntity(text.substr(i + 1, semi - i - 1));
                if (!decoded.empty()) {
                    plain += decoded;
                    i = semi;
                    continue;
                }
            }
        }
        plain += ch;
    }
    // Code page 1252, white space collapsed.
    std::string out;
    std::size_t i = 0;
    while (i < plain.size()) {
        const char32_t cp = nextCodePoint(plain, i);
        if (cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r' || cp == 0xA0) {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        if (cp < 0x20 || cp == 0x7F) continue;
        const auto ansi = cp == 0xFFFD ? std::nullopt : toAnsi(utf8Of(cp));
        out += ansi ? *ansi : std::string("?");
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

ImportResult recordFromForeign(const ForeignPuzzle& in) {
    ImportResult result;
    result.title = in.title;
    auto refuse = [&](std::string why) {
        result.error = std::move(why);
        return result;
    };

    const int clueTotal = static_cast<int>(in.clues.size());
    if (clueTotal == 0) return refuse("the file has no clues");
    if (clueTotal > kMaxClues)
        return refuse("the puzzle has " + std::to_string(clueTotal) + " clues; the game holds at most 30");

    // The quotation as record squares; letterAt[n - 1] = index of square n.
    std::vector<std::uint8_t> squares;
    std::vector<std::size_t> letterAt;
    bool pendingBreak = false;
    for (const QuoteCell& cell : in.quote) {
        if (cell.kind == QuoteCell::Break) {
            squares.push_back(kBlack);
            pendingBreak = false;
            continue;
        }
        std::uint8_t b = 0;
        if (cell.kind == QuoteCell::Letter) {
            const char c = foldLetter(cell.ch);
            if (c == '0')
                return refuse("the quotation has the digit " + describe(cell.ch) +
                              "; the game has letter squares only");
            if (c == 0)
                return refuse("the quotation has the letter " + describe(cell.ch) +
                              ", which the player cannot type");
            b = static_cast<std::uint8_t>(c);
        } else {
            b = foldPunctuation(cell.ch);
            if (b == 0) {
                // Punctuation the grid cannot show goes; between two letters
                // it still separates words.
                if (!squares.empty() && squares.back() != kBlack) pendingBreak = true;
                continue;
            }
        }
        if (pendingBreak) squares.push_back(kBlack);
        pendingBreak = false;
        if (isLetterByte(b)) letterAt.push_back(squares.size());
        squares.push_back(b);
        if (squares.size() > static_cast<std::size_t>(4 * kGridCapacity))
            return refuse("the quotation is far too long for the game's grid of 31 x 21 squares");
    }
    while (!squares.empty() && squares.back() == kBlack) squares.pop_back();
    const int letters = static_cast<int>(letterAt.size());
    if (letters == 0) return refuse("the quotation has no letters");

    // The answers' squares.
    std::vector<std::vector<int>> key(static_cast<std::size_t>(clueTotal));
    std::vector<std::string> stated(static_cast<std::size_t>(clueTotal));
    for (int k = 1; k <= clueTotal; ++k) {
        const ForeignClue& clue = in.clues[static_cast<std::size_t>(k - 1)];
        for (char32_t cp : clue.answer) {
            const char c = foldLetter(cp);
            if (c == '0') return refuse("clue " + clueLabel(k) + "'s answer has the digit " + describe(cp));
            if (c != 0) stated[static_cast<std::size_t>(k - 1)] += c;
            else if (!foldPunctuation(cp) && cp != ' ')
                return refuse("clue " + clueLabel(k) + "'s answer has " + describe(cp) +
                              ", which the player cannot type");
        }
        key[static_cast<std::size_t>(k - 1)] = clue.squares;
    }
    if (!in.hasGridKey) {
        std::array<int, 26> count{};
        for (std::size_t at : letterAt) ++count[static_cast<std::size_t>(squares[at] - 'A')];
        for (const auto& a : stated)
            for (char c : a) --count[static_cast<std::size_t>(c - 'A')];
        for (int i = 0; i < 26; ++i)
            if (count[static_cast<std::size_t>(i)] != 0)
                return refuse(std::string("the answers have ") +
                              (count[static_cast<std::size_t>(i)] > 0 ? "fewer" : "more") + " letters " +
                              static_cast<char>('A' + i) + " than the quotation");
        const auto spread = spreadAnswers(squares, stated);
        if (spread.size() != stated.size()) return refuse("the answers cannot be tied to the quotation");
        std::map<std::size_t, int> numberOf;
        for (int n = 1; n <= letters; ++n) numberOf[letterAt[static_cast<std::size_t>(n - 1)]] = n;
        for (std::size_t k = 0; k < spread.size(); ++k) {
            key[k].clear();
            for (int index : spread[k]) key[k].push_back(numberOf[static_cast<std::size_t>(index)]);
        }
    }

    std::vector<int> owner(static_cast<std::size_t>(letters) + 1, 0);
    for (int k = 1; k <= clueTotal; ++k) {
        const auto& sq = key[static_cast<std::size_t>(k - 1)];
        const std::string name = "clue " + clueLabel(k);
        if (sq.empty()) return refuse(name + " has no answer squares");
        if (sq.size() > static_cast<std::size_t>(kMaxAnswer))
            return refuse(name + "'s answer has " + std::to_string(sq.size()) + " letters; at most 31 fit");
        std::string fromGrid;
        for (int n : sq) {
            if (n < 1 || n > letters)
                return refuse(name + " names square " + std::to_string(n) + ", but the quotation has " +
                              std::to_string(letters) + " letter squares");
            if (owner[static_cast<std::size_t>(n)] != 0)
                return refuse("square " + std::to_string(n) + " belongs to both clue " +
                              clueLabel(owner[static_cast<std::size_t>(n)]) + " and clue " + clueLabel(k));
            owner[static_cast<std::size_t>(n)] = k;
            fromGrid += static_cast<char>(squares[letterAt[static_cast<std::size_t>(n - 1)]]);
        }
        const std::string& says = stated[static_cast<std::size_t>(k - 1)];
        if (!says.empty() && says != fromGrid)
            return refuse(name + "'s answer " + says + " disagrees with its squares in the quotation, which spell " +
                          fromGrid);
    }
    for (int n = 1; n <= letters; ++n)
        if (owner[static_cast<std::size_t>(n)] == 0)
            return refuse("letter square " + std::to_string(n) + " of the quotation (" +
                          static_cast<char>(squares[letterAt[static_cast<std::size_t>(n - 1)]]) +
                          ") belongs to no clue");

    // Layout: the file's own width when it fits, else re-flowed.
    Layout layout;
    const int count = static_cast<int>(squares.size());
    if (in.width && *in.width >= 1 && *in.width <= kMaxCols && (count + *in.width - 1) / *in.width <= kMaxRows)
        layout = wrapAsIs(squares, *in.width);
    else
        layout = bestReflow(squares);
    if (layout.height > kMaxRows)
        return refuse("the quotation needs " + std::to_string(layout.height) +
                      " rows at 31 columns; the game's grid has 21");

    // The record.
    PuzzleRecord& rec = result.record;
    rec.setWidth(layout.width);
    rec.setHeight(layout.height);
    std::vector<Square> squareOf;
    for (int i = 0; i < layout.width * layout.height; ++i) {
        const Square s{i % layout.width + 1, i / layout.width + 1};
        const auto b = layout.cells[static_cast<std::size_t>(i)];
        rec.setSolution(s.col, s.row, b);
        if (isLetterByte(b)) squareOf.push_back(s);
    }
    for (int k = 1; k <= clueTotal; ++k) {
        const auto& sq = key[static_cast<std::size_t>(k - 1)];
        for (int j = 1; j <= static_cast<int>(sq.size()); ++j) {
            const Square s = squareOf[static_cast<std::size_t>(sq[static_cast<std::size_t>(j - 1)] - 1)];
            rec.setSquareClue(s.col, s.row, j * 100 + k);
            rec.setClueSquares(j * 100 + k, s.col * 100 + s.row);
        }
        std::string text = plainAnsiText(in.clues[static_cast<std::size_t>(k - 1)].text);
        if (text.empty()) {
            result.warnings.push_back("clue " + clueLabel(k) + " has no text");
            text = "(no clue)";
        }
        if (text.size() > static_cast<std::size_t>(kShortStringCap)) result.wholeClues[k] = text;
        rec.setClue(k, clipped(text, "clue " + clueLabel(k) + "'s text", result.warnings));
    }
    rec.setByline(clipped(plainAnsiText(in.author), "the byline", result.warnings));
    for (int n = 1; n <= letters && n <= static_cast<int>(in.progress.size()); ++n) {
        const char c = foldLetter(in.progress[static_cast<std::size_t>(n - 1)]);
        const Square s = squareOf[static_cast<std::size_t>(n - 1)];
        if (c >= 'A' && c <= 'Z') rec.setEntry(s.col, s.row, static_cast<std::uint8_t>(c));
    }

    // Labels and first letters: warnings only.
    bool relabelled = false;
    for (int k = 1; k <= clueTotal; ++k) {
        std::string label = in.clues[static_cast<std::size_t>(k - 1)].label;
        if (k > 26) std::transform(label.begin(), label.end(), label.begin(), [](char c) { return std::tolower(c); });
        if (!label.empty() && label != clueLabel(k) && label != exportLabel(k)) relabelled = true;
    }
    if (relabelled) result.warnings.push_back("the clues are labelled A, B, C ... in the order of the file");
    if (!in.source.empty()) {
        std::string initials;
        for (const auto& a : key) initials += static_cast<char>(squares[letterAt[static_cast<std::size_t>(a[0] - 1)]]);
        const SourceSpelling spelled = sourceSpelling(in.source);
        for (const SourceProblem& p : spelled.problems) result.warnings.push_back(p.what);
        if (spelled.problems.empty() && initials != spelled.letters)
            result.warnings.push_back("the first letters of the answers spell " + initials + ", the source " +
                                      spelled.letters);
    }

    const auto problems = checkPuzzle(rec.bytes());
    if (!problems.empty()) return refuse("the puzzle cannot be made: " + problems.front());
    return result;
}

ForeignPuzzle foreignFromRecord(const PuzzleRecord& rec, const std::string& title) {
    ForeignPuzzle out;
    out.title = title;
    out.author = fromAnsi(rec.byline());
    out.width = rec.width();
    std::map<std::pair<int, int>, int> numberOf;
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c) {
            const auto b = rec.solution(c, r);
            if (b == kBlack) {
                out.quote.push_back({QuoteCell::Break, U' '});
            } else if (b == kApostrophe || b == kHyphen) {
                out.quote.push_back({QuoteCell::Punctuation, b});
            } else {
                out.quote.push_back({QuoteCell::Letter, b});
                numberOf[{c, r}] = static_cast<int>(numberOf.size()) + 1;
                const auto e = rec.entry(c, r);
                out.progress += isLetterByte(e) ? char32_t(e) : char32_t(0);
            }
        }
    const int n = clueCount(rec);
    for (int k = 1; k <= n; ++k) {
        ForeignClue clue;
        clue.label = exportLabel(k);
        clue.text = fromAnsi(rec.clue(k));
        for (int j = 1; j <= answerLength(rec, k); ++j) {
            const Square s = answerSquare(rec, k, j);
            clue.squares.push_back(numberOf.count({s.col, s.row}) ? numberOf[{s.col, s.row}] : 0);
            clue.answer += char32_t(rec.solution(s.col, s.row));
        }
        if (!clue.answer.empty()) out.source += static_cast<char>(clue.answer[0]);
        out.clues.push_back(std::move(clue));
    }
    return out;
}

} // namespace vlq
