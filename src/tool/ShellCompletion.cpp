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
    replaceAll(script, "%COMMAND_CASES%", commandCases(commands, shell == "fish"));
    replaceAll(script, "%COMMANDS%", joined(names, " "));
    replaceAll(script, "%UNITNAMES%", kUnitNamesCommand);
    return script;
}

}  // namespace tarnwick::tool
