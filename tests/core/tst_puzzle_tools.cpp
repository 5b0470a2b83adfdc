// The puzzle source format, the builder, the full check and the vlqtool
// command line.
#include <QtTest>

#include <functional>

#include "core/PuzzleBuilder.h"
#include "core/PuzzleCheck.h"
#include "core/PuzzleShow.h"
#include "core/PuzzleSource.h"

using namespace vlq;

namespace {

// 19 letters: DONTLOOKBACKWELLMET; first letters O, K, W, E.
const char* const kSource =
    "# a test puzzle\n"
    "Quotation: Don't look back,\n"
    "  well-met.\n"
    "Source: Ok, we\n"
    "Byline: Test maker\n"
    "\n"
    "A. Not new = OLD\n"
    "B. Tie it tight = KNOT\n"
    "C. Burrowing marsupial = WOMBAT\n"
    "D. Made-up word = ECK-LEL\n";

PuzzleSource parsed(const std::string& text) {
    const ParsedSource p = parsePuzzleSource(text, "Test");
    if (!p.problems.empty()) qWarning("parse problem: %s", p.problems.front().what.c_str());
    return p.source;
}

std::string joined(const std::vector<SourceProblem>& problems) {
    std::string all;
    for (const auto& p : problems) all += std::to_string(p.line) + ": " + p.what + "\n";
    return all;
}

std::string joined(const std::vector<std::string>& problems) {
    std::string all;
    for (const auto& p : problems) all += p + "\n";
    return all;
}

std::string squaresText(const std::vector<std::uint8_t>& squares) {
    std::string s;
    for (auto b : squares) s += b == kBlack ? '#' : static_cast<char>(b);
    return s;
}

PuzzleRecord builtSample() {
    const BuildResult built = buildPuzzle(parsed(kSource));
    if (!built.ok()) qFatal("sample source refused: %s", joined(built.problems).c_str());
    return built.record;
}

// First square (reading order) holding the given solution byte.
Square findSquare(const PuzzleRecord& rec, std::uint8_t b) {
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (rec.solution(c, r) == b) return {c, r};
    return {};
}

using Breaker = std::function<void(PuzzleRecord&)>;

} // namespace

Q_DECLARE_METATYPE(Breaker)

class TestPuzzleTools : public QObject {
    Q_OBJECT
private slots:
    void roundTrip() {
        const PuzzleRecord rec = builtSample();
        QCOMPARE(joined(checkPuzzle(rec.bytes())), std::string());
        // 19 letters, 2 apostrophe/hyphen squares and 3 word breaks.
        QCOMPARE(rec.width() * rec.height() >= 24, true);
        QVERIFY(rec.width() <= 31 && rec.height() <= 21);

        // The grid reads the quotation in order, the rest black.
        std::string grid;
        for (int r = 1; r <= rec.height(); ++r)
            for (int c = 1; c <= rec.width(); ++c)
                grid += rec.solution(c, r) == kBlack ? '#' : static_cast<char>(rec.solution(c, r));
        QVERIFY2(grid.starts_with("DON'T#LOOK#BACK#WELL-MET"), grid.c_str());
        QVERIFY(grid.find_first_not_of('#', 24) == std::string::npos);

        // Answers come back from their squares; texts, byline, empty Entry.
        const char* answers[] = {"OLD", "KNOT", "WOMBAT", "ECKLEL"};
        for (int k = 1; k <= 4; ++k) {
            std::string answer;
            for (int j = 1; rec.clueSquares(j * 100 + k) != 0; ++j) {
                const Square s = rec.decodeSquare(j * 100 + k);
                answer += static_cast<char>(rec.solution(s.col, s.row));
            }
            QCOMPARE(answer, std::string(answers[k - 1]));
        }
        QCOMPARE(rec.clue(3), std::string("Burrowing marsupial"));
        QCOMPARE(rec.clue(5), std::string());
        QCOMPARE(rec.clueSquares(105), 0);
        QCOMPARE(rec.byline(), std::string("Test maker"));
        for (std::size_t i = offs::Entry; i < offs::SquareClue; ++i) QCOMPARE(rec.bytes()[i], std::uint8_t(0));

        // The same source always gives the same bytes.
        QVERIFY(builtSample().bytes() == rec.bytes());
        // A record the game accepts, and one show can print.
        PuzzleRecord loaded;
        loaded.loadBytes(rec.bytes());
        const std::string shown = showPuzzle(loaded);
        QVERIFY2(shown.find("WOMBAT") != std::string::npos, shown.c_str());
        QVERIFY(shown.find("Author and title: OKWE") != std::string::npos);
    }

    void showReportsProgress() {
        PuzzleRecord rec = builtSample();
        const Square o = rec.decodeSquare(101), l = rec.decodeSquare(201);
        rec.setEntry(o.col, o.row, 'O');
        rec.setEntry(l.col, l.row, 'X'); // wrong
        const std::string shown = showPuzzle(rec);
        QVERIFY2(shown.find("Progress: 2 of 19 letter squares filled, 1 correct") != std::string::npos, shown.c_str());
        QVERIFY2(shown.find("OLD             OX_") != std::string::npos, shown.c_str());
        QVERIFY2(shown.find("Entered so far:   O___") != std::string::npos, shown.c_str());
        // A terminal's escape in a clue or the byline is shown, not sent.
        rec.setClue(1, "Red \x1b[31mtext");
        rec.setByline("\x1b]0;title\x07");
        const std::string escaped = showPuzzle(rec);
        QVERIFY(escaped.find('\x1b') == std::string::npos && escaped.find('\x07') == std::string::npos);
        QVERIFY2(escaped.find("Red ?[31mtext") != std::string::npos, escaped.c_str());
    }

    void answersSpreadOverWords() {
        // With a choice, letters of one answer come from different words.
        const char* text = "Quotation: ab ab ab\nSource: a\nA. x = ABABAB\n";
        const BuildResult built = buildPuzzle(parsed(text));
        QVERIFY(built.ok());
        const PuzzleRecord& rec = built.record;
        QSet<int> columns;
        for (int j = 1; j <= 6; ++j) columns.insert(rec.decodeSquare(j * 100 + 1).col + 100 * rec.decodeSquare(j * 100 + 1).row);
        QCOMPARE(columns.size(), 6);
        // Letter 1 (A) and letter 2 (B) lie in different words.
        const Square a = rec.decodeSquare(101), b = rec.decodeSquare(201);
        QVERIFY(std::abs((a.row - 1) * rec.width() + a.col - ((b.row - 1) * rec.width() + b.col)) != 1);
    }

    void quotationLayout_data() {
        QTest::addColumn<QString>("quotation");
        QTest::addColumn<QString>("squares");
        QTest::addColumn<QString>("problem");
        QTest::newRow("apostrophe and hyphen") << "Don't be narrow-minded." << "DON'T#BE#NARROW-MINDED" << "";
        QTest::newRow("typographic apostrophe") << "It\u2019s" << "IT'S" << "";
        QTest::newRow("quote marks dropped") << "'Tis \"so\" -- said" << "TIS#SO#SAID" << "";
        QTest::newRow("dashes break words") << "one\u2014two\u2013three/four" << "ONE#TWO#THREE#FOUR" << "";
        QTest::newRow("punctuation dropped") << "Well, Mr. Smith! (Yes?)" << "WELL#MR#SMITH#YES" << "";
        QTest::newRow("edge hyphen dropped") << "pre- and post-war" << "PRE#AND#POST-WAR" << "";
        QTest::newRow("digit refused") << "in 1859" << "IN" << "digit 1";
        QTest::newRow("accent refused") << "caf\u00e9" << "CAF" << "letter \u00e9";
        QTest::newRow("no letters") << "... !" << "" << "no letters";
    }
    void quotationLayout() {
        QFETCH(QString, quotation);
        QFETCH(QString, squares);
        QFETCH(QString, problem);
        const QuotationSquares q = quotationSquares(quotation.toStdString(), 3);
        QCOMPARE(QString::fromStdString(squaresText(q.squares)), squares);
        if (problem.isEmpty()) {
            QCOMPARE(joined(q.problems), std::string());
        } else {
            QVERIFY(!q.problems.empty());
            QCOMPARE(q.problems.front().line, 3);
            QVERIFY2(q.problems.front().what.find(problem.toStdString()) != std::string::npos,
                     q.problems.front().what.c_str());
        }
    }

    void widthKeepsGridInLimits() {
        QCOMPARE(chooseWidth(0), 0);
        QCOMPARE(chooseWidth(652), 0);
        QCOMPARE(chooseWidth(651), 31);
        for (int n = 1; n <= 651; ++n) {
            const int w = chooseWidth(n);
            QVERIFY2(w >= 1 && w <= 31 && (n + w - 1) / w <= 21, qPrintable(QString::number(n)));
        }
        // A long quotation fills a wide grid; a short one is not one long row.
        QVERIFY(chooseWidth(600) >= 29);
        QVERIFY(chooseWidth(40) < 20);
    }

    void sourceRefused_data() {
        QTest::addColumn<QString>("change");   // "old|new" applied to kSource
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("letter left over") << "= OLD|= OLDQ" << 2 << "have 1 letter that the quotation lacks: Q";
        QTest::newRow("letters missing") << "= WOMBAT|= WOMB" << 2 << "lack 2 letters of the quotation: A, T";
        QTest::newRow("swapped letters")
            << "= OLD|= OLE" << 2 << "lack 1 letter of the quotation: D";
        QTest::newRow("wrong first letter") << "= KNOT|= TONK" << 8 << "starts with T but letter 2 of the source OKWE is K";
        QTest::newRow("source too long") << "Source: Ok, we|Source: Ok, wet" << 4 << "spells 5 letters (OKWET) but there are 4 clues";
        QTest::newRow("answer with digits") << "= OLD|= OLD1" << 7 << "may hold only letters";
        QTest::newRow("clue text too long")
            << "Not new|" + QString(81, 'x') << 7 << "81 characters; at most 80 fit";
        QTest::newRow("width too small") << "Byline: Test maker|Width: 1" << 5 << "need 24 rows; at most 21 fit";
        QTest::newRow("digits in the source")
            << "Source: Ok, we|Source: Ok, we 23" << 4
            << "the digits 2, 3, which no answer can start with: write 23 as TWENTY-THREE";
    }
    void sourceRefused() {
        QFETCH(QString, change);
        QFETCH(int, line);
        QFETCH(QString, message);
        const QStringList parts = change.split('|');
        QString text = QString::fromLatin1(kSource);
        QVERIFY(text.contains(parts[0]));
        text.replace(parts[0], parts[1]);
        const ParsedSource p = parsePuzzleSource(text.toStdString(), "Test");
        const BuildResult built = buildPuzzle(p.source);
        const std::string all = joined(p.problems) + joined(built.problems);
        QVERIFY2(all.find(std::to_string(line) + ": ") != std::string::npos &&
                     all.find(message.toStdString()) != std::string::npos,
                 all.c_str());
    }

    // A source saved by another editor: a byte-order mark, CR LF line ends
    // and accented letters in the source line give the same puzzle.
    void editorsSourceReadAsWritten() {
        std::string text = "\xEF\xBB\xBF" + std::string(kSource);
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.insert(at, "\r");
        text.replace(text.find("Source: Ok, we"), 14, "Source: \xC3\x96k, w\xC3\xA9");
        const ParsedSource p = parsePuzzleSource(text, "Test");
        QCOMPARE(joined(p.problems), std::string());
        QCOMPARE(p.source.quotation, std::string("Don't look back, well-met."));
        const BuildResult built = buildPuzzle(p.source);
        QCOMPARE(joined(built.problems), std::string());
        QVERIFY(built.record.bytes() == builtSample().bytes());
    }

    void sourceSyntax_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("no answer") << "Quotation: ab\nSource: a\nA. clue AB\n" << "no \" = ANSWER\"";
        QTest::newRow("label out of order") << "Quotation: ab\nSource: a\nB. clue = AB\n" << "labelled B where A";
        QTest::newRow("unknown field") << "Quote: ab\n" << "unknown field \"quote\"";
        QTest::newRow("bad width") << "Width: 40\n" << "width \"40\"";
        QTest::newRow("no quotation") << "Source: a\nA. x = A\n" << "no quotation";
        QTest::newRow("stray line") << "Quotation: ab\nhello\n" << "neither a field";
        QTest::newRow("stray line shown safely")
            << QString("Quotation: ab\n\x1b[2J") + QString(100, 'x') + "\n" << QString("): ?[2J") + QString(56, 'x') + "...";
        QTest::newRow("field after clues") << "Quotation: ab\nSource: a\nA. x = AB\nByline: me\n" << "after the clues";
    }
    void sourceSyntax() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const ParsedSource p = parsePuzzleSource(text.toStdString(), "Test");
        const std::string all = joined(p.problems);
        QVERIFY2(all.find(message.toStdString()) != std::string::npos, all.c_str());
    }

    void twentySeventhClueIsAa() {
        std::string text = "Quotation: ";
        std::string answers;
        for (int k = 0; k < 28; ++k) text += "ab ";
        text += "\nSource: " + std::string(28, 'a') + "\n";
        for (int k = 1; k <= 28; ++k) {
            const std::string label = k <= 26 ? std::string(1, char('A' + k - 1)) : std::string(2, char('a' + k - 27));
            text += label + ". clue " + std::to_string(k) + " = AB\n";
        }
        const ParsedSource p = parsePuzzleSource(text, "Test");
        QCOMPARE(joined(p.problems), std::string());
        const BuildResult built = buildPuzzle(p.source);
        QCOMPARE(joined(built.problems), std::string());
        QCOMPARE(built.record.clue(28), std::string("clue 28"));
        QCOMPARE(joined(checkPuzzle(built.record.bytes())), std::string());
    }

    void ansiText() {
        QCOMPARE(toAnsi("\u201cQuoted\u201d it\u2019s \u00e9t\u00e9 \u2014 \u20ac").value(),
                 std::string("\"Quoted\" it's \xe9t\xe9 - \x80"));
        QVERIFY(!toAnsi("\u4e2d").has_value());
        QVERIFY(!toAnsi("\xff").has_value());
        QCOMPARE(fromAnsi("\xe9\x80"), std::string("\u00e9\u20ac"));
    }

    void checkCatches_data() {
        QTest::addColumn<Breaker>("breaker");
        QTest::addColumn<QString>("message");
        QTest::newRow("width 0") << Breaker([](PuzzleRecord& r) { r.setWidth(0); }) << "Width 0 is outside";
        QTest::newRow("width 32") << Breaker([](PuzzleRecord& r) { r.setWidth(32); }) << "Width 32 is outside";
        QTest::newRow("height 22") << Breaker([](PuzzleRecord& r) { r.setHeight(22); }) << "Height 22 is outside";
        QTest::newRow("clue text length 81")
            << Breaker([](PuzzleRecord& r) { r.bytes()[offs::Clues + 81] = 81; }) << "clue B text has length 81";
        QTest::newRow("byline length 81")
            << Breaker([](PuzzleRecord& r) { r.bytes()[offs::Byline] = 81; }) << "byline has length 81";
        QTest::newRow("lower-case solution")
            << Breaker([](PuzzleRecord& r) {
                   const Square s = findSquare(r, 'W');
                   r.setSolution(s.col, s.row, 'w');
               })
            << "solution byte 119";
        QTest::newRow("entry byte 7") << Breaker([](PuzzleRecord& r) { r.setEntry(1, 1, 7); }) << "entry byte 7";
        QTest::newRow("answer without text")
            << Breaker([](PuzzleRecord& r) { r.setClue(2, ""); }) << "clue B has an answer but no text";
        QTest::newRow("text without answer")
            << Breaker([](PuzzleRecord& r) { r.setClue(5, "Stray"); }) << "clue E has text but no answer";
        QTest::newRow("gap in clues")
            << Breaker([](PuzzleRecord& r) {
                   for (int j = 1; j <= 31; ++j) r.setClueSquares(j * 100 + 2, 0);
                   r.setClue(2, "");
               })
            << "clue C has an answer but clue B before it has none";
        QTest::newRow("no clues")
            << Breaker([](PuzzleRecord& r) {
                   for (int k = 1; k <= 4; ++k) r.setClueSquares(100 + k, 0);
               })
            << "no clues";
        QTest::newRow("answer square outside grid")
            << Breaker([](PuzzleRecord& r) { r.setClueSquares(201, (r.width() + 1) * 100 + 1); })
            << "letter 2 of clue A names square code";
        QTest::newRow("answer on a black square")
            << Breaker([](PuzzleRecord& r) {
                   const Square s = findSquare(r, kBlack);
                   r.setClueSquares(101, s.col * 100 + s.row);
               })
            << "letter 1 of clue A lies on square";
        QTest::newRow("cross-references disagree")
            << Breaker([](PuzzleRecord& r) {
                   const Square a = r.decodeSquare(101), b = r.decodeSquare(102);
                   r.setSquareClue(a.col, a.row, 102);
                   r.setSquareClue(b.col, b.row, 101);
               })
            << "whose letter code is 102 instead of 101";
        QTest::newRow("letter square in no answer")
            << Breaker([](PuzzleRecord& r) {
                   const Square s = r.decodeSquare(301);
                   r.setClueSquares(301, 0);
                   r.setSquareClue(s.col, s.row, 0);
               })
            << "(D) belongs to no answer";
        QTest::newRow("letter code past the answer")
            << Breaker([](PuzzleRecord& r) {
                   const Square s = r.decodeSquare(301);
                   r.setClueSquares(301, 0);
                   r.setSquareClue(s.col, s.row, 301);
               })
            << "but that answer has 2 letters";
        QTest::newRow("letter code of no clue")
            << Breaker([](PuzzleRecord& r) {
                   const Square s = r.decodeSquare(101);
                   r.setSquareClue(s.col, s.row, 3300);
               })
            << "letter code 3300, which names no clue letter";
        QTest::newRow("black square with a letter code")
            << Breaker([](PuzzleRecord& r) {
                   const Square s = findSquare(r, kBlack);
                   r.setSquareClue(s.col, s.row, 101);
               })
            << "is a black square but has letter code 101";
        QTest::newRow("punctuation square holds a letter")
            << Breaker([](PuzzleRecord& r) {
                   const Square s = findSquare(r, kApostrophe);
                   const Square t = r.decodeSquare(104);
                   r.setClueSquares(104, s.col * 100 + s.row);
                   r.setSquareClue(s.col, s.row, 104);
                   r.setSquareClue(t.col, t.row, 0);
               })
            << "an apostrophe square";
    }
    void checkCatches() {
        QFETCH(Breaker, breaker);
        QFETCH(QString, message);
        PuzzleRecord rec = builtSample();
        breaker(rec);
        const std::string all = joined(checkPuzzle(rec.bytes()));
        QVERIFY2(all.find(message.toStdString()) != std::string::npos, all.c_str());
    }

    void checkFileSize() {
        const PuzzleRecord rec = builtSample();
        std::vector<std::uint8_t> bytes(rec.bytes().begin(), rec.bytes().end());
        QCOMPARE(joined(checkPuzzleFile(bytes)), std::string());
        bytes.push_back(0); // the game reads the record and ignores the rest: a warning
        std::vector<std::string> warnings;
        QCOMPARE(joined(checkPuzzleFile(bytes, &warnings)), std::string());
        QVERIFY(joined(warnings).find("11520 bytes") != std::string::npos);
        bytes.resize(11518);
        QVERIFY(joined(checkPuzzleFile(bytes)).find("11518 bytes") != std::string::npos);
        QVERIFY(!checkPuzzleFile({}).empty());
    }

    void checkNeverLeavesRecord() {
        // Garbage of every kind gives problems, never a crash.
        PuzzleRecord::Bytes image;
        for (std::uint8_t fill : {0x00, 0x7F, 0xFF, 0x31}) {
            image.fill(fill);
            QVERIFY(!checkPuzzle(image).empty());
        }
        std::uint32_t x = 12345;
        for (int round = 0; round < 50; ++round) {
            PuzzleRecord rec = builtSample();
            for (int n = 0; n < 40; ++n) {
                x = x * 1103515245u + 12345u;
                rec.bytes()[(x >> 8) % kRecordSize] = static_cast<std::uint8_t>(x >> 24);
            }
            (void)checkPuzzle(rec.bytes());
            if (PuzzleRecord::validate(rec.bytes()).empty()) (void)showPuzzle(rec);
        }
    }

    void toolExitCodes() {
        const QString tool = QStringLiteral(VLQ_TOOL_PATH);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto run = [&](const QStringList& args, QString* err = nullptr) {
            QProcess p;
            p.start(tool, args);
            p.waitForFinished(60000);
            if (err) *err = QString::fromUtf8(p.readAllStandardError() + p.readAllStandardOutput());
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        };
        auto write = [&](const QString& name, const QByteArray& data) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(data);
        };
        write("Good.txt", kSource);
        write("Bad.txt", QByteArray(kSource).replace("= OLD", "= OLDQ"));
        const QString good = dir.filePath("Good.vlq");
        const QString bad = dir.filePath("Bad.vlq");
        QString out;

        QCOMPARE(run({"build", dir.filePath("Good.txt"), "-o", good}, &out), 0);
        QCOMPARE(QFileInfo(good).size(), qint64(kRecordSize));
        QCOMPARE(run({"check", good}), 0);
        QCOMPARE(run({"show", good}, &out), 0);
        QVERIFY(out.contains("WOMBAT"));

        QCOMPARE(run({"build", dir.filePath("Bad.txt"), "-o", bad}, &out), 1);
        QVERIFY2(out.contains("Bad.txt:2:") && out.contains(": Q"), qPrintable(out));
        QVERIFY(!QFile::exists(bad));

        QFile f(good);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(kRecordSize);
        f.write("x");
        f.flush();
        QCOMPARE(run({"check", good}, &out), 0); // longer: a warning only
        QVERIFY(out.contains("warning"));
        f.seek(0);
        f.write(QByteArray(1, '\0')); // Width 0
        f.close();
        QCOMPARE(run({"check", good}, &out), 1);
        QVERIFY(out.contains("Width 0"));
        QCOMPARE(run({"show", good}), 1);

        QCOMPARE(run({"check", dir.filePath("missing.vlq")}), 2);
        QCOMPARE(run({"build", dir.filePath("Good.txt")}), 2);
        QCOMPARE(run({}), 2);
        QCOMPARE(run({"frobnicate"}), 2);
        // A bad option of make says what it takes before the usage.
        QCOMPARE(run({"make", dir.filePath("Good.txt"), "--time", "-5"}, &out), 2);
        QVERIFY2(out.startsWith("vlqtool make: --time takes a whole number from 1 to 3600\n"), qPrintable(out));
        // An output that is the input, under any name, is refused and the input kept.
        const QByteArray source = kSource;
        QCOMPARE(run({"build", dir.filePath("Good.txt"), "-o", dir.filePath("./Good.txt")}, &out), 2);
        QVERIFY2(out.contains("is the input file"), qPrintable(out));
        const QString copy = dir.filePath("Copy.vlq");
        QCOMPARE(run({"build", dir.filePath("Good.txt"), "-o", copy}), 0);
        QCOMPARE(run({"export", copy, "--to", "jpz", "-o", copy}), 2);
        QCOMPARE(run({"check", copy}), 0);
        // Without --to the output's name gives the format.
        QCOMPARE(run({"export", copy, "-o", dir.filePath("Copy.ipuz")}), 0);
        QCOMPARE(run({"import", dir.filePath("Copy.ipuz"), "-o", dir.filePath("Back.vlq")}), 0);
        QCOMPARE(run({"export", copy, "-o", dir.filePath("Copy.txt")}, &out), 2);
        QVERIFY2(out.contains("give --to") && !QFile::exists(dir.filePath("Copy.txt")), qPrintable(out));
        QCOMPARE(run({"make", dir.filePath("Good.txt"), "-o", dir.filePath("Good.txt")}), 2);
        QFile kept(dir.filePath("Good.txt"));
        QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == source);
        QCOMPARE(run({"make", dir.filePath("Good.txt"), "-o", ""}), 2);
        // An output nowhere to be written is told before any search.
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(run({"make", dir.filePath("Good.txt"), "-o", dir.filePath("none/Out.txt")}, &out), 2);
        QVERIFY2(out.contains("none/Out.txt: cannot be written") && clock.elapsed() < 5000, qPrintable(out));
    }

    // Clues the maker drafted build and check, with a warning for each
    // one still marked as a draft.
    void draftCluesWarn() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile f(dir.filePath("Draft.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(kSource).replace("B. Tie it tight", "B. [draft] a tight fastening"));
        f.close();
        const QString vlq = dir.filePath("Draft.vlq");
        QProcess p;
        p.start(QStringLiteral(VLQ_TOOL_PATH), {"build", f.fileName(), "-o", vlq});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("Draft.txt:8: warning: clue B is still a draft"));
        p.start(QStringLiteral(VLQ_TOOL_PATH), {"check", vlq});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains("warning: clue B is still a draft"));
    }
};

QTEST_APPLESS_MAIN(TestPuzzleTools)
#include "tst_puzzle_tools.moc"
