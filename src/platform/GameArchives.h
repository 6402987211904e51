#pragma once

#include <QString>

#include "platform/MappedFile.h"

namespace tarnwick::platform {

// One of the game's archives, found in the game directory's data folder without regard to
// letter case. Throws tarnwick::Error "Error Opening NAME" (the name as given) when it cannot
// be found or read.
MappedFile openGameArchive(const QString& gameDirectory, const QString& name);

// Where that archive is, for writing it back; throws like openGameArchive.
QString locateGameArchive(const QString& gameDirectory, const QString& name);

}  // namespace tarnwick::platform
