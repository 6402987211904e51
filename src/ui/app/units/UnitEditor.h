#pragma once

#include <optional>

#include <QObject>

#include "core/model/Document.h"
#include "ui/app/units/UnitControls.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// The change rules of the "General" and "Flags" pages: every change is written into the unit
// data table at once, for the unit shown.
class UnitEditor : public QObject {
    Q_OBJECT

  public:
    UnitEditor(model::Document& document, Prompts& prompts, UnitControls& controls,
               QObject* parent = nullptr);

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
    void store(const model::FieldDescriptor& field, std::uint32_t value, std::size_t part = 0);
    std::uint32_t shown(const model::FieldDescriptor& field, std::size_t part = 0) const;
    void showNumber(std::size_t box);
    void showByteCheck(std::size_t box);
    void refreshDamage(std::size_t changedBox);
    void setFlag(unsigned bit, bool set);

    model::Document& document_;
    Prompts& prompts_;
    UnitControls& c_;
    std::optional<std::size_t> unit_;
    bool fillingFlags_ = false;
};

}  // namespace tarnwick::ui
