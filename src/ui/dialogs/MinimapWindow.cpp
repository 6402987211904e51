#include "ui/dialogs/MinimapWindow.h"

#include <QFrame>
#include <QPainter>
#include <QVBoxLayout>

#include "core/game/Minimap.h"

namespace tarnwick::ui {

namespace {
constexpr int kClientSide = 132;
constexpr int kPictureSide = 128;
}  // namespace

MinimapView::MinimapView(QWidget* parent) : QWidget(parent) {
    setObjectName("minimapView");
    setMinimumSize(kPictureSide, kPictureSide);
}

void MinimapView::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void MinimapView::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), picture_);
}

MinimapWindow::MinimapWindow(const model::Document& document, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), document_(document) {
    setObjectName("minimapWindow");
    setWindowTitle("Mini Map");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QFrame;
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(1, 1, 1, 1);
    view_ = new MinimapView;
    inner->addWidget(view_);
    outer->addWidget(panel);
    resize(kClientSide, kClientSide);
}

void MinimapWindow::rebuild() {
    const auto built = game::buildMinimap(document_);
    if (!built || built->width == 0 || built->height == 0) {
        view_->setPicture({});
        return;
    }
    QImage image(built->width, built->height, QImage::Format_RGB888);
    const std::size_t row = std::size_t{built->width} * 3;
    for (int y = 0; y < built->height; ++y) {
        std::copy_n(
            built->rgb.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)),
            row, image.scanLine(y));
    }
    view_->setPicture(image);
}

}  // namespace tarnwick::ui
