#pragma once

#include <QApplication>

namespace tarnwick::ui {

class MainWindow;
class Prompts;

// Needs the QApplication made by main. Creates the document and the windows, runs start-up with
// `windowArguments` (see EditorCommandLine) and the event loop.
int runEditor(const QStringList& windowArguments);

// Start-up of `window` with the command line's arguments, then the event loop until the program
// ends. The exit code is 1 when start-up already ended it (a plug-in start without its host).
int runMainWindow(MainWindow& window, Prompts& prompts, const QStringList& windowArguments);

}  // namespace tarnwick::ui
