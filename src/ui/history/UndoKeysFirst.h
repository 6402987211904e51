#pragma once

#include <QObject>

namespace tarnwick::ui {

// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y go to the document's history, not to the text box that has
// the focus: a box's own undo would only type the old text again as a new change. In a modal
// window, where the history cannot be reached, the boxes keep their own undo.
class UndoKeysFirst : public QObject {
  public:
    // Watches every widget of the application for as long as `owner` lives.
    explicit UndoKeysFirst(QObject* owner);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tarnwick::ui
