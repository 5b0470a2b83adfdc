// Definitions worded for the form of the answer they define: a plural
// defines plurals, a past tense or a gerund turns the definition's verbs, a
// comparative says "more" or "less" or "to a greater degree" (see
// PuzzleMakerClues.h); with the small text helpers the drafts share.
#pragma once
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "Lexicon.h"

namespace vlq::draft {

enum class Form { plain, plural, past, gerund, thirdPerson, comparative, superlative };

inline bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

inline std::string lowerText(std::string_view text) {
    std::string out;
    for (char c : text) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return out;
}

template <std::size_t N>
inline bool listed(const std::string_view (&list)[N], std::string_view w) {
    return std::find(std::begin(list), std::end(list), w) != std::end(list);
}

inline bool isLetters(const std::string& w) {
    return !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

inline std::vector<std::string> split(const std::string& text, std::string_view by) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (auto next = text.find(by); next != std::string::npos; next = text.find(by, at)) {
        out.push_back(text.substr(at, next - at));
        at = next + by.size();
    }
    out.push_back(text.substr(at));
    return out;
}

inline std::string join(const std::vector<std::string>& parts, std::string_view by) {
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : std::string(by)) + p;
    return out;
}

// A definition worded for the answer's form; empty when it cannot be.
std::string worded(const Lexicon& lexicon, const std::string& gloss, Form form);

// The form of a word of the lexicon, by its base and part of speech.
Form formOf(const LexiconWord& word);

} // namespace vlq::draft
