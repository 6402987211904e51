#pragma once

#include <QDialog>
#include <QProgressBar>

#include "core/Progress.h"

namespace tarnwick::ui {

// The small progress window shared by the compressor, the archive writer and the sprite
// converter: its caption names the work, the bar shows how far it is. It is repainted as the
// work goes, since no events are processed meanwhile.
class ProgressWindow : public QDialog, public Progress {
    Q_OBJECT

  public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void start(const std::string& caption, long long maximum) override;
    void advance(long long position) override;
    void finish() override;

    const QProgressBar* bar() const { return bar_; }

  private:
    QProgressBar* bar_;
    long long maximum_ = 0;
};

}  // namespace tarnwick::ui
