#include "ui/app/NoticeBar.h"

namespace tarnwick::ui {

NoticeBar::NoticeBar(const QString& name, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(6, 2, 6, 2);
    text_ = new QLabel;
    text_->setObjectName(name + "Text");
    text_->setWordWrap(true);
    row_->addWidget(text_, 1);
    hide();
}

QPushButton* NoticeBar::addButton(const QString& label, const QString& name) {
    auto* button = new QPushButton(label);
    button->setObjectName(name);
    row_->addWidget(button);
    return button;
}

}  // namespace tarnwick::ui
