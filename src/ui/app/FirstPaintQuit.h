#pragma once

class QWidget;

namespace tarnwick::ui {

// For start-up measurements (bench/EditorStartBench.cpp): the application quits once `window`
// has been painted the first time, with status 0.
void quitAfterFirstPaint(QWidget& window);

}  // namespace tarnwick::ui
