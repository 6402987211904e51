#include "ui/graphics/TCompressForm.h"

#include <algorithm>

#include <QVBoxLayout>

namespace tarnwick::ui {

namespace {
// QProgressBar counts in int; large ranges are shown scaled.
constexpr long long kBarSteps = 1000;
}  // namespace

TCompressForm::TCompressForm(QWidget* parent) : QDialog(parent), bar_(new QProgressBar(this)) {
    setObjectName("CompressForm");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint);
    bar_->setObjectName("ProgressBar1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    resize(300, 60);
}

void TCompressForm::start(const std::string& caption, long long maximum) {
    maximum_ = std::max(1LL, maximum);
    setWindowTitle(QString::fromStdString(caption));
    bar_->setRange(0, static_cast<int>(std::min(maximum_, kBarSteps)));
    bar_->setValue(0);
    show();
    repaint();
}

void TCompressForm::advance(long long position) {
    const long long steps = bar_->maximum();
    bar_->setValue(static_cast<int>(std::clamp(position, 0LL, maximum_) * steps / maximum_));
    bar_->repaint();
}

void TCompressForm::finish() {
    hide();
}

}  // namespace tarnwick::ui
