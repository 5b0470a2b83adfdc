#include "RecentList.h"

#include <algorithm>

namespace vlq {

namespace {

char lower(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }
char upper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::vector<std::string> recentEntries(const std::string& currentPuzzle, bool puzzleOpen,
                                       const std::array<std::string, 3>& history) {
    std::vector<std::string> list;
    if (!currentPuzzle.empty() && puzzleOpen) list.push_back(currentPuzzle + kHistorySuffix);
    for (const auto& h : history) {
        const bool held = std::any_of(list.begin(), list.end(), [&](const std::string& s) { return sameIgnoringCase(s, h); });
        if (!held) list.push_back(h);
    }
    std::vector<std::string> shown;
    for (const auto& s : list)
        if (!s.empty() && shown.size() < 3) shown.push_back(s);
    return shown;
}

std::string recentCaption(int shown, const std::string& entry) {
    // The suffix " /s" holds a slash itself, so the file name is taken from
    // the path before it; then the extension (four characters) goes.
    const std::string path = historyPath(entry);
    const auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    name.resize(name.size() > 4 ? name.size() - 4 : 0);
    std::string caption = "&";
    caption += std::to_string(shown);
    caption += ' ';
    for (char ch : name) {
        if (ch == '&') caption += '&';
        caption += upper(ch);
    }
    return caption;
}

std::string historyPath(const std::string& entry) {
    return entry.size() > 3 ? entry.substr(0, entry.size() - 3) : std::string();
}

} // namespace vlq
