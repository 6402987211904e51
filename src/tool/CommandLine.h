#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tool/Command.h"

namespace tarnwick::tool {

// A command's words as the tool reads them: long options only (--name VALUE or --name=VALUE),
// anywhere; "-h" or "--help" asks for help (nothing is returned); "--" ends the options; "-" and
// negative numbers are arguments. Any other word that begins with "-" is an unknown option.
// Every argument and option value is checked against its kind. Throws UsageError.
std::optional<Invocation> parseInvocation(const Command& command,
                                          const std::vector<std::string>& words);

// Refuses `text` as a usage error that names the argument or option `name`, unless it is of
// `kind`.
void checkValue(const std::string& name, const ValueKind& kind, const std::string& text);

}  // namespace tarnwick::tool
