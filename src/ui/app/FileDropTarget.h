#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QWidget>

namespace tarnwick::ui {

// Lets a window take one file dropped on it from a file manager.
class FileDropTarget : public QObject {
  public:
    using Open = std::function<void(const QString& path)>;

    FileDropTarget(QWidget& window, Open open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Open open_;
};

}  // namespace tarnwick::ui
