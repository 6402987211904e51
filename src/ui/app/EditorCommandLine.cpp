#include "ui/app/EditorCommandLine.h"

#include <QCommandLineParser>

#include "TarnwickProject.h"
#include "platform/FileNames.h"

namespace tarnwick::ui {

namespace {

const char* const kHelp =
    "Usage: tarnwick [FILE]\n"
    "  or:  tarnwick -MarrowbyPlugIn\n"
    "  or:  tarnwick --help | --version\n"
    "\n"
    "A desktop editor for the unit data of WarCraft II: open a scenario (.pud), a\n"
    "unit data or an upgrade data file, change every unit's values, the upgrades and\n"
    "the per-player restrictions, and write them back byte for byte.\n"
    "\n"
    "Arguments:\n"
    "  FILE                a scenario, unit data or upgrade data file to open at\n"
    "                      start\n"
    "\n"
    "Options:\n"
    "  -MarrowbyPlugIn     as the first argument, in any letter case: start as the\n"
    "                      plug-in of the host scenario editor, which holds the\n"
    "                      scenario\n"
    "  -h, --help          show this help\n"
    "  --version           show the version\n"
    "\n"
    "Qt's own -platform, -style and -reverse options work as in any Qt program. A\n"
    "file name that begins with \"-\" follows \"--\".\n"
    "\n"
    "The game directory is kept in ~/.config/Tarnwick/Tarnwick.conf. The\n"
    "command-line companion tarnwick-tool works on the same files without a window.\n"
    "\n"
    "Exit status:\n"
    "  0   the editor was closed, or help or the version was shown\n"
    "  1   plug-in mode could not start: no host, or the host did not answer\n"
    "  2   usage error: an unknown option, or more than one file\n";

// The option as it was typed, one dash or two, for the message.
std::string asTyped(const QStringList& arguments, const QString& name) {
    for (const QString& argument : arguments) {
        const QString option = argument.section('=', 0, 0);
        if (option == "-" + name || option == "--" + name) {
            return option.toStdString();
        }
    }
    return "--" + name.toStdString();
}

EditorStart usageError(const std::string& message, std::ostream& err) {
    err << "tarnwick: " << message << "\nTry \"tarnwick --help\".\n";
    return {2, {}};
}

}  // namespace

bool startsPlugInMode(const QStringList& arguments) {
    return !arguments.isEmpty() &&
           arguments.constFirst().compare("-MarrowbyPlugIn", Qt::CaseInsensitive) == 0;
}

EditorStart readEditorCommandLine(const QStringList& arguments, std::ostream& out,
                                  std::ostream& err) {
    if (startsPlugInMode(arguments)) {
        return {std::nullopt, arguments};
    }
    QCommandLineParser parser;
    // Qt's own options take one dash, so a single dash starts a long name here as well.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version("version");
    parser.addOptions({help, version});
    // QApplication reads these itself; they are only let through.
    for (const char* name : {"platform", "style", "stylesheet", "session", "display"}) {
        parser.addOption(QCommandLineOption(name, {}, "value"));
    }
    parser.addOption(QCommandLineOption("reverse"));
    if (!parser.parse(QStringList{"tarnwick"} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return usageError(unknown.isEmpty()
                              ? parser.errorText().toStdString()
                              : "Unknown option \"" + asTyped(arguments, unknown.first()) + "\"",
                          err);
    }
    if (parser.isSet(help)) {
        out << kHelp;
        return {0, {}};
    }
    if (parser.isSet(version)) {
        out << "tarnwick " << kVersion << '\n';
        return {0, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return usageError(
            "Unexpected argument \"" + platform::shownFileName(files[1]) + "\" (one file at most)",
            err);
    }
    return {std::nullopt, files};
}

}  // namespace tarnwick::ui
