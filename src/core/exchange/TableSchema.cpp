#include "core/exchange/TableSchema.h"

#include <span>
#include <type_traits>

#include "core/model/UnitRowNames.h"
#include "core/model/UpgradeNames.h"

namespace tarnwick::exchange {

namespace {

// Every number of every row, derived from the record's descriptors: a field of one element is
// table-wide and no column.
template <std::size_t N>
std::vector<Column> columnsOf(const model::FieldDescriptor (&fields)[N]) {
    std::vector<Column> columns;
    for (const model::FieldDescriptor& field : fields) {
        for (std::size_t part = 0; part < field.parts && field.count > 1; ++part) {
            columns.emplace_back(field, part);
        }
    }
    return columns;
}

TableSchema unitSchema() {
    TableSchema schema{Table::Units,
                       "units",
                       "unit",
                       "unit data",
                       model::kGraphicsRowCount,
                       0,
                       model::kUnitCount,
                       columnsOf(model::kUnitDataFields)};
    schema.columns.emplace_back(model::kSwampGraphicsField, 0, true);
    return schema;
}

// The bytes a column's numbers lie in, writable when the document is.
template <typename Doc>
auto recordOf(Doc& document, Table table, const Column& column)
    -> std::span<std::conditional_t<std::is_const_v<Doc>, const std::uint8_t, std::uint8_t>> {
    switch (table) {
        case Table::Units:
            if (column.inSwampArray) {
                return document.gfxSwamp;
            }
            return document.unitData.bytes;
        case Table::Upgrades:
            return document.upgrades.bytes;
        case Table::Restrictions:
            return document.restrictions.bytes;
    }
    throw Error("Unknown table");
}

}  // namespace

Column::Column(const model::FieldDescriptor& descriptor, std::size_t elementPart, bool swamp)
    : field(&descriptor), part(elementPart), inSwampArray(swamp), name(descriptor.name) {
    if (descriptor.parts > 1) {
        name += part == 0 ? ".width" : ".height";
    }
}

const Column* TableSchema::find(std::string_view name) const {
    for (const Column& column : columns) {
        if (column.name == name) {
            return &column;
        }
    }
    return nullptr;
}

const TableSchema& schemaOf(Table table) {
    static const TableSchema units = unitSchema();
    static const TableSchema upgrades{Table::Upgrades,
                                      "upgrades",
                                      "upgrade",
                                      "upgrade data",
                                      model::kUpgradeCount,
                                      0,
                                      model::kUpgradeCount,
                                      columnsOf(model::kUpgradeFields)};
    static const TableSchema restrictions{Table::Restrictions,
                                          "restrictions",
                                          "player",
                                          "restrictions",
                                          model::kPlayerSlotCount,
                                          1,
                                          model::kPlayerSlotCount,
                                          columnsOf(model::kRestrictionFields)};
    switch (table) {
        case Table::Units:
            return units;
        case Table::Upgrades:
            return upgrades;
        case Table::Restrictions:
            return restrictions;
    }
    throw Error("Unknown table");
}

bool holdsTable(const model::Document& document, Table table) {
    using model::DocumentKind;
    switch (table) {
        case Table::Units:
            return document.kind == DocumentKind::Scenario ||
                   document.kind == DocumentKind::UnitData;
        case Table::Upgrades:
            return document.kind == DocumentKind::Scenario ||
                   document.kind == DocumentKind::UpgradeData;
        case Table::Restrictions:
            return document.kind == DocumentKind::Scenario && document.hasRestrictions();
    }
    return false;
}

bool holdsColumn(const model::Document& document, Table table, const Column& column) {
    return holdsTable(document, table) && (!column.inSwampArray || document.hasExpansionGfx);
}

std::uint32_t storedValue(const model::Document& document, Table table, const Column& column,
                          std::size_t row) {
    return model::readField(recordOf(document, table, column), *column.field, row, column.part);
}

std::int64_t shownValue(const model::Document& document, Table table, const Column& column,
                        std::size_t row) {
    return column.field->shownValue(storedValue(document, table, column, row));
}

void storeShownValue(model::Document& document, Table table, const Column& column, std::size_t row,
                     std::int64_t value) {
    model::writeField(recordOf(document, table, column), *column.field, row,
                      column.field->storedValue(value), column.part);
}

const model::FieldDescriptor* useDefaultWordOf(Table table) {
    switch (table) {
        case Table::Units:
            return &model::unitfields::useDefault;
        case Table::Upgrades:
            return &model::upgradefields::useDefault;
        case Table::Restrictions:
            return nullptr;
    }
    return nullptr;
}

std::string knownRowName(Table table, std::size_t row) {
    switch (table) {
        case Table::Units:
            return model::fixedUnitRowName(row);
        case Table::Upgrades:
            return row < model::kUpgradeNames.size() ? model::kUpgradeNames[row] : "";
        case Table::Restrictions:
            return {};
    }
    return {};
}

}  // namespace tarnwick::exchange
