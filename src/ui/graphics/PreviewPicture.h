#pragma once

#include <QImage>
#include <QWidget>

namespace tarnwick::ui {

// A sprite frame shown as large as the room allows by a whole factor up to 4, without
// smoothing, so that its pixels stay sharp squares; at the window's first size it is 1:1.
class PreviewPicture : public QWidget {
  public:
    explicit PreviewPicture(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // How many screen pixels show one picture pixel at the present size.
    int zoom() const;

    // Asks for the largest zoom and makes do with 1:1.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

}  // namespace tarnwick::ui
