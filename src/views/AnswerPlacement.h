// The answer-placement aid: the answer window never covers the current
// clue's line in the clue list. It moves below, beside or above the line,
// and where the screen has no such room the list scrolls the line out from
// under it. Acts only while game().aids.placeAnswer is on.
#pragma once

class TVlqSolveForm;

namespace vlq {

// Keeps the showing answer window solve off the current clue's line, when
// that line shows in the clue list. Does nothing while the aid is off.
void keepClueLineClear(TVlqSolveForm& solve);

} // namespace vlq
