// Making the answers of a puzzle from its quotation, over Debian's word
// lists and WordNet (installed by scripts/deps.sh).
#include <QtTest>

#include <algorithm>
#include <set>

#include "core/Lexicon.h"
#include "core/PuzzleBuilder.h"
#include "core/PuzzleMaker.h"
#include "core/PuzzleSource.h"

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
                QVERIFY(clues[k].answer.size() >= 4 && clues[k].answer.size() <= 12);
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
};

QTEST_APPLESS_MAIN(TestPuzzleMaker)
#include "tst_puzzlemaker.moc"
