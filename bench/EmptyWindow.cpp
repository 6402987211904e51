// The floor that editor_start_bench measures the editor against: an empty Qt window, shown and
// quit at its first paint as the editor is.
#include <QApplication>
#include <QWidget>

#include "ui/app/FirstPaintQuit.h"

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    QWidget window;
    tarnwick::ui::quitAfterFirstPaint(window);
    window.show();
    return QApplication::exec();
}
