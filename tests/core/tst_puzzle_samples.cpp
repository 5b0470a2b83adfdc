// The sample puzzles: every source in puzzles/ builds, the built file is
// sound, and the copy the game carries in resources/puzzles/ is that file.
#include <QtTest>

#include "core/PuzzleCheck.h"
#include "core/PuzzleRecord.h"

using namespace vlq;

class TestPuzzleSamples : public QObject {
    Q_OBJECT
private:
    static QStringList names(const QString& folder, const QString& pattern) {
        QStringList out;
        for (const QFileInfo& fi : QDir(folder).entryInfoList({pattern}, QDir::Files, QDir::Name))
            out << fi.completeBaseName();
        return out;
    }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void everySourceHasResource() {
        const QString root = QStringLiteral(VLQ_SOURCE_DIR);
        const QStringList sources = names(root + "/puzzles", "*.txt");
        QVERIFY(sources.size() >= 24);
        QCOMPARE(names(root + "/resources/puzzles", "*.vlq"), sources);
        QCOMPARE(names(QStringLiteral(VLQ_SAMPLE_DIR), "*.vlq"), sources);
    }

    void resourcesMatchFreshBuild_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : names(QStringLiteral(VLQ_SOURCE_DIR) + "/puzzles", "*.txt"))
            QTest::newRow(qPrintable(name)) << name;
    }
    void resourcesMatchFreshBuild() {
        QFETCH(QString, name);
        const QByteArray built = contents(QStringLiteral(VLQ_SAMPLE_DIR) + "/" + name + ".vlq");
        const QByteArray kept = contents(QStringLiteral(VLQ_SOURCE_DIR) + "/resources/puzzles/" + name + ".vlq");
        QCOMPARE(built.size(), qsizetype(kRecordSize));
        QVERIFY2(kept == built, "resources/puzzles is stale: copy the freshly built file there");

        const auto problems = checkPuzzleFile(
            std::span(reinterpret_cast<const std::uint8_t*>(built.constData()), std::size_t(built.size())));
        std::string all;
        for (const auto& p : problems) all += p + "\n";
        QVERIFY2(problems.empty(), all.c_str());
        PuzzleRecord rec;
        rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(built.constData()), std::size_t(built.size())));
    }

    void samplesCoverTheCases() {
        // One with aa.., one with a long answer, one with punctuation squares,
        // one small, one with every clue on a grid of full height.
        int mostClues = 0, longest = 0, punctuation = 0, smallest = 1000;
        bool fullest = false;
        for (const QString& name : names(QStringLiteral(VLQ_SAMPLE_DIR), "*.vlq")) {
            const QByteArray data = contents(QStringLiteral(VLQ_SAMPLE_DIR) + "/" + name + ".vlq");
            PuzzleRecord rec;
            rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())));
            int clues = 0;
            while (clues < kMaxClues && rec.clueSquares(100 + clues + 1) != 0) ++clues;
            mostClues = std::max(mostClues, clues);
            fullest |= clues == kMaxClues && rec.height() == kMaxRows;
            smallest = std::min(smallest, clues);
            for (int k = 1; k <= clues; ++k) {
                int j = 1;
                while (j <= kMaxAnswer && rec.clueSquares(j * 100 + k) != 0) ++j;
                longest = std::max(longest, j - 1);
            }
            bool apostrophe = false, hyphen = false;
            for (int c = 1; c <= rec.width(); ++c)
                for (int r = 1; r <= rec.height(); ++r) {
                    apostrophe |= rec.solution(c, r) == kApostrophe;
                    hyphen |= rec.solution(c, r) == kHyphen;
                }
            punctuation += apostrophe && hyphen;
        }
        QVERIFY(mostClues >= 27);
        QVERIFY(longest >= 15);
        QVERIFY(punctuation >= 1);
        QVERIFY(smallest <= 10);
        QVERIFY(fullest);
    }
};

QTEST_APPLESS_MAIN(TestPuzzleSamples)
#include "tst_puzzle_samples.moc"
