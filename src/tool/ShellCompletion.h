#pragma once

#include <string>
#include <vector>

#include "tool/Command.h"

namespace tarnwick::tool {

// The shells whose completion scripts the tool writes.
inline const std::vector<std::string> kCompletionShells = {"bash", "zsh", "fish"};

// The completion script of `commands` for `shell` (one of kCompletionShells): command names,
// each command's options, and for every argument and option value what its kind allows (files,
// folders, the fixed choices, unit names from the game once --game DIR is on the line).
std::string completionScript(const std::vector<Command>& commands, const std::string& shell);

// The hidden command that the scripts run for unit names.
inline const char* const kUnitNamesCommand = "unit-names";

}  // namespace tarnwick::tool
