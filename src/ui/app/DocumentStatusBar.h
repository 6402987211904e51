#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QString>

namespace tarnwick::ui {

// The main window's status bar: what the last write did, for a few seconds, and "Modified"
// for as long as the document differs from what was last opened or saved.
class DocumentStatusBar {
  public:
    static constexpr int kReportMilliseconds = 5000;

    explicit DocumentStatusBar(QStatusBar& bar);

    void reportWrite(const QString& text);
    void showModified(bool modified);

  private:
    QStatusBar& bar_;
    QLabel* modified_;
};

}  // namespace tarnwick::ui
