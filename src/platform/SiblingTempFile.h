#pragma once

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick::platform {

// The file an atomic save writes before it replaces its target: beside the target (a rename
// never crosses file systems) and named ".<target's name>.tarnwick-XXXXXX", so that a user who
// finds one left by a killed run knows what it is. The six letters are not random: they are one
// of a fixed few that follow from the target's name (its slots), so finding the files a killed
// run left costs a look at those few names, not a read of the whole folder, and no other file
// ever has its name taken for one. Its writer holds a lock on it while it lives; once its own is
// created and locked, a save takes the lock of each other slot's file, which only succeeds on one
// whose writer is gone, and removes those. Where the file system has no locks a stale file
// cannot be told from a live one: the save goes on without the lock and leaves the others be.
// Each step returns false with the system's reason in reason().
class SiblingTempFile {
  public:
    // `target` is the file to replace, symbolic links already followed.
    explicit SiblingTempFile(std::string target);
    // A file that did not replace its target is removed.
    ~SiblingTempFile();
    SiblingTempFile(const SiblingTempFile&) = delete;
    SiblingTempFile& operator=(const SiblingTempFile&) = delete;

    // Creates this one in the first free slot, or fails with "File exists" when every slot is
    // taken, then removes the stale files of the other slots.
    bool create();
    // All of `data`; a write the disk took only in part is carried on until the system says why
    // it takes no more.
    bool write(std::span<const std::uint8_t> data);
    // Syncs the file to the disk, checking that the sync worked, then renames it over the target.
    bool replaceTarget();

    // Open from create() to replaceTarget(), for the caller to set owner, mode and attributes.
    int descriptor() const { return descriptor_; }
    const std::string& reason() const { return reason_; }

  private:
    bool fail();
    std::string slotPath(int slot) const;
    void removeStaleFiles(int ownSlot) const;

    std::string target_;
    std::string directory_;
    std::string prefix_;  // ".<target's name>.tarnwick-"
    std::uint64_t nameHash_ = 0;
    std::string path_;
    int descriptor_ = -1;
    std::string reason_;
};

}  // namespace tarnwick::platform
