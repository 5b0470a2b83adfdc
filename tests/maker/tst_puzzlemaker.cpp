// Making the answers of a puzzle from its quotation, over Debian's word
// lists and WordNet (installed by scripts/deps.sh).
#include <QtTest>

#include <algorithm>
#include <set>

#include "core/PuzzleBuilder.h"
#include "core/PuzzleSource.h"
#include "maker/Lexicon.h"
#include "maker/PuzzleMaker.h"
#include "maker/PuzzleMakerClues.h"

using namespace vlq;

namespace {

const char* const kIf =
    "# comment kept\n"
    "Quotation: If you can keep your head when all about you\n"
    "  Are losing theirs and blaming it on you\n"
    "Source: Kipling, If\n"
    "Byline: Test maker\n"
    "\n"
    "A. It lets you peep through a locked door = KEY-HOLE\n"
    "B. ? = ?\n";

std::string sorted(std::string s) {
    std::sort(s.begin(), s.end());
    return s;
}

} // namespace

class TestPuzzleMaker : public QObject {
    Q_OBJECT
    Lexicon lexicon;

private slots:
    void initTestCase() { lexicon = Lexicon::load(LexiconPaths::debian()); }

    // Every made set builds, keeps the written answer, uses the quotation's
    // letters exactly, spells the source, has no two answers of one stem nor
    // an answer near a word of the quotation, and repeats for the same seed.
    void madeSetsAreExact() {
        std::set<std::string> texts;
        for (std::uint32_t seed : {1u, 2u}) {
            MakeOptions options;
            options.seed = seed;
            options.seconds = 3600; // the step limit ends a search that runs astray, whatever the load
            options.polish = 20000;
            const MakeResult made = makePuzzle(kIf, "If", lexicon, options);
            QVERIFY2(made.complete, made.problems.empty() ? "" : made.problems[0].what.c_str());
            if (seed == 1) QCOMPARE(makePuzzle(kIf, "If", lexicon, options).text, made.text);
            texts.insert(made.text);
            QVERIFY(made.text.starts_with("# comment kept\nQuotation:"));

            const ParsedSource parsed = parsePuzzleSource(made.text, "If");
            QVERIFY(parsed.problems.empty());
            QVERIFY(buildPuzzle(parsed.source).ok());
            const auto& clues = parsed.source.clues;
            QCOMPARE(clues.size(), std::size_t(9));
            QCOMPARE(clues[0].answer, std::string("KEY-HOLE"));
            QCOMPARE(clues[0].text, std::string("It lets you peep through a locked door"));
            std::string all, firsts;
            std::set<std::string> distinct;
            for (std::size_t k = 1; k < clues.size(); ++k) {
                QVERIFY(clues[k].text.starts_with(kDraftMark));
                QVERIFY(clues[k].text.size() <= 80);
                QVERIFY(lettersOf(clues[k].answer).size() >= 4 && lettersOf(clues[k].answer).size() <= 12);
                distinct.insert(lexicon.stemOf(clues[k].answer));
                // None is, holds or is held in a longer word of the quotation, or shares its stem.
                for (const std::string q : {"keep", "head", "when", "about", "losing", "theirs", "blaming", "your"}) {
                    const std::string a = lexicon.baseOf(clues[k].answer);
                    QVERIFY2(a.find(q) == std::string::npos && q.find(a) == std::string::npos &&
                                 lexicon.stemOf(a) != lexicon.stemOf(q), a.c_str());
                }
                // Nor does one answer begin or end with another.
                for (std::size_t j = 1; j < k; ++j) {
                    const std::string a = lettersOf(clues[k].answer), b = lettersOf(clues[j].answer);
                    const std::string& in = a.size() < b.size() ? b : a;
                    const std::string& part = a.size() < b.size() ? a : b;
                    QVERIFY(!in.starts_with(part) && !in.ends_with(part));
                }
            }
            QCOMPARE(distinct.size(), clues.size() - 1);
            for (const auto& c : clues) all += lettersOf(c.answer), firsts += lettersOf(c.answer)[0];
            QCOMPARE(sorted(all), sorted(lettersOf(parsed.source.quotation)));
            QCOMPARE(firsts, std::string("KIPLINGIF"));
        }
        QVERIFY(texts.size() > 1);
    }

    // Stems: the base less its derivations.
    void stemsJoinForms() {
        QCOMPARE(lexicon.stemOf("HAPPINESS"), lexicon.stemOf("happily"));
        QCOMPARE(lexicon.stemOf("youthfulness"), std::string("youth"));
        QCOMPARE(lexicon.stemOf("judgments"), std::string("judge"));
        QCOMPARE(lexicon.stemOf("thinking"), lexicon.stemOf("thought"));
    }

    // Sources no set can answer name the letters at fault, at once; a search
    // cut short by its limit gives the best set it found and the letters left.
    void impossibleSourcesNameTheirLetters() {
        const auto problemsOf = [&](const std::string& quotation, const std::string& source, int min,
                                    long long steps = 1'000'000) {
            MakeOptions options;
            options.minLength = min;
            options.seconds = 3600;
            options.steps = steps;
            const MakeResult made = makePuzzle("Quotation: " + quotation + "\nSource: " + source + "\n", "T",
                                               lexicon, options);
            std::string all;
            for (const auto& p : made.problems) all += p.what + "\n";
            return made.complete ? std::string("complete") : all;
        };
        QVERIFY(problemsOf("a zzz zzz zzz plaza", "Pa", 2).find("cannot be placed in any answer: ") !=
                std::string::npos);
        QVERIFY(problemsOf("the cat sat", "Xx", 2).find("more of these letters than the quotation has: 2 X") !=
                std::string::npos);
        QVERIFY(problemsOf("the cat sat on the mat", "Th", 9).find("cannot hold") != std::string::npos);
        const std::string cut =
            problemsOf("If you can keep your head when all about you are losing theirs", "Kipling, If", 4, 3000);
        QVERIFY2(cut.starts_with("no complete set of answers found within 3000 words tried; the best set found "
                                 "leaves "), cut.c_str());
    }

    // Words a solver would call near-duplicates are kept apart; unrelated
    // words sharing a few letters are not.
    void nearWords_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("near");
        QTest::newRow("compound part") << "LIGHTHEADED" << "LEVELHEADED" << true;
        QTest::newRow("compound part 2") << "NOTEWORTHY" << "TRUSTWORTHY" << true;
        QTest::newRow("first part") << "NORTHERN" << "NORTHWEST" << true;
        QTest::newRow("shared core") << "INFLAMMATORY" << "NONFLAMMABLE" << true;
        QTest::newRow("forms") << "ENTHUSIASTIC" << "ENTHUSIASMS" << true;
        QTest::newRow("negating prefix") << "UNHAPPY" << "happiness" << true;
        QTest::newRow("echo of the quotation") << "UNACQUAINTED" << "acquaintance" << true;
        QTest::newRow("compound part of a form") << "NOTEBOOKS" << "NOTEPAD" << true;
        QTest::newRow("rhyme") << "MOTHER" << "BROTHER" << false;
        QTest::newRow("unrelated") << "GARDEN" << "PLANET" << false;
        QTest::newRow("common ending") << "CREATION" << "NATION" << false;
        QTest::newRow("an ending that is a word") << "TRUTHFULNESS" << "loveliness" << false;
        QTest::newRow("an ending that is a word 2") << "KNOWLEDGEABLE" << "INDISTINGUISHABLE" << false;
        QTest::newRow("a word between two others") << "BOOKKEEPER" << "keep" << true;
        QTest::newRow("letters that only spell a word") << "CLEVER" << "ever" << false;
        QTest::newRow("letters that only spell a word 2") << "CAREFULLY" << "full" << false;
    }
    void nearWords() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, near);
        const auto keys = [&](const QString& w) { return lexicon.keysOf(lowerOf(lettersOf(w.toUpper().toStdString()))); };
        QCOMPARE(lexicon.near(keys(a), keys(b)), near);
        QCOMPARE(lexicon.near(keys(b), keys(a)), near);
    }

    // One test of a word family decides giveaways, answers named by another
    // answer's draft and echoes of the quotation, either way round.
    void wordFamilies_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("family");
        QTest::newRow("root and ending") << "REALISM" << "real" << true;
        QTest::newRow("form of the root") << "READER" << "reading" << true;
        QTest::newRow("derivation of a form") << "LEADERSHIP" << "leading" << true;
        QTest::newRow("compound head") << "NECKERCHIEFS" << "kerchiefs" << true;
        QTest::newRow("compound part") << "NECKERCHIEFS" << "neck" << true;
        QTest::newRow("under prefixes") << "UNINTENTIONALLY" << "intention" << true;
        QTest::newRow("under a negating prefix") << "UNHEALTHY" << "health" << true;
        QTest::newRow("prefixed root") << "ADJUST" << "just" << true;
        QTest::newRow("prefixed short root") << "ENJOY" << "joy" << true;
        QTest::newRow("first part") << "SANDWICH" << "sand" << true;
        QTest::newRow("short head") << "YESTERDAY" << "day" << true;
        QTest::newRow("short head 2") << "HOLIDAY" << "day" << true;
        QTest::newRow("short head 3") << "LONGSHOREMAN" << "man" << true;
        QTest::newRow("numbers") << "TWENTIETH" << "twenty" << true;
        QTest::newRow("linking word") << "THEORY" << "the" << false;
        QTest::newRow("linking word inside") << "MOTHER" << "other" << false;
        QTest::newRow("ending that is a word") << "TABLE" << "able" << false;
        QTest::newRow("short word inside") << "HEARTH" << "ear" << false;
        QTest::newRow("short word starting") << "ARTICHOKE" << "art" << false;
        QTest::newRow("unrelated") << "GARDEN" << "PLANET" << false;
        QTest::newRow("rhyme") << "NINETEENTH" << "TWENTIETH" << false;
    }
    void wordFamilies() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, family);
        const auto keys = [&](const QString& w) { return lexicon.keysOf(lowerOf(lettersOf(w.toUpper().toStdString()))); };
        QCOMPARE(lexicon.oneFamily(keys(a), keys(b)), family);
        QCOMPARE(lexicon.oneFamily(keys(b), keys(a)), family);
    }

    // Offensive and bodily words are out, spelling variants marked rare, the
    // maker's own words and blocks taken in.
    void wordChoice() {
        const auto find = [&](const Lexicon& lex, const std::string& w) -> const LexiconWord* {
            for (const auto& x : lex.words())
                if (x.word == w) return &x;
            return nullptr;
        };
        QVERIFY(!find(lexicon, "HEATHENISH"));
        QVERIFY(!find(lexicon, "NYMPHOMANIAC"));
        QVERIFY(find(lexicon, "YOGURT") && !find(lexicon, "YOGURT")->rare);
        // Two-word nouns of common words, not those only a kind of their last word and seen once.
        const LexiconWord* jury = find(lexicon, "GRANDJURY");
        QVERIFY(jury && jury->phrase && jury->written == "GRAND JURY" && jury->tier == 0);
        QVERIFY(!find(lexicon, "LINEDSNAKE"));
        const LexiconWord* variant = find(lexicon, "YOGHOURT");
        QVERIFY(!variant || variant->rare);
        Lexicon mine = lexicon;
        mine.addWords({{"ice cream", 90}, {"yoghourt", 60}, {"--", 50}});
        mine.removeWords({"Garden"});
        QVERIFY(!find(mine, "GARDEN"));
        QVERIFY(find(mine, "ICECREAM") && find(mine, "ICECREAM")->written == "ice cream");
        QCOMPARE(find(mine, "ICECREAM")->userScore, 90);
        QVERIFY(find(mine, "YOGHOURT") && !find(mine, "YOGHOURT")->rare);
        // ICE CREAM is a phrase of the lexicon already, GARDEN went out.
        QCOMPARE(mine.words().size(), lexicon.words().size() - 1 + (variant ? 0 : 1));
    }

    // Comparatives and superlatives English makes with "more" and "most"
    // are rare words to the maker; those it makes with -er and -est are not.
    void oddDegrees() {
        const auto odd = [&](const std::string& w) {
            for (const auto& x : lexicon.words())
                if (x.word == w) return oddDegree(x);
            return false;
        };
        for (const char* w : {"AWKWARDEST", "SECUREST", "ANCIENTER"}) QVERIFY2(odd(w), w);
        for (const char* w : {"LIVELIEST", "NARROWER", "GENTLEST", "CLEVERER", "BRIGHTEST", "AWKWARD"})
            QVERIFY2(!odd(w), w);
    }

    // Draft clues never give their answer away, keep whole clauses within
    // a clue's room, and are worded for the answer's form.
    void draftClues_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("begins");
        QTest::newRow("adverb of its stem") << "METHODICALLY" << "";
        QTest::newRow("adjective of its stem") << "HEALTHFUL" << "";
        QTest::newRow("answer in brackets") << "TENT" << "";
        QTest::newRow("plural") << "ENTHUSIASMS" << "feelings";
        QTest::newRow("past tense") << "SQUATTED" << "sat";
        QTest::newRow("gerund") << "SHOUTING" << "";
        QTest::newRow("long definition") << "GHETTO" << "";
        QTest::newRow("comparative") << "COSTLIER" << "more entailing great loss";
        QTest::newRow("comparative after the phrase") << "AWKWARDER" << "causing inconvenience to a greater degree";
        QTest::newRow("phrase") << "BLOODPRESSURE" << "";
        QTest::newRow("phrase of short words") << "OLDMAN" << "";
        QTest::newRow("adverb defined by itself") << "AWKWARDLY" << "in a way lacking grace";
        QTest::newRow("adverb by another word for its adjective") << "HAUGHTILY" << "in an overbearing manner";
        QTest::newRow("adjective by narrower ones") << "HARMLESS" << "similar to innocent";
        QTest::newRow("the clause that hides it") << "HENCEFORTH" << "from now on";
        QTest::newRow("verbs after to") << "CHEWS" << "bites and grinds";
        QTest::newRow("past the same as the verb") << "INSERTED" << "put or introduced";
        QTest::newRow("plural of any of various") << "BERRIES" << "numerous small and pulpy edible fruits";
        QTest::newRow("plural head before an adverb") << "BUSHES" << "low woody perennial plants usually having";
        QTest::newRow("plural of someone, verbs agree") << "DEALERS" << "people who purchase and maintain an";
        QTest::newRow("plural head already plural") << "FORESTS" << "trees and other plants";
        QTest::newRow("a note on usage left out") << "SCENIC" << "having beautiful natural scenery";
        QTest::newRow("plural head after a describing word") << "CELLOS" << "large stringed instruments";
        QTest::newRow("no synonym in figures") << "FIFTEENTH" << "no definition found";
        QTest::newRow("plural head past a bracket") << "ENVELOPES" << "flat (usually rectangular) containers";
        QTest::newRow("plural of joined describing words") << "BANDANAS" << "large and brightly colored handkerchiefs";
        QTest::newRow("irregular plural, verbs agree past a bracket") << "BABIES" << "very young children who have not";
        QTest::newRow("plural before an adjective that follows") << "COYOTES" << "small wolves native to";
        QTest::newRow("does agrees") << "CONSTANTS" << "quantities that do not vary";
        QTest::newRow("a later verb agrees") << "COWBOYS" << "hired hands who tend cattle and perform other duties";
        QTest::newRow("a joined name plural too") << "CRAGS" << "steep rugged rocks or cliffs";
        QTest::newRow("the name's verb past a plural") << "BOUQUETS" << "arrangements of flowers that are usually given";
        QTest::newRow("verbs past brackets") << "LAGS" << "hangs (back) or falls (behind)";
        QTest::newRow("verbs of a list") << "COVETS" << "wishes, longs, or craves for";
        QTest::newRow("verbs past a particle") << "OFFSETTING" << "compensating for or counterbalancing";
        QTest::newRow("gerund of a doubled letter") << "EMITTING" << "expelling";
        QTest::newRow("an example note is no definition") << "CRUMPLED" << "same as";
        QTest::newRow("comparative of a negation") << "ODDER" << "less divisible by two";
        QTest::newRow("superlative after the phrase") << "ROUNDEST" << "having a circular shape to the greatest degree";
        QTest::newRow("the stem less its verb ending") << "OXIDATION" << "a kind of";
        QTest::newRow("a part of a plural compound") << "RAINDROPS" << "no definition found";
        QTest::newRow("a word of its stem spelled otherwise") << "CARVE" << "engrave or cut";
        QTest::newRow("a slang sense last") << "TOOTHBRUSHES" << "kinds of";
        QTest::newRow("a remark left alone is no clue") << "FALSIFY" << "same as";
        QTest::newRow("fewer of a list of alternatives") << "EQUIVALENT" << "a person or thing equal to another in value or measure or force";
    }
    void draftClues() {
        QFETCH(QString, answer);
        QFETCH(QString, begins);
        const std::string word = answer.toStdString();
        const auto it = std::find_if(lexicon.words().begin(), lexicon.words().end(),
                                     [&](const LexiconWord& w) { return w.word == word; });
        if (it == lexicon.words().end()) QSKIP("not in this word list");
        const DraftClue clue = draftClue(lexicon, *it);
        QVERIFY2(!givesAway(clue.text, word, it->base, it->stem), clue.text.c_str());
        std::vector<std::string> parts = it->family;
        for (const QString& w : QString::fromStdString(it->written).toLower().split(' ', Qt::SkipEmptyParts))
            if (it->phrase) parts.push_back(w.toStdString());
        for (const std::string& part : parts) QVERIFY2(!givesAway(clue.text, word, part, part), clue.text.c_str());
        QVERIFY(!clue.text.empty() && clue.text.size() <= kDraftClueRoom);
        QVERIFY(!clue.text.ends_with("..."));
        QVERIFY2(clue.text.starts_with(begins.toStdString()), clue.text.c_str());
        for (const std::string& sense : clue.senses) QVERIFY(!givesAway(sense, word, it->base, it->stem));
    }

    // A definition too long for a clue keeps fewer of the alternatives it
    // ends with, never fewer than two, and none of a list that shares a word.
    void fewerAlternatives() {
        const std::string head(kDraftClueRoom - 12, 'x');
        QCOMPARE(fitDraft(head + " or sooner or later or earlier etc"), head + " or sooner");
        QCOMPARE(fitDraft(head + "xxxxxx or sooner or later"), std::string());
        QCOMPARE(fitDraft(head + " not adhering to a correct or usual or expected time"), std::string());
    }

    // An answer whose first draft is another answer's clue takes its next sense.
    void noTwoDraftsAlike() {
        const auto it = std::find_if(lexicon.words().begin(), lexicon.words().end(),
                                     [](const LexiconWord& w) { return w.word == "ESTABLISHMENT"; });
        if (it == lexicon.words().end()) QSKIP("not in this word list");
        const DraftClue draft = draftClue(lexicon, *it);
        if (draft.senses.size() < 2) QSKIP("one sense only in this word list");
        // The letters of INSTITUTION and ESTABLISHMENT, in words near neither.
        const std::string text = "Quotation: Ulea Nthn Otts Timn Isbe Iist\nSource: I E\n\nA. " + draft.text +
                                 " = INSTITUTION\nB. ? = ?\n";
        MakeOptions options;
        options.seconds = 3600;
        const MakeResult made = makePuzzle(text, "T", lexicon, options);
        QVERIFY2(made.complete, made.problems.empty() ? "" : made.problems[0].what.c_str());
        QCOMPARE(made.answers[1].answer, std::string("ESTABLISHMENT"));
        QVERIFY(made.answers[1].clue != kDraftMark + draft.text);
        QCOMPARE(made.answers[1].clue, kDraftMark + made.answers[1].senses[0]);
    }

    // A quotation too long for answers of at most 12 letters is answered
    // with longer ones when the lengths were not given; with them given, the
    // maker says what to change.
    void longQuotationsWiden() {
        const std::string text =
            "Quotation: We hold these truths to be self-evident, that all men are created equal, that they are "
            "endowed by their Creator with certain unalienable Rights, that among these are Life, Liberty and the "
            "pursuit of Happiness. That to secure these rights, Governments are instituted among Men, deriving "
            "their just powers from the consent of the governed.\nSource: Jefferson, The Declaration\n";
        MakeOptions options;
        options.seconds = 3600;
        options.steps = 50'000'000;
        options.polish = 5000;
        const MakeResult made = makePuzzle(text, "T", lexicon, options);
        QVERIFY2(made.complete, made.problems.empty() ? "" : made.problems[0].what.c_str());
        QVERIFY(std::any_of(made.answers.begin(), made.answers.end(),
                            [](const MadeAnswer& a) { return a.answer.size() > 12; }));
        options.widen = false;
        options.maxLength = 11;
        const MakeResult fixed = makePuzzle(text, "T", lexicon, options);
        QVERIFY(!fixed.complete && fixed.problems.size() == 1);
        QVERIFY(fixed.problems[0].what.find("change --min or --max") != std::string::npos);
    }

    // Thirteen long answers for 5 F, 4 W, 2 Q and a J: a search that fills
    // the slots in a fixed order leaves the J and a Q over in 100 million
    // words tried; placing the scarce letters first finds a set in a few.
    void scarceLettersComplete() {
        MakeOptions options;
        options.seconds = 3600;
        options.steps = 20'000'000;
        options.polish = 5000;
        options.searches = 1;
        const MakeResult made = makePuzzle(
            "Quotation: A thing of beauty is a joy for ever: Its loveliness increases; it will never Pass into "
            "nothingness; but still will keep A bower quiet for us, and a sleep Full of sweet dreams, and health, "
            "and quiet breathing.\nSource: Keats, Endymion\n",
            "E", lexicon, options);
        QVERIFY2(made.complete, made.problems.empty() ? "" : made.problems[0].what.c_str());
    }

    // A search cut short gives a source with the best set and "?" for the
    // open answers, which the maker can run again; the letters for the new
    // answers are told, and words are suggested for an open one.
    void partialSetsAndSuggestions() {
        MakeOptions options;
        options.seconds = 3600;
        options.steps = 3000;
        const MakeResult cut = makePuzzle(kIf, "If", lexicon, options);
        QVERIFY(!cut.complete);
        const ParsedSource parsed = parsePuzzleSource(cut.text, "If", true);
        QVERIFY(parsed.problems.empty());
        QCOMPARE(parsed.source.clues.size(), std::size_t(9));
        QCOMPARE(parsed.source.clues[0].answer, std::string("KEY-HOLE"));
        QVERIFY(std::any_of(parsed.source.clues.begin(), parsed.source.clues.end(),
                            [](const SourceClue& c) { return c.answer == "?"; }));
        QCOMPARE(int(cut.pool.size()), int(lettersOf(parsed.source.quotation).size()) - 7 - 8);
        QCOMPARE(describeLetters("AQEXZB"), std::string("6 letters: 1 A, 1 B, 1 E, 1 Q, 1 X, 1 Z; vowels 33 %; "
                                                        "awkward letters: 1 Q, 1 X, 1 Z"));

        std::vector<SourceProblem> problems;
        options.steps = 1'000'000;
        const auto words = suggestAnswers(kIf, "If", lexicon, options, 2, problems, 3);
        QVERIFY(problems.empty());
        QVERIFY(!words.empty() && words.size() <= 3);
        QVERIFY(words.front().completes);
        for (const auto& w : words) QCOMPARE(w.word[0], 'I');
        suggestAnswers(kIf, "If", lexicon, options, 1, problems, 5); // kept: not asked for
        QCOMPARE(problems.size(), std::size_t(1));
    }
};

QTEST_APPLESS_MAIN(TestPuzzleMaker)
#include "tst_puzzlemaker.moc"
