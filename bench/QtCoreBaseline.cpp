// The floor that startup_bench measures the tool against: a program on Qt Core alone that does
// the least the measured commands must do. "--version" prints a line; "copy IN OUT" reads a
// file and writes it with the platform's atomic save, the durable save that resave ends with.
#include <cstring>
#include <iostream>

#include <QString>

#include "platform/FileStore.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "qtcore-baseline on Qt " << qVersion() << '\n';
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "copy") == 0) {
        using namespace tarnwick::platform;
        saveWholeFile(QString::fromLocal8Bit(argv[3]),
                      readWholeFile(QString::fromLocal8Bit(argv[2])));
        return 0;
    }
    std::cerr << "usage: qtcore-baseline --version | copy IN OUT\n";
    return 2;
}
