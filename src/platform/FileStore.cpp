#include "platform/FileStore.h"

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
    const auto failure = [&](SaveFailed::Step step) {
        const char* what = step == SaveFailed::Step::Create ? "Cannot create" : "Cannot write";
        return SaveFailed(step, std::string(what) + " \"" + path.toStdString() +
                                    "\": " + file.errorString().toStdString());
    };
    if (!file.open(QIODevice::WriteOnly)) {
        throw failure(SaveFailed::Step::Create);
    }
    const auto size = static_cast<qint64>(data.size());
    if (file.write(reinterpret_cast<const char*>(data.data()), size) != size) {
        const SaveFailed error = failure(SaveFailed::Step::Write);
        file.cancelWriting();
        throw error;
    }
    if (!file.commit()) {
        throw failure(SaveFailed::Step::Write);
    }
}

}  // namespace tarnwick::platform
