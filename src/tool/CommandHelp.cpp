#include "tool/CommandHelp.h"

#include <algorithm>
#include <sstream>

namespace tarnwick::tool {

namespace {

constexpr std::size_t kLineWidth = 79;
constexpr std::size_t kTermWidth = 20;  // where descriptions start after a term

// `text` broken at blanks into lines of at most kLineWidth, every line indented by `indent`.
std::string wrapped(const std::string& text, std::size_t indent) {
    std::istringstream words(text);
    std::string result;
    std::string line;
    for (std::string word; words >> word;) {
        if (!line.empty() && indent + line.size() + 1 + word.size() > kLineWidth) {
            result += std::string(indent, ' ') + line + '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return result + std::string(indent, ' ') + line + '\n';
}

// "  TERM          description", the description wrapped below itself.
std::string termLine(const std::string& term, const std::string& description) {
    const std::string head = "  " + term;
    std::string body = wrapped(description, kTermWidth);
    if (head.size() + 1 < kTermWidth) {
        return head + body.substr(head.size());
    }
    return head + '\n' + body;
}

std::string optionTerm(const Option& option) {
    return "--" + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
}

// " IN [OUT] FILE...": the arguments as the synopsis shows them.
std::string argumentList(const std::vector<Argument>& arguments) {
    std::string list;
    for (const Argument& argument : arguments) {
        const std::string name = argument.name + (argument.repeats ? "..." : "");
        list += ' ' + (argument.optional ? '[' + name + ']' : name);
    }
    return list;
}

}  // namespace

std::string synopsis(const Command& command) {
    std::string line = "tarnwick-tool " + command.name;
    std::string alternatives;
    for (const Option& option : command.options) {
        if (!option.arguments.empty()) {
            alternatives += " | " + optionTerm(option) + argumentList(option.arguments);
        }
    }
    line += alternatives.empty()
                ? argumentList(command.arguments)
                : " (" + argumentList(command.arguments).substr(1) + alternatives + ')';
    for (const Option& option : command.options) {
        if (option.arguments.empty()) {
            line += " [" + optionTerm(option) + ']';
        }
    }
    return line;
}

std::string toolHelp(const std::vector<Command>& commands) {
    std::string text =
        "Usage: tarnwick-tool COMMAND [ARGUMENTS AND OPTIONS]\n"
        "  or:  tarnwick-tool help [COMMAND]\n"
        "  or:  tarnwick-tool --help | --version\n\n";
    text += wrapped(
        "The command-line companion of the Tarnwick editor: it reads and writes scenarios, unit "
        "and upgrade data, game archives and sprites with the editor's own code.",
        0);
    text += "\nCommands:\n";
    for (const Command& command : commands) {
        if (command.hidden) {
            continue;
        }
        text += termLine(synopsis(command).substr(std::string("tarnwick-tool ").size()),
                         command.summary);
    }
    text += "\nOptions:\n";
    text += termLine("-h, --help", "show this help; after a command, that command's help");
    text += termLine("--version", "show the version");
    text += '\n';
    text += wrapped(
        "Options may stand anywhere after the command, as --name VALUE or --name=VALUE. "
        "Arguments that begin with \"-\", such as the unit name -Corpse-, follow \"--\"; "
        "negative numbers need nothing.",
        0);
    text +=
        "\nExit status:\n"
        "  0   success\n"
        "  1   failure: the message says why, and no file is left half-written\n"
        "  2   usage error: an unknown command or option, a missing or extra argument,\n"
        "      a value that its argument or option does not take\n"
        "\nExamples:\n";
    text += termLine("tarnwick-tool units my.pud --game ~/war2",
                     "every unit of my.pud with the name the game gives it");
    text += termLine("tarnwick-tool help sprite", "the sprite command's arguments and options");
    return text;
}

std::string commandHelp(const Command& command) {
    std::string text = "Usage: " + synopsis(command) + "\n\n" + wrapped(command.summary, 0);
    // The arguments of every form, each name once.
    std::vector<const Argument*> arguments;
    const auto add = [&](const std::vector<Argument>& form) {
        for (const Argument& argument : form) {
            if (std::none_of(arguments.begin(), arguments.end(),
                             [&](const Argument* known) { return known->name == argument.name; })) {
                arguments.push_back(&argument);
            }
        }
    };
    add(command.arguments);
    for (const Option& option : command.options) {
        add(option.arguments);
    }
    if (!arguments.empty()) {
        text += "\nArguments:\n";
        for (const Argument* argument : arguments) {
            text += termLine(argument->name, argument->description);
        }
    }
    text += "\nOptions:\n";
    for (const Option& option : command.options) {
        text += termLine(optionTerm(option), option.description);
    }
    text += termLine("-h, --help", "show this help");
    return text + "\nExample:\n  " + command.example + '\n';
}

}  // namespace tarnwick::tool
