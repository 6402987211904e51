#include <iostream>

#include <QString>

#include "DemoScenario.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"

// Writes data to try the editor with, made by the project itself: no game files needed.
int main(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "scenario") {
        std::cerr << "usage: tarnwick-demo-data scenario OUT.pud\n";
        return 2;
    }
    try {
        tarnwick::platform::saveWholeFile(QString::fromLocal8Bit(argv[2]),
                                          tarnwick::files::WriteScenario(tarnwick::demo::demoScenario()));
    } catch (const std::exception& error) {
        std::cerr << "tarnwick-demo-data: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
