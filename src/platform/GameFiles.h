#pragma once

#include <optional>

#include <QString>

namespace tarnwick::platform {

// Finds a game file such as "DATA\MAINDAT.WAR" inside the game directory, matching every
// component without regard to letter case (the game's own names are upper case, installs
// copied from elsewhere often are not). Either separator may be used.
std::optional<QString> findGameFile(const QString& gameDirectory, const QString& relativePath);

// Whether the directory holds the game's main archive, "DATA\MAINDAT.WAR".
bool holdsGameData(const QString& gameDirectory);

}  // namespace tarnwick::platform
