#include "ui/graphics/TSizeForm.h"

#include <cstdlib>

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace tarnwick::ui {

// The picture area: paints the frame and passes the mouse on to the form.
class SizerPaintBox : public QWidget {
  public:
    explicit SizerPaintBox(TSizeForm& form) : QWidget(&form), form_(form) {
        setObjectName("PaintBox");
        setCursor(Qt::CrossCursor);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        form_.PaintBoxPaint(painter);
    }
    void mousePressEvent(QMouseEvent* event) override {
        form_.PaintBoxMouseDown(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        form_.PaintBoxMouseMove(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent*) override { form_.PaintBoxMouseUp(); }

  private:
    TSizeForm& form_;
};

namespace {

// The size panel closes the form when clicked and looks pressed while held.
class SizePanel : public QLabel {
  public:
    explicit SizePanel(QWidget& form) : QLabel(&form), form_(form) {
        setObjectName("SizePanel");
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

TSizeForm::TSizeForm(Prompts& prompts, Progress& progress, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),

      conversion_(prompts, progress) {
    setObjectName("SizeForm");
    setWindowTitle("SizeForm");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* row = new QHBoxLayout;
    paintBox_ = new SizerPaintBox(*this);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName("ScrollBar");
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

void TSizeForm::setBoxSize(int width, int height) {
    boxWidth_ = width;
    boxHeight_ = height;
    showBoxSize();
    paintBox_->update();
}

void TSizeForm::showBoxSize() {
    sizePanel_->setText(QString("%1 x %2").arg(boxWidth_).arg(boxHeight_));
}

bool TSizeForm::LoadGfx(std::span<const std::uint8_t> sprite, std::size_t frames) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto picture = conversion_.convert(sprite, frames, palette_);
    QApplication::restoreOverrideCursor();
    if (!picture) {
        return false;  // the converter has said why; the previous picture stays
    }
    frames_ = picture->image;
    frameWidth_ = picture->header.width;
    frameHeight_ = picture->header.height;
    paintBox_->setFixedSize(frameWidth_, frameHeight_);
    adjustSize();
    const int count = static_cast<int>(picture->frames);
    scrollBar_->setRange(1, std::max(1, count));
    scrollBar_->setValue(1);
    scrollBar_->setEnabled(count > 1);
    scrollBar_->setToolTip("Image 1");
    showBoxSize();
    loaded_ = true;
    paintBox_->update();
    return true;
}

void TSizeForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    dragging_ = false;
    showBoxSize();
}

void TSizeForm::PaintBoxPaint(QPainter& painter) const {
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

void TSizeForm::PaintBoxMouseDown(QPoint at) {
    dragging_ = true;
    PaintBoxMouseMove(at);
}

void TSizeForm::PaintBoxMouseMove(QPoint at) {
    if (!loaded_ || !dragging_) {
        return;
    }
    boxWidth_ = std::min(std::abs(2 * at.x() - frameWidth_), frameWidth_);
    boxHeight_ = std::min(std::abs(2 * at.y() - frameHeight_), frameHeight_);
    showBoxSize();
    if (OnSizeChange) {
        OnSizeChange(boxWidth_, boxHeight_);
    }
    paintBox_->update();
}

void TSizeForm::PaintBoxMouseUp() {
    dragging_ = false;
}

}  // namespace tarnwick::ui
