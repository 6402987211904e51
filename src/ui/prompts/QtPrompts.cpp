#include "ui/prompts/QtPrompts.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

#include "platform/FileNames.h"

namespace tarnwick::ui {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

void prepareDialog(QFileDialog& dialog, const FileChoice& choice) {
    const QStringList filters = qtFilterList(choice.filter);
    dialog.setWindowTitle(choice.title);
    dialog.setNameFilters(filters);
    if (choice.filterIndex >= 1 && choice.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters.at(choice.filterIndex - 1));
    }
    dialog.setDefaultSuffix(choice.defaultExtension.startsWith('.') ? choice.defaultExtension.mid(1)
                                                                    : choice.defaultExtension);
    if (!choice.initialDirectory.isEmpty()) {
        dialog.setDirectory(choice.initialDirectory);
    }
    if (!choice.fileName.isEmpty()) {
        dialog.selectFile(choice.fileName);
    }
}

std::optional<QString> runDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return platform::fileNameFromListing(dialog.selectedFiles().constFirst());
}

}  // namespace

QStringList qtFilterList(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(';', Qt::SkipEmptyParts)) {
            patterns << pattern;
            if (pattern.toUpper() != pattern) {
                patterns << pattern.toUpper();
            }
        }
        result << parts.at(i).trimmed() + " (" + patterns.join(' ') + ")";
    }
    return result;
}

int widthForCaption(const QWidget& window) {
    // Title bars commonly use bold type; the rest leaves room for the title bar's icon and
    // buttons.
    constexpr int kTitleBarRoom = 150;
    QFont titleFont = window.font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + kTitleBarRoom;
}

void widenForCaption(QMessageBox& box) {
    // A box sizes itself to its text only, so a short text under a long caption cuts the
    // caption off in the title bar.
    const int wanted = widthForCaption(box);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid != nullptr) {
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

Answer QtPrompts::ask(const Message& message, Buttons buttons) {
    QMessageBox box(boxIcon(message.icon), message.caption, message.text, boxButtons(buttons),
                    parent_);
    widenForCaption(box);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::optional<qsizetype> QtPrompts::choose(const Message& message, const QStringList& choices) {
    QMessageBox box(boxIcon(message.icon), message.caption, message.text, QMessageBox::NoButton,
                    parent_);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices) {
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    }
    // Enter, as Escape, takes the way that changes nothing.
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setEscapeButton(cancel);
    box.setDefaultButton(cancel);
    widenForCaption(box);
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen >= 0 ? std::optional(chosen) : std::nullopt;
}

std::optional<QString> QtPrompts::chooseFileToOpen(const FileChoice& choice) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    prepareDialog(dialog, choice);
    return runDialog(dialog);
}

std::optional<QString> QtPrompts::chooseFileToSave(const FileChoice& choice) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    prepareDialog(dialog, choice);
    return runDialog(dialog);
}

}  // namespace tarnwick::ui
