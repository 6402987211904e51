// The atomic save as the system sees it. This program is linked with -Wl,--wrap=fsync: a test
// can make the sync fail, and can look at the folder while the save is about to sync.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "platform/FileStore.h"

extern "C" int __real_fsync(int descriptor);

namespace {

// What the wrapped fsync does before the real one; an errno to fail with instead, or 0.
std::function<void()> beforeSync;
int failSyncWith = 0;

}  // namespace

extern "C" int __wrap_fsync(int descriptor) {
    if (beforeSync) {
        beforeSync();
    }
    if (failSyncWith != 0) {
        errno = failSyncWith;
        return -1;
    }
    return __real_fsync(descriptor);
}

namespace {

using namespace tarnwick;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class FileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    void TearDown() override {
        beforeSync = nullptr;
        failSyncWith = 0;
    }

    std::string path(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }
    void save(const std::string& name, const Bytes& bytes) const {
        platform::saveWholeFile(QString::fromStdString(path(name)), bytes);
    }
    Bytes read(const std::string& name) const {
        return platform::readWholeFile(QString::fromStdString(path(name)));
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder_.path().toStdString())) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    QTemporaryDir folder_;
    const Bytes old_ = {1, 2, 3, 4};
    const Bytes new_ = {9, 8, 7};
};

TEST_F(FileStoreTest, ASyncThatFailsKeepsTheOldFileAndSaysWhy) {
    save("f08.pud", old_);
    failSyncWith = EIO;
    try {
        save("f08.pud", new_);
        FAIL() << "the save said it worked";
    } catch (const platform::SaveFailed& failure) {
        EXPECT_EQ(failure.step, platform::SaveFailed::Step::Write);
        EXPECT_EQ(failure.reason, "Input/output error");
    }
    EXPECT_EQ(read("f08.pud"), old_);
    EXPECT_EQ(names(), std::vector<std::string>{"f08.pud"});
}

TEST_F(FileStoreTest, TheTemporaryFileSitsBesideItsTargetUnderARecognisableName) {
    std::vector<std::string> whileSaving;
    beforeSync = [&] { whileSaving = names(); };
    save("f08.pud", new_);
    ASSERT_EQ(whileSaving.size(), 1u);
    EXPECT_TRUE(std::regex_match(whileSaving[0], std::regex(R"(\.f08\.pud\.tarnwick-\w{6})")))
        << whileSaving[0];
    EXPECT_EQ(names(), std::vector<std::string>{"f08.pud"});
    EXPECT_EQ(read("f08.pud"), new_);
}

// A run killed during its save leaves its temporary file; the next save to the same target
// removes it, but not one a save still running holds, nor anybody else's.
TEST_F(FileStoreTest, TheNextSaveRemovesAStaleTemporaryFileOfItsOwn) {
    for (const char* name :
         {"f08.pud", ".f08.pud.tarnwick-iGBMyQ", ".f08.pud.tarnwick-heldXX",
          ".f09.pud.tarnwick-iGBMyQ", ".f08.pud.tarnwick-toolong", "f08.pud.x"}) {
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left");
    }
    const int held = ::open(path(".f08.pud.tarnwick-heldXX").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    save("f08.pud", new_);
    ::close(held);
    EXPECT_EQ(read("f08.pud"), new_);
    EXPECT_EQ(names(),
              (std::vector<std::string>{".f08.pud.tarnwick-heldXX", ".f08.pud.tarnwick-toolong",
                                        ".f09.pud.tarnwick-iGBMyQ", "f08.pud", "f08.pud.x"}));
}

TEST_F(FileStoreTest, ASavedFileKeepsItsPermissionsAndALinkStaysALink) {
    save("real.pud", old_);
    ASSERT_EQ(::chmod(path("real.pud").c_str(), 0640), 0);
    fs::create_symlink("real.pud", path("link.pud"));

    save("link.pud", new_);
    EXPECT_TRUE(fs::is_symlink(path("link.pud")));
    EXPECT_EQ(read("real.pud"), new_);
    struct stat status {};
    ASSERT_EQ(::stat(path("real.pud").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    // A new file gets what the umask leaves of 0666, not a temporary file's 0600.
    const mode_t mask = ::umask(022);
    save("new.pud", new_);
    ::umask(mask);
    ASSERT_EQ(::stat(path("new.pud").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
}

}  // namespace
