// Colour text, bounds text and the recent list on arbitrary text: parsing
// never fails unsafely, and whatever it accepts comes back unchanged through
// the writing form.
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/RecentList.h"
#include "core/SettingsText.h"

using namespace vlq;

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}
char lower(char ch) { return (ch >= 'A' && ch <= 'Z') ? char(ch - 'A' + 'a') : ch; }
bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto colour = parseColourText(text)) {
        const std::string written = colourText(colour->value);
        const auto again = parseColourText(written);
        check(again && again->value == colour->value && again->isSystem == colour->isSystem);
    }

    if (const auto bounds = parseBounds(text)) {
        const std::string written = boundsText(bounds->left, bounds->top, bounds->width, bounds->height);
        check(written.find(' ') == std::string::npos);
        check(parseBounds(written) == bounds);
    }

    // Recent list: the first byte is the "puzzle open" flag, the rest four
    // strings separated by newlines (current puzzle, history 1..3).
    if (size > 0) {
        std::array<std::string, 4> parts;
        std::size_t part = 0;
        for (char ch : text.substr(1)) {
            if (ch == '\n' && part < 3) ++part;
            else parts[part] += ch;
        }
        const auto list = recentEntries(parts[0], (data[0] & 1) != 0, {parts[1], parts[2], parts[3]});
        check(list.size() <= 3);
        for (std::size_t i = 0; i < list.size(); ++i) {
            check(!list[i].empty());
            for (std::size_t j = 0; j < i; ++j) check(!sameIgnoringCase(list[i], list[j]));
            const std::string caption = recentCaption(int(i) + 1, list[i]);
            check(caption.rfind("&" + std::to_string(i + 1) + " ", 0) == 0);
            historyPath(list[i]);
        }
    }
    return 0;
}
