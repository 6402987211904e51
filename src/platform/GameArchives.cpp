#include "platform/GameArchives.h"

#include "core/Error.h"
#include "core/archive/Archive.h"
#include "platform/GameFiles.h"

namespace tarnwick::platform {

QString locateGameArchive(const QString& gameDirectory, const QString& name) {
    const auto path = findGameFile(gameDirectory, "data/" + name);
    if (!path) {
        throw Error("Error Opening " + name.toStdString());
    }
    return *path;
}

MappedFile openGameArchive(const QString& gameDirectory, const QString& name) {
    const QString path = locateGameArchive(gameDirectory, name);
    try {
        return MappedFile(path, archive::kLargestArchive);
    } catch (const Error&) {
        throw Error("Error Opening " + name.toStdString());
    }
}

}  // namespace tarnwick::platform
