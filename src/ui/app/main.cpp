#include <QApplication>

#include "ui/app/TarnwickApplication.h"

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    return tarnwick::ui::runEditor();
}
