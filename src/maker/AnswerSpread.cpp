#include "AnswerSpread.h"

#include <algorithm>
#include <string_view>

namespace vlq {

namespace {

// Endings, each with its class; a plural or a longer ending first.
struct Ending {
    std::string_view text;
    std::uint8_t group;
};
constexpr Ending kEndings[] = {
    {"ations", 1}, {"ation", 1}, {"itions", 1}, {"ition", 1}, {"tions", 1}, {"tion", 1}, {"sions", 1},
    {"sion", 1},   {"ments", 2}, {"ment", 2},   {"nesses", 3}, {"ness", 3}, {"ities", 4}, {"ity", 4},
    {"ables", 5},  {"able", 5},  {"ibles", 5},  {"ible", 5},  {"isms", 6},  {"ism", 6},  {"ists", 7},
    {"ist", 7},    {"fully", 8}, {"ful", 8},    {"lessly", 9}, {"less", 9}, {"ships", 10}, {"ship", 10},
    {"ances", 11}, {"ance", 11}, {"ences", 11}, {"ence", 11}, {"ously", 12}, {"ous", 12}, {"ives", 13},
    {"ive", 13},   {"izes", 15}, {"ize", 15},  {"ized", 15}, {"ises", 15},
    {"ise", 15},   {"ised", 15}, {"hoods", 16}, {"hood", 16}, {"ical", 18},
    {"ically", 18}, {"ward", 19}, {"wards", 19}, {"wise", 19}};
constexpr std::uint8_t kAdverbInLy = 20;

constexpr std::string_view kOrdinals[] = {"first", "second", "third", "fourth", "fifth", "sixth", "seventh",
                                          "eighth", "ninth", "tenth", "eleventh", "twelfth", "hundredth",
                                          "thousandth", "millionth"};
constexpr std::string_view kNumbers[] = {"one",      "two",      "three",    "four",    "five",    "six",
                                         "seven",    "eight",    "nine",     "ten",     "eleven",  "twelve",
                                         "thirteen", "fourteen", "fifteen",  "sixteen", "seventeen",
                                         "eighteen", "nineteen", "twenty",   "thirty",  "forty",   "fifty",
                                         "sixty",    "seventy",  "eighty",   "ninety",  "hundred", "thousand",
                                         "million",  "billion",  "dozen"};
constexpr std::string_view kDays[] = {"monday",    "tuesday",   "wednesday", "thursday", "friday", "saturday",
                                      "sunday",    "yesterday", "today",     "tomorrow", "tonight", "weekday",
                                      "weekend",   "fortnight", "midday",    "midnight"};
constexpr std::string_view kMonths[] = {"january", "february", "april",   "june",     "july",
                                        "august",  "september", "october",  "november", "december"};
constexpr std::string_view kCompass[] = {"north", "south", "east", "west", "northern", "southern", "eastern",
                                         "western", "northward", "southward", "eastward", "westward"};
constexpr std::string_view kSeasons[] = {"summer", "winter", "autumn", "springtime", "wintertime", "summertime"};

template <std::size_t N>
bool listed(const std::string_view (&list)[N], std::string_view w) {
    return std::find(std::begin(list), std::end(list), w) != std::end(list);
}

template <std::size_t N>
bool startsWithOne(const std::string_view (&list)[N], std::string_view w) {
    return std::any_of(std::begin(list), std::end(list), [&](std::string_view x) { return w.starts_with(x); });
}

} // namespace

std::uint8_t endingClass(const std::string& lower, char pos) {
    for (const Ending& e : kEndings)
        if (lower.size() >= e.text.size() + 3 && lower.ends_with(e.text)) return e.group;
    if (pos == 'r' && lower.size() >= 6 && lower.ends_with("ly")) return kAdverbInLy;
    return 0;
}

std::uint8_t themeOf(const std::string& lower) {
    std::string w;
    for (char c : lower)
        if (c >= 'a' && c <= 'z') w += c;
    // Ordinals: FIRST ... TENTH, NINETEENTH, TWENTIETH, HUNDREDTH.
    if (listed(kOrdinals, w) || w.ends_with("teenth") || w.ends_with("tieth")) return 1;
    if (listed(kNumbers, w) || (startsWithOne(kNumbers, w) && (w.ends_with("teen") || w.ends_with("ty")))) return 2;
    if (listed(kDays, w)) return 3;
    if (listed(kMonths, w)) return 4;
    if (listed(kCompass, w) || w == "northeast" || w == "northwest" || w == "southeast" || w == "southwest")
        return 5;
    if (listed(kSeasons, w)) return 6;
    return 0;
}

} // namespace vlq
