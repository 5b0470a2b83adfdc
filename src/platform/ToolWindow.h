// Finding and raising the window of another program, by its process id or
// its window class. How a desktop tells which process owns a top-level
// window is per system: on X11 the window manager lists the managed
// windows, most of which carry their process id (_NET_WM_PID) and all of
// which name their class (WM_CLASS), and it takes _NET_ACTIVE_WINDOW
// requests to raise one. Where none of this is
// available (other systems, the offscreen platform, a window manager without
// these hints) every lookup answers "not found" and raising answers false;
// callers then decide from processRunning() alone.
#pragma once
#include <QString>
#include <QtGlobal>

namespace vlq {

// True when this session can look windows up by process at all; false makes
// waiting for a tool's window pointless.
bool toolWindowsSupported();

// The first top-level window owned by process pid, or else by a process
// started under it (a tool started through a script); failing that, when
// program (a tool's path) is given, the first whose window class or name
// (WM_CLASS) is the program's file name, with or without its extension,
// ignoring case: many programs do not mark their windows with their process
// id, and a program may hand its window to another process. 0 when there
// is none (or windows cannot be looked up here).
quintptr findToolWindow(qint64 pid, const QString& program = QString());

// Asks the window manager to show window normally (restoring it when
// minimised: it is mapped again) and give it the focus. False when window
// is 0, no longer exists, or cannot be raised here.
bool raiseToolWindow(quintptr window);

// A token that identifies the life of process pid (its start time), empty
// when no such process is running. Two equal non-empty tokens mean the same
// process is still alive, so a reused process id is not mistaken for it.
QString processLifeToken(qint64 pid);

// Title bars of our own windows. True when the running window manager
// draws minimize and maximize buttons whatever a window's Motif hints say
// (Openbox); false for every other one and off X11.
bool windowManagerIgnoresButtonHints();

// Puts the toolbar type first in window's _NET_WM_WINDOW_TYPE list, keeping
// the types already there: such a manager draws toolbar windows with only a
// close button. Takes effect when called before the window is mapped.
void preferToolbarType(quintptr window);

} // namespace vlq
