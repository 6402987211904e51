#include "ui/history/DocumentHistory.h"

#include "core/model/TypedNumber.h"

#include <utility>

#include <QAction>
#include <QUndoCommand>

#include "core/model/DefaultValues.h"
#include "core/model/DocumentImage.h"

namespace tarnwick::ui {

namespace {
// Tables are a few kilobytes; this keeps the history within a few megabytes.
constexpr int kUndoLimit = 500;
constexpr int kMergingStep = 1;

int theOneChangedUnit(const model::UnitDataTable& before, const model::UnitDataTable& after) {
    int changed = -1;
    for (std::size_t unit = 0; unit < model::kUnitCount; ++unit) {
        if (model::unitDiffers(after, before, unit)) {
            if (changed >= 0) {
                return -1;
            }
            changed = static_cast<int>(unit);
        }
    }
    return changed;
}
}  // namespace

// One change: the document's image before and after it.
class DocumentStep : public QUndoCommand {
  public:
    DocumentStep(DocumentHistory& history, const QString& name, const QString& mergeKey,
                 model::DocumentImage before, model::DocumentImage after)
        : QUndoCommand(name),
          history_(history),
          mergeKey_(mergeKey),
          before_(std::move(before)),
          after_(std::move(after)) {}

    const model::DocumentImage& image(bool after) const { return after ? after_ : before_; }
    const QString& mergeKey() const { return mergeKey_; }

    void undo() override { history_.restore(*this, false); }
    void redo() override {
        // The change itself was made before the step was pushed.
        if (!std::exchange(firstRedo_, false)) {
            history_.restore(*this, true);
        }
    }
    int id() const override { return mergeKey_.isEmpty() ? -1 : kMergingStep; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const DocumentStep*>(other);
        if (next->mergeKey_ != mergeKey_) {
            return false;
        }
        after_ = next->after_;
        // Typing back what was there leaves nothing to undo.
        setObsolete(after_ == before_);
        return true;
    }

  private:
    DocumentHistory& history_;
    QString mergeKey_;
    model::DocumentImage before_;
    model::DocumentImage after_;
    bool firstRedo_ = true;
};

DocumentHistory::DocumentHistory(model::Document& document, QObject* parent)
    : QObject(parent), document_(document) {
    stack_.setUndoLimit(kUndoLimit);
}

void DocumentHistory::record(const QString& name, const std::function<void()>& change,
                             const QString& mergeKey) {
    if (busy_) {
        change();
        return;
    }
    busy_ = true;
    model::DocumentImage before = model::DocumentImage::of(document_);
    const auto keep = [&] {
        busy_ = false;
        model::DocumentImage after = model::DocumentImage::of(document_);
        if (after != before) {
            stack_.push(
                new DocumentStep(*this, name, mergeKey, std::move(before), std::move(after)));
            emit changed();
        }
    };
    try {
        change();
    } catch (...) {
        keep();
        throw;
    }
    keep();
}

void DocumentHistory::recordTyping(const QString& name, const std::function<void()>& change,
                                   const QString& mergeKey, const std::function<void()>& showKept) {
    try {
        record(name, change, mergeKey);
    } catch (const model::ValueDoesNotFit&) {
        takeBackRun(mergeKey);
        showKept();
        throw;
    }
}

void DocumentHistory::takeBackRun(const QString& mergeKey) {
    const int index = stack_.index();
    // Qt merges into the last step unless the document was saved at it: only then is it a run
    // the next typing would join.
    if (busy_ || mergeKey.isEmpty() || index == 0 || index == stack_.cleanIndex()) {
        return;
    }
    const auto* last = static_cast<const DocumentStep*>(stack_.command(index - 1));
    if (last->mergeKey() != mergeKey) {
        return;
    }
    // Merged back to where it began, the step is obsolete and Qt drops it.
    const model::DocumentImage before = last->image(false);
    record(
        last->text(), [&] { before.restoreInto(document_); }, mergeKey);
}

void DocumentHistory::restore(const DocumentStep& step, bool after) {
    busy_ = true;
    const model::UnitDataTable shown = document_.unitData;
    step.image(after).restoreInto(document_);
    emit restored(theOneChangedUnit(shown, document_.unitData));
    busy_ = false;
    emit changed();
}

void DocumentHistory::clear() {
    stack_.clear();
}

void DocumentHistory::markSaved() {
    // Qt never merges a step into the one the stack was clean at.
    stack_.setClean();
}

void bindUndoItems(QUndoStack& stack, QAction* undo, QAction* redo) {
    const QString undoText = undo->text();
    const QString redoText = redo->text();
    const auto show = [&stack, undo, redo, undoText, redoText] {
        undo->setEnabled(stack.canUndo());
        undo->setText(stack.canUndo() ? undoText + " " + stack.undoText() : undoText);
        redo->setEnabled(stack.canRedo());
        redo->setText(stack.canRedo() ? redoText + " " + stack.redoText() : redoText);
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, undo, show);
    QObject::connect(&stack, &QUndoStack::cleanChanged, undo, show);
    show();
    QObject::connect(undo, &QAction::triggered, &stack, &QUndoStack::undo);
    QObject::connect(redo, &QAction::triggered, &stack, &QUndoStack::redo);
}

}  // namespace tarnwick::ui
