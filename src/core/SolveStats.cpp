#include "core/SolveStats.h"

#include <algorithm>

namespace vlq {

SolveStats solveStats(const std::vector<Solve>& solves, long today) {
    SolveStats s;
    s.solved = int(solves.size());
    if (solves.empty()) return s;
    std::vector<int> times;
    std::vector<long> days;
    for (const Solve& x : solves) {
        if (!x.revealed) ++s.solvedWithoutReveals;
        times.push_back(x.seconds);
        days.push_back(x.day);
    }
    std::sort(times.begin(), times.end());
    s.medianSeconds = times[(times.size() - 1) / 2];
    s.bestSeconds = times.front();

    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    int run = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        run = i > 0 && days[i] == days[i - 1] + 1 ? run + 1 : 1;
        s.longestRun = std::max(s.longestRun, run);
    }
    // The run still going: the last day with a solve is today or yesterday.
    if (days.back() == today || days.back() == today - 1) s.currentRun = run;
    return s;
}

} // namespace vlq
