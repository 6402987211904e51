#pragma once

#include <functional>

#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>

#include "core/graphics/SpriteConverter.h"
#include "ui/graphics/GfxConversion.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

class SizerPaintBox;

// The box sizer: a unit's sprite frame by frame, enlarged by a whole factor, with a white box
// centred on it; dragging on the picture (or the arrow keys) sizes the box symmetrically about
// the centre and reports every change.
class BoxSizerDialog : public QWidget {
    Q_OBJECT

  public:
    explicit BoxSizerDialog(Progress& progress, QWidget* parent = nullptr);

    void setPalette(const graphics::Palette& palette) { palette_ = palette; }
    void setBoxSize(int width, int height);
    // Called with the box width and height after every change made by dragging.
    std::function<void(int, int)> onSizeChange;

    // Converts every frame (or `frames`) of the sprite and prepares the window; does not show it.
    void loadSprite(std::span<const std::uint8_t> sprite, std::size_t frames = 0);

    int boxWidth() const { return boxWidth_; }
    int boxHeight() const { return boxHeight_; }
    QSize frameSize() const { return {frameWidth_, frameHeight_}; }
    bool isLoaded() const { return loaded_; }
    // How many screen pixels show one frame pixel.
    int zoom() const { return zoom_; }

    // Dragging on the picture, at frame pixels.
    void pressAt(QPoint at);
    void dragTo(QPoint at);
    void release();
    // Draws the current frame and the box, at the zoom.
    void paintFrame(QPainter& painter) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showBoxSize();
    // Takes a new box size as dragging does: shown, reported, drawn.
    void changeBoxSize(int width, int height);

    GfxConversion conversion_;
    graphics::Palette palette_{};
    QImage frames_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    int boxWidth_ = 0;
    int boxHeight_ = 0;
    int zoom_ = 1;
    bool loaded_ = false;
    bool dragging_ = false;
    SizerPaintBox* paintBox_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QLabel* sizePanel_ = nullptr;
};

}  // namespace tarnwick::ui
