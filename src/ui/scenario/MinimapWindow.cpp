#include "ui/scenario/MinimapWindow.h"

#include <algorithm>

#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "core/game/Minimap.h"
#include "ui/prompts/QtPrompts.h"

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
    // Square, so that the map keeps its shape, and wide enough for the whole caption.
    const int side = std::max(kClientSide, widthForCaption(*this));
    resize(side, side);
}

void MinimapWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MinimapWindow::followDocument() {
    if (document_.isLoaded && document_.kind == model::DocumentKind::Scenario) {
        rebuild();
        return;
    }
    view_->setPicture({});
    hide();
}

void MinimapWindow::rebuild() {
    const auto built = game::buildMinimap(document_);
    if (!built || built->width == 0 || built->height == 0) {
        view_->setPicture({});
        return;
    }
    // Rows of width x 3 bytes, without padding: copied out of the picture's own buffer.
    const QImage image = QImage(built->rgb.data(), built->width, built->height, built->width * 3,
                                QImage::Format_RGB888)
                             .copy();
    view_->setPicture(image);
}

}  // namespace tarnwick::ui
