// The game's command line: --help, --version, --make and the puzzle files to open.
#pragma once
#include <QString>
#include <QStringList>

struct CommandLine {
    // 0 or more: leave at once with this exit code after printing message
    // (on standard output for 0, on standard error otherwise). -1: start.
    int exitCode = -1;
    QString message;
    // The puzzle to open at start (the last file named), empty for none.
    QString puzzle;
    // --make: the Make a Puzzle window opens at start.
    bool make = false;
};

// Exit code for an unknown option or a missing option value.
inline constexpr int kUsageExitCode = 2;

// Reads the arguments, program name first. Before the application object
// exists Qt's own options (-platform, -display, ...) are still among them:
// with infoOnly, only --help and --version are answered and everything else
// is left for the full reading that follows.
CommandLine readCommandLine(const QStringList& arguments, bool infoOnly = false);

// Prints the message of a command line that ends the program.
void printCommandLineMessage(const CommandLine& commandLine);
