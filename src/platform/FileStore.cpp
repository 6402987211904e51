#include "platform/FileStore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>

#include "core/Error.h"
#include "platform/SiblingTempFile.h"

namespace tarnwick::platform {

namespace {

// The file a save replaces: a symbolic link stays a link, and the file it names gets the bytes.
QString followLinks(const QString& path) {
    QFileInfo file(path);
    for (int depth = 0; depth < 40 && file.isSymLink(); ++depth) {
        file.setFile(file.symLinkTarget());
    }
    return file.filePath();
}

}  // namespace

std::vector<std::uint8_t> readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error("Cannot open \"" + path.toStdString() +
                    "\": " + file.errorString().toStdString());
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Error("Cannot read \"" + path.toStdString() +
                    "\": " + file.errorString().toStdString());
    }
    return {content.begin(), content.end()};
}

void saveWholeFile(const QString& path, std::span<const std::uint8_t> data) {
    const auto failure = [&](SaveFailed::Step step, const std::string& reason) {
        const char* what = step == SaveFailed::Step::Create ? "Cannot create" : "Cannot write";
        return SaveFailed(step, std::string(what) + " \"" + path.toStdString() + "\": " + reason,
                          reason);
    };
    const std::string target = QFile::encodeName(followLinks(path)).toStdString();
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        throw failure(SaveFailed::Step::Create, std::strerror(EISDIR));
    }
    // A file its owner made read-only is not replaced behind their back.
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        throw failure(SaveFailed::Step::Create, std::strerror(errno));
    }
    SiblingTempFile temporary(target);
    if (!temporary.create(exists ? std::optional<mode_t>(existing.st_mode & 07777)
                                 : std::nullopt)) {
        throw failure(SaveFailed::Step::Create, temporary.reason());
    }
    if (!temporary.write(data) || !temporary.replaceTarget()) {
        throw failure(SaveFailed::Step::Write, temporary.reason());
    }
}

}  // namespace tarnwick::platform
