// The player's statistics from the list of solves: how many, how many
// without a reveal, the median and best time, and the runs of days with at
// least one solve. Days are whole calendar days counted from any fixed day
// (the caller's local dates), so a run is a sequence of consecutive numbers.
#pragma once
#include <optional>
#include <vector>

namespace vlq {

struct Solve {
    int seconds = 0;
    bool revealed = false;
    long day = 0; // calendar day of the solve
};

struct SolveStats {
    int solved = 0;
    int solvedWithoutReveals = 0;
    std::optional<int> medianSeconds; // of every solve; the lower middle of an even count
    std::optional<int> bestSeconds;   // fastest solve
    int currentRun = 0;  // days in a row up to today, or up to yesterday when none yet today
    int longestRun = 0;  // the longest such run ever
};

SolveStats solveStats(const std::vector<Solve>& solves, long today);

} // namespace vlq
