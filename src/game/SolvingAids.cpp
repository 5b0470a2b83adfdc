#include "game/SolvingAids.h"

#include "game/SettingsTable.h"
#include "game/TVlqProcs.h"
#include "core/VlqError.h"

SolvingAids SolvingAids::read() {
    SolvingAids a;
    try {
        a.linkedColour = TVlqProcs::ReadSetting(VlqSetting::LinkedSqColor);
    } catch (const vlq::SettingsError&) {
        // A malformed tint is not worth a message at every start: the default.
        a.linkedColour = TVlqProcs::DefaultOf(VlqSetting::LinkedSqColor);
    }
    if (!switchedOn()) return a;
    a.legibleLetters = true; // comes with the aids, no switch of its own
    a.makePuzzles = true;    // likewise
    a.keepProgress = true;   // likewise: recorded silently, shown by the aids below
    auto on = [](const VlqSetting::Integer& s) { return TVlqProcs::ReadSetting(s) != 0; };
    a.squareLabels = on(VlqSetting::AidLabels);
    a.linkedTint = on(VlqSetting::AidLinked);
    a.keyboardFlow = on(VlqSetting::AidKeys);
    a.undoRedo = on(VlqSetting::AidUndo);
    a.checkLetters = on(VlqSetting::AidCheck);
    a.zoom = on(VlqSetting::AidZoom);
    a.placeAnswer = on(VlqSetting::AidPlaceAnswer);
    a.solvedNotice = on(VlqSetting::AidSolved);
    a.keepTime = on(VlqSetting::AidTime);
    a.pencil = on(VlqSetting::AidPencil);
    a.progress = on(VlqSetting::AidProgress);
    if (a.zoom) a.zoomPercent = std::clamp(TVlqProcs::ReadSetting(VlqSetting::ZoomPercent), 50, 400);
    return a;
}

bool SolvingAids::switchedOn() { return TVlqProcs::ReadSetting(VlqSetting::SolvingAids) != 0; }

void SolvingAids::setSwitchedOn(bool on) { TVlqProcs::WriteSetting(VlqSetting::SolvingAids, on ? 1 : 0); }
