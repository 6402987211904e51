#include "tool/ToolCommands.h"

#include <algorithm>

#include <QCommandLineParser>
#include <QRegularExpression>

#include "TarnwickProject.h"
#include "tool/CommandHelp.h"
#include "tool/Commands.h"

namespace tarnwick::tool {

namespace {

const std::string kProgram = "tarnwick-tool";

// QCommandLineParser reads "-5" as an option, yet a command's numbers may be negative: they are
// marked with a character that no command line can hold while it parses, and restored after.
const QChar kNumberMark = QChar(0);

QString shielded(const std::string& word) {
    static const QRegularExpression negativeNumber("^-[0-9]");
    QString text = QString::fromStdString(word);
    if (negativeNumber.match(text).hasMatch()) {
        text[0] = kNumberMark;
    }
    return text;
}

std::string restored(QString text) {
    if (text.startsWith(kNumberMark)) {
        text[0] = '-';
    }
    return text.toStdString();
}

std::string dashed(const QString& optionName) {
    return (optionName.size() == 1 ? "-" : "--") + optionName.toStdString();
}

const Command& commandNamed(const std::string& name) {
    const auto& commands = toolCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& command) { return command.name == name; });
    if (found == commands.end()) {
        throw UsageError("Unknown command \"" + name + "\"");
    }
    return *found;
}

// The command's arguments and options, in any order; nothing when help was asked for.
std::optional<Invocation> parseInvocation(const Command& command,
                                          const std::vector<std::string>& words) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{"h", "help"});
    parser.addOption(help);
    for (const Option& option : command.options) {
        const QString name = QString::fromStdString(option.name);
        parser.addOption(
            option.valueName.empty()
                ? QCommandLineOption(name)
                : QCommandLineOption(name, {}, QString::fromStdString(option.valueName)));
    }
    QStringList list{QString::fromStdString(kProgram)};
    for (const std::string& word : words) {
        list << shielded(word);
    }
    const bool parsed = parser.parse(list);
    if (parser.isSet(help)) {
        return std::nullopt;
    }
    if (!parsed) {
        const QStringList unknown = parser.unknownOptionNames();
        throw UsageError(unknown.isEmpty() ? parser.errorText().toStdString()
                                           : "Unknown option \"" + dashed(unknown.first()) + "\"");
    }
    Invocation invocation;
    for (const QString& argument : parser.positionalArguments()) {
        invocation.arguments.push_back(restored(argument));
    }
    const std::size_t given = invocation.arguments.size();
    const std::size_t most = command.arguments.size();
    if (given < most && !command.arguments[given].optional) {
        throw UsageError("Missing argument " + command.arguments[given].name);
    }
    if (given > most) {
        throw UsageError("Unexpected argument \"" + invocation.arguments[most] + "\"");
    }
    for (const Option& option : command.options) {
        const QString name = QString::fromStdString(option.name);
        if (parser.isSet(name)) {
            invocation.options[option.name] =
                option.valueName.empty() ? std::string() : restored(parser.value(name));
        }
    }
    return invocation;
}

int showHelp(const std::vector<std::string>& topics, std::ostream& out) {
    if (topics.size() > 1) {
        throw UsageError("help takes one command");
    }
    out << (topics.empty() ? toolHelp(toolCommands()) : commandHelp(commandNamed(topics[0])));
    return 0;
}

int runCommand(const Command& command, const std::vector<std::string>& words, std::ostream& out,
               std::ostream& err) {
    try {
        std::optional<Invocation> invocation = parseInvocation(command, words);
        if (!invocation) {
            out << commandHelp(command);
            return 0;
        }
        invocation->warn = [&](const std::string& text) {
            err << kProgram << ' ' << command.name << ": warning: " << text << '\n';
        };
        command.run(*invocation, out);
        return 0;
    } catch (const UsageError& error) {
        // Also what a command finds wrong with how its options go together.
        err << kProgram << ' ' << command.name << ": " << error.what()
            << "\nUsage: " << synopsis(command) << "\nTry \"" << kProgram << ' ' << command.name
            << " --help\".\n";
        return 2;
    } catch (const std::exception& error) {
        out.flush();
        err << kProgram << ' ' << command.name << ": " << error.what() << '\n';
        return 1;
    }
}

}  // namespace

int runTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        if (arguments.empty()) {
            throw UsageError("A command is needed");
        }
        const std::string& first = arguments[0];
        const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
        if (first == "--help" || first == "-h") {
            return showHelp({}, out);
        }
        if (first == "help") {
            return showHelp(rest, out);
        }
        if (first == "--version") {
            out << kProgram << ' ' << kVersion << '\n';
            return 0;
        }
        if (first.starts_with('-')) {
            throw UsageError("Unknown option \"" + first + "\"");
        }
        return runCommand(commandNamed(first), rest, out, err);
    } catch (const UsageError& error) {
        err << kProgram << ": " << error.what() << "\nTry \"" << kProgram << " --help\".\n";
        return 2;
    }
}

}  // namespace tarnwick::tool
