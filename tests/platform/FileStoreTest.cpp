// The atomic save's temporary file as the system sees it. This program is linked with
// -Wl,--wrap=fsync and -Wl,--wrap=flock: a test can make the sync fail, look at the folder while
// the save is about to sync, kill the save there, and take locks away as a file system without
// them does.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include <QFile>

#include "SaveFolder.h"
#include "platform/FileNames.h"
#include "platform/FileStore.h"

extern "C" int __real_fsync(int descriptor);
extern "C" int __real_flock(int descriptor, int operation);

namespace {

// What the wrapped fsync does before the real one; an errno to fail with instead, or 0.
std::function<void()> beforeSync;
int failSyncWith = 0;
// An errno for every flock to fail with, or 0.
int failLocksWith = 0;

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

extern "C" int __wrap_flock(int descriptor, int operation) {
    if (failLocksWith != 0) {
        errno = failLocksWith;
        return -1;
    }
    return __real_flock(descriptor, operation);
}

namespace {

using namespace tarnwick;

// What a child process ends with, as a number the test can compare.
int exitStatusOf(pid_t child) {
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

class FileStoreTest : public testsupport::SaveFolder {
  protected:
    void TearDown() override {
        beforeSync = nullptr;
        failSyncWith = 0;
        failLocksWith = 0;
    }

    // A save in a process of its own that dies just before its sync, as a run killed while it
    // saves: its temporary file stays, and the lock on it goes with the process.
    void saveKilled(const std::string& name) const {
        const pid_t child = ::fork();
        if (child == 0) {
            beforeSync = [] { ::_exit(0); };
            try {
                save(name, new_);
            } catch (...) {
            }
            ::_exit(1);
        }
        ASSERT_EQ(exitStatusOf(child), 0) << "the save did not reach its sync";
    }

    // A save in a process of its own, stopped just before its sync until finish(): a writer still
    // at work, holding its temporary file locked. A test that ends early kills it.
    class PausedSave {
      public:
        PausedSave(const FileStoreTest& test, const std::string& name) {
            int ready[2] = {-1, -1};
            int resume[2] = {-1, -1};
            EXPECT_EQ(::pipe(ready), 0);
            EXPECT_EQ(::pipe(resume), 0);
            child_ = ::fork();
            if (child_ == 0) {
                beforeSync = [&] {
                    char byte = 0;
                    if (::write(ready[1], &byte, 1) != 1 || ::read(resume[0], &byte, 1) != 1) {
                        ::_exit(2);
                    }
                };
                try {
                    test.save(name, test.new_);
                } catch (...) {
                    ::_exit(1);
                }
                ::_exit(0);
            }
            char byte = 0;
            EXPECT_EQ(::read(ready[0], &byte, 1), 1) << "the save did not reach its sync";
            for (const int end : {ready[0], ready[1], resume[0]}) {
                ::close(end);
            }
            resume_ = resume[1];
        }
        ~PausedSave() {
            if (child_ > 0) {
                ::kill(child_, SIGKILL);
                exitStatusOf(child_);
            }
            ::close(resume_);
        }
        PausedSave(const PausedSave&) = delete;
        PausedSave& operator=(const PausedSave&) = delete;

        void finish() {
            const char byte = 0;
            EXPECT_EQ(::write(resume_, &byte, 1), 1);
            EXPECT_EQ(exitStatusOf(std::exchange(child_, -1)), 0);
        }

      private:
        pid_t child_ = -1;
        int resume_ = -1;
    };

    // The names in the folder but `known` ones.
    std::vector<std::string> namesBut(const std::vector<std::string>& known) const {
        std::vector<std::string> found = names();
        std::erase_if(found, [&](const std::string& name) {
            return std::find(known.begin(), known.end(), name) != known.end();
        });
        return found;
    }
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

// Another process that looks at the temporary file while it is written finds it locked: the
// lock is what tells a live save from the leftover of a killed one.
TEST_F(FileStoreTest, TheTemporaryFileSitsBesideItsTargetLockedWhileItIsWritten) {
    std::vector<std::string> whileSaving;
    int lockSeenByAnotherProcess = -1;
    beforeSync = [&] {
        whileSaving = names();
        const std::string temporary = path(whileSaving.front());
        const pid_t child = ::fork();
        if (child == 0) {
            const int descriptor = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
            const bool locked = descriptor >= 0 &&
                                __real_flock(descriptor, LOCK_EX | LOCK_NB) != 0 &&
                                errno == EWOULDBLOCK;
            ::_exit(locked ? 0 : 1);
        }
        lockSeenByAnotherProcess = exitStatusOf(child);
    };
    save("f.pud", new_);
    ASSERT_EQ(whileSaving.size(), 1u);
    EXPECT_TRUE(
        std::regex_match(whileSaving[0], std::regex(R"(\.f\.pud\.tarnwick-[A-Za-z0-9]{6})")))
        << whileSaving[0];
    EXPECT_EQ(lockSeenByAnotherProcess, 0);
    EXPECT_EQ(names(), std::vector<std::string>{"f.pud"});
    EXPECT_EQ(read("f.pud"), new_);
}

// Killed runs leave their temporary files; saves to the same targets remove them, each its own
// target's in a batch of several, also those under other names than the one the save takes
// (left while a save that has since ended held that one), but never one that another process
// holds locked, nor a file of the user's that only looks like one.
TEST_F(FileStoreTest, SavesRemoveTheFilesOfKilledSavesButNoneStillHeld) {
    const std::vector<std::string> users = {".a.pud.tarnwick-backup", ".a.pud.tarnwick-iGBMyQ",
                                            "a.pud", "b.pud"};
    for (const std::string& name : users) {
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("user's");
    }
    PausedSave liveA(*this, "a.pud");
    saveKilled("a.pud");
    // The test holds the killed one's file, as a writer still at work would.
    int holder = -1;
    std::string held;
    for (const std::string& name : namesBut(users)) {
        const int descriptor = ::open(path(name).c_str(), O_RDONLY | O_CLOEXEC);
        if (__real_flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            holder = descriptor;
            held = name;
        } else {
            ::close(descriptor);
        }
    }
    ASSERT_GE(holder, 0);
    saveKilled("a.pud");
    PausedSave liveB(*this, "b.pud");
    saveKilled("b.pud");
    liveB.finish();
    liveA.finish();
    ASSERT_EQ(namesBut(users).size(), 3u);

    save("a.pud", new_);
    save("b.pud", new_);
    EXPECT_EQ(namesBut(users), std::vector<std::string>{held});
    ::close(holder);
    save("a.pud", new_);
    EXPECT_EQ(names(), users);
    EXPECT_EQ(read("a.pud"), new_);
    EXPECT_EQ(read("b.pud"), new_);
    EXPECT_EQ(read(".a.pud.tarnwick-backup"), (Bytes{'u', 's', 'e', 'r', '\'', 's'}));
}

// Where flock fails (ENOLCK) a stale file cannot be told from a live one: saves go on without
// the lock, a killed one leaves its one temporary file, and the next saves leave it be.
TEST_F(FileStoreTest, WithoutLocksSavingStillWorksAndLeavesNoMoreThanAKilledSavesFile) {
    failLocksWith = ENOLCK;
    save("a.pud", old_);
    save("a.pud", new_);
    EXPECT_EQ(names(), std::vector<std::string>{"a.pud"});
    saveKilled("a.pud");
    const std::vector<std::string> left = namesBut({"a.pud"});
    ASSERT_EQ(left.size(), 1u);
    for (int time = 0; time < 3; ++time) {
        save("a.pud", old_);
    }
    EXPECT_EQ(namesBut({"a.pud"}), left);
    EXPECT_EQ(read("a.pud"), old_);
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
