#include "core/model/DefaultValues.h"

#include <algorithm>

namespace tarnwick::model {

namespace {
template <typename Table>
std::optional<Table> tableFromEntry(std::span<const std::uint8_t> entry) {
    if (entry.size() < Table::kWithoutUseDefault) {
        return std::nullopt;
    }
    Table table;
    std::copy_n(entry.begin(), Table::kWithoutUseDefault, table.bytes.begin() + 2);
    return table;
}
}  // namespace

std::optional<UnitDataTable> unitTableFromEntry(std::span<const std::uint8_t> entry) {
    return tableFromEntry<UnitDataTable>(entry);
}

std::optional<UpgradeTable> upgradeTableFromEntry(std::span<const std::uint8_t> entry) {
    return tableFromEntry<UpgradeTable>(entry);
}

bool elementDiffers(std::span<const std::uint8_t> record, std::span<const std::uint8_t> defaults,
                    const FieldDescriptor& field, std::size_t index) {
    const std::size_t offset = fieldOffset(field, index, 0);
    return !std::equal(record.begin() + static_cast<std::ptrdiff_t>(offset),
                       record.begin() + static_cast<std::ptrdiff_t>(offset + field.elementSize()),
                       defaults.begin() + static_cast<std::ptrdiff_t>(offset));
}

namespace {
// The unit's own values: every array with an element for it, not the table-wide word.
bool isUnitValue(const FieldDescriptor& field, std::size_t unit) {
    return unit < field.count && field.offset != unitfields::useDefault.offset;
}
}  // namespace

bool unitDiffers(const UnitDataTable& table, const UnitDataTable& defaults, std::size_t unit) {
    return std::ranges::any_of(kUnitDataFields, [&](const FieldDescriptor& field) {
        return isUnitValue(field, unit) && elementDiffers(table.bytes, defaults.bytes, field, unit);
    });
}

void revertUnit(UnitDataTable& table, const UnitDataTable& defaults, std::size_t unit) {
    for (const FieldDescriptor& field : kUnitDataFields) {
        if (isUnitValue(field, unit)) {
            const std::size_t offset = fieldOffset(field, unit, 0);
            std::copy_n(defaults.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                        field.elementSize(),
                        table.bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        }
    }
}

}  // namespace tarnwick::model
