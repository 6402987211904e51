#pragma once

#include <functional>
#include <optional>

#include <QObject>

#include "core/model/Document.h"
#include "ui/app/units/UnitControls.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// The change rules of the "General" and "Flags" pages: every change is written into the unit
// data table at once, for the unit shown, as one step of the history.
class UnitEditor : public QObject {
    Q_OBJECT

  public:
    // The unit's name as the list shows it, for the names of the steps.
    using UnitName = std::function<QString(std::size_t unit)>;

    UnitEditor(model::Document& document, Prompts& prompts, UnitControls& controls,
               DocumentHistory& history, UnitName unitName, QObject* parent = nullptr);

    // Fills both pages from `unit` (0 to 109) in the order the editor has always used; the
    // change rules run as the controls change and store the shown values back unchanged.
    void showUnit(std::size_t unit);
    // A "Group" row or no row: nothing is written into the unit arrays from now on.
    void forgetUnit() { unit_.reset(); }

    void numberChange(std::size_t box);
    void priorityChange(int position);
    void unitTypeChange(int position);
    void missileChange(int position);
    void rightClickChange(int position);
    void byteCheckClick(std::size_t box, bool ticked);
    void targetClick();
    void flagClick(unsigned bit, bool ticked);

  private:
    void connectRules();
    void fillFromUnit(std::size_t unit);
    // Makes `change` the step "Change `what` of <unit>"; a `control` given merges the steps
    // made one after another by that control for this unit.
    void edit(const QString& what, const std::function<void()>& change, const QString& control = {},
              const std::function<void()>& showKept = {});
    // The key that merges the steps of one control for the unit shown; empty for none.
    QString mergeKey(const QString& control) const;
    void store(const model::FieldDescriptor& field, std::uint32_t value, std::size_t part = 0);
    std::uint32_t shown(const model::FieldDescriptor& field, std::size_t part = 0) const;
    void showNumber(std::size_t box);
    void showByteCheck(std::size_t box);
    void refreshDamage(std::size_t changedBox);
    void setFlag(unsigned bit, bool set);

    model::Document& document_;
    Prompts& prompts_;
    UnitControls& c_;
    DocumentHistory& history_;
    UnitName unitName_;
    std::optional<std::size_t> unit_;
    bool fillingFlags_ = false;
};

}  // namespace tarnwick::ui
