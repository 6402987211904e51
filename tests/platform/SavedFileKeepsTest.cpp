// What a save keeps of the file it replaces: links, owner, mode, extended attributes, and the
// files it must not replace at all.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ErrorText.h"
#include "SaveFolder.h"

namespace {

using namespace tarnwick;
namespace fs = std::filesystem;

class SavedFileKeepsTest : public testsupport::SaveFolder {
  protected:
    struct stat statusOf(const std::string& name) const {
        struct stat status {};
        EXPECT_EQ(::stat(path(name).c_str(), &status), 0) << name;
        return status;
    }
    std::string saveFailure(const std::string& name,
                            platform::OtherLinks otherLinks = platform::OtherLinks::Refuse) const {
        return testsupport::errorOf<platform::SaveFailed>([&] { save(name, new_, otherLinks); });
    }
};

// A chain of links, relative ones from another folder among them: the file at its end gets the
// bytes and every link stays. A loop is refused with the system's reason and changes nothing.
TEST_F(SavedFileKeepsTest, ASaveThroughLinksReachesTheRealFileAndKeepsEveryLink) {
    save("real.pud", old_);
    fs::create_directory(path("sub"));
    fs::create_symlink("../real.pud", path("sub/first.pud"));
    fs::create_symlink("sub/first.pud", path("second.pud"));

    save("second.pud", new_);
    EXPECT_TRUE(fs::is_symlink(path("second.pud")));
    EXPECT_TRUE(fs::is_symlink(path("sub/first.pud")));
    EXPECT_EQ(names(), (std::vector<std::string>{"real.pud", "second.pud", "sub"}));
    EXPECT_EQ(read("real.pud"), new_);

    fs::create_symlink("loop2.pud", path("loop1.pud"));
    fs::create_symlink("loop1.pud", path("loop2.pud"));
    EXPECT_EQ(saveFailure("loop1.pud"),
              "Cannot create \"" + path("loop1.pud") + "\": Too many levels of symbolic links");
    EXPECT_TRUE(fs::is_symlink(path("loop1.pud")));
    EXPECT_EQ(fs::read_symlink(path("loop1.pud")), "loop2.pud");
}

// Tests run as root in CI: a file of another user keeps its owner and group, and its set-id bits,
// which a change of owner clears when it comes after the mode.
TEST_F(SavedFileKeepsTest, ASavedFileKeepsItsOwnerGroupAndMode) {
    // A new file gets what the umask leaves of 0666, not a temporary file's 0600.
    const mode_t mask = ::umask(022);
    save("new.pud", new_);
    ::umask(mask);
    EXPECT_EQ(statusOf("new.pud").st_mode & 07777, 0644u);

    save("theirs.pud", old_);
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    ASSERT_EQ(::chown(path("theirs.pud").c_str(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(path("theirs.pud").c_str(), 06751), 0);

    save("theirs.pud", new_);
    const struct stat status = statusOf("theirs.pud");
    EXPECT_EQ(status.st_uid, 4321u);
    EXPECT_EQ(status.st_gid, 8765u);
    EXPECT_EQ(status.st_mode & 07777, 06751u);
    EXPECT_EQ(read("theirs.pud"), new_);
}

TEST_F(SavedFileKeepsTest, ASavedFileKeepsItsExtendedAttributes) {
    save("tagged.pud", old_);
    const std::string tag = "set by the user";
    if (::setxattr(path("tagged.pud").c_str(), "user.tarnwick.note", tag.data(), tag.size(), 0) !=
        0) {
        GTEST_SKIP() << "the test folder's file system takes no user attributes";
    }
    save("tagged.pud", new_);
    char kept[64] = {};
    const ssize_t size =
        ::getxattr(path("tagged.pud").c_str(), "user.tarnwick.note", kept, sizeof kept);
    EXPECT_EQ(std::string(kept, size > 0 ? static_cast<std::size_t>(size) : 0), tag);
}

// As the save's comment says, a file its owner made read-only is not replaced: also not by root,
// whom the system would let write it.
TEST_F(SavedFileKeepsTest, AFileNobodyMayWriteIsRefusedAlsoAsRoot) {
    save("locked.pud", old_);
    ASSERT_EQ(::chmod(path("locked.pud").c_str(), 0444), 0);
    EXPECT_EQ(saveFailure("locked.pud"),
              "Cannot create \"" + path("locked.pud") + "\": Permission denied");
    EXPECT_EQ(read("locked.pud"), old_);
    EXPECT_EQ(names(), std::vector<std::string>{"locked.pud"});
}

// A save writes a new file, which would part a file from its other names: refused, unless the
// caller says to go on, and then only the name saved to gets the new bytes.
TEST_F(SavedFileKeepsTest, AFileWithOtherHardLinksIsRefusedUnlessTheyMayPart) {
    save("one.pud", old_);
    fs::create_hard_link(path("one.pud"), path("two.pud"));
    fs::create_symlink("two.pud", path("link.pud"));
    EXPECT_EQ(platform::hardLinkCount(QString::fromStdString(path("link.pud"))), 2u);

    const std::string name = path("link.pud");
    EXPECT_EQ(saveFailure("link.pud"), "Cannot create \"" + name + "\": " + name +
                                           " has 2 hard links; saving would separate them");
    EXPECT_EQ(read("one.pud"), old_);
    EXPECT_EQ(names(), (std::vector<std::string>{"link.pud", "one.pud", "two.pud"}));

    save("link.pud", new_, platform::OtherLinks::Separate);
    EXPECT_EQ(read("two.pud"), new_);
    EXPECT_EQ(read("one.pud"), old_);
    EXPECT_EQ(statusOf("one.pud").st_nlink, 1u);
    EXPECT_EQ(platform::hardLinkCount(QString::fromStdString(path("two.pud"))), 1u);
}

}  // namespace
