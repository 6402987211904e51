#include "platform/MappedFile.h"

#include "core/Error.h"
#include "platform/FileStore.h"

namespace tarnwick::platform {

MappedFile::MappedFile(const QString& path) : file_(std::make_unique<QFile>(path)) {
    if (!file_->open(QIODevice::ReadOnly)) {
        throw ReadFailed(ReadFailed::Step::Open, path.toStdString(),
                         file_->errorString().toStdString());
    }
    const qint64 size = file_->size();
    if (size > 0) {
        if (const uchar* mapped = file_->map(0, size)) {
            bytes_ = {mapped, static_cast<std::size_t>(size)};
            return;
        }
    }
    copy_ = readWholeFile(path);
    bytes_ = copy_;
}

}  // namespace tarnwick::platform
