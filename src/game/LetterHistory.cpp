#include "game/LetterHistory.h"

#include "game/PlayerLetters.h"

LetterHistory::Step::Step() { ++letterHistory().depth_; }

LetterHistory::Step::~Step() {
    LetterHistory& h = letterHistory();
    if (--h.depth_ > 0 || h.open_.empty()) return;
    h.push(std::move(h.open_));
    h.open_.clear();
}

namespace {

void writeBack(const LetterHistory::Change& c, std::uint8_t letter) {
    if (c.layer == LetterHistory::Layer::Pencil)
        playerLetters().setPencilLetter(c.at, letter, LetterCause::History);
    else
        setPlayerLetter(c.at, letter, LetterCause::History);
}

} // namespace

void LetterHistory::record(vlq::Square at, std::uint8_t before, std::uint8_t after, Layer layer) {
    if (depth_ > 0) {
        open_.push_back({at, before, after, layer});
        return;
    }
    push({{at, before, after, layer}});
}

void LetterHistory::push(std::vector<Change> step) {
    done_.push_back(std::move(step));
    if (done_.size() > kMaxSteps) done_.erase(done_.begin());
    undone_.clear();
    announce();
}

std::vector<vlq::Square> LetterHistory::undo() {
    if (done_.empty() || depth_ > 0) return {};
    std::vector<Change> step = std::move(done_.back());
    done_.pop_back();
    std::vector<vlq::Square> written;
    for (auto c = step.rbegin(); c != step.rend(); ++c) {
        writeBack(*c, c->before);
        written.push_back(c->at);
    }
    undone_.push_back(std::move(step));
    announce();
    return written;
}

std::vector<vlq::Square> LetterHistory::redo() {
    if (undone_.empty() || depth_ > 0) return {};
    std::vector<Change> step = std::move(undone_.back());
    undone_.pop_back();
    std::vector<vlq::Square> written;
    for (const Change& c : step) {
        writeBack(c, c.after);
        written.push_back(c.at);
    }
    done_.push_back(std::move(step));
    announce();
    return written;
}

void LetterHistory::clear() {
    const bool had = canUndo() || canRedo();
    done_.clear();
    undone_.clear();
    open_.clear();
    if (had) announce();
}

LetterHistory& letterHistory() {
    static LetterHistory instance;
    return instance;
}
