#pragma once

#include <optional>
#include <ostream>

#include <QStringList>

namespace tarnwick::ui {

// What the editor's command line asks for: either an answer and an exit status (help, the
// version, a usage error), or a start whose main window reads `windowArguments`.
struct EditorStart {
    std::optional<int> exitStatus;
    QStringList windowArguments;  // the plug-in switch and what follows it, or a file, or nothing
};

// Whether the arguments start plug-in mode: the switch "-MarrowbyPlugIn" first, in any letter case.
bool startsPlugInMode(const QStringList& arguments);

// Reads the arguments (without the program name) before any window or display is needed, so
// that --help and --version answer anywhere. The plug-in switch as the first argument, in any
// letter case, passes everything on untouched, as the host gives it.
EditorStart readEditorCommandLine(const QStringList& arguments, std::ostream& out,
                                  std::ostream& err);

}  // namespace tarnwick::ui
