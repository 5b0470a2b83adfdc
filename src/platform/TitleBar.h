// Title bars with a caption and a close button only, for the game's dialogs
// and tool windows.
#pragma once

class QWidget;

namespace vlq {

// Keeps window's type (tool window, dialog) and its stays-on-top hint and
// asks for a title bar without minimize and maximize buttons. A window
// manager that draws those buttons whatever the window asks
// (windowManagerIgnoresButtonHints) gets the window marked as a toolbar
// window each time just before it is shown. Call before the first show.
void closeBoxOnly(QWidget* window);

} // namespace vlq
