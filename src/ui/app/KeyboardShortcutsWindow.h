#pragma once

#include <QDialog>
#include <QMenuBar>
#include <QTableWidget>

namespace tarnwick::ui {

// "Keyboard Shortcuts": every key of the menus, read from the menu bar each time the window is
// shown, so it lists what the menus answer to now. Not modal: it may stay open while one works.
class KeyboardShortcutsWindow : public QDialog {
    Q_OBJECT

  public:
    KeyboardShortcutsWindow(const QMenuBar& menuBar, QWidget* parent = nullptr);

    // Shows the window, filled afresh, or brings it to the front.
    void open() override;

  private:
    void fill();

    const QMenuBar& menuBar_;
    QTableWidget* table_ = nullptr;
};

}  // namespace tarnwick::ui
