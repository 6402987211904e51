#include "tool/CommandHelp.h"

#include <algorithm>
#include <sstream>

namespace tarnwick::tool {

namespace {

constexpr std::size_t kLineWidth = 79;
constexpr std::size_t kTermWidth = 20;  // where descriptions start after a term

// `words` joined by blanks into lines of at most kLineWidth: the first line starts with `lead`,
// every other one is indented by `indent`.
std::string filled(const std::vector<std::string>& words, const std::string& lead,
                   std::size_t indent) {
    std::string result;
    std::string line = lead;
    bool lineHasWord = lead.find_first_not_of(' ') != std::string::npos;
    for (const std::string& word : words) {
        if (lineHasWord && line.size() + 1 + word.size() > kLineWidth) {
            result += line + '\n';
            line = std::string(indent, ' ');
            lineHasWord = false;
        }
        line += (lineHasWord ? " " : "") + word;
        lineHasWord = true;
    }
    return result + line + '\n';
}

// `text` broken at blanks, every line indented by `indent`.
std::string wrapped(const std::string& text, std::size_t indent) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return filled(words, std::string(indent, ' '), indent);
}

// "  TERM          description", the description wrapped below itself; a term too long to
// share its first line stands on lines of its own.
std::string termLine(const std::string& head, const std::string& description) {
    std::string body = wrapped(description, kTermWidth);
    if (head.find('\n') == std::string::npos && head.size() + 1 < kTermWidth) {
        return head + body.substr(head.size());
    }
    return head + '\n' + body;
}

std::string termLine(const HelpTerm& term) {
    return termLine("  " + term.term, term.description);
}

std::string optionTerm(const Option& option) {
    return "--" + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
}

// "IN", "[OUT]", "FILE...": the arguments as the synopsis shows them.
std::vector<std::string> argumentParts(const std::vector<Argument>& arguments) {
    std::vector<std::string> parts;
    for (const Argument& argument : arguments) {
        const std::string name = argument.name + (argument.repeats ? "..." : "");
        parts.push_back(argument.optional ? '[' + name + ']' : name);
    }
    return parts;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : " ") + part;
    }
    return text;
}

}  // namespace

const char* const kToolPurpose =
    "The command-line companion of the Tarnwick editor: it reads and writes scenarios, unit and "
    "upgrade data, game archives and sprites with the editor's own code.";

const char* const kOptionRules =
    "Options may stand anywhere after the command, as --name VALUE or --name=VALUE. Arguments "
    "that begin with \"-\", such as the unit name -Corpse-, follow \"--\"; negative numbers need "
    "nothing.";

const std::vector<HelpTerm>& toolOptions() {
    static const std::vector<HelpTerm> options = {
        {"-h, --help", "show this help; after a command, that command's help"},
        {"--version", "show the version"},
        {"--" + kBreakLinksOption.name, "after a command: " + kBreakLinksOption.description},
    };
    return options;
}

const std::vector<HelpTerm>& exitStatuses() {
    static const std::vector<HelpTerm> statuses = {
        {"0", "success"},
        {"1",
         "failure: the message says why, and no file is left half-written; standard output "
         "that could not all be written is one too"},
        {"2",
         "usage error: an unknown command or option, a missing or extra argument, a value that "
         "its argument or option does not take"},
    };
    return statuses;
}

const std::vector<HelpTerm>& toolExamples() {
    static const std::vector<HelpTerm> examples = {
        {"tarnwick-tool units my.pud --game ~/war2",
         "every unit of my.pud with the name the game gives it"},
        {"tarnwick-tool help sprite", "the sprite command's arguments and options"},
    };
    return examples;
}

std::vector<std::string> synopsisParts(const Command& command) {
    std::vector<std::string> parts = {"tarnwick-tool", command.name};
    std::string alternatives;
    for (const Option& option : command.options) {
        if (!option.arguments.empty()) {
            alternatives +=
                " | " + optionTerm(option) + ' ' + joined(argumentParts(option.arguments));
        }
    }
    const std::vector<std::string> own = argumentParts(command.arguments);
    if (alternatives.empty()) {
        parts.insert(parts.end(), own.begin(), own.end());
    } else {
        parts.push_back('(' + joined(own) + alternatives + ')');
    }
    for (const Option& option : command.options) {
        if (option.arguments.empty()) {
            parts.push_back('[' + optionTerm(option) + ']');
        }
    }
    return parts;
}

std::vector<const Argument*> argumentsOf(const Command& command) {
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
    return arguments;
}

std::string usage(const Command& command) {
    // Continued lines start under the first argument.
    const std::string lead = "Usage: tarnwick-tool " + command.name;
    const std::vector<std::string> parts = synopsisParts(command);
    return filled({parts.begin() + 2, parts.end()}, lead, lead.size() + 1);
}

std::string toolHelp(const std::vector<Command>& commands) {
    std::string text =
        "Usage: tarnwick-tool COMMAND [ARGUMENTS AND OPTIONS]\n"
        "  or:  tarnwick-tool help [COMMAND]\n"
        "  or:  tarnwick-tool --help | --version\n\n";
    text += wrapped(kToolPurpose, 0);
    text += "\nCommands:\n";
    for (const Command& command : commands) {
        if (command.hidden) {
            continue;
        }
        const std::vector<std::string> parts = synopsisParts(command);
        std::string head =
            filled({parts.begin() + 2, parts.end()}, "  " + command.name, command.name.size() + 3);
        head.pop_back();
        text += termLine(head, command.summary);
    }
    text += "\nOptions:\n";
    for (const HelpTerm& option : toolOptions()) {
        text += termLine(option);
    }
    text += '\n' + wrapped(kOptionRules, 0) + "\nExit status:\n";
    for (const HelpTerm& status : exitStatuses()) {
        const std::string lines = wrapped(status.description, 6);
        text += "  " + status.term + std::string(3, ' ') + lines.substr(6);
    }
    text += "\nExamples:\n";
    for (const HelpTerm& example : toolExamples()) {
        text += termLine(example);
    }
    return text;
}

std::string commandHelp(const Command& command) {
    std::string text = usage(command) + '\n' + wrapped(command.summary, 0);
    const std::vector<const Argument*> arguments = argumentsOf(command);
    if (!arguments.empty()) {
        text += "\nArguments:\n";
        for (const Argument* argument : arguments) {
            text += termLine("  " + argument->name, argument->description);
        }
    }
    text += "\nOptions:\n";
    for (const Option& option : command.options) {
        text += termLine("  " + optionTerm(option), option.description);
    }
    text += termLine("  -h, --help", "show this help");
    return text + "\nExample:\n  " + command.example + '\n';
}

}  // namespace tarnwick::tool
