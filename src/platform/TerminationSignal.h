// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in the terminal
// the game was started from) end the game the way its Exit command does,
// so an open puzzle with unsaved letters is saved first instead of being
// lost with the process.
#pragma once
#include <functional>

class QObject;

// From now on those signals call closeGame on the event loop (never inside
// the signal handler), for as long as context lives. One caller at a time;
// a later call replaces the earlier one. Does nothing where the signals do
// not exist.
void onTerminationSignal(QObject* context, std::function<void()> closeGame);

// A write past the file-size limit (RLIMIT_FSIZE) raises SIGXFSZ, which
// ends the process by default: the letters being saved would be lost with
// it. Ignored, the write fails with EFBIG and the save reports an ordinary
// write error. Called first thing at start-up.
void ignoreFileSizeSignal();
