#include <algorithm>

#include "core/exchange/TableSchema.h"
#include "core/model/TypedNumber.h"
#include "core/model/UnitDataTable.h"
#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/TableOutput.h"
#include "tool/ToolFiles.h"
#include "tool/UnitNames.h"

namespace tarnwick::tool {

namespace {

// Every number a unit has in the unit record: the swamp graphics beside it are set elsewhere.
std::vector<exchange::Column> unitFieldParts() {
    std::vector<exchange::Column> parts;
    for (const exchange::Column& column : exchange::schemaOf(exchange::Table::Units).columns) {
        if (!column.inSwampArray) {
            parts.push_back(column);
        }
    }
    return parts;
}

ValueKind fieldNames() {
    std::vector<std::string> names;
    for (const exchange::Column& part : unitFieldParts()) {
        names.push_back(part.name);
    }
    return choiceValue(names, "the unit fields that tarnwick-tool fields lists");
}

// The command line holds one of the fields.
exchange::Column findFieldPart(const std::string& name) {
    const std::vector<exchange::Column> parts = unitFieldParts();
    return *std::find_if(parts.begin(), parts.end(),
                         [&](const exchange::Column& part) { return part.name == name; });
}

std::string range(std::int64_t first, std::int64_t last) {
    return std::to_string(first) + ".." + std::to_string(last);
}

void listUnits(const Invocation& invocation, std::ostream& out) {
    const model::Document document = openUnitData(invocation.arguments[0]);
    warnOfIgnoredUnitData(invocation, document, invocation.arguments[0]);
    printTable(document, exchange::Table::Units, invocation, out);
}

void listFields(const Invocation&, std::ostream& out) {
    for (const exchange::Column& part : unitFieldParts()) {
        const model::FieldDescriptor& field = *part.field;
        out << part.name << " width=" << field.width
            << " range=" << range(part.minimum(), part.maximum())
            << " units=" << range(0, static_cast<std::int64_t>(field.count) - 1);
        if (const std::string note = field.scaleNote(); !note.empty()) {
            out << " scale=" << field.scale << " (" << note << ')';
        }
        out << '\n';
    }
}

void setField(const Invocation& invocation, std::ostream&) {
    const auto& arguments = invocation.arguments;
    checkOutput(arguments[1]);
    const exchange::Column target = findFieldPart(arguments[3]);
    const model::FieldDescriptor& field = *target.field;
    const std::size_t unit = UnitNames(invocation.value("game")).fromArgument("UNIT", arguments[2]);
    if (unit >= field.count) {
        throw UsageError("UNIT: Unit " + std::to_string(unit) + " has no " + arguments[3] +
                         " (units 0 to " + std::to_string(field.count - 1) + " have it)");
    }
    const std::int64_t value = model::parseTypedInteger64(arguments[4]);
    if (!invocation.isSet("wrap") && !field.holdsShown(value)) {
        throw UsageError("VALUE: " + arguments[4] + " does not fit " + arguments[3] + " (" +
                         std::to_string(target.minimum()) + " to " +
                         std::to_string(target.maximum()) + "); --wrap stores it cut to " +
                         std::to_string(8 * field.width) + " bits");
    }
    const model::Document before = openUnitData(arguments[0]);
    model::Document after = before;
    exchange::storeShownValue(after, exchange::Table::Units, target, unit, value);
    saveDocument(after, arguments[1]);
    warnOfIgnoredChanges(invocation, before, after, arguments[1]);
}

}  // namespace

std::vector<Command> unitCommands() {
    return {
        {"units",
         "One line per unit 0 to 109: its id, name=NAME, then field=value in table order (costs "
         "in gold, as the editor shows them; the two-part sizes as tileSize.width, "
         "tileSize.height). NAME has its blanks as \"_\"; it is empty for units 0 to 104 "
         "without --game. With --format json or csv, rows 0 to 126 (the graphics rows too) "
         "with names as the editor shows them, in the form apply reads.",
         {{"FILE", "a scenario or unit data file"}},
         {kGameOption, kFormatOption, kQuietOption},
         "tarnwick-tool units my.pud --game ~/war2 | grep name=Knight",
         listUnits},
        {"fields",
         "One line per unit field that set changes: its name, its width in bytes, the range of "
         "values it takes as the editor shows them and the units that have it; a cost also its "
         "scale (shown and typed in gold; stored in tens).",
         {},
         {},
         "tarnwick-tool fields",
         listFields},
        {"set",
         "Changes one field of one unit and writes the result. The value is the one the editor "
         "shows: a cost in gold, stored in tens as the editor stores it (255 is kept as 250). A "
         "value that does not fit the field is refused unless --wrap is given.",
         {{"IN", "a scenario or unit data file"},
          {"OUT", "where to write the result (may be IN)"},
          {"UNIT", "the unit's id, or its name as units prints it (any letter case)", unitValue()},
          {"FIELD", "a field as fields lists it, such as hitPoints or boxSize.width", fieldNames()},
          {"VALUE", "a whole number in the field's range as fields lists it", wholeNumberValue()}},
         {{"wrap", "",
           "store a value that does not fit cut to the field's width (its low 8, 16 or "
           "32 bits)"},
          kGameOption,
          kQuietOption},
         "tarnwick-tool set my.pud my.pud knight hitPoints 120 --game ~/war2",
         setField},
    };
}

}  // namespace tarnwick::tool
