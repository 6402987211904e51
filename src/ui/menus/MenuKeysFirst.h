#pragma once

#include <QAction>
#include <QList>
#include <QObject>

namespace tarnwick::ui {

// The shortcuts of the given menu items win over a text box's own bindings wherever the focus
// is: Ctrl+U opens the upgrade editor instead of clearing a number box, and Ctrl+Z goes to the
// document's history instead of the box's own undo, which would only type the old text again as
// a new change. In a modal window, where the menus cannot be reached, the boxes keep their keys,
// but for the items the window was given (the undo keys of the table editors).
class MenuKeysFirst : public QObject {
  public:
    // Watches every widget of the application for as long as `owner` lives.
    MenuKeysFirst(QObject* owner, QList<QAction*> items);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QList<QAction*> items_;
};

}  // namespace tarnwick::ui
