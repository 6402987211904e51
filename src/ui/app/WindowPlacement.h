#pragma once

#include <QObject>

namespace tarnwick::ui {

// Every dialog and tool window of the main window first appears centred on it, wherever the
// main window is, unless it was given a place before; after that it keeps the place the user
// gave it. Every window of the main window's, those with a place of their own too, first
// appears wholly on the screen, and is never shown larger than the screen.
class WindowPlacement : public QObject {
  public:
    // Watches the whole application for the windows that belong to `mainWindow`.
    explicit WindowPlacement(QWidget& mainWindow);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& mainWindow_;
};

}  // namespace tarnwick::ui
