#include "core/model/UnitClipboard.h"

#include "core/Error.h"

namespace tarnwick::model {

namespace {

// Visits every per-unit element of a unit in table order, then its swamp entry.
template <typename Visit, typename VisitSwamp>
void forEachUnitValue(std::size_t unit, Visit visit, VisitSwamp visitSwamp) {
    if (unit >= kUnitCount) {
        throw Error("Unit " + std::to_string(unit) + " has no per-unit values");
    }
    for (const FieldDescriptor& field : kUnitDataFields) {
        if (field.count == 1) {
            continue;  // useDefault belongs to the table, not to a unit
        }
        for (std::size_t part = 0; part < field.parts; ++part) {
            visit(field, part, unit < field.count);
        }
    }
    visitSwamp();
}

}  // namespace

void UnitClipboard::copy(const Document& document, std::size_t unit) {
    std::vector<std::uint32_t> values;
    forEachUnitValue(
        unit,
        [&](const FieldDescriptor& field, std::size_t part, bool present) {
            values.push_back(present ? document.unitData.get(field, unit, part) : 0);
        },
        [&] { values.push_back(readField(document.gfxSwamp, kSwampGraphicsField, unit)); });
    values_ = std::move(values);
    filled_ = true;
}

void UnitClipboard::paste(Document& document, std::size_t unit) const {
    if (!filled_) {
        return;
    }
    auto value = values_.begin();
    forEachUnitValue(
        unit,
        [&](const FieldDescriptor& field, std::size_t part, bool present) {
            if (present) {
                document.unitData.set(field, unit, *value, part);
            }
            ++value;
        },
        [&] { writeField(document.gfxSwamp, kSwampGraphicsField, unit, *value); });
}

}  // namespace tarnwick::model
