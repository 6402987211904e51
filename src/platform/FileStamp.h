#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include <QByteArray>
#include <QString>

#include "platform/FileStore.h"

namespace tarnwick::platform {

// A regular file as it was at one moment: enough to tell later whether another program has
// changed or replaced it since, even within one tick of the file system's clock.
struct FileStamp {
    FileIdentity identity;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    QByteArray digest;  // of the content
    bool operator==(const FileStamp&) const = default;
};

// The regular file `path` names, links followed, as it is now; nothing when there is none or
// it cannot be read.
std::optional<FileStamp> stampFile(const QString& path);
// The same for a file this program has just written with `content`: its content is known, so
// a change by another program straight after the write still shows.
std::optional<FileStamp> stampWrittenFile(const QString& path,
                                          std::span<const std::uint8_t> content);

// Whether `path` names a regular file that is no longer the one `stamp` describes: another
// file in its place, another size or modification time, or other bytes. No file there is no
// change, as writing it loses nothing; a file that cannot be read is judged without its bytes.
bool changedSince(const FileStamp& stamp, const QString& path);

}  // namespace tarnwick::platform
