#pragma once

#include <QString>

#include "ui/app/NoticeBar.h"

namespace tarnwick::ui {

// Shown while another program has changed the document's file since the editor read or wrote
// it; its button reads the file again.
class FileChangedNotice : public NoticeBar {
    Q_OBJECT

  public:
    explicit FileChangedNotice(QWidget* parent = nullptr);

    // Shown for the file `path`; hidden for an empty one.
    void showFor(const QString& path);

  signals:
    void reload();
};

}  // namespace tarnwick::ui
