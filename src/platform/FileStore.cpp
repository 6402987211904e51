#include "platform/FileStore.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>
#include <QFile>
#include <QSaveFile>

#include "core/Error.h"

namespace tarnwick::platform {

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
    QSaveFile file(path);
    const auto failure = [&](SaveFailed::Step step, const std::string& reason) {
        const char* what = step == SaveFailed::Step::Create ? "Cannot create" : "Cannot write";
        return SaveFailed(step, std::string(what) + " \"" + path.toStdString() + "\": " + reason,
                          reason);
    };
    if (!file.open(QIODevice::WriteOnly)) {
        throw failure(SaveFailed::Step::Create, file.errorString().toStdString());
    }
    // A small file stays in Qt's buffer until the flush, and a full disk is only reported there
    // (or, on file systems that allocate late, at the sync): commit() alone would rename an empty
    // file over the user's. So every step is checked before the file may replace the target.
    const auto size = static_cast<qint64>(data.size());
    const bool written = file.write(reinterpret_cast<const char*>(data.data()), size) == size;
    const bool flushed = written && file.flush();
    const bool synced = flushed && ::fsync(file.handle()) == 0;
    if (!synced) {
        const std::string reason =
            written && flushed ? std::strerror(errno) : file.errorString().toStdString();
        file.cancelWriting();
        throw failure(SaveFailed::Step::Write, reason);
    }
    if (!file.commit()) {
        throw failure(SaveFailed::Step::Write, file.errorString().toStdString());
    }
}

}  // namespace tarnwick::platform
