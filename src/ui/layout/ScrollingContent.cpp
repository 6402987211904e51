#include "ui/layout/ScrollingContent.h"

#include <algorithm>

#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tarnwick::ui {

ScrollingContent::ScrollingContent(const QString& name, QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    // The area itself shows nothing to focus; it scrolls to whichever control takes focus.
    setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget;
    content->setObjectName(name);
    setWidget(content);
    content->installEventFilter(this);
}

bool ScrollingContent::eventFilter(QObject* watched, QEvent* event) {
    // What the controls need changes with what they show: the window's layout asks anew.
    if (watched == widget() && event->type() == QEvent::LayoutRequest) {
        updateGeometry();
    }
    return QScrollArea::eventFilter(watched, event);
}

QSize ScrollingContent::sizeHint() const {
    const int frame = 2 * frameWidth();
    return content().sizeHint() + QSize(frame, frame);
}

QSize ScrollingContent::minimumSizeHint() const {
    // Room for the scroll bar too: it shows exactly when the height is short.
    const int width = content().minimumSizeHint().width() +
                      verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    const QSize least = QScrollArea::minimumSizeHint();
    return {std::max(least.width(), width), least.height()};
}

QWidget* fillWithScrollingContent(QWidget& page, const QString& name) {
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(0, 0, 0, 0);
    auto* area = new ScrollingContent(name, &page);
    column->addWidget(area);
    return &area->content();
}

}  // namespace tarnwick::ui
