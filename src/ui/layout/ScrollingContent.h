#pragma once

#include <QScrollArea>
#include <QString>

namespace tarnwick::ui {

// Controls that scroll up and down when the window is too low to show them all: on a small
// screen, at a large scaling or with a large font. The area asks for the controls' whole size,
// so that where there is room it shows them as they would be without it, and it is never
// narrower than they need: it never scrolls sideways.
class ScrollingContent : public QScrollArea {
  public:
    // An empty widget named `name` to lay the controls out in, inside the area.
    explicit ScrollingContent(const QString& name, QWidget* parent = nullptr);

    QWidget& content() const { return *widget(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Fills `page` with a ScrollingContent edge to edge; returns its widget for the controls.
QWidget* fillWithScrollingContent(QWidget& page, const QString& name);

}  // namespace tarnwick::ui
