#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "core/model/Document.h"

namespace tarnwick::ui {

// The undo history of the one document. Every place that changes the document makes its change
// through record(), which keeps the document's image before and after as one named step; undo
// and redo put an image back and ask every window to show the document again.
class DocumentHistory : public QObject {
    Q_OBJECT

  public:
    explicit DocumentHistory(model::Document& document, QObject* parent = nullptr);

    // Runs `change` and, when it changed the document, keeps it as the step `name`, even when
    // `change` throws after changing something. Steps with the same non-empty `mergeKey` one
    // after another become one (typing into one box). A change made while another one is
    // recorded, or while a step is put back, belongs to that one.
    void record(const QString& name, const std::function<void()>& change,
                const QString& mergeKey = {});

    // A box that stores as it is typed into: `change` kept as record() keeps it. When `change`
    // refuses a value its field cannot hold ("2560" has stored 2, 25 and 256 on its way), the
    // whole run of typing merged by `mergeKey` is taken back, leaving no step, `showKept` shows
    // what the document holds, and the refusal goes on to the command's box.
    void recordTyping(const QString& name, const std::function<void()>& change,
                      const QString& mergeKey, const std::function<void()>& showKept);

    // Another document: nothing to undo or redo.
    void clear();
    // The document was saved: the next typing starts a step of its own.
    void markSaved();
    // Whether the document is as it was last opened or saved; undoing back to there counts.
    bool isAtSavedState() const { return stack_.isClean(); }

    QUndoStack& stack() { return stack_; }

  signals:
    // An undo or redo put an image back into the document; `unit` is the one unit (0 to 109)
    // whose values it changed, or -1 when it changed none or several.
    void restored(int unit);
    // A step was kept, undone or redone: what shows the document's state follows.
    void changed();

  private:
    friend class DocumentStep;
    // The document back to where the run of steps merged by `mergeKey` began, when it is the last.
    void takeBackRun(const QString& mergeKey);
    void restore(const class DocumentStep& step, bool after);

    model::Document& document_;
    QUndoStack stack_;
    bool busy_ = false;
};

// Keeps "&Undo" and "&Redo" showing the step they would take, enabled only when there is one.
void bindUndoItems(QUndoStack& stack, QAction* undo, QAction* redo);

}  // namespace tarnwick::ui
