#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/Error.h"

namespace tarnwick::tool {

// What a command was given: its arguments in order and the options that were set.
struct Invocation {
    std::vector<std::string> arguments;
    std::map<std::string, std::string> options;  // by long name; a switch maps to ""
    // A note on stderr for a command that succeeds yet may not do what the user meant.
    std::function<void(const std::string&)> warn = [](const std::string&) {};

    bool isSet(const std::string& option) const { return options.contains(option); }
    std::optional<std::string> value(const std::string& option) const {
        const auto found = options.find(option);
        return found == options.end() ? std::nullopt : std::optional(found->second);
    }
};

// What an argument or an option's value may be. The parser refuses anything else as a usage
// error that names the argument or option; shell completion offers what the kind allows.
struct ValueKind {
    enum class Type { File, Directory, Integer, Choice, Unit };
    Type type = Type::File;
    std::int64_t minimum = std::numeric_limits<std::int64_t>::min();
    std::int64_t maximum = std::numeric_limits<std::int64_t>::max();
    std::vector<std::string> choices = {};
    std::string whereListed = {};  // for choices too many for a message: where they are listed
};

inline ValueKind directoryValue() {
    return {ValueKind::Type::Directory};
}
inline ValueKind integerValue(std::int64_t minimum, std::int64_t maximum) {
    return {ValueKind::Type::Integer, minimum, maximum};
}
inline ValueKind wholeNumberValue() {
    return integerValue(std::numeric_limits<std::int64_t>::min(),
                        std::numeric_limits<std::int64_t>::max());
}
// 0 to the largest 32-bit number: counts and entry numbers.
inline ValueKind countValue() {
    return integerValue(0, std::numeric_limits<std::int32_t>::max());
}
inline ValueKind choiceValue(std::vector<std::string> choices, std::string whereListed = {}) {
    return {ValueKind::Type::Choice, 0, 0, std::move(choices), std::move(whereListed)};
}
// A unit's id or its name as units prints it: the command checks it, knowing the names.
inline ValueKind unitValue() {
    return {ValueKind::Type::Unit};
}

struct Argument {
    std::string name;
    std::string description;
    ValueKind kind = {};
    bool optional = false;  // only after every required one
    bool repeats = false;   // one or more: only the last
};

struct Option {
    std::string name;       // used as --name
    std::string valueName;  // empty for a switch
    std::string description;
    ValueKind kind = {};  // of the value
    // The arguments the command takes when this switch is given, instead of its own.
    std::vector<Argument> arguments = {};
};

// Taken by every command, for the files it writes (shown among the tool's own options).
inline const Option kBreakLinksOption{
    "break-links", "",
    "write a file that has other hard links even so: it becomes a file of its own and the other "
    "names keep the old bytes (without it such a file is refused)"};

// One command of tarnwick-tool: what its help shows, and the handler. The handler writes its
// results to `out` and throws tarnwick::Error when it fails.
struct Command {
    std::string name;
    std::string summary;
    std::vector<Argument> arguments;
    std::vector<Option> options;
    std::string example;
    void (*run)(const Invocation& invocation, std::ostream& out);
    int failureStatus = 1;  // diff fails with 2, as diff(1) does
    bool hidden = false;    // a helper of the shell completion, left out of help and completion
};

// Thrown by a command whose exit status is part of its answer (diff: 1 when the files differ)
// once its output is complete. No failure: nothing goes to standard error.
struct AnswerStatus {
    int status;
};

// A command line that asks for something no command offers: exit status 2.
class UsageError : public Error {
  public:
    using Error::Error;
};

}  // namespace tarnwick::tool
