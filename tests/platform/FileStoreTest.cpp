// The atomic save as the system sees it. This program is linked with -Wl,--wrap=fsync: a test
// can make the sync fail, and can look at the folder while the save is about to sync.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "platform/FileNames.h"
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

// A name is bytes: whatever they are, they come back from the QString the same, the file they
// name is the one read and written, and a message shows the bytes that are no UTF-8 escaped.
TEST_F(FileStoreTest, AFileNameReachesTheSystemAsTheSameBytes) {
    const std::string utf8Cafe = "caf\xC3\xA9";
    for (const std::string& name :
         {std::string("caf\xE9"), utf8Cafe, std::string("\xF0\x9F\x90\x89"),
          std::string("\xED\xB2\x80 \xE2\x82 \xC0\xAF \xFF")}) {
        const QString carried = platform::fileNameFromBytes(QByteArray::fromStdString(name));
        EXPECT_EQ(platform::bytesOfFileName(carried).toStdString(), name);
    }
    // A UTF-8 name is the QString Qt makes of it, so that Qt's own calls keep working.
    EXPECT_EQ(platform::fileNameFromBytes(QByteArray::fromStdString(utf8Cafe)),
              QString::fromUtf8(utf8Cafe.c_str()));

    const std::string latin1 = path("") + "/lat\xE9.pud";
    const QString name = platform::fileNameFromBytes(QByteArray::fromStdString(latin1));
    platform::saveWholeFile(name, new_);
    EXPECT_EQ(names(), (std::vector<std::string>{"lat\xE9.pud"}));
    EXPECT_EQ(platform::readWholeFile(name), new_);

    // A chooser lists the folder through Qt, which makes U+FFFD of the byte: the one entry that
    // reads so is the file meant; of two that read alike neither is guessed.
    const QString listed = QFile::decodeName(QByteArray::fromStdString(latin1));
    EXPECT_EQ(platform::fileNameFromListing(listed), name);
    const std::string namesake = path("") + "/lat\xE8.pud";
    platform::saveWholeFile(platform::fileNameFromBytes(QByteArray::fromStdString(namesake)), new_);
    EXPECT_EQ(platform::fileNameFromListing(listed), listed);
    try {
        platform::readWholeFile(
            platform::fileNameFromBytes(QByteArray::fromStdString(path("") + "/n\xE9" + utf8Cafe)));
        ADD_FAILURE() << "a missing file was read";
    } catch (const platform::ReadFailed& failure) {
        EXPECT_EQ(std::string(failure.what()), "Cannot open \"" + path("") + "/n\\xE9" + utf8Cafe +
                                                   "\": No such file or directory");
    }
    // Qt, removing the folder, cannot name these.
    std::remove(latin1.c_str());
    std::remove(namesake.c_str());
}

// A file as long as the largest of its kind is read; one byte more is refused, from a file by its
// size and from a pipe by reading no more than that byte.
TEST_F(FileStoreTest, AnInputLongerThanItsKindCanBeIsRefused) {
    const bytes::InputLimit limit{5, "table file"};
    save("five", Bytes(5, 1));
    EXPECT_EQ(platform::readWholeFile(QString::fromStdString(path("five")), limit), Bytes(5, 1));
    save("six", Bytes(6, 1));
    const std::string refusal = "longer than any table file (5 bytes at most)";
    try {
        platform::readWholeFile(QString::fromStdString(path("six")), limit);
        ADD_FAILURE() << "a file over the limit was read";
    } catch (const platform::ReadFailed& failure) {
        EXPECT_EQ(failure.reason, refusal);
    }
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "abcdefgh", 8), 8);
    ::close(ends[1]);
    try {
        platform::readOpenFile(ends[0], "pipe", limit);
        ADD_FAILURE() << "a pipe over the limit was read";
    } catch (const platform::ReadFailed& failure) {
        EXPECT_EQ(failure.reason, refusal);
    }
    char rest[8];
    EXPECT_EQ(::read(ends[0], rest, sizeof rest), 2);  // six bytes were taken, and no more
    ::close(ends[0]);
}

}  // namespace
