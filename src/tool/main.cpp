#include <iostream>

#include "tool/ToolCommands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return tarnwick::tool::runTool(arguments, std::cout, std::cerr);
}
