#include "ui/graphics/BoxSizerDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "ui/layout/ScreenRoom.h"

namespace tarnwick::ui {

// The picture area: paints the frame and passes the mouse on to the form.
class SizerPaintBox : public QWidget {
  public:
    explicit SizerPaintBox(BoxSizerDialog& form) : QWidget(&form), form_(form) {
        setObjectName("framePicture");
        setCursor(Qt::CrossCursor);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        form_.paintFrame(painter);
    }
    void mousePressEvent(QMouseEvent* event) override { form_.pressAt(framePixel(*event)); }
    void mouseMoveEvent(QMouseEvent* event) override { form_.dragTo(framePixel(*event)); }
    void mouseReleaseEvent(QMouseEvent*) override { form_.release(); }

  private:
    // The frame pixel under the mouse; rounded down, so that the pixels left of and above the
    // picture stay negative as they were unzoomed.
    QPoint framePixel(const QMouseEvent& event) const {
        const double zoom = form_.zoom();
        return {static_cast<int>(std::floor(event.position().x() / zoom)),
                static_cast<int>(std::floor(event.position().y() / zoom))};
    }

    BoxSizerDialog& form_;
};

namespace {

// The frame is enlarged by the largest whole factor up to this that keeps it within this many
// screen pixels each way, and within `room`; sprites are small and their pixels should stay
// sharp squares.
constexpr int kLargestZoom = 8;
constexpr int kLargestPictureSide = 600;

int zoomFor(int frameWidth, int frameHeight, QSize room) {
    const int width = std::min(kLargestPictureSide, room.width()) / std::max(frameWidth, 1);
    const int height = std::min(kLargestPictureSide, room.height()) / std::max(frameHeight, 1);
    return std::clamp(std::min(width, height), 1, kLargestZoom);
}

// Each arrow key changes the box as one mouse pixel of dragging does: by two, one on each side.
constexpr int kKeyStep = 2;

// The size panel closes the form when clicked and looks pressed while held.
class SizePanel : public QLabel {
  public:
    explicit SizePanel(QWidget& form) : QLabel(&form), form_(form) {
        setObjectName("sizePanel");
        setFixedHeight(21);
        setAlignment(Qt::AlignCenter);
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setToolTip("Click to close");
    }

  protected:
    void mousePressEvent(QMouseEvent*) override { setFrameShadow(QFrame::Sunken); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        setFrameShadow(QFrame::Raised);
        if (rect().contains(event->position().toPoint())) {
            form_.close();
        }
    }

  private:
    QWidget& form_;
};

}  // namespace

BoxSizerDialog::BoxSizerDialog(Progress& progress, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),

      conversion_(progress) {
    setObjectName("boxSizer");
    setWindowTitle("SizeForm");
    setFocusPolicy(Qt::StrongFocus);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* row = new QHBoxLayout;
    paintBox_ = new SizerPaintBox(*this);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName("frameScrollBar");
    scrollBar_->setRange(1, 1);
    scrollBar_->setValue(1);
    scrollBar_->setEnabled(false);
    scrollBar_->setToolTip("Image 1");
    row->addWidget(paintBox_);
    row->addWidget(scrollBar_);
    outer->addLayout(row);
    sizePanel_ = new SizePanel(*this);
    outer->addWidget(sizePanel_);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int position) {
        if (loaded_) {
            scrollBar_->setToolTip(QString("Image %1").arg(position));
            paintBox_->update();
        }
    });
}

void BoxSizerDialog::setBoxSize(int width, int height) {
    boxWidth_ = width;
    boxHeight_ = height;
    showBoxSize();
    paintBox_->update();
}

void BoxSizerDialog::showBoxSize() {
    sizePanel_->setText(QString("%1 x %2").arg(boxWidth_).arg(boxHeight_));
}

void BoxSizerDialog::loadSprite(std::span<const std::uint8_t> sprite, std::size_t frames) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    // A failed conversion throws before anything changes: the previous picture stays.
    const auto picture = conversion_.convert(sprite, frames, palette_);
    frames_ = picture.image;
    frameWidth_ = picture.header.width;
    frameHeight_ = picture.header.height;
    // On a small screen the picture leaves room for the rest of the window.
    const QWidget& owner = parentWidget() != nullptr ? *parentWidget() : *this;
    zoom_ =
        zoomFor(frameWidth_, frameHeight_,
                roomOnScreen(owner) - QSize(scrollBar_->sizeHint().width(), sizePanel_->height()));
    paintBox_->setFixedSize(frameWidth_ * zoom_, frameHeight_ * zoom_);
    adjustSize();
    const int count = static_cast<int>(picture.frames);
    scrollBar_->setRange(1, std::max(1, count));
    scrollBar_->setValue(1);
    scrollBar_->setEnabled(count > 1);
    scrollBar_->setToolTip("Image 1");
    showBoxSize();
    loaded_ = true;
    paintBox_->update();
}

void BoxSizerDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    dragging_ = false;
    showBoxSize();
    setFocus();  // for Escape and the arrow keys
}

void BoxSizerDialog::paintFrame(QPainter& painter) const {
    if (!loaded_) {
        return;
    }
    const int frame = scrollBar_->value();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.scale(zoom_, zoom_);
    painter.drawImage(QPoint(0, 0), frames_,
                      QRect(0, frameHeight_ * (frame - 1), frameWidth_, frameHeight_));
    if (boxWidth_ > 0 && boxHeight_ > 0) {
        // Integer halves truncate toward zero, as the box has always been placed. The outline
        // is filled pixel by pixel so that it covers whole frame pixels at any zoom.
        const int left = (frameWidth_ - boxWidth_) / 2;
        const int top = (frameHeight_ - boxHeight_) / 2;
        const int right = left + boxWidth_ - 1;
        const int bottom = top + boxHeight_ - 1;
        painter.fillRect(left, top, boxWidth_, 1, Qt::white);
        painter.fillRect(left, bottom, boxWidth_, 1, Qt::white);
        painter.fillRect(left, top, 1, boxHeight_, Qt::white);
        painter.fillRect(right, top, 1, boxHeight_, Qt::white);
    }
    painter.restore();
}

void BoxSizerDialog::pressAt(QPoint at) {
    dragging_ = true;
    dragTo(at);
}

void BoxSizerDialog::dragTo(QPoint at) {
    if (!loaded_ || !dragging_) {
        return;
    }
    changeBoxSize(std::min(std::abs(2 * at.x() - frameWidth_), frameWidth_),
                  std::min(std::abs(2 * at.y() - frameHeight_), frameHeight_));
}

void BoxSizerDialog::changeBoxSize(int width, int height) {
    boxWidth_ = width;
    boxHeight_ = height;
    showBoxSize();
    if (onSizeChange) {
        onSizeChange(boxWidth_, boxHeight_);
    }
    paintBox_->update();
}

void BoxSizerDialog::keyPressEvent(QKeyEvent* event) {
    const auto resized = [&](int size, int step, int frame) {
        return std::clamp(size + step, 0, frame);
    };
    switch (event->key()) {
        case Qt::Key_Escape:
            close();  // as a click on the size panel
            return;
        case Qt::Key_Right:
        case Qt::Key_Left:
            if (loaded_) {
                const int step = event->key() == Qt::Key_Right ? kKeyStep : -kKeyStep;
                changeBoxSize(resized(boxWidth_, step, frameWidth_), boxHeight_);
            }
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (loaded_) {
                const int step = event->key() == Qt::Key_Up ? kKeyStep : -kKeyStep;
                changeBoxSize(boxWidth_, resized(boxHeight_, step, frameHeight_));
            }
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void BoxSizerDialog::release() {
    dragging_ = false;
}

}  // namespace tarnwick::ui
