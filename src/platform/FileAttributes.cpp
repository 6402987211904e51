#include "platform/FileAttributes.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tarnwick::platform {

namespace {

// What a file system without attributes, or a process without the right, answers.
bool isNotAllowed(int error) {
    return error == ENOTSUP || error == EOPNOTSUPP || error == EPERM || error == EACCES;
}

bool takeOverOwner(int descriptor, const struct stat& status) {
    struct stat own {};
    if (::fstat(descriptor, &own) != 0) {
        return false;
    }
    if (own.st_uid == status.st_uid && own.st_gid == status.st_gid) {
        return true;
    }
    if (::fchown(descriptor, status.st_uid, status.st_gid) == 0) {
        return true;
    }
    if (errno != EPERM) {
        return false;
    }
    return ::fchown(descriptor, static_cast<uid_t>(-1), status.st_gid) == 0 || errno == EPERM;
}

// One of `read`'s answers whole: the size asked first, then the bytes, again if they grew.
template <typename Read>
bool readWhole(std::vector<char>& buffer, Read read) {
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0) {
            return false;
        }
        buffer.resize(static_cast<std::size_t>(size));
        const ssize_t got = read(buffer.data(), buffer.size());
        if (got >= 0) {
            buffer.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) {
            return false;
        }
    }
}

bool takeOverExtendedAttributes(int descriptor, const std::string& original) {
    std::vector<char> names;
    if (!readWhole(names, [&](char* into, std::size_t size) {
            return ::listxattr(original.c_str(), into, size);
        })) {
        return isNotAllowed(errno);
    }
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size();) {
        const std::string name(names.data() + at);
        at += name.size() + 1;
        if (!readWhole(value, [&](char* into, std::size_t size) {
                return ::getxattr(original.c_str(), name.c_str(), into, size);
            })) {
            if (errno == ENODATA || isNotAllowed(errno)) {
                continue;  // gone meanwhile, or not for this process to read
            }
            return false;
        }
        if (::fsetxattr(descriptor, name.c_str(), value.data(), value.size(), 0) != 0 &&
            !isNotAllowed(errno)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool takeOverAttributes(int descriptor, const std::string& original, const struct stat& status) {
    return takeOverOwner(descriptor, status) && ::fchmod(descriptor, status.st_mode & 07777) == 0 &&
           takeOverExtendedAttributes(descriptor, original);
}

}  // namespace tarnwick::platform
