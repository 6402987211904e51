#pragma once

#include <functional>
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

struct Argument {
    std::string name;
    std::string description;
    bool optional = false;  // only after every required one
};

struct Option {
    std::string name;       // used as --name
    std::string valueName;  // empty for a switch
    std::string description;
};

// One command of tarnwick-tool: what its help shows, and the handler. The handler writes its
// results to `out` and throws tarnwick::Error when it fails.
struct Command {
    std::string name;
    std::string summary;
    std::vector<Argument> arguments;
    std::vector<Option> options;
    std::string example;
    void (*run)(const Invocation& invocation, std::ostream& out);
};

// A command line that asks for something no command offers: exit status 2.
class UsageError : public Error {
  public:
    using Error::Error;
};

}  // namespace tarnwick::tool
