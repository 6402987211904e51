#include "ui/app/FirstPaintQuit.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tarnwick::ui {

namespace {

// Watches every widget: a window covered by its children gets no paint event of its own.
class FirstPaintWatch : public QObject {
  public:
    explicit FirstPaintWatch(QWidget& window) : QObject(&window), window_(window) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            qApp->removeEventFilter(this);
            // Queued, so that the paint ends first; exit, not quit, which would ask the window
            // to close (and the editor whether to end).
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

void quitAfterFirstPaint(QWidget& window) {
    new FirstPaintWatch(window);
}

}  // namespace tarnwick::ui
