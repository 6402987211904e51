#include <iostream>
#include <string>

#include <QString>

#include "DemoGameData.h"
#include "DemoScenario.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"

// Writes data to try the editor with, made by the project itself: no game files needed.
int main(int argc, char** argv) {
    const std::string command = argc == 3 ? argv[1] : "";
    if (command != "scenario" && command != "gamedir") {
        std::cerr << "usage: tarnwick-demo-data scenario OUT.pud\n"
                     "       tarnwick-demo-data gamedir DIRECTORY\n";
        return 2;
    }
    try {
        const QString target = QString::fromLocal8Bit(argv[2]);
        if (command == "scenario") {
            tarnwick::platform::saveWholeFile(
                target, tarnwick::files::writeScenario(tarnwick::demo::demoScenario()));
        } else {
            tarnwick::demo::writeDemoGameDirectory(target);
        }
    } catch (const std::exception& error) {
        std::cerr << "tarnwick-demo-data: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
