#include "DraftWording.h"

#include "PuzzleMakerClues.h"

namespace vlq::draft {

namespace {

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

} // namespace

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

} // namespace vlq::draft
