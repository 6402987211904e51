#pragma once

#include <QApplication>

namespace tarnwick::ui {

// Needs the QApplication made by main. Creates the document and the windows, runs start-up and the
// event loop.
int runEditor();

}  // namespace tarnwick::ui
