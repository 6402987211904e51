#include "tool/Commands.h"
#include "tool/ManualPage.h"

namespace tarnwick::tool {

namespace {

void printManualPage(const Invocation& invocation, std::ostream& out) {
    out << manualPage(toolCommands(), invocation.value("date").value_or(""));
}

}  // namespace

std::vector<Command> manualCommands() {
    return {
        {"manual",
         "Prints the manual page tarnwick-tool(1) in roff, made from the command table as the "
         "help is; the build installs it.",
         {},
         {{"date", "DATE", "the date the page's header line shows"}},
         "tarnwick-tool manual | man -l -",
         printManualPage,
         1,
         true},
    };
}

}  // namespace tarnwick::tool
