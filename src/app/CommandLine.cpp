#include "CommandLine.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

const char* const kVersion = VLQ_VERSION;

} // namespace

CommandLine readCommandLine(const QStringList& arguments, bool infoOnly) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vorlaquince: solve acrostic puzzles."));
    // "-platform" is one (Qt) option, never the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption make(QStringLiteral("make"), QStringLiteral("Open the Make a Puzzle window."));
    parser.addOption(make);
    parser.addPositionalArgument(QStringLiteral("puzzle"),
                                 QStringLiteral("Puzzle files; the last one named opens."),
                                 QStringLiteral("[puzzle...]"));

    CommandLine result;
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.exitCode = 0;
        // The usage line names the program as installed, not as started
        // (before the application object exists the parser knows no name).
        const QString text = parser.helpText();
        result.message = QStringLiteral("Usage: vorlaquince") + text.mid(text.indexOf(QStringLiteral(" [options]")));
    } else if (parser.isSet(version)) {
        result.exitCode = 0;
        result.message = QStringLiteral("vorlaquince %1\n").arg(QLatin1String(kVersion));
    } else if (infoOnly) {
        return result;
    } else if (!parsed) {
        result.exitCode = kUsageExitCode;
        result.message = QStringLiteral("vorlaquince: %1\nTry 'vorlaquince --help' for more information.\n")
                             .arg(parser.errorText());
    } else {
        result.make = parser.isSet(make);
        if (!parser.positionalArguments().isEmpty()) result.puzzle = parser.positionalArguments().constLast();
    }
    return result;
}

void printCommandLineMessage(const CommandLine& commandLine) {
    std::FILE* out = commandLine.exitCode == 0 ? stdout : stderr;
    std::fputs(commandLine.message.toLocal8Bit().constData(), out);
    std::fflush(out);
}
