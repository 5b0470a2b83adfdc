// A crash (a bad memory access, a bus error, an arithmetic fault, an
// illegal instruction, an abort) would take the player's letters typed
// since the last recovery copy with it. The game's last words run first,
// inside the signal handler, then the process ends as it would have (a
// sanitizer still reports the fault, a core dump is still made).
#pragma once

// From now on those signals call lastWords once before the process ends
// (nothing, once it is null).
// It runs in a signal handler, maybe on a broken heap: it may only make
// async-signal-safe calls (open, write, fsync, rename, close) on data
// prepared beforehand. A later call replaces the function. Does nothing
// where the signals do not exist.
void onCrashSignal(void (*lastWords)());
