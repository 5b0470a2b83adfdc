#include "PuzzleMakerClues.h"

#include <algorithm>
#include <string_view>

namespace vlq {

namespace {

enum class Form { plain, plural, past, gerund, thirdPerson, comparative, superlative };

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

std::string lowerText(std::string_view text) {
    std::string out;
    for (char c : text) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return out;
}

template <std::size_t N>
bool listed(const std::string_view (&list)[N], std::string_view w) {
    return std::find(std::begin(list), std::end(list), w) != std::end(list);
}

bool isLetters(const std::string& w) {
    return !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::vector<std::string> split(const std::string& text, std::string_view by) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (auto next = text.find(by); next != std::string::npos; next = text.find(by, at)) {
        out.push_back(text.substr(at, next - at));
        at = next + by.size();
    }
    out.push_back(text.substr(at));
    return out;
}

std::string join(const std::vector<std::string>& parts, std::string_view by) {
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : std::string(by)) + p;
    return out;
}

// A short verb ending consonant-vowel-consonant doubles its last letter (stop, sit).
bool doubles(const std::string& w) {
    const std::size_t n = w.size();
    if (n < 3 || n > 4 || isVowel(w[n - 1]) || w[n - 1] == 'w' || w[n - 1] == 'x' || w[n - 1] == 'y') return false;
    if (!isVowel(w[n - 2]) || isVowel(w[n - 3])) return false;
    return n == 3 || !isVowel(w[0]);
}

std::string verbForm(const Lexicon& lexicon, const std::string& verb, Form form) {
    if (verb == "be") return form == Form::past ? "was" : form == Form::gerund ? "being" : "is";
    if (verb == "have") return form == Form::past ? "had" : form == Form::gerund ? "having" : "has";
    const std::size_t n = verb.size();
    if (n < 2) return verb;
    const bool consonantY = verb.back() == 'y' && !isVowel(verb[n - 2]);
    switch (form) {
    case Form::gerund:
        for (const std::string& f : lexicon.irregularForms(verb, 'v'))
            if (f.ends_with("ing")) return f; // "throbbing"
        if (verb.ends_with("ie")) return verb.substr(0, n - 2) + "ying";
        if (verb.back() == 'e' && !verb.ends_with("ee") && !verb.ends_with("ye") && !verb.ends_with("oe"))
            return verb.substr(0, n - 1) + "ing";
        return doubles(verb) ? verb + verb.back() + "ing" : verb + "ing";
    case Form::past: {
        // Pasts the same as the verb, which the word data do not list as irregular.
        static constexpr std::string_view kSamePast[] = {"beat", "bet", "burst", "cast", "cost", "cut", "hit",
                                                          "hurt", "let", "put", "quit", "read", "rid", "set",
                                                          "shed", "shut", "slit", "split", "spread", "thrust"};
        if (listed(kSamePast, verb)) return verb;
        for (const std::string& f : lexicon.irregularForms(verb, 'v'))
            if (!f.ends_with("ing") && !f.ends_with("en") && !f.ends_with("s")) return f;
        if (verb.back() == 'e') return verb + "d";
        if (consonantY) return verb.substr(0, n - 1) + "ied";
        return doubles(verb) ? verb + verb.back() + "ed" : verb + "ed";
    }
    case Form::thirdPerson:
        if (verb == "do" || verb == "go") return verb + "es";
        if (consonantY) return verb.substr(0, n - 1) + "ies";
        if (verb.ends_with("s") || verb.ends_with("x") || verb.ends_with("z") || verb.ends_with("ch") ||
            verb.ends_with("sh"))
            return verb + "es";
        return verb + "s";
    default:
        return verb;
    }
}

std::string plural(const Lexicon& lexicon, const std::string& noun) {
    const std::size_t n = noun.size();
    if (n < 2) return noun + "s";
    // Irregular plurals: "halves", "wolves", and the old ones every reader knows.
    static constexpr std::string_view kOld[] = {"goose", "foot", "tooth", "mouse", "louse", "child", "ox"};
    for (const std::string& f : lexicon.irregularForms(noun, 'n'))
        if ((f.ends_with("ves") && noun != "beef") || listed(kOld, noun)) return f;
    if (noun.back() == 'y' && !isVowel(noun[n - 2])) return noun.substr(0, n - 1) + "ies";
    if (noun == "phenomenon" || noun == "criterion") return noun.substr(0, n - 2) + "a";
    if (n > 4 && noun.ends_with("sis")) return noun.substr(0, n - 2) + "es"; // analysis, crisis
    if (noun.ends_with("s") || noun.ends_with("x") || noun.ends_with("z") || noun.ends_with("ch") ||
        noun.ends_with("sh"))
        return noun + "es";
    if (noun == "man" || noun.ends_with("woman")) return noun.substr(0, n - 2) + "en";
    if (noun == "person") return "people";
    return noun + "s";
}

// The index after a remark in brackets that starts at words[at] ("(birth
// to 1 year)"), or `at` when none starts there.
std::size_t pastBracket(const std::vector<std::string>& words, std::size_t at) {
    if (at >= words.size() || !words[at].starts_with("(")) return at;
    while (at < words.size() && !words[at].ends_with(")")) ++at;
    return at + 1;
}

// Words after which a definition's head noun ends.
bool endsHead(const std::string& w) {
    static constexpr std::string_view kAfterHead[] = {"of", "in", "that", "who", "which", "with", "for", "to",
                                                      "from", "on", "by", "used", "made", "having", "or", "and",
                                                      "at", "as", "whose", "where", "when", "into", "without",
                                                      "along", "under", "over", "about", "between", "through",
                                                      "against", "around", "across", "near", "like", "than", "worth",
                                                      "after", "before", "until", "since", "during", "within",
                                                      "beyond", "upon", "onto", "toward", "towards", "behind",
                                                      "beside", "among", "via", "except", "inside", "outside",
                                                      "a", "an", "the", "is", "are", "can", "especially"};
    return listed(kAfterHead, w);
}

// A word that qualifies rather than names: "highly", "very", "much".
bool isAdverb(const std::string& w) {
    static constexpr std::string_view kAdverbs[] = {"much", "often", "also", "very", "sometimes", "mostly",
                                                    "almost", "still", "once"};
    static constexpr std::string_view kNounsInLy[] = {"family", "belly", "jelly", "bully", "lily", "folly",
                                                      "assembly", "anomaly", "monopoly", "homily", "rally"};
    if (listed(kAdverbs, w)) return true;
    return w.size() > 4 && w.ends_with("ly") && isLetters(w) &&
           !listed(kNounsInLy, w);
}

// One clause of a noun's definition for the plural: "a feeling of
// excitement" becomes "feelings of excitement", "a worm that burrows"
// becomes "worms that burrow", "any of various small birds" becomes
// "various small birds"; a remark ("usually in protest", "used for
// timber") stays as it is. Empty when its head cannot be found.
std::string pluralClause(const Lexicon& lexicon, const std::string& clause) {
    for (const std::string_view many : {"any of various ", "any of several ", "any of numerous ", "any of many "})
        if (clause.starts_with(many)) return clause.substr(7);
    if (clause.starts_with("especially ")) {
        const std::string rest = pluralClause(lexicon, clause.substr(11));
        return rest.empty() ? std::string() : "especially " + rest;
    }
    std::vector<std::string> words = split(clause, " ");
    if (words.empty()) return {};
    std::size_t start = 0;
    if (words[0] == "a" || words[0] == "an" || words[0] == "the" || words[0] == "one") start = 1;
    // The past participles of irregular verbs, that describe as "-ed" ones do.
    static constexpr std::string_view kIrregular[] = {"worn", "born", "borne", "drawn", "known", "shown",
                                                      "grown", "thrown", "sworn", "torn", "done", "given",
                                                      "taken", "built", "held", "kept", "left", "sold",
                                                      "told", "found", "brought", "bought", "caught",
                                                      "taught", "sent", "spent", "felt", "spun",
                                                      "cut", "put", "set", "seen", "eaten", "driven",
                                                      "paid", "laid", "led", "lost", "won", "written",
                                                      "spoken", "chosen", "hidden", "broken", "stolen",
                                                      "frozen", "fallen", "shaken", "hung", "struck",
                                                      "stuck", "fed", "bred", "meant", "dealt", "bent",
                                                      "sought", "fought", "said"};
    const auto pastParticiple = [](const std::string& w) {
        return (w.size() > 4 && w.ends_with("ed")) || listed(kIrregular, w);
    };
    const auto participle = [&](const std::string& w) {
        return pastParticiple(w) || (w.size() > 4 && w.ends_with("ing") && !w.ends_with("thing"));
    };
    // A word WordNet knows mostly as an adjective: "flat", "large", "likely".
    const auto adjective = [&](const std::string& w) {
        const bool known = lexicon.taggedCount(w, 'a') >= 0 || lexicon.taggedCount(w, 'n') >= 0;
        const std::string base = known ? w : lexicon.baseOf(w); // "taller"
        const int a = lexicon.taggedCount(base, 'a');
        return a >= 0 && a >= 2 * std::max(0, lexicon.taggedCount(base, 'n'));
    };
    // A remark: "usually worn...", "used as a signal", "that which is owed".
    static constexpr std::string_view kRemarks[] = {"usually", "often", "sometimes", "typically", "chiefly",
                                                    "mainly", "mostly", "also", "that", "which", "who", "used", "slang",
                                                    "how", "what", "where", "when"};
    // A gerund's definition: "combining into a solid mass", "drawing a comparison".
    static constexpr std::string_view kAfterGerund[] = {"a", "an", "the", "of", "into", "from", "by", "with",
                                                        "to", "for", "in", "on", "and", "or", "as", "at",
                                                        "up", "out", "something", "someone", "oneself"};
    static constexpr std::string_view kVerbs[] = {"has", "have", "is", "are", "can", "may", "must", "will"};
    if (start == 0 && (listed(kRemarks, words[0]) || listed(kVerbs, words[0]) ||
                       (participle(words[0]) && words.size() > 1 &&
                        listed(kAfterGerund, words[1]))))
        return clause;
    for (std::size_t i = start; i < words.size(); ++i) {
        std::string& w = words[i];
        const bool comma = !w.empty() && w.back() == ',';
        const bool last = i + 1 == words.size();
        if (i == start && endsHead(w)) return {}; // "one of two or more integers"
        if (!comma && !last && isAdverb(w)) continue; // "a highly skilled worker"
        // The head ends before a linking word, a participle or an adverb:
        // "an organization founded and united", "a stew highly seasoned".
        const std::string& next = last ? w : words[i + 1];
        // A participle before a noun describes it: "precise detailed study".
        static constexpr std::string_view kParticles[] = {"together", "off", "up", "down", "out", "away",
                                                          "aside", "below", "above", "beneath", "more", "less",
                                                          "apart", "back", "forth", "again", "alone", "ahead",
                                                          "choice", "not", "but", "per", "beforehand"};
        const bool joined = i + 3 < words.size() && (words[i + 2] == "or" || words[i + 2] == "and") &&
                            pastParticiple(words[i + 3]); // "human written or spoken language"
        const bool describes = (next.ends_with("ed") || listed(kIrregular, next) || next.find('-') != std::string::npos) &&
                               i + 2 < words.size() &&
                               ((isLetters(words[i + 2]) && !endsHead(words[i + 2]) && !isAdverb(words[i + 2]) &&
                                 !listed(kParticles, words[i + 2])) ||
                                joined);
        // An adjective after the name ends it: "an applicant likely to be chosen".
        const bool after = adjective(next) && !adjective(w) && i + 2 < words.size() &&
                           ((endsHead(words[i + 2]) && words[i + 2] != "and" && words[i + 2] != "or") ||
                            isAdverb(words[i + 2]) || words[i + 2] == "only" || words[i + 2] == "enough");
        if (!comma && !last && !endsHead(next) && (!participle(next) || describes) && !next.starts_with("(") &&
            !listed(kRemarks, next) && !after)
            continue;
        if (!comma && !last) {
            // Describing words joined: "a large and brightly colored", "written or spoken".
            if ((next == "and" || next == "or") && i + 2 < words.size() && (adjective(w) || pastParticiple(w)) &&
                (adjective(words[i + 2]) || isAdverb(words[i + 2]) || pastParticiple(words[i + 2])))
                continue;
            // A remark in brackets inside the name: "a flat (usually rectangular) container".
            const std::size_t after = pastBracket(words, i + 1);
            if (after > i + 1 && (adjective(w) || pastParticiple(w)) && after < words.size() &&
                isLetters(words[after]) && !endsHead(words[after]) && !participle(words[after]) &&
                !listed(kRemarks, words[after]) && !isAdverb(words[after])) {
                i = after - 1;
                continue;
            }
        }
        const std::string head = comma ? w.substr(0, w.size() - 1) : w;
        static constexpr std::string_view kNoHead[] = {"any", "all", "either", "each", "both", "you", "one",
                                                       "we", "they", "it", "he", "she", "so", "this",
                                                       "that", "these", "those"};
        if (!isLetters(head) || listed(kNoHead, head) || endsHead(head) || isAdverb(head)) return {};
        // A participle is no head ("a stew highly seasoned with paprika").
        if (head.size() > 5 && head.ends_with("ed") && !head.ends_with("eed") && head != "hundred") return {};
        if (listed(kIrregular, head) && head.back() == 'n') return {};
        // A head already plural ("things produced", "series of") stays.
        static constexpr std::string_view kSameInPlural[] = {"series", "species", "means", "news", "goods",
                                                             "people", "clothes", "data", "media", "aircraft",
                                                             "things", "others", "remains"};
        const auto isPlural = [&](const std::string& noun) {
            return listed(kSameInPlural, noun) ||
                   (noun.size() > 3 && noun.back() == 's' &&
                    (lexicon.baseOf(noun) != noun ||
                     (!noun.ends_with("ss") && !noun.ends_with("us") && !noun.ends_with("is") &&
                      lexicon.taggedCount(noun.substr(0, noun.size() - 1), 'n') >= 0)));
        };
        static constexpr std::string_view kSomething[] = {"something", "anything"};
        static constexpr std::string_view kSomeone[] = {"someone", "somebody", "anyone"};
        const auto many = [&](const std::string& noun) {
            return listed(kSomething, noun) ? std::string("things")
                   : listed(kSomeone, noun) ? std::string("people")
                   : isPlural(noun)         ? noun
                                            : plural(lexicon, noun);
        };
        // Nor is a word WordNet knows, but not as a noun ("large", "likely").
        const bool special = listed(kSomething, head) || listed(kSomeone, head);
        const auto notNoun = [&](const std::string& word) {
            return lexicon.taggedCount(word, 'n') < 0 && (lexicon.taggedCount(word, 'v') >= 0 ||
                                                          lexicon.taggedCount(word, 'a') >= 0 ||
                                                          lexicon.taggedCount(word, 'r') >= 0);
        };
        if (!isPlural(head) && !special && lexicon.taggedCount(head, 'n') < 0 &&
            (notNoun(head) || notNoun(lexicon.baseOf(head)))) // "large", "been"
            return {};
        w = many(head) + (comma ? "," : "");
        std::size_t end = i; // the last word of the name
        // A second name joined to the head is plural too: "a person or thing
        // equal to" -> "people or things equal to".
        if (!comma && i + 2 < words.size() && (words[i + 1] == "or" || words[i + 1] == "and") &&
            isLetters(words[i + 2]) && !endsHead(words[i + 2]) && lexicon.taggedCount(words[i + 2], 'n') >= 0 &&
            !adjective(words[i + 2]) &&
            (i + 3 == words.size() || endsHead(words[i + 3]) || adjective(words[i + 3]) || participle(words[i + 3]))) {
            words[i + 2] = many(words[i + 2]);
            end = i + 2;
        }
        // The verbs after a relative word agree: "that burrows" -> "that
        // burrow", "who believes and helps" -> "who believe and help", also
        // past a remark in brackets ("a child (birth to 1 year) who has")
        // and past the object of the first ("who tends cattle and performs").
        const std::size_t rel = pastBracket(words, end + 1);
        const auto agree = [](std::string& v) {
            if (v == "is") v = "are";
            else if (v == "has") v = "have";
            else if (v == "was") v = "were";
            else if (v == "does") v = "do";
            else if (v.size() > 3 && v.ends_with("ies")) v = v.substr(0, v.size() - 3) + "y";
            else if (v.size() > 4 && (v.ends_with("shes") || v.ends_with("ches") || v.ends_with("sses") ||
                                      v.ends_with("xes") || v.ends_with("zes")))
                v = v.substr(0, v.size() - 2); // "flashes" -> "flash"
            else if (v.size() > 3 && v.back() == 's' && !v.ends_with("ss") && !v.ends_with("us")) v.pop_back();
        };
        const auto relative = [](const std::string& w2) { return w2 == "that" || w2 == "who" || w2 == "which"; };
        // Past a plural after the name ("arrangements of flowers that is
        // given") a singular verb can only be the name's.
        const bool direct = rel < words.size() && relative(words[rel]);
        for (std::size_t at = end + 2; !direct && at + 1 < words.size() && at <= end + 6; ++at) {
            if (!relative(words[at])) {
                if (!isLetters(words[at])) break;
                continue;
            }
            const std::string& v = words[at + 1];
            if (words[at - 1].back() == 's' && (v == "is" || v == "has" || v == "was" || v == "does"))
                agree(words[at + 1]);
            break;
        }
        if (direct && rel + 1 < words.size()) {
            std::size_t verb = rel + 1;
            agree(words[verb]);
            for (; verb + 2 < words.size() && (words[verb + 1] == "and" || words[verb + 1] == "or"); verb += 2)
                agree(words[verb + 2]);
            // Later verbs of the clause: after "and" or "or", a word the
            // dictionary knows as a verb more than as a noun.
            for (std::size_t at = verb + 1; at + 1 < words.size() && at <= verb + 5; ++at) {
                const std::string& w2 = words[at];
                if (w2.starts_with("(") || w2.ends_with(",") || w2 == "that" || w2 == "who" || w2 == "which") break;
                if (w2 != "and" && w2 != "or") continue;
                std::string& v = words[at + 1];
                if (!isLetters(v) || v.back() != 's') break;
                const std::string base = lexicon.baseOf(v);
                if (lexicon.taggedCount(base, 'v') > std::max(0, lexicon.taggedCount(base, 'n'))) agree(v);
                break;
            }
        }
        words.erase(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(start));
        return join(words, " ");
    }
    return {};
}

// An adjective's definition for its comparative or superlative, by its
// first clause: "not dense" becomes "less dense", "being very thin" "most
// thin", "marked by skill" "more marked by skill", and one that does not
// start with a describing word ("having a circular shape") takes "to a
// greater degree" after it, or cannot be worded when that does not fit. A
// leading remark in brackets stays first.
std::string degreeWorded(const std::string& gloss, bool most) {
    std::vector<std::string> clauses = split(gloss, "; ");
    std::string& first = clauses.front();
    std::string remark;
    if (first.starts_with("(")) {
        const std::size_t close = first.find(") ");
        if (close != std::string::npos) {
            remark = first.substr(0, close + 2);
            first.erase(0, close + 2);
        }
    }
    for (bool again = true; again;) {
        again = false;
        for (const std::string_view lead : {"being ", "very "})
            if (first.starts_with(lead) && first.size() > lead.size() && !first.substr(lead.size()).starts_with("or ") &&
                !first.substr(lead.size()).starts_with("and "))
                first.erase(0, lead.size()), again = true;
    }
    static constexpr std::string_view kNoDegree[] = {"having", "showing", "moving", "causing", "containing",
                                                     "possessing", "offering", "reflecting", "resembling",
                                                     "of", "as", "in", "like", "with", "without", "informal",
                                                     "at", "on", "to", "by", "for", "from", "into", "one",
                                                     "a", "an", "the", "used", "relating", "pertaining"};
    const std::string lead = first.substr(0, first.find(' '));
    if (first.starts_with("more ") || first.starts_with("less ")) {
        if (most) first = (first[0] == 'm' ? "most" : "least") + first.substr(4);
    } else if (first.starts_with("most ") || first.starts_with("least ")) {
    } else if (lead == "not") {
        first = (most ? "least" : "less") + first.substr(3);
    } else if (listed(kNoDegree, lead)) {
        first += most ? " to the greatest degree" : " to a greater degree";
        if (remark.size() + first.size() > kDraftClueRoom) return {};
    } else {
        first = (most ? "most " : "more ") + first;
    }
    first = remark + first;
    return join(clauses, "; ");
}

// A definition worded for the answer's form; empty when it cannot be.
std::string worded(const Lexicon& lexicon, const std::string& gloss, Form form) {
    switch (form) {
    case Form::plain:
        return gloss;
    case Form::plural: {
        std::vector<std::string> clauses = split(gloss, "; ");
        for (auto& c : clauses) {
            c = pluralClause(lexicon, c);
            if (c.empty()) return {};
        }
        return join(clauses, "; ");
    }
    case Form::past:
    case Form::gerund:
    case Form::thirdPerson: {
        std::vector<std::string> clauses = split(gloss, "; ");
        for (auto& c : clauses) {
            std::vector<std::string> words = split(c, " ");
            if (words.size() > 1 && words[0] == "to") words.erase(words.begin()); // "to bite and grind"
            if (words.empty() || words[0].empty()) return {};
            static constexpr std::string_view kAfterVerb[] = {"up", "out", "off", "down", "back", "away", "over"};
            // A verb turned, keeping the comma of a list ("wish, long, or crave").
            const auto turn = [&](std::string& w, bool first) {
                const bool comma = w.ends_with(",");
                const std::string bare = comma ? w.substr(0, w.size() - 1) : w;
                if (!isLetters(bare) || (!first && (lexicon.taggedCount(bare, 'v') < 0 || listed(kAfterVerb, bare))))
                    return false;
                w = verbForm(lexicon, bare, form) + (comma ? "," : "");
                return true;
            };
            if (endsHead(words[0])) continue; // a remark: "of players", "as a reward"
            // A list ("wish, long, or crave") ends with "or" or "and"; a list
            // of nouns ("projects, businesses, etc.") cannot be turned.
            std::size_t run = 0;
            while (run < words.size() && words[run].ends_with(",")) ++run;
            if (run > 0 && (run >= words.size() || (words[run] != "or" && words[run] != "and"))) return {};
            if (!turn(words[0], true)) return {}; // "spin,wind, or twist": no verb to turn
            // "join or combine or unite" turns every verb, and so do "hang
            // (back) or fall (behind)", "wish, long, or crave" and "set up or found".
            bool listing = words[0].ends_with(",");
            for (std::size_t v = 1; v < words.size();) {
                const bool joins = words[v] == "or" || words[v] == "and";
                if (words[v].starts_with("(")) {
                    v = pastBracket(words, v);
                } else if (joins && v + 1 < words.size() && turn(words[v + 1], false)) {
                    listing = words[v + 1].ends_with(",");
                    v += 2;
                } else if (listing && !joins && words[v].ends_with(",") && turn(words[v], false)) {
                    listing = words[v].ends_with(",");
                    ++v;
                } else if (!joins && (endsHead(words[v]) || listed(kAfterVerb, words[v])) && v + 2 < words.size() &&
                           (words[v + 1] == "or" || words[v + 1] == "and") && !endsHead(words[v + 2]) &&
                           !listed(kAfterVerb, words[v + 2])) {
                    ++v;
                } else {
                    break;
                }
            }
            c = join(words, " ");
        }
        return join(clauses, "; ");
    }
    case Form::comparative:
    case Form::superlative:
        return degreeWorded(gloss, form == Form::superlative);
    }
    return gloss;
}

Form formOf(const LexiconWord& word) {
    const std::string lower = lowerOf(word.word);
    if (lower == word.base || word.base.empty() || word.phrase) return Form::plain;
    switch (word.pos) {
    case 'n':
        return Form::plural;
    case 'v':
        if (lower.ends_with("ing")) return Form::gerund;
        if (lower.ends_with("s") && !lower.ends_with("ss")) return Form::thirdPerson;
        return Form::past;
    case 'a':
        return lower.ends_with("est") || lower == "most" || lower == "least" || lower == "worst" || lower == "best"
                   ? Form::superlative
                   : Form::comparative;
    default:
        return Form::plain;
    }
}

// The printable ASCII of a definition, '=' (the answer's separator) made a
// dash and the dictionary's opening quote (`to') an apostrophe.
std::string clean(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F) continue;
        out += c == '=' ? '-' : c == '`' ? '\'' : c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ';' || out.back() == ',')) out.pop_back();
    return out;
}

// A definition without its remarks in brackets: "a portable shelter (usually of canvas...)".
std::string withoutBrackets(const std::string& text) {
    std::string out;
    int depth = 0;
    for (char c : text) {
        if (c == '(') ++depth;
        if (depth == 0) out += c;
        if (c == ')' && depth > 0) --depth;
    }
    std::string tidy;
    for (char c : out)
        if (!(c == ' ' && (tidy.empty() || tidy.back() == ' '))) tidy += c;
    for (std::size_t at; (at = tidy.find(" ;")) != std::string::npos;) tidy.erase(at, 1);
    for (std::size_t at; (at = tidy.find(" ,")) != std::string::npos;) tidy.erase(at, 1);
    return clean(tidy);
}

// The clauses of a definition. A part starting with a capital continues a
// list ("Washington; Oregon"), not a new clause.
std::vector<std::string> clausesOf(const std::string& text) {
    std::vector<std::string> clauses;
    for (const std::string& part : split(text, "; "))
        if (!clauses.empty() && !part.empty() && part[0] >= 'A' && part[0] <= 'Z')
            clauses.back() += "; " + part;
        else
            clauses.push_back(part);
    return clauses;
}

// A definition as read, cleaned, less its notes on how the word is used
// ("sometimes used in combination", "used of a person's appearance") when
// a clause that defines is left. The dictionary's examples are not kept,
// so an "e.g." they followed goes, and a clause that only named what they
// were of ("of metal e.g.") goes with it.
std::string withoutRemarks(const std::string& sense) {
    static constexpr std::string_view kUsageNotes[] = {"used of ", "in combination", "in compounds",
                                                       "in the imperative", "negative constructions",
                                                       "metaphorically", "as intensifiers", "term of address",
                                                       "terms of endearment", "as a combining form"};
    std::vector<std::string> clauses, kept;
    for (std::string clause : clausesOf(clean(sense))) {
        if (clause == "e.g." || clause.ends_with(" e.g.")) {
            clause = clean(clause.substr(0, clause.size() - 4));
            if (clause.starts_with("of ") || clause.empty() || clause == "as in") continue;
        }
        clauses.push_back(clause);
        if (clause.starts_with("(") || std::none_of(std::begin(kUsageNotes), std::end(kUsageNotes), [&](std::string_view r) {
                return clause.find(r) != std::string::npos;
            }))
            kept.push_back(clause);
    }
    return clean(join(kept.empty() ? clauses : kept, "; "));
}

// A clause ending in a list of alternatives ("equal to another in value or
// measure or force or effect or significance etc") with as many of them as
// fit `room`, two at least; empty when that does not fit, or the clause
// ends otherwise.
std::string fewerAlternatives(const std::string& clause, std::size_t room) {
    std::vector<std::string> words = split(clause, " ");
    if (!words.empty() && (words.back() == "etc" || words.back() == "etc.")) words.pop_back();
    // The "or"s of the list, from the last back, each before one word (not
    // "correct or usual or expected time", whose words all go with "time").
    std::vector<std::size_t> ors;
    for (std::size_t end = words.size(); end >= 3 && words[end - 2] == "or" && isLetters(words[end - 1]); end -= 2)
        ors.push_back(end - 2);
    // Cut before a later "or", keeping the first two alternatives.
    for (std::size_t k = 0; k + 1 < ors.size(); ++k) {
        std::vector<std::string> kept(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(ors[k]));
        const std::string text = join(kept, " ");
        if (text.size() <= room) return text;
    }
    return {};
}

// Whole clauses of a definition, from the first, as many as fit `room`;
// a first clause too long for it keeps fewer of the alternatives it ends
// with, or else the result is empty.
std::string fitClauses(const std::string& text, std::size_t room) {
    std::string out;
    for (const std::string& clause : clausesOf(text)) {
        const std::string longer = out.empty() ? clause : out + "; " + clause;
        if (longer.size() > room) {
            if (out.empty()) out = fewerAlternatives(clause, room);
            break;
        }
        out = longer;
    }
    return out;
}

} // namespace

std::string fitDraft(const std::string& definition) { return fitClauses(definition, kDraftClueRoom); }

bool givesAway(const std::string& clue, const std::string& word, const std::string& base, const std::string& stem) {
    const std::string text = lowerText(clue);
    std::string answer;
    for (char c : lowerText(word))
        if (c >= 'a' && c <= 'z') answer += c;
    if (answer.empty()) return false;
    if (text.find(answer) != std::string::npos) return true;
    // Spelled across words too: "in any way" for ANYWAY.
    std::string joined;
    for (char c : text)
        if (c >= 'a' && c <= 'z') joined += c;
    if (answer.size() >= 4 && joined.find(answer) != std::string::npos) return true;
    if (answer.size() > 5 && text.find(answer.substr(0, 5)) != std::string::npos) return true;
    // Words of the clue beginning with the base or the stem.
    std::string words = " ";
    for (char c : text) words += (c >= 'a' && c <= 'z') ? c : ' ';
    for (const std::string* root : {&base, &stem})
        if (root->size() >= 3 && words.find(" " + lowerText(*root)) != std::string::npos) return true;
    // Or with the stem less the ending that makes it a verb: OXIDATION
    // (oxidate) in "the process of oxidizing".
    const std::string root = lowerText(stem);
    for (const std::string_view ending : {"ate", "ize", "ise", "ify"}) {
        if (root.ends_with(ending) && root.size() >= ending.size() + 4 &&
            words.find(" " + root.substr(0, root.size() - ending.size())) != std::string::npos)
            return true;
    }
    return false;
}

bool namesWord(const Lexicon& lexicon, const std::string& clue, const std::vector<WordKeys>& words) {
    std::string letters;
    for (char c : lowerText(clue) + " ") {
        if (c >= 'a' && c <= 'z') {
            letters += c;
            continue;
        }
        if (c == '\'' || letters.empty()) continue; // "one's" is one word
        const WordKeys keys = lexicon.keysOf(letters);
        if (letters.size() >= 3 && std::any_of(words.begin(), words.end(), [&](const WordKeys& w) {
                return lexicon.oneFamily(keys, w);
            }))
            return true;
        letters.clear();
    }
    return false;
}

DraftClue draftClue(const Lexicon& lexicon, const LexiconWord& word) {
    DraftClue out;
    const Form form = formOf(word);
    const std::string answer = word.written.empty() ? word.word : word.written;
    // The stem of the answer as written as well as of its base (EVALUATION: value).
    const std::string ownStem = lexicon.stemOf(lowerOf(word.word));
    // A word of a phrase (LAW for FUNDAMENTAL LAW) or a part of a compound gives it away too.
    std::vector<std::string> parts = word.family;
    std::vector<WordKeys> answerKeys{lexicon.keysOf(word)};
    if (word.phrase)
        for (const std::string& w : split(lowerText(answer), " ")) {
            parts.push_back(w);
            answerKeys.push_back(lexicon.keysOf(w));
        }
    const auto givesAway = [&](const std::string& text, const std::string& a, const std::string& base,
                               const std::string& stem) {
        if (vlq::givesAway(text, a, base, stem) || vlq::givesAway(text, a, base, ownStem)) return true;
        if (std::any_of(parts.begin(), parts.end(),
                        [&](const std::string& part) { return vlq::givesAway(text, a, part, part); }))
            return true;
        // A word of the answer's stem spelled otherwise: "leaves" for LEAFED.
        for (const std::string& w : split(lowerText(text), " ")) {
            std::string letters;
            for (char c : w)
                if (c >= 'a' && c <= 'z') letters += c;
            if (letters.size() < 3) continue;
            if (const std::string its = lexicon.stemOf(letters); its == stem || its == ownStem) return true;
        }
        // A word of the answer's family: "actual or real" for REALISM,
        // "health" for UNHEALTHY.
        return namesWord(lexicon, text, answerKeys);
    };
    // The senses tagged text uses first; the others (AFTERNOON as a
    // greeting, WANDER as being unfaithful) only when nothing else will do.
    const std::vector<Lexicon::Sense> ranked = lexicon.rankedSenses(word);
    const auto define = [&](bool common) {
        for (const Lexicon::Sense& ranking : ranked) {
            if (ranking.common != common) continue;
            const std::string& sense = ranking.gloss;
            // As written, or without its remarks in brackets when that hides the answer or fits.
            const std::string defining = withoutRemarks(sense);
            if (defining.empty()) continue;
            const std::string full = clean(worded(lexicon, defining, form));
            std::string text = full;
            if (!text.empty() && (givesAway(text, answer, word.base, word.stem) || clausesOf(text).front().size() > kDraftClueRoom))
                text = withoutBrackets(text);
            // A verb's, an adverb's or an adjective's definition that says the same twice over
            // ("from this time forth; from now on") keeps the clauses that hide
            // the answer. Later clauses of other definitions are remarks ("usually
            // with a single mast") that do not stand alone.
            if ((word.pos == 'v' || word.pos == 'r' || word.pos == 'a') && givesAway(text, answer, word.base, word.stem)) {
                std::vector<std::string> hiding;
                for (const std::string& clause : clausesOf(text))
                    if (!givesAway(clause, answer, word.base, word.stem)) hiding.push_back(clause);
                // A remark on what the others apply to ("as of a message") says nothing alone.
                const bool remarks = std::all_of(hiding.begin(), hiding.end(), [](const std::string& clause) {
                    return clause.starts_with("as of ") || clause.starts_with("as in ");
                });
                text = remarks ? std::string() : join(hiding, "; ");
            }
            if (text.empty() || givesAway(text, answer, word.base, word.stem)) continue;
            std::string fitted = fitClauses(text, kDraftClueRoom);
            // A first clause too long for a clue, cut before its remark:
            // "pleasing in appearance especially by reason of ..." for HANDSOME.
            if (const auto cut = text.find(" especially "); fitted.empty() && cut != std::string::npos && cut > 10)
                fitted = fitClauses(text.substr(0, cut), kDraftClueRoom);
            if (fitted.empty()) continue;
            if (out.text.empty()) out.text = fitted;
            out.senses.push_back(out.senses.empty() ? fitted : text);
        }
    };
    define(true);
    if (!out.text.empty()) return out;
    // An adverb defined by itself ("in an awkward manner"): by its adjective's definition.
    for (const std::string& sense : lexicon.adjectiveSenses(word)) {
        const std::string defining = withoutRemarks(sense);
        const std::string text = defining.empty() ? defining : fitClauses(withoutBrackets("in a way " + defining), kDraftClueRoom);
        if (text.empty() || givesAway(text, answer, word.base, word.stem)) continue;
        if (out.text.empty()) out.text = text;
        out.senses.push_back(text);
    }
    if (!out.text.empty()) return out;
    // No definition that keeps the answer hidden and fits: a broader word
    // for a noun ("a kind of shelter"), or synonyms.
    std::string text;
    if (word.pos == 'n')
        for (const std::string& b : lexicon.broader(word)) {
            const std::string kind = (form == Form::plural ? "kinds of " : "a kind of ") + b;
            if (text.empty() && kind.size() <= kDraftClueRoom && !givesAway(kind, answer, word.base, word.stem))
                text = kind;
        }
    std::vector<std::string> others;
    // A synonym in figures ("15th" for FIFTEENTH) is the answer written otherwise.
    for (const std::string& s : lexicon.synonyms(word))
        if (!givesAway(s, answer, word.base, word.stem) && std::none_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
            others.push_back(s);
    for (const std::string& s : others) {
        if (!text.empty() && !text.starts_with("same as")) break;
        const std::string longer = text.empty() ? "same as " + s : text + ", " + s;
        if (longer.size() > kDraftClueRoom) break;
        text = longer;
    }
    // An adverb with no other words of its own: by another word for its
    // adjective, the most used first, if seen at all in tagged text:
    // HAUGHTILY "in an overbearing manner".
    std::vector<std::pair<int, std::string>> adjectives;
    for (const std::string& adjective : text.empty() ? lexicon.adjectiveWords(word) : std::vector<std::string>{}) {
        const int seen = lexicon.taggedCount(adjective, 'a');
        // A spelling of the answer's own adjective ("humourous") is no other word.
        if (seen > 0 && adjective.size() >= 3 && lowerOf(word.word).compare(0, 4, adjective, 0, 4) != 0)
            adjectives.emplace_back(-seen, adjective);
    }
    std::stable_sort(adjectives.begin(), adjectives.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [seen, adjective] : adjectives) {
        const bool an = isVowel(adjective[0]) && !adjective.starts_with("uni") && !adjective.starts_with("use");
        const std::string manner = (an ? "in an " : "in a ") + adjective + " manner";
        if (manner.size() > kDraftClueRoom || givesAway(manner, answer, word.base, word.stem)) continue;
        text = manner;
        break;
    }
    // An adjective (not a comparative) with no other words of its own: up
    // to three of the narrower ones it stands for, seen in tagged text.
    int similar = 0;
    for (const std::string& s : text.empty() && form == Form::plain ? lexicon.similarWords(word) : std::vector<std::string>{}) {
        if (s.size() < 4 || lexicon.taggedCount(s, 'a') <= 0 || givesAway(s, answer, word.base, word.stem)) continue;
        const std::string longer = text.empty() ? "similar to " + s : text + ", " + s;
        if (longer.size() > kDraftClueRoom || ++similar > 3) break;
        text = longer;
    }
    if (text.empty()) {
        define(false);
        if (!out.text.empty()) return out;
    }
    out.defined = !text.empty();
    out.text = text.empty() ? std::string(kWriteOne) : clean(text);
    return out;
}

} // namespace vlq
