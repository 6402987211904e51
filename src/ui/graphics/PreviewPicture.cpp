#include "ui/graphics/PreviewPicture.h"

#include <algorithm>

#include <QPainter>

namespace tarnwick::ui {

namespace {
constexpr int kLargestZoom = 4;
}  // namespace

PreviewPicture::PreviewPicture(QWidget* parent) : QWidget(parent) {}

void PreviewPicture::setPicture(const QImage& picture) {
    picture_ = picture;
    updateGeometry();
    update();
}

int PreviewPicture::zoom() const {
    if (picture_.isNull()) {
        return 1;
    }
    const int room = std::min(width() / picture_.width(), height() / picture_.height());
    return std::clamp(room, 1, kLargestZoom);
}

QSize PreviewPicture::sizeHint() const {
    return picture_.size().expandedTo(QSize(0, 0)) * kLargestZoom;
}

QSize PreviewPicture::minimumSizeHint() const {
    return picture_.size().expandedTo(QSize(0, 0));
}

void PreviewPicture::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int factor = zoom();
    const QSize shown = picture_.size() * factor;
    painter.translate((width() - shown.width()) / 2, 0);
    painter.scale(factor, factor);
    painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace tarnwick::ui
