#include "tool/ToolCommands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "TarnwickProject.h"
#include "platform/StreamOutput.h"
#include "tool/CommandHelp.h"
#include "tool/CommandLine.h"
#include "tool/Commands.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

const std::string kProgram = "tarnwick-tool";

const Command& commandNamed(const std::string& name) {
    const auto& commands = toolCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& command) { return command.name == name; });
    if (found == commands.end()) {
        throw UsageError("Unknown command \"" + name + "\"");
    }
    return *found;
}

int showHelp(const std::vector<std::string>& topics, std::ostream& out) {
    if (topics.size() > 1) {
        throw UsageError("help takes one command");
    }
    out << (topics.empty() ? toolHelp(toolCommands()) : commandHelp(commandNamed(topics[0])));
    return 0;
}

int runCommand(const Command& command, const std::vector<std::string>& words, std::ostream& out,
               std::ostream& err) {
    try {
        std::optional<Invocation> invocation = parseInvocation(command, words);
        if (!invocation) {
            out << commandHelp(command);
            return 0;
        }
        invocation->warn = [&](const std::string& text) {
            err << kProgram << ' ' << command.name << ": warning: " << text << '\n';
        };
        const StandardInputTurn oneReadingOfStandardInput;
        treatOtherLinksOfOutputs(invocation->isSet(kBreakLinksOption.name)
                                     ? platform::OtherLinks::Separate
                                     : platform::OtherLinks::Refuse);
        command.run(*invocation, out);
        return 0;
    } catch (const AnswerStatus& answer) {
        return answer.status;
    } catch (const UsageError& error) {
        // Also what a command finds wrong with how its options go together.
        err << kProgram << ' ' << command.name << ": " << error.what() << '\n'
            << usage(command) << "Try \"" << kProgram << ' ' << command.name << " --help\".\n";
        return 2;
    } catch (const std::exception& error) {
        out.flush();
        err << kProgram << ' ' << command.name << ": " << error.what() << '\n';
        return command.failureStatus;
    }
}

// Why the text written to `out` did not all arrive, once it is flushed; nothing when it did.
std::optional<std::string> outputFailure(std::ostream& out) {
    out.flush();
    if (out) {
        return std::nullopt;
    }
    const auto* buffer = dynamic_cast<const platform::StreamOutputBuffer*>(out.rdbuf());
    return buffer && !buffer->reason().empty() ? buffer->reason() : std::strerror(EIO);
}

int runAny(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           int& failureStatus) {
    try {
        if (arguments.empty()) {
            throw UsageError("A command is needed");
        }
        const std::string& first = arguments[0];
        const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
        if (first == "--help" || first == "-h") {
            return showHelp({}, out);
        }
        if (first == "help") {
            return showHelp(rest, out);
        }
        if (first == "--version") {
            out << kProgram << ' ' << kVersion << '\n';
            return 0;
        }
        if (first.starts_with('-')) {
            throw UsageError("Unknown option \"" + first + "\"");
        }
        const Command& command = commandNamed(first);
        failureStatus = command.failureStatus;
        return runCommand(command, rest, out, err);
    } catch (const UsageError& error) {
        err << kProgram << ": " << error.what() << "\nTry \"" << kProgram << " --help\".\n";
        return 2;
    }
}

}  // namespace

int runTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    int failureStatus = 1;
    const int status = runAny(arguments, out, err, failureStatus);
    // Output that could not be written is a failure, whatever the command found: a listing cut
    // short on a full disk must not pass for a complete one.
    if (const auto reason = outputFailure(out)) {
        err << kProgram << ": standard output: " << *reason << '\n';
        return std::max(status, failureStatus);
    }
    return status;
}

}  // namespace tarnwick::tool
