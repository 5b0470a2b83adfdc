// The lexicon's look-ups in WordNet's data files: a word's senses as its
// part of speech, ranked for drafting, and the words around them (broader
// terms, synonyms, the adjective an adverb comes from).
#include <algorithm>
#include <string_view>

#include "Lexicon.h"
#include "WordNetFiles.h"

namespace vlq {

using namespace wordnet;

std::vector<std::string> Lexicon::senseLines(const LexiconWord& word, const std::string* text,
                                             std::vector<bool>* tagged) const {
    if (wordnetDir_.empty()) return {};
    const auto* p = std::find(std::begin(kPosLetter), std::end(kPosLetter), word.pos);
    const auto entry = index_.find(word.base);
    if (p == std::end(kPosLetter) || entry == index_.end()) return {};
    const auto pos = static_cast<std::size_t>(p - kPosLetter);
    if (entry->second.offset[pos] < 0) return {};
    DataFile in(wordnetDir_ + "/data." + kPosName[pos], text);
    std::vector<std::string> named, lines;
    const std::string_view indexLine = std::string_view(indexText_[pos]).substr(entry->second.line[pos]);
    const std::size_t seen = taggedSenseCount(indexLine);
    std::vector<bool> namedTagged, linesTagged;
    std::size_t number = 0;
    forEachSense(indexLine, [&](long offset) {
        std::string data;
        const bool used = seen == 0 || number++ < seen;
        if (!in.lineAt(offset, data) || findByRare(data, " | ", 1) == std::string::npos) return;
        while (!data.empty() && (data.back() == '\r' || data.back() == ' ')) data.pop_back();
        // A sense whose words hold ours only with a capital is a name; it goes last.
        const auto head = synsetFields(data);
        bool plain = false;
        if (head.size() >= 4) {
            const auto count = static_cast<std::size_t>(std::strtol(std::string(head[3]).c_str(), nullptr, 16));
            for (std::size_t w = 0; w < count && 4 + 2 * w < head.size(); ++w)
                plain = plain || head[4 + 2 * w].substr(0, head[4 + 2 * w].find('(')) == word.base;
        }
        (plain ? lines : named).push_back(std::move(data));
        (plain ? linesTagged : namedTagged).push_back(used);
    });
    lines.insert(lines.end(), named.begin(), named.end());
    if (tagged) {
        *tagged = linesTagged;
        tagged->insert(tagged->end(), namedTagged.begin(), namedTagged.end());
    }
    return lines;
}

std::vector<Lexicon::Sense> Lexicon::rankedSenses(const LexiconWord& word) const {
    if (!word.gloss.empty()) return {{word.gloss, true}};
    std::vector<bool> tagged;
    const std::vector<std::string> lines = senseLines(word, nullptr, &tagged);
    std::vector<Sense> out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string gloss = glossOf(lines[i]);
        if (gloss.empty()) continue;
        bool marked = false;
        const std::string_view head = std::string_view(lines[i]).substr(0, findByRare(lines[i], " | ", 1));
        for (auto u = findByRare(head, " ;u ", 1); u != std::string_view::npos && !marked;
             u = findByRare(head, " ;u ", 1, u + 1)) {
            const long domain = numberOf(head.substr(u + 4, 8));
            marked = std::find(std::begin(kOffensiveUsage), std::end(kOffensiveUsage), domain) !=
                         std::end(kOffensiveUsage) ||
                     domain == kSlang || domain == kColloquialism;
        }
        // A greeting (AFTERNOON as "good afternoon") is no sense a solver looks for.
        marked = marked || gloss.starts_with("a conventional expression of greeting");
        for (std::string_view mark : kOffensiveMarks) marked = marked || gloss.find(mark) != std::string::npos;
        for (std::string_view mark : kBodilyMarks) marked = marked || gloss.find(mark) != std::string::npos;
        out.push_back({std::move(gloss), tagged[i] && !marked});
    }
    return out;
}

std::vector<std::string> Lexicon::senses(const LexiconWord& word) const {
    if (!word.gloss.empty()) return {word.gloss};
    std::vector<std::string> out;
    for (const std::string& data : senseLines(word))
        if (std::string gloss = glossOf(data); !gloss.empty()) out.push_back(std::move(gloss));
    return out;
}

std::string Lexicon::definition(const LexiconWord& word) const {
    const auto all = senses(word);
    return all.empty() ? std::string() : all.front();
}

std::vector<std::string> Lexicon::pointedLines(const LexiconWord& word, std::string_view symbol, const char* file,
                                               const std::string* text) const {
    std::vector<std::string> out;
    DataFile in(wordnetDir_ + "/data." + file, text);
    for (const std::string& data : senseLines(word, text)) {
        // Pointers: symbol offset pos source/target, before the gloss.
        const auto at = data.find(symbol);
        if (at == std::string::npos || data.find(" | ") < at) continue;
        std::string line;
        if (in.lineAt(std::atol(data.c_str() + at + symbol.size()), line)) out.push_back(std::move(line));
    }
    return out;
}

std::vector<std::string> Lexicon::broader(const LexiconWord& word) const { return broaderIn(word, nullptr); }

std::vector<std::string> Lexicon::broaderIn(const LexiconWord& word, const std::string* nounText) const {
    std::vector<std::string> out;
    const auto* p = std::find(std::begin(kPosLetter), std::end(kPosLetter), word.pos);
    if (p == std::end(kPosLetter)) return out;
    const std::string* text = p == kPosLetter ? nounText : nullptr;
    for (const std::string& line : pointedLines(word, " @ ", kPosName[p - kPosLetter], text)) {
        const auto head = fieldsOf(std::string_view(line).substr(0, findByRare(line, " | ", 1)), 5);
        if (head.size() < 5) continue;
        std::string name(head[4].substr(0, head[4].find('(')));
        std::replace(name.begin(), name.end(), '_', ' ');
        if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
    }
    return out;
}

std::vector<std::string> Lexicon::adjectiveSenses(const LexiconWord& word) const {
    std::vector<std::string> out;
    if (word.pos != 'r' || wordnetDir_.empty()) return out;
    for (const std::string& line : pointedLines(word, " \\ ", "adj"))
        if (std::string gloss = glossOf(line);
            !gloss.empty() && std::find(out.begin(), out.end(), gloss) == out.end())
            out.push_back(std::move(gloss));
    return out;
}

int Lexicon::taggedCount(const std::string& lower, char pos) const {
    const auto* p = std::find(std::begin(kPosLetter), std::end(kPosLetter), pos);
    const auto entry = index_.find(lower);
    if (p == std::end(kPosLetter) || entry == index_.end()) return -1;
    const auto at = static_cast<std::size_t>(p - kPosLetter);
    return entry->second.offset[at] < 0 ? -1 : entry->second.count[at];
}

std::vector<std::string> Lexicon::irregularForms(const std::string& base, char pos) const {
    const auto* p = std::find(std::begin(kPosLetter), std::end(kPosLetter), pos);
    if (p == std::end(kPosLetter)) return {};
    std::vector<std::string> out;
    for (const auto& [form, of] : exceptions_[static_cast<std::size_t>(p - kPosLetter)])
        if (of == base) out.push_back(form);
    std::sort(out.begin(), out.end());
    return out;
}

namespace {

// The words of a synset's data line, spaced, added to `out` unless there already or `except`.
void addMembers(std::string_view data, const std::string& except, std::vector<std::string>& out) {
    const auto head = synsetFields(data);
    if (head.size() < 4) return;
    const auto count = static_cast<std::size_t>(std::strtol(std::string(head[3]).c_str(), nullptr, 16));
    for (std::size_t w = 0; w < count && 4 + 2 * w < head.size(); ++w) {
        std::string name(head[4 + 2 * w].substr(0, head[4 + 2 * w].find('(')));
        std::replace(name.begin(), name.end(), '_', ' ');
        if (name != except && std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
    }
}

} // namespace

std::vector<std::string> Lexicon::synonyms(const LexiconWord& word) const {
    std::vector<std::string> out;
    for (const std::string& data : senseLines(word)) addMembers(data, word.base, out);
    return out;
}

std::vector<std::string> Lexicon::adjectiveWords(const LexiconWord& word) const {
    std::vector<std::string> out;
    if (word.pos != 'r' || wordnetDir_.empty()) return out;
    for (const std::string& line : pointedLines(word, " \\ ", "adj")) addMembers(line, word.base, out);
    return out;
}

std::vector<std::string> Lexicon::similarWords(const LexiconWord& word) const {
    std::vector<std::string> out;
    if (word.pos != 'a' || wordnetDir_.empty()) return out;
    DataFile in(wordnetDir_ + "/data.adj", nullptr);
    for (const std::string& data : senseLines(word)) {
        const auto head = synsetFields(data);
        if (head.size() < 3 || head[2] != "a") continue;
        // Pointers: & offset a source/target, before the gloss.
        const auto bar = data.find(" | ");
        for (auto at = data.find(" & "); at < bar; at = data.find(" & ", at + 1)) {
            std::string line;
            if (in.lineAt(std::atol(data.c_str() + at + 3), line)) addMembers(line, word.base, out);
        }
    }
    return out;
}

} // namespace vlq
