// Reading WordNet's text files: their lines and fields, the senses of an
// index line, the words and gloss of a data line, and the marks by which
// WordNet tells a slur, a vulgar or bodily sense, or a word of rare usage.
// Shared by the lexicon's loading (Lexicon.cpp) and its look-ups of senses
// (LexiconSenses.cpp).
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "Lexicon.h"

namespace vlq::wordnet {

constexpr char kPosLetter[4] = {'n', 'v', 'a', 'r'};
constexpr const char* kPosName[4] = {"noun", "verb", "adj", "adv"};

inline std::string readWhole(const std::string& path, const char* package) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw LexiconError(path + " cannot be read: install the Debian package " + package +
                           " (scripts/deps.sh does)");
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg()));
    in.seekg(0);
    std::string text(size, '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    return text;
}

template <typename F>
inline void forEachLine(std::string_view text, F&& f) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        f(text.substr(pos, end - pos));
        pos = end + 1;
    }
}

inline bool allLower(std::string_view w) {
    return !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// A WordNet lemma of one word, or of two joined by an underscore (grand_jury).
inline bool lemmaOfTwo(std::string_view w) {
    const auto cut = w.find('_');
    if (cut == std::string_view::npos) return allLower(w);
    return allLower(w.substr(0, cut)) && allLower(w.substr(cut + 1));
}

// Sorts words and drops repeats; a list sorted already (as the word lists
// and WordNet's index files are) is only checked.
inline void sortOnce(std::vector<std::string>& words) {
    if (!std::is_sorted(words.begin(), words.end())) std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
}

// Small words that make a phrase a phrasal verb or a fixed expression rather than a noun.
inline bool linkingWord(std::string_view w) {
    static constexpr std::string_view kLinking[] = {"the", "and", "for", "out", "off", "down", "away", "over",
                                                    "back", "about", "into", "onto", "upon", "with", "from",
                                                    "its", "one", "all", "not", "any", "who", "how", "but", "nor"};
    return std::find(std::begin(kLinking), std::end(kLinking), w) != std::end(kLinking);
}

inline bool hasVowel(std::string_view w) { return w.find_first_of("aeiouy") != std::string_view::npos; }

inline std::string_view firstField(std::string_view line) { return line.substr(0, line.find(' ')); }

// The fields of a line split at spaces, the first `limit` of them.
inline std::vector<std::string_view> fieldsOf(std::string_view line, std::size_t limit = std::string_view::npos) {
    std::vector<std::string_view> fields;
    for (std::size_t at = 0; at < line.size() && fields.size() < limit;) {
        const auto end = std::min(line.find(' ', at), line.size());
        if (end > at) fields.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

// A number at the start of a field, as atol reads it (the field need not
// end with a NUL).
inline long numberOf(std::string_view field) {
    std::size_t at = 0;
    while (at < field.size() && (field[at] == ' ' || (field[at] >= '\t' && field[at] <= '\r'))) ++at;
    const bool negative = at < field.size() && field[at] == '-';
    if (at < field.size() && (field[at] == '-' || field[at] == '+')) ++at;
    long value = 0;
    for (std::size_t digits = 0; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at, ++digits) {
        if (digits == 18) return std::atol(std::string(field).c_str()); // near overflow: the library decides
        value = value * 10 + (field[at] - '0');
    }
    return negative ? -value : value;
}

// text.find(needle, from), looking first for needle[rare], a character
// seldom found in the text.
inline std::size_t findByRare(std::string_view text, std::string_view needle, std::size_t rare, std::size_t from = 0) {
    for (auto at = text.find(needle[rare], from + rare); at != std::string_view::npos;
         at = text.find(needle[rare], at + 1))
        if (text.substr(at - rare).starts_with(needle)) return at - rare;
    return std::string_view::npos;
}

// Calls f(offset) for each synset offset of an index line (from its start
// to anywhere after its end), most frequent sense first: its last
// synset_cnt fields.
template <typename F>
inline void forEachSense(std::string_view line, F&& f) {
    line = line.substr(0, line.find('\n'));
    // The fields are the runs between spaces; the third is synset_cnt.
    const auto nextField = [&](std::size_t from) {
        while (from < line.size() && line[from] == ' ') ++from;
        return from;
    };
    std::size_t at = nextField(0);
    for (int skip = 0; skip < 2 && at < line.size(); ++skip) at = nextField(std::min(line.find(' ', at), line.size()));
    if (at >= line.size()) return;
    const auto senses = static_cast<std::size_t>(
        static_cast<int>(numberOf(line.substr(at, std::min(line.find(' ', at), line.size()) - at))));
    if (senses == 0) return;
    // Back from the end to the first of the last `senses` fields (none when there are fewer).
    std::size_t start = line.size();
    for (std::size_t found = 0; found < senses; ++found) {
        while (start > 0 && line[start - 1] == ' ') --start;
        if (start == 0) return;
        while (start > 0 && line[start - 1] != ' ') --start;
    }
    for (at = start; at < line.size(); at = nextField(at)) {
        const auto end = std::min(line.find(' ', at), line.size());
        f(numberOf(line.substr(at, end - at)));
        at = end;
    }
}

// How many of an index line's senses (the first ones) were seen in tagged
// text: its tagsense_cnt, the field before the synset offsets.
inline std::size_t taggedSenseCount(std::string_view line) {
    line = line.substr(0, line.find('\n'));
    const auto fields = fieldsOf(line);
    if (fields.size() < 3) return 0;
    const auto synsets = static_cast<std::size_t>(std::max(0L, numberOf(fields[2])));
    if (fields.size() < synsets + 1 + 3) return 0;
    return static_cast<std::size_t>(std::max(0L, numberOf(fields[fields.size() - synsets - 1])));
}

// The fields of a data line before its gloss up to its synset's words,
// without the pointers that follow them: offset lex_filenum ss_type w_cnt
// word lex_id [word lex_id...].
inline std::vector<std::string_view> synsetFields(std::string_view line) {
    const auto head = line.substr(0, findByRare(line, " | ", 1));
    auto fields = fieldsOf(head, 4);
    if (fields.size() < 4) return fields;
    const auto count = static_cast<std::size_t>(std::strtol(std::string(fields[3]).c_str(), nullptr, 16));
    return fieldsOf(head, count < 1024 ? 4 + 2 * count : std::string_view::npos);
}

// The definition of a data line: its gloss without the examples that follow
// it after "; " (empty when the line has no gloss).
inline std::string glossOf(std::string_view line) {
    const auto bar = line.find(" | ");
    if (bar == std::string_view::npos) return {};
    std::string gloss(line.substr(bar + 3));
    for (const char* cut : {"; \"", "; e.g.", "; `", " \""})
        if (const auto at = gloss.find(cut); at != std::string::npos) gloss.resize(at);
    while (!gloss.empty() && (gloss.back() == ' ' || gloss.back() == ';' || gloss.back() == '\r')) gloss.pop_back();
    return gloss;
}

// The lines of a WordNet data file by offset: from its contents when read
// already, else from the file itself.
class DataFile {
public:
    DataFile(const std::string& path, const std::string* text) : text_(text) {
        if (!text_) in_.open(path, std::ios::binary);
    }
    // The line at `offset` without its newline; false past the end or when the file cannot be read.
    bool lineAt(long offset, std::string& line) {
        if (text_) {
            if (offset < 0 || static_cast<std::size_t>(offset) >= text_->size()) return false;
            const auto start = static_cast<std::size_t>(offset);
            line.assign(*text_, start, std::min(text_->find('\n', start), text_->size()) - start);
            return true;
        }
        in_.clear();
        in_.seekg(offset);
        return in_ && std::getline(in_, line);
    }

private:
    const std::string* text_;
    std::ifstream in_;
};

// Gloss phrases by which WordNet marks a sense as a slur or a vulgar word.
constexpr std::string_view kOffensiveMarks[] = {
    "offensive term", "offensive name", "offensive word", "ethnic slur", "obscene term", "obscene word",
    "vulgar term",    "vulgar word",    "(vulgar",        "(obscene",    "disparaging term", "derogatory term",
    "contemptuous term"};

// Words whose first sense is about sex or the body's waste: out of an acrostic.
constexpr std::string_view kBodilyMarks[] = {"sexual", "sexually", "genital", "copulat", "prostitut", "excrement",
                                             "feces", "faeces", "urinat", "masturbat", "orgasm", "erotic",
                                             "pornograph", "brothel", "intercourse"};

// WordNet's usage domains (noun synsets pointed to by ";u"): the first set
// marks a word as offensive, the second as rare for a puzzle.
constexpr long kOffensiveUsage[] = {6717170 /* disparagement */, 6718862 /* ethnic slur */,
                                    7124340 /* obscenity */};
constexpr long kSlang = 7157273, kColloquialism = 7075172;
constexpr long kRareUsage[] = {7073447 /* archaism */, kSlang, kColloquialism,
                               6845599 /* trade name */, 6851742 /* trademark */, 8860123 /* Britain */,
                               6964901 /* French */, 7155661 /* dialect */, 7156497 /* regionalism */,
                               6307152 /* combining form */};

} // namespace vlq::wordnet
