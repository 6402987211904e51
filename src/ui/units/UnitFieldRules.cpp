#include "ui/units/UnitFieldRules.h"

#include "core/model/TypedNumber.h"
#include "ui/units/UnitControlTexts.h"

namespace tarnwick::ui {

namespace uf = model::unitfields;

namespace {

constexpr std::array<unsigned, 3> kDomainFlagBits = {0, 1, 3};  // land, air, sea

void store(model::UnitDataTable& table, const model::FieldDescriptor& field, std::size_t unit,
           std::uint32_t value, std::size_t part = 0) {
    if (unit < field.count) {
        table.set(field, unit, value, part);
    }
}

}  // namespace

std::int64_t shownNumber(const model::UnitDataTable& table, const NumberBox& box,
                         std::size_t unit) {
    return box.field->shownValue(table.get(*box.field, unit, box.part));
}

std::int64_t typedNumber(const QString& text) {
    return model::parseTypedInteger64(text.toStdString());
}

QString numberLabel(const NumberBox& box) {
    return QString(box.label).chopped(1);
}

void checkNumber(const NumberBox& box, std::int64_t value) {
    model::checkedStoredValue(*box.field, value, numberLabel(box).toStdString());
}

void storeNumber(model::UnitDataTable& table, const NumberBox& box, std::size_t unit,
                 std::int64_t value) {
    store(table, *box.field, unit,
          model::checkedStoredValue(*box.field, value, numberLabel(box).toStdString()), box.part);
}

void storeUnitType(model::UnitDataTable& table, std::size_t unit, int position) {
    store(table, uf::unitType, unit, static_cast<std::uint32_t>(position));
    for (const unsigned bit : kDomainFlagBits) {
        storeBit(table, uf::flags, unit, bit, false);
    }
    storeBit(table, uf::flags, unit, kDomainFlagBits[static_cast<std::size_t>(position)], true);
}

int missilePosition(const model::UnitDataTable& table, std::size_t unit) {
    const auto missile = static_cast<int>(table.get(uf::missile, unit));
    return missile < static_cast<int>(kMissileNames.size()) ? missile : -1;
}

int rightClickPosition(const model::UnitDataTable& table, std::size_t unit) {
    if (unit >= uf::rightClickAction.count) {
        return -1;
    }
    const auto action = static_cast<int>(table.get(uf::rightClickAction, unit));
    return action >= 1 && action <= static_cast<int>(kRightClickNames.size()) ? action - 1 : -1;
}

void storeMissile(model::UnitDataTable& table, std::size_t unit, int position) {
    store(table, uf::missile, unit, static_cast<std::uint32_t>(position));
}

void storeRightClick(model::UnitDataTable& table, std::size_t unit, int position) {
    store(table, uf::rightClickAction, unit, static_cast<std::uint32_t>(position + 1));
}

bool bitSet(const model::UnitDataTable& table, const model::FieldDescriptor& field,
            std::size_t unit, unsigned bit) {
    return ((table.get(field, unit) >> bit) & 1u) != 0;
}

void storeBit(model::UnitDataTable& table, const model::FieldDescriptor& field, std::size_t unit,
              unsigned bit, bool set) {
    if (unit >= field.count) {
        return;
    }
    const std::uint32_t mask = 1u << bit;
    const std::uint32_t bits = table.get(field, unit);
    table.set(field, unit, set ? bits | mask : bits & ~mask);
}

void storeTargets(model::UnitDataTable& table, std::size_t unit,
                  const std::array<bool, kTargetBoxes.size()>& ticked) {
    std::uint32_t targets = 0;
    for (std::size_t i = 0; i < kTargetBoxes.size(); ++i) {
        if (ticked[i]) {
            targets |= 1u << kTargetBoxes[i].bit;
        }
    }
    store(table, uf::canTarget, unit, targets);
}

void storeByteCheck(model::UnitDataTable& table, const ByteCheckBox& box, std::size_t unit,
                    bool ticked) {
    store(table, *box.field, unit, ticked ? 1 : 0);
}

}  // namespace tarnwick::ui
