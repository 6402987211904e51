#include "ui/app/FileChangedNotice.h"

#include <QFileInfo>

namespace tarnwick::ui {

FileChangedNotice::FileChangedNotice(QWidget* parent) : NoticeBar("fileChangedNotice", parent) {
    connect(addButton("Reload", "reloadButton"), &QPushButton::clicked, this,
            &FileChangedNotice::reload);
}

void FileChangedNotice::showFor(const QString& path) {
    if (!path.isEmpty()) {
        text()->setText(
            QString("\"%1\" was changed by another program.").arg(QFileInfo(path).fileName()));
    }
    setVisible(!path.isEmpty());
}

}  // namespace tarnwick::ui
