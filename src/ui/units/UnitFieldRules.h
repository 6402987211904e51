#pragma once

#include <cstddef>
#include <cstdint>

#include <QString>

#include "core/model/UnitDataTable.h"
#include "ui/units/UnitFieldBindings.h"

namespace tarnwick::ui {

// How the unit pages and the unit table show and keep a unit's values: one rule for each kind
// of control, so that a value typed anywhere is checked, converted and stored the same way.
// A unit that the field has no element for (right-click past unit 57) is left alone.

// A number box's value as shown: sign-extended, costs in gold.
std::int64_t shownNumber(const model::UnitDataTable& table, const NumberBox& box, std::size_t unit);
// The typed text as a number box takes it; throws "'abc' is not a valid integer value".
std::int64_t typedNumber(const QString& text);
// The box's label as the user reads it: "Armor".
QString numberLabel(const NumberBox& box);
// Kept as the box keeps it: divided by the field's scale. A value outside the field's range
// stores nothing and throws model::ValueDoesNotFit, "300 does not fit Armor (0 to 255)".
void checkNumber(const NumberBox& box, std::int64_t value);
void storeNumber(model::UnitDataTable& table, const NumberBox& box, std::size_t unit,
                 std::int64_t value);

// The "Type" list: the type, and of the domain flags only the one that goes with it.
void storeUnitType(model::UnitDataTable& table, std::size_t unit, int position);
// The list positions of the stored missile and right-click action; -1 shows no selection.
int missilePosition(const model::UnitDataTable& table, std::size_t unit);
int rightClickPosition(const model::UnitDataTable& table, std::size_t unit);
void storeMissile(model::UnitDataTable& table, std::size_t unit, int position);
void storeRightClick(model::UnitDataTable& table, std::size_t unit, int position);

// A flag or target bit, and the 0-or-1 bytes behind the other check boxes.
bool bitSet(const model::UnitDataTable& table, const model::FieldDescriptor& field,
            std::size_t unit, unsigned bit);
void storeBit(model::UnitDataTable& table, const model::FieldDescriptor& field, std::size_t unit,
              unsigned bit, bool set);
// The target boxes write the byte whole from the three of them, in box order.
void storeTargets(model::UnitDataTable& table, std::size_t unit,
                  const std::array<bool, kTargetBoxes.size()>& ticked);
void storeByteCheck(model::UnitDataTable& table, const ByteCheckBox& box, std::size_t unit,
                    bool ticked);

}  // namespace tarnwick::ui
