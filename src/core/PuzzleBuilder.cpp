#include "PuzzleBuilder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>

#include "Utf8.h"

namespace vlq {

namespace {

constexpr int kGridCapacity = kMaxCols * kMaxRows; // 651

bool isUpper(std::uint8_t b) { return b >= 'A' && b <= 'Z'; }

// Letters listed as "E, E, T".
std::string letterList(const std::array<int, 26>& counts) {
    std::string out;
    for (int i = 0; i < 26; ++i)
        for (int n = 0; n < counts[static_cast<std::size_t>(i)]; ++n) {
            if (!out.empty()) out += ", ";
            out += static_cast<char>('A' + i);
        }
    return out;
}

std::string plural(int n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// Answer letters without the spaces, hyphens and apostrophes a source may
// use for readability; empty optional when another character appears.
std::optional<std::string> answerLetters(const std::string& answer) {
    std::string out;
    for (char ch : answer) {
        const auto u = static_cast<unsigned char>(ch);
        if (u < 0x80 && std::isalpha(u))
            out += static_cast<char>(std::toupper(u));
        else if (ch != ' ' && ch != '-' && ch != '\'')
            return std::nullopt;
    }
    return out;
}

} // namespace

QuotationSquares quotationSquares(const std::string& quotationUtf8, int line) {
    QuotationSquares out;
    // First pass: letters, the two punctuation marks, and ' ' for every
    // word break; dropped punctuation disappears.
    std::string marks;
    std::size_t i = 0;
    while (i < quotationUtf8.size()) {
        const char32_t cp = nextCodePoint(quotationUtf8, i);
        if (cp < 0x80 && std::isalpha(static_cast<int>(cp))) {
            marks += static_cast<char>(std::toupper(static_cast<int>(cp)));
        } else if (cp == '\'' || cp == 0x2019 || cp == 0x2018) {
            marks += '\'';
        } else if (cp == '-') {
            if (!marks.empty() && marks.back() == '-')
                marks.back() = ' '; // "--" is a dash between words
            else
                marks += '-';
        } else if (cp == ' ' || cp == '\t' || cp == '/' || cp == 0x2013 || cp == 0x2014 || cp == 0xA0) {
            marks += ' ';
        } else if (cp >= '0' && cp <= '9') {
            out.problems.push_back({line, "the quotation has the digit " + utf8Of(cp) +
                                              ", which the grid cannot show: write numbers in words"});
        } else if (cp == 0xFFFD) {
            out.problems.push_back({line, "the quotation is not valid UTF-8 text"});
        } else if ((cp >= 0xC0 && cp <= 0x24F && cp != 0xD7 && cp != 0xF7) || (cp >= 0x370 && cp < 0x2000)) {
            out.problems.push_back({line, "the quotation has the letter " + utf8Of(cp) +
                                              ", which the player cannot type: write it as a plain letter"});
        }
        // Any other character is punctuation and is dropped.
    }

    auto keep = [&](const std::string& word, std::size_t at) {
        const char ch = word[at];
        if (ch != '\'' && ch != '-') return true;
        return at > 0 && at + 1 < word.size() && isUpper(static_cast<std::uint8_t>(word[at - 1])) &&
               isUpper(static_cast<std::uint8_t>(word[at + 1]));
    };
    std::size_t pos = 0;
    while (pos < marks.size()) {
        auto end = marks.find(' ', pos);
        if (end == std::string::npos) end = marks.size();
        const std::string word = marks.substr(pos, end - pos);
        pos = end + 1;
        std::vector<std::uint8_t> squares;
        for (std::size_t at = 0; at < word.size(); ++at)
            if (keep(word, at)) squares.push_back(static_cast<std::uint8_t>(word[at]));
        if (std::none_of(squares.begin(), squares.end(), isUpper)) continue;
        if (!out.squares.empty()) out.squares.push_back(kBlack);
        out.squares.insert(out.squares.end(), squares.begin(), squares.end());
    }
    if (out.squares.empty() && out.problems.empty())
        out.problems.push_back({line, "the quotation has no letters"});
    return out;
}

int chooseWidth(int count) {
    if (count < 1 || count > kGridCapacity) return 0;
    int best = 0;
    int bestScore = 0;
    for (int w = 1; w <= std::min(count, kMaxCols); ++w) {
        const int h = (count + w - 1) / w;
        if (h > kMaxRows) continue;
        // Twice (|w - 1.5 h| + half the unused squares of the last row).
        const int score = std::abs(2 * w - 3 * h) + (w * h - count);
        if (best == 0 || score < bestScore) {
            best = w;
            bestScore = score;
        }
    }
    return best;
}

std::vector<std::vector<int>> spreadAnswers(const std::vector<std::uint8_t>& squares,
                                            const std::vector<std::string>& answers) {
    // Free letter squares per letter, with the word each lies in.
    std::array<std::vector<int>, 26> free;
    std::vector<int> wordOf(squares.size(), -1);
    int word = 0;
    for (int index = 0; index < static_cast<int>(squares.size()); ++index) {
        const auto b = squares[static_cast<std::size_t>(index)];
        if (b == kBlack) {
            ++word;
            continue;
        }
        wordOf[static_cast<std::size_t>(index)] = word;
        if (isUpper(b)) free[static_cast<std::size_t>(b - 'A')].push_back(index);
    }

    // Each answer letter takes a free square of its letter, preferring words
    // this answer has not used yet, so an answer is spread over the grid.
    // std::mt19937's sequence is fixed by the language, so the choice is the
    // same on every machine.
    std::mt19937 rng(20240607u);
    std::vector<std::vector<int>> out;
    for (const std::string& answer : answers) {
        std::set<int> usedWords;
        std::vector<int> at;
        for (char ch : answer) {
            if (!isUpper(static_cast<std::uint8_t>(ch))) return {};
            auto& bucket = free[static_cast<std::size_t>(ch - 'A')];
            if (bucket.empty()) return {};
            std::vector<std::size_t> fresh;
            for (std::size_t i = 0; i < bucket.size(); ++i)
                if (!usedWords.count(wordOf[static_cast<std::size_t>(bucket[i])])) fresh.push_back(i);
            const std::size_t pick = fresh.empty() ? rng() % bucket.size() : fresh[rng() % fresh.size()];
            const int index = bucket[pick];
            bucket.erase(bucket.begin() + static_cast<std::ptrdiff_t>(pick));
            usedWords.insert(wordOf[static_cast<std::size_t>(index)]);
            at.push_back(index);
        }
        out.push_back(std::move(at));
    }
    return out;
}

BuildResult buildPuzzle(const PuzzleSource& src) {
    BuildResult result;
    auto problem = [&](int line, std::string what) { result.problems.push_back({line, std::move(what)}); };

    QuotationSquares quote = quotationSquares(src.quotation, src.quotationLine);
    result.problems = quote.problems;
    const int count = static_cast<int>(quote.squares.size());

    int width = 0;
    if (count > kGridCapacity) {
        problem(src.quotationLine, "the quotation needs " + std::to_string(count) +
                                       " squares with its word breaks; the grid holds at most 651 (31 x 21)");
    } else if (count > 0) {
        width = src.width.value_or(chooseWidth(count));
        if (width < 1 || width > kMaxCols) {
            problem(src.widthLine, "width " + std::to_string(width) + " is outside 1 to 31");
            width = 0;
        } else if ((count + width - 1) / width > kMaxRows) {
            problem(src.widthLine, "at width " + std::to_string(width) + " the quotation's " + std::to_string(count) +
                                       " squares need " + std::to_string((count + width - 1) / width) +
                                       " rows; at most 21 fit");
            width = 0;
        }
    }

    const auto byline = toAnsi(src.byline);
    if (!byline)
        problem(src.bylineLine, "the byline has a character outside the Windows code page 1252");
    else if (byline->size() > kShortStringCap)
        problem(src.bylineLine, "the byline has " + std::to_string(byline->size()) + " characters; at most 80 fit");

    const int clueTotal = static_cast<int>(src.clues.size());
    if (clueTotal == 0) problem(0, "no clues");
    if (clueTotal > kMaxClues) problem(src.clues[kMaxClues].line, "more than 30 clues");

    std::vector<std::string> answers;
    std::vector<std::string> texts;
    for (int k = 1; k <= std::min(clueTotal, kMaxClues); ++k) {
        const SourceClue& clue = src.clues[static_cast<std::size_t>(k - 1)];
        const std::string name = "clue " + clue.label;
        auto text = toAnsi(clue.text);
        if (!text) {
            problem(clue.line, name + " has a character outside the Windows code page 1252");
            text = std::string();
        } else if (text->empty()) {
            problem(clue.line, name + " has no clue text");
        } else if (text->size() > kShortStringCap) {
            problem(clue.line, name + " text has " + std::to_string(text->size()) + " characters; at most 80 fit");
        }
        texts.push_back(*text);
        auto letters = answerLetters(clue.answer);
        if (!letters) {
            problem(clue.line, name + " answer \"" + clue.answer +
                                   "\" may hold only letters, spaces, hyphens and apostrophes");
            letters = std::string();
        } else if (letters->empty()) {
            problem(clue.line, name + " has no answer");
        } else if (letters->size() > static_cast<std::size_t>(kMaxAnswer)) {
            problem(clue.line, name + " answer " + *letters + " has " + std::to_string(letters->size()) +
                                   " letters; at most 31 fit");
        }
        answers.push_back(*letters);
    }

    // The answers' letters against the quotation's.
    std::array<int, 26> quoteCount{};
    for (auto b : quote.squares)
        if (isUpper(b)) ++quoteCount[static_cast<std::size_t>(b - 'A')];
    std::array<int, 26> answerCount{};
    for (const auto& a : answers)
        for (char ch : a) ++answerCount[static_cast<std::size_t>(ch - 'A')];
    std::array<int, 26> missing{};
    std::array<int, 26> surplus{};
    int missingTotal = 0, surplusTotal = 0;
    for (std::size_t i = 0; i < 26; ++i) {
        missing[i] = std::max(0, quoteCount[i] - answerCount[i]);
        surplus[i] = std::max(0, answerCount[i] - quoteCount[i]);
        missingTotal += missing[i];
        surplusTotal += surplus[i];
    }
    if (quote.problems.empty()) {
        if (missingTotal > 0)
            problem(src.quotationLine, "the answers lack " + plural(missingTotal, "letter") +
                                           " of the quotation: " + letterList(missing));
        if (surplusTotal > 0)
            problem(src.quotationLine, "the answers have " + plural(surplusTotal, "letter") +
                                           " that the quotation lacks: " + letterList(surplus));
    }

    // First letters against the source.
    const SourceSpelling spelling = sourceSpelling(src.source, src.sourceLine);
    result.problems.insert(result.problems.end(), spelling.problems.begin(), spelling.problems.end());
    const std::string& sourceLetters = spelling.letters;
    const int spelled = static_cast<int>(sourceLetters.size());
    if (spelling.problems.empty() && spelled != static_cast<int>(answers.size()))
        problem(src.sourceLine, "the source spells " + plural(spelled, "letter") + " (" + sourceLetters +
                                    ") but there are " + plural(static_cast<int>(answers.size()), "clue"));
    for (std::size_t k = 0; k < answers.size() && k < sourceLetters.size(); ++k) {
        if (answers[k].empty() || answers[k][0] == sourceLetters[k]) continue;
        const SourceClue& clue = src.clues[k];
        problem(clue.line, "clue " + clue.label + " answer " + answers[k] + " starts with " + answers[k][0] +
                               " but letter " + std::to_string(k + 1) + " of the source " + sourceLetters +
                               " is " + sourceLetters[k]);
    }

    if (!result.problems.empty() || width == 0) {
        if (result.problems.empty()) problem(src.quotationLine, "the quotation cannot be laid out");
        return result;
    }

    // Lay the squares out in reading order; the last row is filled with black.
    const int height = (count + width - 1) / width;
    PuzzleRecord& rec = result.record;
    rec.setWidth(width);
    rec.setHeight(height);
    auto squareAt = [width](int index) { return Square{index % width + 1, index / width + 1}; };
    for (int index = 0; index < width * height; ++index) {
        const Square s = squareAt(index);
        rec.setSolution(s.col, s.row, index < count ? quote.squares[static_cast<std::size_t>(index)] : kBlack);
    }

    const auto spread = spreadAnswers(quote.squares, answers);
    if (spread.size() != answers.size()) {
        problem(src.quotationLine, "the answers cannot be tied to the quotation's squares");
        return result;
    }
    for (int k = 1; k <= clueTotal; ++k) {
        const auto& at = spread[static_cast<std::size_t>(k - 1)];
        for (int j = 1; j <= static_cast<int>(at.size()); ++j) {
            const Square s = squareAt(at[static_cast<std::size_t>(j - 1)]);
            const int letterCode = j * 100 + k;
            rec.setSquareClue(s.col, s.row, letterCode);
            rec.setClueSquares(letterCode, s.col * 100 + s.row);
        }
        rec.setClue(k, texts[static_cast<std::size_t>(k - 1)]);
    }
    rec.setByline(*byline);
    return result;
}

} // namespace vlq
