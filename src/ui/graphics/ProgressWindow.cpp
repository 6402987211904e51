#include "ui/graphics/ProgressWindow.h"

#include <algorithm>

#include <QVBoxLayout>

namespace tarnwick::ui {

namespace {
// QProgressBar counts in int; large ranges are shown scaled.
constexpr long long kBarSteps = 1000;
}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent), bar_(new QProgressBar(this)) {
    setObjectName("progressWindow");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint);
    bar_->setObjectName("progressBar");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    resize(300, 60);
}

void ProgressWindow::start(const std::string& caption, long long maximum) {
    maximum_ = std::max(1LL, maximum);
    setWindowTitle(QString::fromStdString(caption));
    bar_->setRange(0, static_cast<int>(std::min(maximum_, kBarSteps)));
    bar_->setValue(0);
    show();
    repaint();
}

void ProgressWindow::advance(long long position) {
    const long long steps = bar_->maximum();
    bar_->setValue(static_cast<int>(std::clamp(position, 0LL, maximum_) * steps / maximum_));
    bar_->repaint();
}

void ProgressWindow::finish() {
    hide();
}

}  // namespace tarnwick::ui
