#include "PuzzleSource.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <utility>

#include "Utf8.h"

namespace vlq {

namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string lower(std::string s) {
    for (auto& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// "A".."Z" for 1..26, "aa".."dd" for 27..30.
std::string expectedLabel(int k) {
    if (k >= 1 && k <= 26) return std::string(1, static_cast<char>('A' + k - 1));
    if (k >= 27 && k <= 30) return std::string(2, static_cast<char>('a' + k - 27));
    return {};
}

// A clue line starts with one letter, or two equal lower-case letters,
// and a full stop.
bool splitClueLabel(const std::string& line, std::string& label, std::string& rest) {
    std::size_t n = 0;
    while (n < line.size() && n < 3 && std::isalpha(static_cast<unsigned char>(line[n]))) ++n;
    if (n == 0 || n > 2 || n >= line.size() || line[n] != '.') return false;
    if (n == 2 && line[0] != line[1]) return false;
    label = line.substr(0, n);
    rest = line.substr(n + 1);
    return true;
}

// A field line: a word of letters, then a colon.
bool splitField(const std::string& line, std::string& name, std::string& value) {
    std::size_t n = 0;
    while (n < line.size() && std::isalpha(static_cast<unsigned char>(line[n]))) ++n;
    if (n == 0 || n >= line.size() || line[n] != ':') return false;
    name = lower(line.substr(0, n));
    value = trim(line.substr(n + 1));
    return true;
}

struct LogicalLine {
    int number;
    std::string text;
};

// Joins continuation lines (starting with white space) to the line before,
// drops comments and blank lines.
std::vector<LogicalLine> logicalLines(const std::string& text) {
    std::vector<LogicalLine> out;
    int number = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string body = trim(line);
        if (body.empty() || body[0] == '#') continue;
        const bool continuation = line[0] == ' ' || line[0] == '\t';
        if (continuation && !out.empty())
            out.back().text += " " + body;
        else
            out.push_back({number, body});
        if (end == text.size()) break;
    }
    return out;
}

// Text from the file as a problem quotes it.
std::string shown(std::string_view text) { return shownText(text, 60); }

} // namespace

std::string plainSourceText(const std::string& text) {
    // A byte-order mark some editors write first is no part of the text.
    const std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    std::string out;
    out.reserve(text.size() - start);
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 == text.size() || text[i + 1] != '\n')
            out += '\n';
    }
    return out;
}

ParsedSource parsePuzzleSource(const std::string& text, const std::string& title, bool unfinished) {
    ParsedSource result;
    PuzzleSource& src = result.source;
    src.title = title;
    auto problem = [&](int line, std::string what) { result.problems.push_back({line, std::move(what)}); };

    bool haveQuotation = false, haveSource = false, haveByline = false;
    for (const LogicalLine& logical : logicalLines(plainSourceText(text))) {
        const int number = logical.number;
        const std::string& line = logical.text;
        std::string name, value, label, rest;
        if (splitField(line, name, value)) {
            auto once = [&, number = number](bool& seen, int& where) {
                if (seen) problem(number, "second " + shown(name) + " line (the first is line " + std::to_string(where) + ")");
                seen = true;
                where = number;
            };
            if (!src.clues.empty()) {
                problem(number, "field \"" + shown(name) + "\" after the clues: put the fields first");
            } else if (name == "quotation") {
                once(haveQuotation, src.quotationLine);
                src.quotation = value;
            } else if (name == "source") {
                once(haveSource, src.sourceLine);
                src.source = value;
            } else if (name == "byline") {
                once(haveByline, src.bylineLine);
                src.byline = value;
            } else if (name == "width") {
                bool seen = src.width.has_value();
                once(seen, src.widthLine);
                int w = 0;
                bool digits = !value.empty() && value.size() <= 3 &&
                              std::all_of(value.begin(), value.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
                if (digits) w = std::stoi(value);
                if (!digits || w < 1 || w > 31)
                    problem(number, "width \"" + shown(value) + "\" is not a number from 1 to 31");
                else
                    src.width = w;
            } else {
                problem(number, "unknown field \"" + shown(name) + "\" (known: Quotation, Source, Byline, Width)");
            }
            continue;
        }
        if (splitClueLabel(line, label, rest)) {
            const int k = static_cast<int>(src.clues.size()) + 1;
            const std::string want = expectedLabel(k);
            if (want.empty()) {
                problem(number, "clue " + shown(label) + " is one too many: a puzzle has at most 30 clues");
                continue;
            }
            if (label != want) problem(number, "clue labelled " + shown(label) + " where " + want + " comes next");
            SourceClue clue;
            clue.line = number;
            clue.label = label;
            const auto eq = rest.rfind('=');
            if (eq == std::string::npos) {
                if (!unfinished) problem(number, "clue " + want + " has no \" = ANSWER\" at its end");
                clue.text = trim(rest);
            } else {
                clue.text = trim(rest.substr(0, eq));
                clue.answer = trim(rest.substr(eq + 1));
                if (clue.answer.empty() && !unfinished) problem(number, "clue " + want + " has an empty answer");
            }
            if (clue.text.empty()) problem(number, "clue " + want + " has no clue text");
            src.clues.push_back(std::move(clue));
            continue;
        }
        problem(number, "neither a field (\"Name: value\") nor a clue (\"A. text = ANSWER\"): " + shown(line));
    }
    if (!haveQuotation || trim(src.quotation).empty()) problem(src.quotationLine, "no quotation (a \"Quotation:\" line)");
    if (!haveSource || trim(src.source).empty()) problem(src.sourceLine, "no source (a \"Source:\" line with author and title)");
    if (src.clues.empty() && !unfinished) problem(0, "no clues (lines such as \"A. clue text = ANSWER\")");
    return result;
}

namespace {
// Code points of bytes 0x80..0x9F in code page 1252 (0 where unassigned).
constexpr char32_t k1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

std::string fromAnsi(const std::string& ansi) {
    std::string out;
    for (char ch : ansi) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0) cp = k1252[b - 0x80] ? k1252[b - 0x80] : 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> toAnsi(const std::string& utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0;
        int extra = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(extra) >= utf8.size() && extra > 0) return std::nullopt;
        for (int e = 1; e <= extra; ++e) {
            const auto c = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(e)]);
            if ((c & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (c & 0x3F);
        }
        i += static_cast<std::size_t>(extra) + 1;

        if (cp == 0x2018 || cp == 0x2019) {
            out += '\'';
        } else if (cp == 0x201C || cp == 0x201D) {
            out += '"';
        } else if (cp == 0x2013 || cp == 0x2014) {
            out += '-';
        } else if (cp < 0x80) {
            if (cp < 0x20) return std::nullopt;
            out += static_cast<char>(cp);
        } else if (cp >= 0xA0 && cp <= 0xFF) {
            out += static_cast<char>(cp);
        } else {
            const auto* hit = std::find(std::begin(k1252), std::end(k1252), cp);
            if (hit == std::end(k1252)) return std::nullopt;
            out += static_cast<char>(0x80 + (hit - std::begin(k1252)));
        }
    }
    return out;
}

namespace {
// Accented letters U+00C0..U+017F to their plain capital, '?' where there is
// none (Æ, ×, Þ, ß, ÷, Ĳ, ĸ, ŉ, Ŋ, Œ ...).
constexpr char kLatinFold[] = "AAAAAA?CEEEEIIIIDNOOOOO?OUUUUY??AAAAAA?CEEEEIIIIDNOOOOO?OUUUUY?Y"
                              "AAAAAACCCCCCCCDDDDEEEEEEEEEEGGGGGGGGHHHHIIIIIIIIII??JJKK?LLLLLLLLLL"
                              "NNNNNN???OOOOOO??RRRRRRSSSSSSSSTTTTTTUUUUUUUUUUUUWWYYYZZZZZZS";
static_assert(sizeof kLatinFold == 0x180 - 0xC0 + 1);

const char* const kOnes[] = {"",        "ONE",     "TWO",       "THREE",    "FOUR",     "FIVE",    "SIX",
                             "SEVEN",   "EIGHT",   "NINE",      "TEN",      "ELEVEN",   "TWELVE",  "THIRTEEN",
                             "FOURTEEN", "FIFTEEN", "SIXTEEN",  "SEVENTEEN", "EIGHTEEN", "NINETEEN"};
const char* const kTens[] = {"", "", "TWENTY", "THIRTY", "FORTY", "FIFTY", "SIXTY", "SEVENTY", "EIGHTY", "NINETY"};

// 1..999 in words.
std::string belowThousand(unsigned long n) {
    std::string out;
    if (n >= 100) {
        out = std::string(kOnes[n / 100]) + " HUNDRED";
        n %= 100;
        if (n > 0) out += " ";
    }
    if (n >= 20) {
        out += kTens[n / 10];
        if (n % 10) out += std::string("-") + kOnes[n % 10];
    } else {
        out += kOnes[n];
    }
    return out;
}
} // namespace

char foldLetter(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') return static_cast<char>(cp - 'a' + 'A');
    if (cp >= 'A' && cp <= 'Z') return static_cast<char>(cp);
    if (cp >= '0' && cp <= '9') return '0';
    if (cp >= 0xC0 && cp < 0x180) {
        const char c = kLatinFold[cp - 0xC0];
        return c == '?' ? 0 : c;
    }
    return 0;
}

std::string numberInWords(unsigned long n) {
    if (n == 0) return "ZERO";
    if (n > 999'999) return {};
    std::string out;
    if (n >= 1000) out = belowThousand(n / 1000) + " THOUSAND";
    if (n % 1000) out += (out.empty() ? "" : " ") + belowThousand(n % 1000);
    return out;
}

SourceSpelling sourceSpelling(const std::string& sourceUtf8, int line) {
    SourceSpelling out;
    std::set<char32_t> digits, strangers;
    std::vector<std::string> numbers;
    std::string number; // the digits of the number being read
    bool broken = false;
    std::size_t i = 0;
    while (i <= sourceUtf8.size()) {
        const char32_t cp = i < sourceUtf8.size() ? nextCodePoint(sourceUtf8, i) : (++i, U' ');
        const char c = foldLetter(cp);
        if (c == '0') {
            digits.insert(cp);
            number += static_cast<char>(cp);
            continue;
        }
        if (!number.empty()) {
            if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) numbers.push_back(number);
            number.clear();
        }
        if (c != 0) {
            out.letters += c;
            out.folded = out.folded || cp >= 0x80;
        } else if (cp == 0xFFFD) {
            broken = true;
        } else if ((cp >= 0xC0 && cp < 0x250 && cp != 0xD7 && cp != 0xF7) || (cp >= 0x370 && cp < 0x2000)) {
            strangers.insert(cp);
        }
        // Anything else is punctuation or space and spells nothing.
    }
    if (broken) out.problems.push_back({line, "the source is not valid UTF-8 text"});
    if (!digits.empty()) {
        std::string named, words;
        for (char32_t d : digits) named += (named.empty() ? "" : ", ") + utf8Of(d);
        for (const std::string& n : numbers) {
            const std::string plain = n.size() <= 6 ? numberInWords(std::stoul(n)) : std::string();
            words += (words.empty() ? "" : ", ") + n + (plain.empty() ? " in words" : " as " + plain);
        }
        out.problems.push_back({line, std::string("the source has the digit") + (digits.size() > 1 ? "s " : " ") +
                                          named + ", which no answer can start with: write " + words});
    }
    for (char32_t cp : strangers)
        out.problems.push_back({line, "the source has the letter " + utf8Of(cp) +
                                          ", which no answer can start with: write it as plain letters"});
    return out;
}

std::string lettersOf(const std::string& text) {
    std::string out;
    for (char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        if (u < 0x80 && std::isalpha(u)) out += static_cast<char>(std::toupper(u));
    }
    return out;
}

} // namespace vlq
