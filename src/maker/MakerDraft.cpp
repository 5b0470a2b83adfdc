#include "maker/MakerDraft.h"

#include <algorithm>
#include <cctype>

#include "core/PuzzleBuilder.h"
#include "core/PuzzleCheck.h"
#include "core/PuzzleRules.h"
#include "core/PuzzleSource.h"
#include "maker/PuzzleMakerClues.h"

namespace vlq {

namespace {

constexpr std::size_t kMaxAnswers = 30;
constexpr std::size_t kShortestWord = 3; // letters of a word offered in place of an answer

using Counts = std::array<int, 26>;

std::size_t at(char upper) { return static_cast<std::size_t>(upper - 'A'); }

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The letters of typed UTF-8 text as the puzzle holds them (typographic
// characters made plain first).
std::string lettersTyped(const std::string& utf8) { return lettersOf(toAnsi(utf8).value_or(utf8)); }

Counts quotationCounts(const std::string& quotation) {
    Counts counts{};
    for (std::uint8_t b : quotationSquares(quotation).squares)
        if (b >= 'A' && b <= 'Z') ++counts[at(static_cast<char>(b))];
    return counts;
}

// "a K", "an F", "2 Ks".
std::string letterCount(int n, char letter) {
    if (n != 1) return std::to_string(n) + " " + letter + "s";
    const bool vowelSound = std::string_view("AEFHILMNORSX").find(letter) != std::string_view::npos;
    return std::string(vowelSound ? "an " : "a ") + letter;
}

// The quotation as a source field: its lines continued, blank ones left out.
std::string quotationField(const std::string& quotation) {
    std::string out;
    std::size_t pos = 0;
    while (pos <= quotation.size()) {
        auto end = quotation.find('\n', pos);
        if (end == std::string::npos) end = quotation.size();
        const std::string line = trimmed(quotation.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        // A line starting with '#' would read as a comment: it joins the one before.
        out += out.empty() ? line : (line[0] == '#' ? " " : "\n  ") + line;
    }
    return out;
}

} // namespace

std::string MakerDraft::spelled() const { return sourceSpelling(source()).letters; }

std::string MakerDraft::source() const {
    const std::string a = trimmed(author), t = trimmed(title);
    return a.empty() || t.empty() ? a + t : a + ", " + t;
}

DraftFigures MakerDraft::figures() const {
    DraftFigures f;
    const Counts have = quotationCounts(quotation);
    for (int c : have) f.quotationLetters += c;
    const std::string letters = spelled();
    f.answers = static_cast<int>(letters.size());
    if (f.answers > 0) f.averageLength = static_cast<double>(f.quotationLetters) / f.answers;
    Counts need{};
    for (char c : letters) ++need[at(c)];
    for (std::size_t l = 0; l < 26; ++l) {
        if (need[l] <= have[l]) continue;
        const char letter = static_cast<char>('A' + l);
        if (!f.lacking.empty()) f.lacking += "; ";
        f.lacking += "needs " + letterCount(need[l], letter) + ": the quotation has " +
                     (have[l] == 0 ? std::string("none") : std::to_string(have[l]));
    }
    return f;
}

std::vector<std::string> MakerDraft::refusals() const {
    std::vector<std::string> out;
    const DraftFigures f = figures();
    if (f.quotationLetters == 0) out.push_back("the quotation has no letters");
    if (f.answers == 0) out.push_back("the author and title have no letters for the answers to start with");
    if (f.answers > static_cast<int>(kMaxAnswers))
        out.push_back("the author and title spell " + std::to_string(f.answers) +
                      " letters; a puzzle has at most 30 answers");
    if (!f.lacking.empty()) out.push_back(f.lacking);
    for (const SourceProblem& p : sourceSpelling(source()).problems) out.push_back(p.what);
    return out;
}

void MakerDraft::fitAnswers() { answers_.resize(spelled().size()); }

void MakerDraft::setAnswer(std::size_t k, const std::string& written) {
    DraftAnswer& a = answers_.at(k);
    if (a.answer == written) return;
    a.answer = written;
    // A draft described the word that was there.
    if (a.draft) {
        a.clue.clear();
        a.senses.clear();
    }
}

void MakerDraft::setClue(std::size_t k, const std::string& clue) {
    DraftAnswer& a = answers_.at(k);
    if (a.clue == clue) return;
    a.clue = clue;
    a.draft = false;
}

void MakerDraft::setLocked(std::size_t k, bool locked) { answers_.at(k).locked = locked; }

std::vector<PoolLetter> MakerDraft::pool() const {
    Counts counts = quotationCounts(quotation);
    for (const DraftAnswer& a : answers_)
        for (char c : lettersTyped(a.answer)) --counts[at(c)];
    std::vector<PoolLetter> out;
    for (std::size_t l = 0; l < 26; ++l)
        if (counts[l] != 0) out.push_back({static_cast<char>('A' + l), counts[l]});
    return out;
}

bool MakerDraft::startsRight(std::size_t k) const {
    const std::string letters = spelled(), word = lettersTyped(answers_.at(k).answer);
    return k < letters.size() && !word.empty() && word[0] == letters[k];
}

bool MakerDraft::complete() const {
    if (answers_.empty() || answers_.size() != spelled().size() || !refusals().empty()) return false;
    for (std::size_t k = 0; k < answers_.size(); ++k)
        if (!startsRight(k)) return false;
    return pool().empty();
}

bool MakerDraft::needsWriting(std::size_t k) const {
    const DraftAnswer& a = answers_.at(k);
    return trimmed(a.clue).empty() || (a.draft && a.clue.ends_with(kWriteOne));
}

std::optional<std::string> MakerDraft::makeRequest(std::vector<std::string>& refusals) const {
    refusals = this->refusals();
    if (!refusals.empty()) return std::nullopt;
    MakerDraft asked = *this;
    asked.fitAnswers();
    for (DraftAnswer& a : asked.answers_)
        if (!a.locked) a = {};
    return asked.sourceText();
}

void MakerDraft::takeMade(const MakeResult& made) {
    fitAnswers();
    for (std::size_t k = 0; k < answers_.size() && k < made.answers.size(); ++k) {
        DraftAnswer& a = answers_[k];
        const MadeAnswer& m = made.answers[k];
        if (a.locked || m.kept) continue;
        a.answer = m.answer;
        a.draft = m.clue.starts_with(kDraftMark);
        a.clue = a.draft ? m.clue.substr(std::string_view(kDraftMark).size()) : m.clue;
        a.senses = m.senses;
    }
}

std::string MakerDraft::sourceText() const {
    std::string out = "Quotation: " + quotationField(quotation) + "\nSource: " + source() + "\n";
    if (!trimmed(byline).empty()) out += "Byline: " + trimmed(byline) + "\n";
    out += "\n";
    for (std::size_t k = 0; k < answers_.size(); ++k) {
        const DraftAnswer& a = answers_[k];
        const std::string clue = trimmed(a.clue), answer = trimmed(a.answer);
        out += clueLabel(static_cast<int>(k) + 1) + ". " + (a.draft && !clue.empty() ? kDraftMark : "") +
               (clue.empty() ? "?" : clue) + " = " + (answer.empty() ? "?" : answer) + "\n";
    }
    return out;
}

MakerDraft MakerDraft::fromSourceText(const std::string& text, const std::string& title,
                                      std::vector<SourceProblem>& problems) {
    const ParsedSource parsed = parsePuzzleSource(text, title, true);
    problems = parsed.problems;
    MakerDraft d;
    const PuzzleSource& src = parsed.source;
    d.quotation = src.quotation;
    d.byline = src.byline;
    // "Author, Title": the title is what follows the last comma.
    const auto comma = src.source.rfind(',');
    d.author = trimmed(comma == std::string::npos ? src.source : src.source.substr(0, comma));
    d.title = comma == std::string::npos ? std::string() : trimmed(src.source.substr(comma + 1));
    d.fitAnswers();
    for (std::size_t k = 0; k < d.answers_.size() && k < src.clues.size(); ++k) {
        DraftAnswer& a = d.answers_[k];
        const SourceClue& c = src.clues[k];
        a.answer = c.answer == "?" ? std::string() : c.answer;
        a.draft = c.text.starts_with(kDraftMark);
        a.clue = a.draft ? c.text.substr(std::string_view(kDraftMark).size()) : c.text;
        if (a.clue == "?") a.clue.clear();
        a.locked = !a.answer.empty() && !a.draft && !a.clue.empty();
    }
    return d;
}

BuiltDraft MakerDraft::build() const {
    BuiltDraft out;
    MakerDraft accepted = *this;
    for (DraftAnswer& a : accepted.answers_) a.draft = false;
    const ParsedSource parsed = parsePuzzleSource(accepted.sourceText(), trimmed(title));
    const auto line = [](const SourceProblem& p) {
        return (p.line > 0 ? "line " + std::to_string(p.line) + ": " : std::string()) + p.what;
    };
    for (const SourceProblem& p : parsed.problems) out.problems.push_back(line(p));
    if (!out.problems.empty()) return out;
    BuildResult built = buildPuzzle(parsed.source);
    for (const SourceProblem& p : built.problems) out.problems.push_back(line(p));
    if (!out.problems.empty()) return out;
    out.problems = checkPuzzle(built.record.bytes());
    if (out.problems.empty()) out.record = built.record;
    return out;
}

std::vector<std::string> MakerDraft::otherWords(const Lexicon& lexicon, std::size_t k, std::size_t count) const {
    const std::string letters = spelled();
    if (k >= answers_.size() || k >= letters.size()) return {};
    // The letters free for this answer: the pool and its own.
    Counts free{};
    for (const PoolLetter& p : pool()) free[at(p.letter)] = p.count;
    const std::string own = lettersTyped(answers_[k].answer);
    for (char c : own) ++free[at(c)];
    int freeTotal = 0;
    for (int c : free) freeTotal += std::max(c, 0);

    std::vector<WordKeys> avoid;
    for (std::size_t j = 0; j < answers_.size(); ++j) {
        const std::string other = lettersTyped(answers_[j].answer);
        if (j != k && !other.empty()) avoid.push_back(lexicon.keysOf(lowerOf(other)));
    }
    std::string word;
    for (char ch : quotation + " ") {
        if (std::isalpha(static_cast<unsigned char>(ch))) {
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        } else if (ch != '\'' && !word.empty()) {
            avoid.push_back(lexicon.keysOf(lowerOf(word)));
            word.clear();
        }
    }

    struct Ranked {
        bool usesAll;
        int rarity, seen;
        std::size_t index;
    };
    std::vector<Ranked> ranked;
    const auto& words = lexicon.words();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const LexiconWord& w = words[i];
        if (w.word[0] != letters[k] || w.word.size() < kShortestWord || w.word == own || w.userScore == 0) continue;
        Counts used{};
        bool fits = true;
        for (std::size_t j = 0; j < w.word.size() && fits; ++j) fits = ++used[at(w.word[j])] <= free[at(w.word[j])];
        if (!fits) continue;
        const WordKeys keys = lexicon.keysOf(w);
        if (std::any_of(avoid.begin(), avoid.end(), [&](const WordKeys& a) { return lexicon.near(keys, a); }))
            continue;
        ranked.push_back({static_cast<int>(w.word.size()) == freeTotal, w.tier + (w.rare ? 2 : 0), w.count, i});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.usesAll != b.usesAll) return a.usesAll;
        if (a.rarity != b.rarity) return a.rarity < b.rarity;
        return a.seen > b.seen;
    });
    std::vector<std::string> out;
    for (std::size_t n = 0; n < ranked.size() && out.size() < count; ++n) {
        const LexiconWord& w = words[ranked[n].index];
        out.push_back(w.written.empty() ? w.word : w.written);
    }
    return out;
}

bool MakerDraft::draftClueFor(const Lexicon& lexicon, std::size_t k) {
    DraftAnswer& a = answers_.at(k);
    const std::string letters = lettersTyped(a.answer);
    if (letters.empty()) return false;
    for (const LexiconWord& w : lexicon.words()) {
        if (w.word != letters) continue;
        const DraftClue clue = draftClue(lexicon, w);
        a.clue = clue.text;
        a.draft = true;
        a.senses = clue.senses;
        return true;
    }
    return false;
}

} // namespace vlq
