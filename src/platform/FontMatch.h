// The Windows typefaces the game names (Arial for the grid and the labels,
// Times New Roman for the clue list, MS Sans Serif for a few captions) are
// rarely installed elsewhere. Each has a stand-in with the same letter widths
// (Liberation, then Croscore), and this unit is the one place that knows the
// pairs: font dialogs open on the stand-in, Qt draws the named face with it,
// and the settings keep the Windows name, so a store carried between systems
// means the same thing on both.
#pragma once
#include <QFont>
#include <QString>

namespace vlq {

// The installed family that draws `family`: the face itself when it is
// installed, else its first installed stand-in; any family the game does not
// name, or one with no stand-in installed, comes back unchanged.
QString installedFamily(const QString& family);

// `font` with its family replaced by installedFamily(): what a font dialog
// must be given to open on the face really in use.
QFont installedFont(QFont font);

// The family to store for a font chosen in a dialog that was opened on
// `stored`: `stored` again when the choice is its installed face (the player
// kept it), else the chosen family.
QString familyToStore(const QString& chosen, const QString& stored);

// Registers the stand-ins as Qt's substitutes for the named faces, so every
// font made by name draws with the same face whatever the system's own
// font configuration prefers. Called once when the application starts.
void installFontSubstitutes();

} // namespace vlq
