#include "tool/ShellCompletion.h"

#include <stdexcept>

#include "completion/CompletionScripts.h"

namespace tarnwick::tool {

namespace {

// The scripts hold the table in single quotes and split it at blanks and "|".
void checkWord(const std::string& word) {
    if (word.find_first_of(" |'\\\"$`") != std::string::npos) {
        throw std::logic_error("no shell word: " + word);
    }
}

std::string joined(const std::vector<std::string>& words, const std::string& separator) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : separator) + word;
    }
    return text;
}

std::string kindWord(const ValueKind& kind) {
    switch (kind.type) {
        case ValueKind::Type::File:
            return "file";
        case ValueKind::Type::Directory:
            return "dir";
        case ValueKind::Type::Integer:
            return "none";
        case ValueKind::Type::Unit:
            return "unit";
        case ValueKind::Type::Choice:
            for (const std::string& choice : kind.choices) {
                checkWord(choice);
            }
            return '|' + joined(kind.choices, "|");
    }
    return "none";
}

std::vector<std::string> argumentKinds(const std::vector<Argument>& arguments) {
    std::vector<std::string> kinds;
    for (const Argument& argument : arguments) {
        kinds.push_back(kindWord(argument.kind) + (argument.repeats ? "..." : ""));
    }
    return kinds;
}

std::string optionEntry(const Option& option) {
    checkWord(option.name);
    const std::string name = "--" + option.name;
    if (!option.arguments.empty()) {
        return name + '>' + joined(argumentKinds(option.arguments), ",");
    }
    return option.valueName.empty() ? name : name + '=' + kindWord(option.kind);
}

struct CommandWords {
    std::string options;
    std::string arguments;
};

CommandWords wordsOf(const Command& command) {
    std::vector<std::string> options;
    for (const Option& option : command.options) {
        options.push_back(optionEntry(option));
    }
    options.push_back(optionEntry(kBreakLinksOption));  // every command takes it
    checkWord(command.name);
    return {joined(options, " "), joined(argumentKinds(command.arguments), " ")};
}

std::string commandCases(const std::vector<Command>& commands, bool fish) {
    std::string lines;
    for (const Command& command : commands) {
        if (command.hidden) {
            continue;
        }
        const CommandWords words = wordsOf(command);
        lines += fish ? "        case " + command.name + "\n            echo '" + words.options +
                            "'\n            echo '" + words.arguments + "'\n"
                      : "    " + command.name + ") optionList='" + words.options +
                            "' argumentList='" + words.arguments + "' ;;\n";
    }
    lines.pop_back();
    return lines;
}

// zsh's _arguments takes the table as specs: "--name[what it does]:VALUE:action" for an option,
// ":NAME:action" for an argument, "::" optional, "*:" repeated. A switch that brings arguments
// of its own starts a set of its own ("- name"), which excludes the plain arguments.
std::string zshEscaped(const std::string& text, const std::string& special) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\'') {
            escaped += "'\\''";
            continue;
        }
        if (special.find(c) != std::string::npos) {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string zshAction(const ValueKind& kind) {
    switch (kind.type) {
        case ValueKind::Type::File:
            return "_files";
        case ValueKind::Type::Directory:
            return "_files -/";
        case ValueKind::Type::Integer:
            return " ";  // a value to type: nothing to offer
        case ValueKind::Type::Unit:
            return "_tarnwick_tool_units";
        case ValueKind::Type::Choice:
            for (const std::string& choice : kind.choices) {
                checkWord(choice);
            }
            return '(' + joined(kind.choices, " ") + ')';
    }
    return " ";
}

std::string zshArgumentSpecs(const std::vector<Argument>& arguments) {
    std::string specs;
    for (const Argument& argument : arguments) {
        const std::string position = argument.repeats ? "*:" : argument.optional ? "::" : ":";
        specs +=
            " '" + position + zshEscaped(argument.name, ":") + ':' + zshAction(argument.kind) + "'";
    }
    return specs;
}

std::string zshOptionSpec(const Option& option) {
    checkWord(option.name);
    const std::string described =
        "--" + option.name + (option.valueName.empty() || !option.arguments.empty() ? "" : "=") +
        '[' + zshEscaped(option.description, "[]:") + ']';
    if (option.valueName.empty() || !option.arguments.empty()) {
        return " '" + described + "'";
    }
    return " '" + described + ':' + zshEscaped(option.valueName, ":") + ':' +
           zshAction(option.kind) + "'";
}

std::string zshCases(const std::vector<Command>& commands) {
    std::string lines;
    for (const Command& command : commands) {
        if (command.hidden) {
            continue;
        }
        checkWord(command.name);
        std::string common = " '--help[show this help]'" + zshOptionSpec(kBreakLinksOption);
        std::string sets;
        for (const Option& option : command.options) {
            if (option.arguments.empty()) {
                common += zshOptionSpec(option);
            } else {
                sets += " - " + option.name + zshOptionSpec(option) +
                        zshArgumentSpecs(option.arguments);
            }
        }
        const std::string plain = zshArgumentSpecs(command.arguments);
        lines += "        " + command.name + ") _arguments -S :" + common +
                 (sets.empty() ? plain : " - plain" + plain + sets) + " && ret=0 ;;\n";
    }
    lines.pop_back();
    return lines;
}

void replaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

}  // namespace

std::string completionScript(const std::vector<Command>& commands, const std::string& shell) {
    std::string script = shell == "bash"  ? kBashCompletion
                         : shell == "zsh" ? kZshCompletion
                                          : kFishCompletion;
    std::vector<std::string> names;
    for (const Command& command : commands) {
        if (!command.hidden) {
            names.push_back(command.name);
        }
    }
    replaceAll(script, "%COMMAND_CASES%",
               shell == "zsh" ? zshCases(commands) : commandCases(commands, shell == "fish"));
    replaceAll(script, "%COMMANDS%", joined(names, " "));
    replaceAll(script, "%UNITNAMES%", kUnitNamesCommand);
    return script;
}

}  // namespace tarnwick::tool
