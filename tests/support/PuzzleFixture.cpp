#include "PuzzleFixture.h"

#include <QMdiArea>
#include <QTest>
#include <stdexcept>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "core/PuzzleRules.h"

namespace fixture {

vlq::PuzzleRecord makePuzzle(const std::vector<std::string>& rows, const std::vector<ClueSpec>& clues) {
    const int h = int(rows.size());
    const int w = h ? int(rows.front().size()) : 0;
    if (h < 1 || h > vlq::kMaxRows || w < 1 || w > vlq::kMaxCols) throw std::invalid_argument("grid size");
    if (clues.empty() || clues.size() > std::size_t(vlq::kMaxClues)) throw std::invalid_argument("clue count");
    vlq::PuzzleRecord rec;
    rec.setWidth(w);
    rec.setHeight(h);
    for (int r = 1; r <= h; ++r) {
        if (int(rows[r - 1].size()) != w) throw std::invalid_argument("ragged rows");
        for (int c = 1; c <= w; ++c) {
            const char ch = rows[r - 1][c - 1];
            rec.setSolution(c, r, ch == '#' ? vlq::kBlack : std::uint8_t(ch));
        }
    }
    for (int k = 1; k <= int(clues.size()); ++k) {
        rec.setClue(k, clues[k - 1].text);
        const std::string& answer = clues[k - 1].answer;
        if (answer.empty() || answer.size() > std::size_t(vlq::kMaxAnswer)) throw std::invalid_argument("answer");
        for (int j = 1; j <= int(answer.size()); ++j) {
            bool placed = false;
            for (int r = 1; r <= h && !placed; ++r) {
                for (int c = 1; c <= w && !placed; ++c) {
                    if (rec.solution(c, r) != std::uint8_t(answer[j - 1]) || rec.squareClue(c, r) != 0) continue;
                    rec.setSquareClue(c, r, j * 100 + k);
                    rec.setClueSquares(j * 100 + k, c * 100 + r);
                    placed = true;
                }
            }
            if (!placed) throw std::invalid_argument("no free square for a letter of " + answer);
        }
    }
    return rec;
}

vlq::PuzzleRecord wordsPuzzle() {
    const std::vector<ClueSpec> clues = {
        {"Playing card", "ACE"}, {"Offer", "BID"}, {"Mist", "FOG"}, {"Letters", "HJK"}, {"More letters", "LNQ"}};
    return makePuzzle({"AB#CDE", "FG#HI-", "JK'LM#", "NOPQRS"}, clues);
}

vlq::PuzzleRecord answersInReadingOrder(const std::vector<ClueSpec>& clues, int width) {
    vlq::PuzzleRecord rec;
    int at = 0;
    for (const auto& c : clues) at += int(c.answer.size()) + 1;
    const int height = (at + width - 1) / width;
    rec.setWidth(width);
    rec.setHeight(height);
    for (int r = 1; r <= height; ++r)
        for (int c = 1; c <= width; ++c) rec.setSolution(c, r, vlq::kBlack);
    at = 0;
    for (int k = 1; k <= int(clues.size()); ++k) {
        rec.setClue(k, clues[k - 1].text);
        for (int j = 1; j <= int(clues[k - 1].answer.size()); ++j, ++at) {
            const int c = at % width + 1, r = at / width + 1;
            rec.setSolution(c, r, std::uint8_t(clues[k - 1].answer[j - 1]));
            rec.setClueSquares(j * 100 + k, c * 100 + r);
            rec.setSquareClue(c, r, j * 100 + k);
        }
        ++at;
    }
    return rec;
}

void loadIntoGame(const vlq::PuzzleRecord& rec) {
    game().puzzle = rec;
    game().modified = false;
    game().currentClue = 0;
    game().defaultSquareSize = 30;
    game().frameSize = 4;
    game().gridSquareSize = 0;
    game().titleSquareSize = 0;
}

void fillSolution(vlq::PuzzleRecord& rec) {
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (!rec.isBlack(c, r)) rec.setEntry(c, r, rec.solution(c, r));
}

void enterAnswer(int k, const std::string& letters) {
    auto& rec = game().puzzle;
    for (int j = 1; j <= int(letters.size()); ++j) {
        const vlq::Square s = vlq::answerSquare(rec, k, j);
        rec.setEntry(s.col, s.row, letters[j - 1] == '_' ? 0 : std::uint8_t(letters[j - 1]));
    }
}

QMdiArea* showDocumentArea(int width, int height) {
    auto* area = new QMdiArea;
    area->resize(width, height);
    area->show();
    if (QTest::qWaitForWindowExposed(area)) return area;
    delete area;
    return nullptr;
}

std::unique_ptr<TVlqGameMainForm> showMainWindow() {
    auto form = std::make_unique<TVlqGameMainForm>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) form.reset();
    return form;
}

} // namespace fixture
