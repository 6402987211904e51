#pragma once

#include <string>

#include "core/model/Document.h"

namespace tarnwick::tool {

// The game's own tables: its default unit data (with the swamp graphics when `withSwamp`) and
// upgrade data from MAINDAT.WAR, and the restrictions "Add Default Restrictions" builds.
model::Document gameDefaults(const std::string& gameDirectory, bool withSwamp);

}  // namespace tarnwick::tool
