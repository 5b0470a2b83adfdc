// Reading the acrostic files of other programs (JPZ, APZ, ipuz) and writing
// them back. The files in tests/data/formats hold one small puzzle
// ("NO MAN'S AN ISLAND", answers LAND, MASON, NAINS) in every variant.
#include <QtTest>

#include <fstream>
#include <iterator>

#include "core/ForeignFormats.h"
#include "core/PuzzleCheck.h"
#include "core/PuzzleRules.h"

using namespace vlq;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ImportResult importText(const std::string& text) {
    return importForeign(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), "fallback");
}

ImportResult importFile(const std::string& name) {
    return importText(readAll(std::string(VLQ_SOURCE_DIR) + "/tests/data/formats/" + name));
}

std::string rows(const PuzzleRecord& rec, bool entries = false) {
    std::string out;
    for (int r = 1; r <= rec.height(); ++r) {
        if (r > 1) out += '/';
        for (int c = 1; c <= rec.width(); ++c) {
            const auto b = entries ? rec.entry(c, r) : rec.solution(c, r);
            out += b == kBlack ? '#' : b == 0 ? '.' : static_cast<char>(b);
        }
    }
    return out;
}

std::string answer(const PuzzleRecord& rec, int k) {
    std::string out;
    for (int j = 1; j <= answerLength(rec, k); ++j) {
        const Square s = answerSquare(rec, k, j);
        out += static_cast<char>(rec.solution(s.col, s.row));
    }
    return out;
}

// An APZ file: the solution, one answer per line, their grid key (none when
// empty) and a clue per answer.
std::string apz(const std::string& solution, const std::vector<std::string>& answers,
                const std::vector<std::string>& key = {}) {
    std::string out = "<puzzle><metadata><title>T</title></metadata><solution>" + solution + "</solution>";
    if (!key.empty()) {
        out += "<gridkey>\n";
        for (const auto& k : key) out += k + "\n";
        out += "</gridkey>";
    }
    out += "<answers>\n";
    for (const auto& a : answers) out += a + "\n";
    out += "</answers><clues>\n";
    for (std::size_t i = 0; i < answers.size(); ++i) out += "Clue\n";
    return out + "</clues></puzzle>";
}

std::vector<std::string> repeated(const std::string& s, int n) { return std::vector<std::string>(std::size_t(n), s); }

} // namespace

class TestForeign : public QObject {
    Q_OBJECT
private slots:
    void imports_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("progress");
        QTest::addColumn<int>("warnings");
        const QString kept = "NO#MAN'/S#AN#IS/LAND###";
        const QString kSolved = "N....../......S/......."; // N typed in the grid, S in an answer
        QTest::newRow("jpz, namespaces, attribution row") << "islands.jpz" << kept << kSolved << 0;
        QTest::newRow("jpz, none, white padding, ranges") << "islands-old.jpz" << kept << kSolved << 0;
        QTest::newRow("jpz in a zip") << "islands-zip.jpz" << kept << kSolved << 0;
        QTest::newRow("apz, source spells other letters") << "islands.apz" << kept << "" << 1;
        QTest::newRow("apz without grid key, re-flowed") << "islands-nokey.apz" << "NO#####/MAN'S##/AN#####/ISLAND#"
                                                         << "" << 0;
        QTest::newRow("ipuz, 0-based, quote list, saved") << "islands.ipuz" << "NO#MAN#/S#AN#IS/LAND###"
                                                          << kSolved << 0;
        QTest::newRow("ipuz, 1-based, 33 wide, quote clue")
            << "islands-wide.ipuz" << "NO#####/MAN'S##/AN#####/ISLAND#" << "" << 0;
    }
    void imports() {
        QFETCH(QString, file);
        QFETCH(QString, grid);
        QFETCH(int, warnings);
        QFETCH(QString, progress);
        const ImportResult got = importFile(file.toStdString());
        QVERIFY2(got.ok(), got.error.c_str());
        const PuzzleRecord& rec = got.record;
        QCOMPARE(QString::fromStdString(rows(rec)), grid);
        QCOMPARE(int(got.warnings.size()), warnings);
        QCOMPARE(got.title, std::string("Islands"));
        QCOMPARE(rec.byline(), std::string("Ada Setter"));
        QCOMPARE(clueCount(rec), 3);
        QCOMPARE(answer(rec, 1) + answer(rec, 2) + answer(rec, 3), std::string("LANDMASONNAINS"));
        if (!file.endsWith("wide.ipuz")) {
            QCOMPARE(rec.clue(1), std::string("Ground, not sea"));          // tags dropped
            QCOMPARE(rec.clue(2), std::string("Builder & stone-worker"));   // entities decoded
            QCOMPARE(rec.clue(3), std::string("Dwarf's kin"));              // typographic quote folded
        }
        if (!file.contains("nokey")) {
            // Clue A's third letter is the quotation's first square.
            QCOMPARE(answerSquare(rec, 1, 3), (Square{1, 1}));
        }
        if (!progress.isEmpty()) QCOMPARE(QString::fromStdString(rows(rec, true)).left(progress.size()), progress);
        QVERIFY(checkPuzzle(rec.bytes()).empty());
    }

    void madeGridKeyIsStable() {
        const ImportResult a = importFile("islands-nokey.apz");
        const ImportResult b = importFile("islands-nokey.apz");
        QVERIFY(a.ok());
        QVERIFY(a.record.bytes() == b.record.bytes());
    }

    // A file saved as UTF-16 (with its byte-order mark) reads as the same puzzle.
    void utf16Files() {
        for (const char* name : {"islands.apz", "islands.ipuz"}) {
            const ImportResult plain = importFile(name);
            const QString text = QString::fromStdString(readAll(std::string(VLQ_SOURCE_DIR) + "/tests/data/formats/" + name));
            for (bool big : {false, true}) {
                std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
                for (const QChar c : text) {
                    const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
                    bytes += big ? std::string{hi, lo} : std::string{lo, hi};
                }
                const ImportResult got = importText(bytes);
                QVERIFY2(got.ok(), got.error.c_str());
                QVERIFY(got.record.bytes() == plain.record.bytes());
            }
        }
    }

    void roundTrips_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<int>("format");
        for (const char* name : {"Hamlet", "Walden", "If"})
            for (int f : {int(ForeignFormat::Jpz), int(ForeignFormat::Apz), int(ForeignFormat::Ipuz)})
                QTest::newRow(qPrintable(QString("%1 %2").arg(name).arg(f))) << name << f;
    }
    void roundTrips() {
        QFETCH(QString, sample);
        QFETCH(int, format);
        const std::string bytes =
            readAll(std::string(VLQ_SOURCE_DIR) + "/resources/puzzles/" + sample.toStdString() + ".vlq");
        PuzzleRecord rec;
        rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        const Square first = answerSquare(rec, 1, 1), second = answerSquare(rec, 2, 3);
        rec.setEntry(first.col, first.row, 'Q');
        rec.setEntry(second.col, second.row, rec.solution(second.col, second.row));

        const auto kind = ForeignFormat(format);
        const std::string text = exportForeign(rec, "Title", kind);
        const ImportResult back = importText(text);
        QVERIFY2(back.ok(), back.error.c_str());
        QVERIFY(back.warnings.empty());
        QCOMPARE(back.title, std::string("Title"));
        const auto& a = rec.bytes();
        const auto& b = back.record.bytes();
        const bool keepsProgress = kind != ForeignFormat::Apz;
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            const bool entry = i >= offs::Entry && i < offs::SquareClue;
            if (entry && !keepsProgress) continue;
            if (entry && a[i] == kApostrophe) continue; // punctuation is copied at paint
            if (entry && a[i] == kHyphen) continue;
            if (a[i] != b[i]) QFAIL(qPrintable(QString("byte %1 differs: %2 %3").arg(i).arg(a[i]).arg(b[i])));
        }
    }

    void refusals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cause");
        std::string key31;
        for (int i = 1; i <= 31; ++i) key31 += std::to_string(i) + " ";
        QTest::newRow("31 clues") << QString::fromStdString(apz(std::string(31, 'A'), repeated("A", 31)))
                                  << "31 clues; the game holds at most 30";
        QTest::newRow("32-letter answer") << QString::fromStdString(apz(std::string(32, 'A'), {std::string(32, 'A')}))
                                          << "has 32 letters; at most 31 fit";
        std::string tall;
        for (int i = 0; i < 22; ++i) tall += std::string(30, 'A') + " ";
        QTest::newRow("22 rows") << QString::fromStdString(apz(tall, repeated(std::string(22, 'A'), 30)))
                                 << "needs 22 rows at 31 columns";
        QTest::newRow("digit") << QString::fromStdString(apz("A1", {"A1"}, {"1 2"})) << "digit \"1\"";
        QTest::newRow("disagreeing answer") << QString::fromStdString(apz("ABC", {"ACB"}, {"1 2 3"}))
                                            << "answer ACB disagrees with its squares";
        QTest::newRow("square used twice") << QString::fromStdString(apz("AB", {"A", "A"}, {"1", "1"}))
                                           << "square 1 belongs to both clue A and clue B";
        QTest::newRow("square of no clue") << QString::fromStdString(apz("AB", {"A"}, {"1"})) << "belongs to no clue";
        QTest::newRow("template") << QString::fromStdString(apz("XX X", {"XXX"})) << "every letter is X";
        const std::string ipuzHead =
            R"({"kind":["http://ipuz.org/acrostic#1"],"dimensions":{"width":2,"height":1},)";
        QTest::newRow("checksum only") << QString::fromStdString(ipuzHead + R"("checksum":["x"],"clues":{}})")
                                       << "only a checksum";
        QTest::newRow("rebus") << QString::fromStdString(
                                      ipuzHead + R"("solution":[["TH","E"]],"clues":{"Clues":[{"label":"A","clue":"c","cells":[[0,0]]}]}})")
                               << "several letters (\"TH\")";
        // (The block is spelled out: a raw string holding it confuses moc.)
        const std::string block = "\"solution\":[[\"A\",\"\x23\"]],";
        QTest::newRow("ipuz clue on a block")
            << QString::fromStdString(ipuzHead + block + R"("clues":{"Clues":[{"label":"H","clue":"c","cells":[[0,0],[1,0]]}]}})")
            << "the solution grid or the clue is wrong";
        QTest::newRow("ipuz crossword") << R"({"kind":["http://ipuz.org/crossword#1"]})" << "not an acrostic";
        QTest::newRow("broken json") << R"({"kind": [)" << "not valid JSON";
        QTest::newRow("deep json") << "{\"a\":" + QString(100000, '[') << "nested too deeply";
        QTest::newRow("broken xml") << "<puzzle><solution>" << "XML is malformed";
        QTest::newRow("jpz crossword") << "<crossword-compiler-applet><rectangular-puzzle><crossword/>"
                                          "</rectangular-puzzle></crossword-compiler-applet>"
                                       << "a crossword, not an acrostic";
        QTest::newRow("broken zip") << QString("PK\x03\x04garbage") << "ZIP";
        QTest::newRow("other") << "hello" << "not a JPZ, APZ or ipuz puzzle";
    }
    void refusals() {
        QFETCH(QString, text);
        QFETCH(QString, cause);
        const ImportResult got = importText(text.toStdString());
        QVERIFY(!got.ok());
        QVERIFY2(got.error.find(cause.toStdString()) != std::string::npos, got.error.c_str());
    }

    void namesFormats() {
        QVERIFY(isForeignPuzzlePath("/a/b.JPZ") && isForeignPuzzlePath("x.ipuz") && isForeignPuzzlePath("y.apz"));
        QVERIFY(!isForeignPuzzlePath("x.vlq") && !isForeignPuzzlePath("dir.jpz/x"));
    }
};

QTEST_APPLESS_MAIN(TestForeign)
#include "tst_foreign.moc"
