#pragma once

#include <QImage>
#include <QWidget>

#include "core/model/Document.h"

namespace tarnwick::ui {

// The picture box of the minimap: the picture stretched over the whole box, pixels kept sharp.
class MinimapView : public QWidget {
    Q_OBJECT

  public:
    explicit MinimapView(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

// "Mini Map": the scenario's tile map, one pixel per tile, in a small window that stays on top.
// The picture is built when a scenario has been read, not when the window is shown.
class MinimapWindow : public QWidget {
    Q_OBJECT

  public:
    MinimapWindow(const model::Document& document, QWidget* parent = nullptr);

    // Builds the picture from the document's map; no "DIM " gives no picture.
    void rebuild();
    // After the document was replaced, closed or changed: a scenario's picture, else none and
    // the window hidden.
    void followDocument();
    const QImage& picture() const { return view_->picture(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const model::Document& document_;
    MinimapView* view_ = nullptr;
};

}  // namespace tarnwick::ui
