#pragma once

#include <string>
#include <vector>

#include "tool/Command.h"

namespace tarnwick::tool {

// The words --help and the manual page share, each set in its own form.

// A term and what it means: an exit status, an example, an option.
struct HelpTerm {
    std::string term;
    std::string description;
};

// What tarnwick-tool is for, and how its options and arguments are written.
extern const char* const kToolPurpose;
extern const char* const kOptionRules;
const std::vector<HelpTerm>& toolOptions();   // -h, --help and --version
const std::vector<HelpTerm>& exitStatuses();  // 0, 1 and 2
const std::vector<HelpTerm>& toolExamples();  // of the whole tool

// "tarnwick-tool", "set", "IN", ..., "[--wrap]", "[--game DIR]": the synopsis in the parts a
// line may break between.
std::vector<std::string> synopsisParts(const Command& command);
// The arguments of every form of the command (its own, and those of a switch that replaces
// them), each name once.
std::vector<const Argument*> argumentsOf(const Command& command);

// "Usage: tarnwick-tool set IN OUT ...", broken between parts to fit 79 columns.
std::string usage(const Command& command);

// The answer to --help: usage, every command with its synopsis and summary, the option
// conventions and the exit status.
std::string toolHelp(const std::vector<Command>& commands);

// The answer to COMMAND --help: usage, summary, a line per argument and option, an example.
std::string commandHelp(const Command& command);

}  // namespace tarnwick::tool
