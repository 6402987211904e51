#include "tool/CommandLine.h"

#include <algorithm>

#include "core/bytes/Printable.h"
#include "core/model/TypedNumber.h"

namespace tarnwick::tool {

namespace {

std::string quoted(const std::string& text) {
    return '"' + bytes::printable(text) + '"';
}

std::string listed(const std::vector<std::string>& words) {
    std::string list;
    for (const std::string& word : words) {
        list += (list.empty() ? "" : ", ") + word;
    }
    return list;
}

std::string allowedNumbers(const ValueKind& kind) {
    if (kind.minimum == std::numeric_limits<std::int64_t>::min()) {
        return "a whole number";
    }
    if (kind.maximum >= std::numeric_limits<std::int32_t>::max()) {
        return "a whole number of " + std::to_string(kind.minimum) + " or more";
    }
    return "a whole number from " + std::to_string(kind.minimum) + " to " +
           std::to_string(kind.maximum);
}

std::optional<std::int64_t> wholeNumber(const std::string& text) {
    try {
        return model::parseTypedInteger64(text);
    } catch (const Error&) {
        return std::nullopt;
    }
}

bool isNegativeNumber(const std::string& word) {
    return word.size() > 1 && word[0] == '-' && word[1] >= '0' && word[1] <= '9';
}

bool isOptionWord(const std::string& word) {
    return word.starts_with('-') && word != "-" && !isNegativeNumber(word);
}

bool asksForHelp(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (word == "--") {
            return false;
        }
        if (word == "-h" || word == "--help") {
            return true;
        }
    }
    return false;
}

const Option& optionNamed(const Command& command, const std::string& word) {
    if (!word.starts_with("--")) {
        throw UsageError("Unknown option " + quoted(word) +
                         " (an argument that begins with \"-\" follows \"--\")");
    }
    const std::string name = word.substr(2);
    if (name == kBreakLinksOption.name) {
        return kBreakLinksOption;
    }
    const auto found = std::find_if(command.options.begin(), command.options.end(),
                                    [&](const Option& option) { return option.name == name; });
    if (found == command.options.end()) {
        throw UsageError("Unknown option " + quoted(word));
    }
    return *found;
}

void checkArgumentCount(const std::vector<Argument>& expected,
                        const std::vector<std::string>& given) {
    if (given.size() < expected.size() && !expected[given.size()].optional) {
        throw UsageError("Missing argument " + expected[given.size()].name);
    }
    const bool repeats = !expected.empty() && expected.back().repeats;
    if (given.size() > expected.size() && !repeats) {
        throw UsageError("Unexpected argument " + quoted(given[expected.size()]));
    }
}

}  // namespace

void checkValue(const std::string& name, const ValueKind& kind, const std::string& text) {
    if (kind.type == ValueKind::Type::Integer) {
        const auto value = wholeNumber(text);
        if (!value || *value < kind.minimum || *value > kind.maximum) {
            throw UsageError(name + ": " + quoted(text) + " is not " + allowedNumbers(kind));
        }
    }
    if (kind.type == ValueKind::Type::Choice &&
        std::find(kind.choices.begin(), kind.choices.end(), text) == kind.choices.end()) {
        throw UsageError(name + ": " + quoted(text) + " is not one of " +
                         (kind.whereListed.empty() ? listed(kind.choices) : kind.whereListed));
    }
}

std::optional<Invocation> parseInvocation(const Command& command,
                                          const std::vector<std::string>& words) {
    if (asksForHelp(words)) {
        return std::nullopt;
    }
    Invocation invocation;
    const std::vector<Argument>* expected = &command.arguments;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || !isOptionWord(word)) {
            invocation.arguments.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const Option& option =
            optionNamed(command, word.starts_with("--") ? word.substr(0, equals) : word);
        const std::string dashed = "--" + option.name;
        if (!option.arguments.empty()) {
            expected = &option.arguments;
        }
        if (option.valueName.empty()) {
            if (equals != std::string::npos) {
                throw UsageError(dashed + " takes no value");
            }
            invocation.options[option.name] = "";
            continue;
        }
        if (equals == std::string::npos && i + 1 == words.size()) {
            throw UsageError(dashed + " needs a value: " + dashed + ' ' + option.valueName);
        }
        const std::string value =
            equals == std::string::npos ? words[++i] : word.substr(equals + 1);
        checkValue(dashed, option.kind, value);
        invocation.options[option.name] = value;
    }
    checkArgumentCount(*expected, invocation.arguments);
    for (std::size_t i = 0; i < invocation.arguments.size(); ++i) {
        const Argument& argument = (*expected)[std::min(i, expected->size() - 1)];
        checkValue(argument.name, argument.kind, invocation.arguments[i]);
    }
    return invocation;
}

}  // namespace tarnwick::tool
