// The puzzle being made in the maker window, without the window: what it
// refuses before a search, what Make keeps, and how the letter pool follows
// the answers.
#include <QtTest>

#include <atomic>
#include <chrono>

#include "core/PuzzleCheck.h"
#include "core/PuzzleSource.h"
#include "maker/MakerDraft.h"

using namespace vlq;

namespace {

MakerDraft kipling() {
    MakerDraft d;
    d.quotation = "If you can keep your head when all about you\nAre losing theirs and blaming it on you";
    d.author = "Kipling";
    d.title = "If";
    d.fitAnswers();
    return d;
}

MakeOptions quick() {
    MakeOptions o;
    o.seconds = 3600; // the step limit ends a search that runs astray, whatever the load
    o.polish = 20000;
    return o;
}

int poolCount(const MakerDraft& d, char letter) {
    for (const PoolLetter& p : d.pool())
        if (p.letter == letter) return p.count;
    return 0;
}

} // namespace

class TestMakerDraft : public QObject {
    Q_OBJECT
    Lexicon lexicon;

private slots:
    void initTestCase() { lexicon = Lexicon::load(LexiconPaths::debian()); }

    // A letter the quotation lacks for the author and title is named, and
    // no search is asked for.
    void lackingLetterRefusedBeforeAnySearch() {
        MakerDraft d;
        d.quotation = "Hope is the thing with feathers\nThat perches in the soul";
        d.author = "Dickinson";
        d.fitAnswers();
        QCOMPARE(d.figures().answers, 9);
        std::vector<std::string> refusals;
        QVERIFY(!d.makeRequest(refusals));
        QCOMPARE(refusals.size(), std::size_t(1));
        QCOMPARE(refusals[0], std::string("needs a D: the quotation has none; needs a K: the quotation has none"));
    }

    // A locked answer stays through Make, which fills the others around
    // it into a set that builds into a sound puzzle file; its text reads
    // back as the same draft (its quotation in one line), locks included. A search cancelled from the
    // start ends at once.
    void lockedAnswerSurvivesMake() {
        MakerDraft d = kipling();
        d.setAnswer(0, "KEY-HOLE");
        d.setClue(0, "It lets you peep through a locked door");
        d.setLocked(0, true);
        std::vector<std::string> refusals;
        const auto request = d.makeRequest(refusals);
        QVERIFY(request && refusals.empty());
        const MakeResult made = makePuzzle(*request, "If", lexicon, quick());
        QVERIFY2(made.complete, made.problems.empty() ? "" : made.problems[0].what.c_str());
        d.takeMade(made);
        QCOMPARE(d.answers()[0].answer, std::string("KEY-HOLE"));
        QVERIFY(d.answers()[0].locked && !d.answers()[0].draft);
        QVERIFY(d.complete());
        const BuiltDraft built = d.build();
        QVERIFY2(built.record, built.problems.empty() ? "" : built.problems[0].c_str());
        QVERIFY(checkPuzzle(built.record->bytes()).empty());

        std::vector<SourceProblem> problems;
        const MakerDraft back = MakerDraft::fromSourceText(d.sourceText(), "If", problems);
        QVERIFY(problems.empty());
        const auto clues = [](const std::string& text) { return text.substr(text.find("\n\n")); };
        QCOMPARE(clues(back.sourceText()), clues(d.sourceText()));
        QCOMPARE(back.source(), d.source());
        QVERIFY(back.answers()[0].locked && !back.answers()[1].locked);

        std::atomic<bool> cancel = true;
        MakeOptions options = quick();
        options.cancel = &cancel;
        const auto started = std::chrono::steady_clock::now();
        QVERIFY(!makePuzzle(*request, "If", lexicon, options).complete);
        QVERIFY(std::chrono::steady_clock::now() - started < std::chrono::seconds(2));
    }

    // Another word chosen for an answer gives back its letters to the pool
    // and takes its own; the set is complete again only when the pool is empty.
    void otherWordUpdatesPool() {
        MakerDraft d = kipling();
        std::vector<std::string> refusals;
        d.takeMade(makePuzzle(*d.makeRequest(refusals), "If", lexicon, quick()));
        QVERIFY(d.complete());
        const std::string was = d.answers()[1].answer;
        const auto words = d.otherWords(lexicon, 1);
        QVERIFY(!words.empty());
        const std::string other = words.front();
        QCOMPARE(other[0], 'I');
        d.setAnswer(1, other);
        for (char c = 'A'; c <= 'Z'; ++c) {
            const auto in = [c](const std::string& w) { return int(std::count(w.begin(), w.end(), c)); };
            QCOMPARE(poolCount(d, c), in(lettersOf(was)) - in(lettersOf(other)));
        }
        QCOMPARE(d.complete(), d.pool().empty());
        d.setAnswer(1, was);
        QVERIFY(d.complete());
    }
};

QTEST_APPLESS_MAIN(TestMakerDraft)
#include "tst_makerdraft.moc"
