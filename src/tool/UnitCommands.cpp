#include "core/model/TypedNumber.h"
#include "core/model/UnitDataTable.h"
#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/ToolFiles.h"
#include "tool/UnitNames.h"

namespace tarnwick::tool {

namespace {

// One number of a unit: a field, or the width or height of a two-part field.
struct FieldPart {
    const model::FieldDescriptor* field;
    std::size_t part;

    // "hitPoints", or "boxSize.width" / "boxSize.height".
    std::string name() const {
        const std::string base(field->name);
        if (field->parts == 1) {
            return base;
        }
        return base + (part == 0 ? ".width" : ".height");
    }
};

// Every number a unit has, in table order; the table-wide useDefault word is none.
std::vector<FieldPart> unitFieldParts() {
    std::vector<FieldPart> parts;
    for (const model::FieldDescriptor& field : model::kUnitDataFields) {
        for (std::size_t part = 0; part < field.parts && field.count > 1; ++part) {
            parts.push_back({&field, part});
        }
    }
    return parts;
}

FieldPart findFieldPart(const std::string& name) {
    for (const FieldPart& part : unitFieldParts()) {
        if (part.name() == name) {
            return part;
        }
    }
    throw Error("Unknown unit field \"" + name + "\" (tarnwick-tool fields lists them)");
}

std::string range(std::int64_t first, std::int64_t last) {
    return std::to_string(first) + ".." + std::to_string(last);
}

void listUnits(const Invocation& invocation, std::ostream& out) {
    const UnitNames names(invocation.value("game"));
    const model::Document document = openUnitData(invocation.arguments[0]);
    warnOfIgnoredUnitData(invocation, document, invocation.arguments[0]);
    const auto parts = unitFieldParts();
    for (std::size_t unit = 0; unit < model::kUnitCount; ++unit) {
        out << unit << " name=" << names.printed(unit);
        for (const FieldPart& part : parts) {
            if (unit < part.field->count) {  // only units 0 to 57 have a rightClickAction
                out << ' ' << part.name() << '='
                    << model::displayValue(*part.field,
                                           document.unitData.get(*part.field, unit, part.part));
            }
        }
        out << '\n';
    }
}

void listFields(const Invocation&, std::ostream& out) {
    for (const FieldPart& part : unitFieldParts()) {
        const model::FieldDescriptor& field = *part.field;
        out << part.name() << " width=" << field.width
            << " range=" << range(field.minimumValue(), field.maximumValue())
            << " units=" << range(0, static_cast<std::int64_t>(field.count) - 1) << '\n';
    }
}

void setField(const Invocation& invocation, std::ostream&) {
    const auto& arguments = invocation.arguments;
    const FieldPart target = findFieldPart(arguments[3]);
    const model::FieldDescriptor& field = *target.field;
    const std::int64_t unit = UnitNames(invocation.value("game")).find(arguments[2]);
    if (unit < 0 || static_cast<std::size_t>(unit) >= field.count) {
        throw Error("Unit " + arguments[2] + " is out of range for " + arguments[3] + " (0 to " +
                    std::to_string(field.count - 1) + ")");
    }
    const std::int64_t value = model::parseTypedInteger64(arguments[4]);
    if (!invocation.isSet("wrap") &&
        (value < field.minimumValue() || value > field.maximumValue())) {
        throw Error(arguments[4] + " does not fit " + arguments[3] + " (" +
                    std::to_string(field.minimumValue()) + " to " +
                    std::to_string(field.maximumValue()) + "); --wrap stores it cut to " +
                    std::to_string(8 * field.width) + " bits");
    }
    const model::Document before = openUnitData(arguments[0]);
    model::Document after = before;
    after.unitData.set(field, static_cast<std::size_t>(unit), static_cast<std::uint32_t>(value),
                       target.part);
    saveDocument(after, arguments[1]);
    warnOfIgnoredChanges(invocation, before, after, arguments[1]);
}

const Option kGameOption{"game", "DIR",
                         "the game directory (holding DATA/STRDAT.WAR), for the names of units 0 "
                         "to 104"};

}  // namespace

std::vector<Command> unitCommands() {
    return {
        {"units",
         "One line per unit 0 to 109: its id, name=NAME, then field=value in table order (costs "
         "as stored, that is divided by 10; the two-part sizes as tileSize.width, "
         "tileSize.height). NAME has its blanks as \"_\"; it is empty for units 0 to 104 "
         "without --game.",
         {{"FILE", "a scenario or unit data file"}},
         {kGameOption, kQuietOption},
         "tarnwick-tool units my.pud --game ~/war2 | grep name=Knight",
         listUnits},
        {"fields",
         "One line per unit field that set changes: its name, its width in bytes, the range of "
         "values it holds and the units that have it.",
         {},
         {},
         "tarnwick-tool fields",
         listFields},
        {"set",
         "Changes one field of one unit and writes the result. A value that does not fit the "
         "field is refused unless --wrap is given.",
         {{"IN", "a scenario or unit data file"},
          {"OUT", "where to write the result (may be IN)"},
          {"UNIT", "the unit's id, or its name as units prints it (any letter case)"},
          {"FIELD", "a field as fields lists it, such as hitPoints or boxSize.width"},
          {"VALUE", "a whole number in the field's range"}},
         {{"wrap", "",
           "store a value that does not fit cut to the field's width, as the editor "
           "stores typed numbers"},
          kGameOption,
          kQuietOption},
         "tarnwick-tool set my.pud my.pud knight hitPoints 120 --game ~/war2",
         setField},
    };
}

}  // namespace tarnwick::tool
