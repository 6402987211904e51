#include <iostream>

#include "platform/StreamOutput.h"
#include "tool/ToolCommands.h"

int main(int argc, char** argv) {
    // Text goes out through a buffer that keeps why a write failed, for the check at the end.
    tarnwick::platform::StreamOutputBuffer standardOutput(
        tarnwick::platform::StreamOutput::standardOutput());
    std::ostream out(&standardOutput);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return tarnwick::tool::runTool(arguments, out, std::cerr);
}
