#include "game/CheckMarks.h"

#include "core/PuzzleRules.h"

std::vector<vlq::Square> CheckMarks::check(const vlq::PuzzleRecord& rec, const std::vector<vlq::Square>& squares) {
    std::vector<vlq::Square> wrong;
    for (const vlq::Square& q : squares) {
        if (!inStore(q) || !vlq::isWrongSquare(rec, q)) continue;
        wrong_[index(q)] = true;
        wrong.push_back(q);
    }
    return wrong;
}

bool CheckMarks::isMarked(vlq::Square at) const { return inStore(at) && wrong_[index(at)]; }

bool CheckMarks::unmark(vlq::Square at) {
    if (!isMarked(at)) return false;
    wrong_[index(at)] = false;
    return true;
}

CheckMarks& checkMarks() {
    static CheckMarks instance;
    return instance;
}
