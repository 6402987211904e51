#include "ui/graphics/BoxSizerDialog.h"

#include <cstdlib>

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QVBoxLayout>

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
    void mousePressEvent(QMouseEvent* event) override {
        form_.pressAt(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override { form_.dragTo(event->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent*) override { form_.release(); }

  private:
    BoxSizerDialog& form_;
};

namespace {

// The size panel closes the form when clicked and looks pressed while held.
class SizePanel : public QLabel {
  public:
    explicit SizePanel(QWidget& form) : QLabel(&form), form_(form) {
        setObjectName("sizePanel");
        setFixedHeight(21);
        setAlignment(Qt::AlignCenter);
        setFrameStyle(QFrame::Panel | QFrame::Raised);
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
    paintBox_->setFixedSize(frameWidth_, frameHeight_);
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
}

void BoxSizerDialog::paintFrame(QPainter& painter) const {
    if (!loaded_) {
        return;
    }
    const int frame = scrollBar_->value();
    painter.drawImage(QPoint(0, 0), frames_,
                      QRect(0, frameHeight_ * (frame - 1), frameWidth_, frameHeight_));
    if (boxWidth_ > 0 && boxHeight_ > 0) {
        // Integer halves truncate toward zero, as the box has always been placed.
        const int left = (frameWidth_ - boxWidth_) / 2;
        const int top = (frameHeight_ - boxHeight_) / 2;
        painter.setPen(Qt::white);
        painter.drawRect(left, top, boxWidth_ - 1, boxHeight_ - 1);
    }
}

void BoxSizerDialog::pressAt(QPoint at) {
    dragging_ = true;
    dragTo(at);
}

void BoxSizerDialog::dragTo(QPoint at) {
    if (!loaded_ || !dragging_) {
        return;
    }
    boxWidth_ = std::min(std::abs(2 * at.x() - frameWidth_), frameWidth_);
    boxHeight_ = std::min(std::abs(2 * at.y() - frameHeight_), frameHeight_);
    showBoxSize();
    if (onSizeChange) {
        onSizeChange(boxWidth_, boxHeight_);
    }
    paintBox_->update();
}

void BoxSizerDialog::release() {
    dragging_ = false;
}

}  // namespace tarnwick::ui
