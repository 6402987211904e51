#include <iostream>

#include <QApplication>

#include "platform/FileNames.h"
#include "ui/app/EditorCommandLine.h"
#include "ui/app/TarnwickApplication.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << tarnwick::platform::fileNameFromBytes(QByteArray(argv[i]));
    }
    // Before QApplication, which needs a display: --help and --version must answer without one.
    const tarnwick::ui::EditorStart start =
        tarnwick::ui::readEditorCommandLine(arguments, std::cout, std::cerr);
    if (start.exitStatus) {
        return *start.exitStatus;
    }
    const QApplication application(argc, argv);
    return tarnwick::ui::runEditor(start.windowArguments);
}
