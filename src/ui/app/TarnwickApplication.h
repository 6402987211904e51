#pragma once

#include <QApplication>

namespace tarnwick::ui {

// Needs the QApplication made by main. Creates the document and the windows, runs start-up with
// `windowArguments` (see EditorCommandLine) and the event loop.
int runEditor(const QStringList& windowArguments);

}  // namespace tarnwick::ui
