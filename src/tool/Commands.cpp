#include "tool/Commands.h"

namespace tarnwick::tool {

const std::vector<Command>& toolCommands() {
    static const std::vector<Command> all = [] {
        std::vector<Command> commands;
        for (auto group : {fileCommands, scenarioCommands, unitCommands, exchangeCommands,
                           modCommands, defaultsCommands, balanceCommands, spriteCommands,
                           archiveCommands, completionCommands, manualCommands}) {
            for (Command& command : group()) {
                commands.push_back(std::move(command));
            }
        }
        return commands;
    }();
    return all;
}

}  // namespace tarnwick::tool
