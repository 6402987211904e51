#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <QString>

#include "core/Error.h"
#include "core/bytes/InputLimit.h"

namespace tarnwick::platform {

// A file that could not be read or saved, at which step, and the system's reason ("No space
// left on device"), for boxes that show it after their own text and for callers that name the
// file their own way. The message is "Cannot open \"NAME\": REASON" (read, create, write).
class FileFailed : public Error {
  public:
    enum class Step { Open, Read, Create, Write };
    FileFailed(Step failedStep, const std::string& name, std::string systemReason);
    // "open", "read", "create" or "write".
    const char* verb() const;
    Step step;
    std::string reason;
};
class ReadFailed : public FileFailed {
  public:
    using FileFailed::FileFailed;
};
class SaveFailed : public FileFailed {
  public:
    using FileFailed::FileFailed;
};

// A save onto a file that has other names (hard links) that it would leave with the old bytes.
class LinksWouldSeparate : public SaveFailed {
  public:
    LinksWouldSeparate(const std::string& name, nlink_t count);
    nlink_t links;
};

// As large as memory allows: for files this program wrote itself.
inline constexpr bytes::InputLimit kAnySize{SIZE_MAX - 1, "file"};

// The whole file, `path` taken as bytes (see FileNames); throws ReadFailed with a readable
// reason when it cannot be read, or when it is longer than `limit`, before reading it all.
std::vector<std::uint8_t> readWholeFile(const QString& path, bytes::InputLimit limit = kAnySize);
// All of standard input, to its end; throws ReadFailed, as readWholeFile.
std::vector<std::uint8_t> readStandardInput(bytes::InputLimit limit);
// All of what `descriptor` is open on, which stays open, as readWholeFile; `name` for messages.
std::vector<std::uint8_t> readOpenFile(int descriptor, const std::string& name,
                                       bytes::InputLimit limit);

// Replaces the file only once every byte is written and synced (a sibling temporary file renamed
// over the target, see SiblingTempFile): on failure the old file is untouched and the temporary
// file gone. The new file keeps what the user set on the old one: its mode, its owner and group
// where this process may set them, and its extended attributes. A symbolic link, or a chain of
// them, stays, and the file it leads to is replaced; a loop is refused. A file nobody may write
// is refused, also when running as root. A file with other hard links is refused
// (LinksWouldSeparate) unless `otherLinks` is Separate: it then becomes a file of its own and
// the other names keep the old bytes. A pipe, a device or a descriptor of this program
// (/dev/stdout) is written straight through instead (see StreamOutput). Throws SaveFailed with
// the reason.
enum class OtherLinks { Refuse, Separate };
void saveWholeFile(const QString& path, std::span<const std::uint8_t> data,
                   OtherLinks otherLinks = OtherLinks::Refuse);
// Written into the file `path` names as it stands, made when there is none: emptied and written
// through, not replaced, so that a process holding it open reads the new bytes (a thumbnail
// service's output file). A failed write can leave it part-written, so this is for files handed
// over to be filled, never for a user's own. Throws SaveFailed with the reason.
void writeInPlace(const QString& path, std::span<const std::uint8_t> data);
// How many names the regular file at `path` has, links followed; 0 for no regular file there.
nlink_t hardLinkCount(const QString& path);
// Straight through to standard output; throws SaveFailed with the reason.
void writeStandardOutput(std::span<const std::uint8_t> data);

// A regular file by device and inode: two names that give the same are one file.
struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};
// The regular file `path` names, links followed, or that `descriptor` is open on; nothing for
// a pipe, a device, a folder or no file at all, which a write cannot overwrite before it is read.
std::optional<FileIdentity> regularFileAt(const QString& path);
std::optional<FileIdentity> regularFileOn(int descriptor);

}  // namespace tarnwick::platform
