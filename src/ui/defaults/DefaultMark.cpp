#include "ui/defaults/DefaultMark.h"

#include <QPalette>

namespace tarnwick::ui {

namespace {
// The tooltip the control had before any mark: the mark only adds a line to it.
const char* const kOwnToolTip = "ownToolTip";
}  // namespace

QString defaultMarkText(const QString& defaultText) {
    return "Default: " + defaultText;
}

void reserveDefaultMarkSpace(QWidget* caption) {
    QFont bold = caption->font();
    bold.setBold(true);
    const QFont plain = caption->font();
    caption->setFont(bold);
    caption->setMinimumWidth(caption->sizeHint().width());
    caption->setFont(plain);
    caption->setProperty(kOwnToolTip, caption->toolTip());
}

void showDefaultMark(QWidget* caption, const std::optional<QString>& defaultText) {
    QFont font = caption->font();
    font.setBold(defaultText.has_value());
    caption->setFont(font);
    QPalette colours = caption->parentWidget() ? caption->parentWidget()->palette() : QPalette();
    if (defaultText) {
        colours.setColor(QPalette::WindowText, colours.color(QPalette::Link));
    }
    caption->setPalette(colours);

    const QString own = caption->property(kOwnToolTip).toString();
    if (!defaultText) {
        caption->setToolTip(own);
        return;
    }
    const QString mark = defaultMarkText(*defaultText);
    caption->setToolTip(own.isEmpty() ? mark : own + "\n" + mark);
}

}  // namespace tarnwick::ui
