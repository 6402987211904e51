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
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include <QFile>

#include "SaveFolder.h"

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
// target's in a batch of several, but never one that another process holds locked, nor a file of
// the user's that only looks like one.
TEST_F(FileStoreTest, SavesRemoveTheFilesOfKilledSavesButNoneStillHeld) {
    const std::vector<std::string> users = {".a.pud.tarnwick-backup", ".a.pud.tarnwick-iGBMyQ",
                                            "a.pud", "b.pud"};
    for (const std::string& name : users) {
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("user's");
    }
    saveKilled("a.pud");
    const std::vector<std::string> firstLeft = namesBut(users);
    ASSERT_EQ(firstLeft.size(), 1u);
    const int held = ::open(path(firstLeft[0]).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(__real_flock(held, LOCK_EX), 0);
    saveKilled("a.pud");
    saveKilled("b.pud");
    ASSERT_EQ(namesBut(users).size(), 3u);

    save("a.pud", new_);
    save("b.pud", new_);
    EXPECT_EQ(namesBut(users), firstLeft);
    ::close(held);
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

}  // namespace
