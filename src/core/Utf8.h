// UTF-8 decoding and encoding of single code points, shared by the puzzle
// builder and the foreign-format importers, and file text made safe to show.
#pragma once
#include <string>
#include <string_view>

namespace vlq {

// Decodes one UTF-8 code point at text[i] (i < text.size()), advancing i;
// U+FFFD on a broken sequence (one byte is consumed).
inline char32_t nextCodePoint(const std::string& text, std::size_t& i) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size())) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
    for (int e = 1; e <= extra; ++e) {
        const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(e)]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

// Text from a file as a message or a listing shows it: control characters
// (which a terminal would obey) as '?', and at most `most` bytes of whole
// characters, "..." after a cut.
inline std::string shownText(std::string_view text, std::size_t most = std::string_view::npos) {
    std::size_t cut = text.size();
    if (cut > most) {
        cut = most;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    }
    std::string out;
    for (std::size_t i = 0; i < cut; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += c < 0x20 || c == 0x7F ? '?' : text[i];
    }
    return cut < text.size() ? out + "..." : out;
}

inline std::string utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

} // namespace vlq
