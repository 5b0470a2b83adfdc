// Reading a stored value for a preferences page: a malformed value is
// reported to the player and the table's default used instead, so one bad
// value never keeps a page from opening.
#pragma once
#include "core/VlqError.h"
#include "game/TVlqProcs.h"
#include "views/SquareLook.h"

template <typename Setting>
auto readOr(const Setting& s) {
    try {
        return TVlqProcs::ReadSetting(s);
    } catch (const vlq::SettingsError& e) {
        vlq::reportError(e);
        return TVlqProcs::DefaultOf(s);
    }
}
