#include "SettingsText.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace vlq {

namespace {

struct NamedColour {
    std::string_view name;
    std::uint32_t value;
};

// The colour identifiers a colour text may use. The first twenty are fixed
// colours; the rest stand for the current system colour with the given index
// (0xFF000000 | index), which the caller maps to the platform's palette.
constexpr std::uint32_t kSystem = 0xFF000000u;
constexpr std::array<NamedColour, 50> kColours{{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clScrollBar", kSystem | 0},           {"clBackground", kSystem | 1},
    {"clActiveCaption", kSystem | 2},       {"clInactiveCaption", kSystem | 3},
    {"clMenu", kSystem | 4},                {"clWindow", kSystem | 5},
    {"clWindowFrame", kSystem | 6},         {"clMenuText", kSystem | 7},
    {"clWindowText", kSystem | 8},          {"clCaptionText", kSystem | 9},
    {"clActiveBorder", kSystem | 10},       {"clInactiveBorder", kSystem | 11},
    {"clAppWorkSpace", kSystem | 12},       {"clHighlight", kSystem | 13},
    {"clHighlightText", kSystem | 14},      {"clBtnFace", kSystem | 15},
    {"clBtnShadow", kSystem | 16},          {"clGrayText", kSystem | 17},
    {"clBtnText", kSystem | 18},            {"clInactiveCaptionText", kSystem | 19},
    {"clBtnHighlight", kSystem | 20},       {"cl3DDkShadow", kSystem | 21},
    {"cl3DLight", kSystem | 22},            {"clInfoText", kSystem | 23},
    {"clInfoBk", kSystem | 24},             {"clHotLight", kSystem | 26},
    {"clGradientActiveCaption", kSystem | 27}, {"clGradientInactiveCaption", kSystem | 28},
    {"clMenuHighlight", kSystem | 29},      {"clMenuBar", kSystem | 30},
}};

char lower(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool isSystemValue(std::uint32_t v) {
    if ((v & 0xFFFFFF00u) != kSystem) return false;
    for (const auto& c : kColours)
        if (c.value == v) return true;
    return false;
}

// A decimal integer with an optional leading '-', nothing else, within 32
// signed bits.
std::optional<int> parseInt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const bool negative = text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty()) return std::nullopt;
    for (char ch : digits)
        if (ch < '0' || ch > '9') return std::nullopt;
    int value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace

std::optional<ColourValue> parseColourText(std::string_view text) {
    for (const auto& c : kColours)
        if (sameName(text, c.name)) return ColourValue{c.value, (c.value & kSystem) == kSystem};

    std::uint32_t value = 0;
    if (!text.empty() && text.front() == '$') {
        const std::string_view hex = text.substr(1);
        if (hex.empty() || hex.size() > 8) return std::nullopt;
        for (char ch : hex) {
            int d = 0;
            if (ch >= '0' && ch <= '9') d = ch - '0';
            else if (ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
            else if (ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
            else return std::nullopt;
            value = value << 4 | static_cast<std::uint32_t>(d);
        }
    } else {
        const auto n = parseInt(text);
        if (!n) return std::nullopt;
        value = static_cast<std::uint32_t>(*n);
    }
    return ColourValue{value, isSystemValue(value)};
}

std::string colourText(std::uint32_t bgr) {
    for (const auto& c : kColours)
        if (c.value == bgr) return std::string(c.name);
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(bgr));
    return buf;
}

std::optional<Bounds> parseBounds(std::string_view text) {
    int parts[4] = {};
    for (int i = 0; i < 4; ++i) {
        std::string_view part = text;
        if (i < 3) {
            const auto comma = text.find(',');
            if (comma == std::string_view::npos) return std::nullopt;
            part = text.substr(0, comma);
            text.remove_prefix(comma + 1);
        }
        const auto n = parseInt(part);
        if (!n) return std::nullopt;
        parts[i] = *n;
    }
    return Bounds{parts[0], parts[1], parts[2], parts[3]};
}

std::string boundsText(int left, int top, int width, int height) {
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," +
           std::to_string(height);
}

} // namespace vlq
