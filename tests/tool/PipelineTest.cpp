// The tool in shell pipelines, run as its own process: "-" for standard input and output, pipes
// and devices written straight through, and a terminal spared binary output.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "ArchiveBuilder.h"
#include "DemoGameData.h"
#include "DemoScenario.h"
#include "ScenarioBuilder.h"
#include "ToolTestSupport.h"
#include "core/files/Scenario.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

class PipelineTest : public ToolTest {
  protected:
    void SetUp() override {
        write("in.pud", files::writeScenario(demo::demoScenario()));
        write("scripts.bin", demo::demoAnimations());
        write("unit.gfx", demo::demoSprite(2, 16, 16, 4));
        write("game.war", ArchiveBuilder()
                              .stored(patternBytes(100, 1))
                              .compressed(patternBytes(3000, 3))
                              .bytes());
        ASSERT_EQ(runCommand({"resave", path("in.pud"), path("once.pud")}).code, 0);
    }

    // Runs `script` with bash in the test's folder, "$TOOL" naming the tool and pipefail set, so
    // that a pipeline fails with the tool. Returns the status; standard error is in lastError.
    int shell(const std::string& script) {
        std::ofstream(path("run.sh"))
            << "set -o pipefail\n{ " << script << "\n} 2>" << path("err") << '\n';
        const std::string line = "cd '" + path("") + "' && TOOL='" TARNWICK_TOOL "' bash run.sh";
        const int status = std::system(line.c_str());
        const Bytes err = contents("err");
        lastError.assign(err.begin(), err.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Runs the tool with a terminal as standard output: its status, and what reached the
    // terminal (read as it comes, so that a long text cannot fill the terminal and stall).
    ToolRun onTerminal(const std::vector<std::string>& arguments) {
        int terminal = -1;
        int program = -1;
        EXPECT_EQ(::openpty(&terminal, &program, nullptr, nullptr, nullptr), 0);
        const int errors = ::open(path("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<char*> argv{const_cast<char*>(TARNWICK_TOOL)};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(program, STDOUT_FILENO);
            ::dup2(errors, STDERR_FILENO);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(program);
        ::close(errors);
        std::string shown;
        char block[4096];
        for (;;) {  // the terminal says EIO once the program and its descriptors are gone
            const ssize_t count = ::read(terminal, block, sizeof block);
            if (count > 0) {
                shown.append(block, static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                break;
            }
        }
        ::close(terminal);
        int status = 0;
        ::waitpid(child, &status, 0);
        const Bytes err = contents("err");
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, shown, {err.begin(), err.end()}};
    }

    std::string lastError;
};

}  // namespace

TEST_F(PipelineTest, DashAndStreamsCarryFilesThroughPipelines) {
    write("-", Bytes{'k', 'e', 'e', 'p'});  // a file named "-" is never taken for the streams
    EXPECT_EQ(shell("\"$TOOL\" resave in.pud - | cmp - once.pud"), 0) << lastError;
    EXPECT_EQ(shell("cat in.pud | \"$TOOL\" resave - piped.pud"), 0) << lastError;
    EXPECT_EQ(contents("piped.pud"), contents("once.pud"));
    EXPECT_EQ(shell("\"$TOOL\" resave in.pud /dev/stdout | cat > device.pud"), 0) << lastError;
    EXPECT_EQ(contents("device.pud"), contents("once.pud"));
    EXPECT_EQ(contents("-"), (Bytes{'k', 'e', 'e', 'p'}));

    // Changes from a pipe are the changes from a file.
    const std::string changes = R"({"units": [{"unit": 0, "hitPoints": 77}]})";
    std::ofstream(path("changes.json")) << changes;
    ASSERT_EQ(runCommand({"apply", path("in.pud"), path("changes.json"), path("file.pud")}).code,
              0);
    EXPECT_EQ(shell("echo '" + changes + "' | \"$TOOL\" apply in.pud - piped.pud"), 0) << lastError;
    EXPECT_EQ(contents("piped.pud"), contents("file.pud"));
    EXPECT_NE(contents("piped.pud"), contents("once.pud"));

    // An archive from standard input, an entry to standard output; one stream in and one out
    // is no file written over its input, even with both redirected.
    ASSERT_EQ(runCommand({"extract", path("game.war"), "1", path("entry")}).code, 0);
    EXPECT_EQ(shell("\"$TOOL\" extract - 1 - < game.war > piped"), 0) << lastError;
    EXPECT_EQ(contents("piped"), contents("entry"));
    EXPECT_EQ(contents("-"), (Bytes{'k', 'e', 'e', 'p'}));

    // A stream has no name to tell a picture's form by: it gets PNG.
    const Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const std::string command : {"minimap in.pud", "sprite unit.gfx"}) {
        EXPECT_EQ(shell("\"$TOOL\" " + command + " - | cat > picture"), 0) << lastError;
        const Bytes picture = contents("picture");
        EXPECT_TRUE(picture.size() > png.size() &&
                    std::equal(png.begin(), png.end(), picture.begin()))
            << command;
    }
}

TEST_F(PipelineTest, StandardInputIsOneInputAndNoOutputOverwritesAnInput) {
    EXPECT_EQ(shell("\"$TOOL\" diff - - < in.pud"), 2);
    EXPECT_NE(lastError.find("\"-\" is standard input, which is read once"), std::string::npos)
        << lastError;
    EXPECT_EQ(shell("\"$TOOL\" import - - out.pud < in.pud"), 2);
    EXPECT_FALSE(exists("out.pud"));
    EXPECT_EQ(shell("\"$TOOL\" apply --in-place changes.json - < in.pud"), 2);
    EXPECT_NE(lastError.find("FILE cannot be \"-\""), std::string::npos) << lastError;

    // Standard output redirected onto the input is that file all the same.
    const Bytes before = contents("in.pud");
    EXPECT_EQ(shell("\"$TOOL\" compress in.pud - >> in.pud"), 2);
    EXPECT_NE(lastError.find("OUT is the input file"), std::string::npos) << lastError;
    EXPECT_EQ(contents("in.pud"), before);
}

// Only streams in the test's folder or behind standard output are named: a tool that took a
// device for a file to replace, run by root, would put a file in its place.
TEST_F(PipelineTest, AFailedWriteToAStreamGivesTheSystemsReason) {
    EXPECT_EQ(shell("\"$TOOL\" resave in.pud - > /dev/full"), 1);
    EXPECT_EQ(lastError, "tarnwick-tool resave: \"-\": cannot write: No space left on device\n");
    // With SIGPIPE ignored, a reader that has gone is a failed write, not a silent success.
    write("big", patternBytes(300000, 5));
    EXPECT_EQ(shell("mkfifo fifo; head -c 1 fifo > /dev/null & trap '' PIPE; "
                    "\"$TOOL\" compress big fifo; status=$?; kill $! 2>/dev/null; exit $status"),
              1);
    EXPECT_EQ(lastError, "tarnwick-tool compress: \"fifo\": cannot write: Broken pipe\n");
    EXPECT_EQ(shell("trap '' PIPE; \"$TOOL\" compress big - | head -c 1 > /dev/null"), 1);
    EXPECT_EQ(lastError, "tarnwick-tool compress: \"-\": cannot write: Broken pipe\n");
}

// Text output is checked at the end as binary output is: a listing cut short fails with the
// system's reason, diff with 2 (trouble) rather than 1 (differ).
TEST_F(PipelineTest, TextThatCannotBeWrittenIsAFailure) {
    ASSERT_EQ(runCommand({"set", path("in.pud"), path("other.pud"), "0", "hitPoints", "5"}).code,
              0);
    const std::string full = "tarnwick-tool: standard output: No space left on device\n";
    for (const std::string command :
         {"units in.pud --format json", "info in.pud", "sections in.pud", "list game.war", "fields",
          "slots", "completion bash", "defaults in.pud", "upgrades in.pud", "restrictions in.pud",
          "balance in.pud 0 1 --scripts scripts.bin", "--help", "help info", "--version"}) {
        EXPECT_EQ(shell("\"$TOOL\" " + command + " > /dev/full"), 1) << command;
        EXPECT_EQ(lastError, full) << command;
    }
    EXPECT_EQ(shell("\"$TOOL\" diff in.pud other.pud > /dev/full"), 2);
    EXPECT_EQ(lastError, full);
    EXPECT_EQ(shell("\"$TOOL\" diff in.pud other.pud > /dev/null"), 1) << lastError;
    EXPECT_EQ(shell("\"$TOOL\" info in.pud >&-"), 1);
    EXPECT_EQ(lastError, "tarnwick-tool: standard output: Bad file descriptor\n");
}

// A Latin-1 name on the command line is the file of those bytes, whatever the locale says, and
// a message shows the byte escaped.
TEST_F(PipelineTest, AFileNameIsItsBytes) {
    for (const std::string locale : {"C", "C.UTF-8"}) {
        SCOPED_TRACE(locale);
        const std::string run = "LC_ALL=" + locale + " \"$TOOL\" ";
        std::remove(path("caf\xE9.pud").c_str());
        EXPECT_EQ(shell(run + "resave in.pud $'caf\\xe9.pud'"), 0) << lastError;
        // Read by its bytes, not through the names the tool uses.
        std::ifstream written(path("caf\xE9.pud"), std::ios::binary);
        EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(written), {}), contents("once.pud"));
        EXPECT_EQ(shell(run + "info $'caf\\xe9.pud' > info"), 0) << lastError;
        const Bytes info = contents("info");
        EXPECT_EQ(std::string(info.begin(), info.end()).rfind("description: ", 0), 0u);
        EXPECT_EQ(shell(run + "info $'caf\\xc3\\xa9\\x01\\xe9.pud'"), 1);
        EXPECT_EQ(lastError,
                  "tarnwick-tool info: \"caf\xC3\xA9\\x01\\xE9.pud\": cannot open: No "
                  "such file or directory\n");
    }
    std::remove(path("caf\xE9.pud").c_str());  // which Qt, removing the folder, cannot name
}

// No reader takes more than the largest file of its kind can be: endless input is refused by
// name under a memory limit that it would otherwise exhaust.
TEST_F(PipelineTest, EndlessOrOverlongInputIsRefusedByName) {
    const std::string limited = "ulimit -v 800000; \"$TOOL\" ";
    EXPECT_EQ(shell(limited + "info /dev/zero"), 1);
    EXPECT_EQ(lastError,
              "tarnwick-tool info: \"/dev/zero\": cannot read: longer than any "
              "scenario (16777216 bytes at most)\n");
    EXPECT_EQ(shell("mkfifo endless; { cat /dev/zero > endless 2>/dev/null & }; " + limited +
                    "apply in.pud endless out.pud"),
              1);
    EXPECT_EQ(lastError,
              "tarnwick-tool apply: \"endless\": cannot read: longer than any changes "
              "file (16777216 bytes at most)\n");
    // An archive may be larger than the memory the tool is given: that is said of the archive.
    EXPECT_EQ(shell(limited + "extract - 0 out < /dev/zero"), 1);
    EXPECT_EQ(lastError, "tarnwick-tool extract: \"-\": cannot read: Cannot allocate memory\n");

    write("long.udt", patternBytes(5959, 3));
    EXPECT_EQ(shell("\"$TOOL\" import in.pud long.udt out.pud"), 1);
    EXPECT_EQ(lastError,
              "tarnwick-tool import: \"long.udt\": cannot read: longer than any table "
              "file (5958 bytes at most)\n");
    EXPECT_FALSE(exists("out.pud"));

    // A damaged archive is named, as a missing one is.
    write("damaged.war", Bytes{'W', 'A', 'R', '2', 5, 0, 0, 0, 9, 0, 0, 0});
    EXPECT_EQ(shell("\"$TOOL\" extract damaged.war 0 out"), 1);
    EXPECT_EQ(lastError,
              "tarnwick-tool extract: \"damaged.war\": The archive is damaged: its table "
              "of 5 entries runs past the end of the file\n");
}

TEST_F(PipelineTest, ATerminalGetsTextButNoBinaryOutput) {
    const std::vector<std::vector<std::string>> binary = {
        {"resave", path("in.pud"), "-"},
        {"export", "udta", path("in.pud"), "-"},
        {"set", path("in.pud"), "-", "0", "hitPoints", "5"},
        {"extract", path("game.war"), "1", "-"},
        {"minimap", path("in.pud"), "-"},
        {"sprite", path("unit.gfx"), "-"},
        {"resave", path("in.pud"), "/dev/stdout"},
    };
    for (const auto& arguments : binary) {
        const ToolRun run = onTerminal(arguments);
        EXPECT_EQ(run.code, 2) << arguments[0];
        EXPECT_EQ(run.out, "") << arguments[0];
        EXPECT_NE(run.err.find("\" is a terminal: binary output goes to a file or a pipe"),
                  std::string::npos)
            << run.err;
    }
    const ToolRun text =
        onTerminal({"balance", path("in.pud"), "--matrix", "-", "--scripts", path("scripts.bin")});
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find(','), std::string::npos);
}

TEST_F(ToolTest, AFileThatCannotBeReadOrWrittenIsNamedFirst) {
    const ToolRun missing = runCommand({"sections", path("missing.pud")});
    EXPECT_EQ(missing.err, "tarnwick-tool sections: \"" + path("missing.pud") +
                               "\": cannot open: No such file or directory\n");
    write("in.pud", scenarioWithUnits({}));
    const ToolRun noFolder = runCommand({"resave", path("in.pud"), path("none/out.pud")});
    EXPECT_EQ(noFolder.err, "tarnwick-tool resave: \"" + path("none/out.pud") +
                                "\": cannot create: No such file or directory\n");
}
