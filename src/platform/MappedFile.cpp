#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileNames.h"
#include "platform/FileStore.h"

namespace tarnwick::platform {

MappedFile::Mapping::~Mapping() {
    ::munmap(address, length);
}

MappedFile::MappedFile(const QString& path, bytes::InputLimit limit) {
    const std::string name = shownFileName(path);
    const int descriptor = ::open(bytesOfFileName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        throw ReadFailed(ReadFailed::Step::Open, name, std::strerror(errno));
    }
    struct stat status {};
    const bool mappable = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                          status.st_size > 0 &&
                          static_cast<std::uintmax_t>(status.st_size) <= limit.bytes;
    void* address = mappable ? ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ,
                                      MAP_PRIVATE, descriptor, 0)
                             : MAP_FAILED;
    if (address != MAP_FAILED) {
        ::close(descriptor);
        mapping_.reset(new Mapping{address, static_cast<std::size_t>(status.st_size)});
        bytes_ = {static_cast<const std::uint8_t*>(address), mapping_->length};
        return;
    }
    // Read instead, which refuses a file over the limit and says why another cannot be read.
    try {
        copy_ = readOpenFile(descriptor, name, limit);
    } catch (...) {
        ::close(descriptor);
        throw;
    }
    ::close(descriptor);
    bytes_ = copy_;
}

}  // namespace tarnwick::platform
