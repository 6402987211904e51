#include "tool/ToolCommands.h"

#include <functional>
#include <map>

#include <QString>

#include "core/Error.h"
#include "core/files/DocumentFiles.h"
#include "core/files/SectionChain.h"
#include "core/model/TypedNumber.h"
#include "platform/FileStore.h"

namespace tarnwick::tool {

namespace {

using Arguments = std::vector<std::string>;

std::vector<std::uint8_t> readInput(const std::string& path) {
    return platform::readWholeFile(QString::fromStdString(path));
}

int listSections(const Arguments& args, std::ostream& out) {
    const auto file = readInput(args[0]);
    files::SectionChainReader chain(file);
    while (const auto header = chain.nextHeader()) {
        chain.takeBody();
        out << header->tag << ' ' << header->length << '\n';
    }
    return 0;
}

// Reads any kind the editor's Open reads, detected the same way.
model::Document openDocument(const std::string& path) {
    const auto file = readInput(path);
    model::Document document;
    files::readDocument(document, files::detectKind(file), file);
    document.fileName = path;
    return document;
}

model::Document openUnitData(const std::string& path) {
    model::Document document = openDocument(path);
    if (document.kind == model::DocumentKind::UpgradeData) {
        throw Error("\"" + path + "\" holds upgrade data, no unit data");
    }
    return document;
}

void saveDocument(const model::Document& document, const std::string& path) {
    platform::saveWholeFile(QString::fromStdString(path), files::writeDocument(document));
}

int resave(const Arguments& args, std::ostream&) {
    saveDocument(openDocument(args[0]), args[1]);
    return 0;
}

// "hitPoints", or "boxSize.width" / "boxSize.height" for the two-part fields.
std::string partName(const model::FieldDescriptor& field, std::size_t part) {
    const std::string name(field.name);
    if (field.parts == 1) {
        return name;
    }
    return name + (part == 0 ? ".width" : ".height");
}

int listUnits(const Arguments& args, std::ostream& out) {
    const model::Document document = openUnitData(args[0]);
    for (std::size_t unit = 0; unit < model::kUnitCount; ++unit) {
        out << unit;
        for (const model::FieldDescriptor& field : model::kUnitDataFields) {
            if (field.count == 1 || unit >= field.count) {
                continue;  // the table-wide useDefault word, and units without an element
            }
            for (std::size_t part = 0; part < field.parts; ++part) {
                out << ' ' << partName(field, part) << '='
                    << model::displayValue(field, document.unitData.get(field, unit, part));
            }
        }
        out << '\n';
    }
    return 0;
}

struct FieldPart {
    const model::FieldDescriptor* field;
    std::size_t part;
};

FieldPart findUnitField(const std::string& name) {
    for (const model::FieldDescriptor& field : model::kUnitDataFields) {
        for (std::size_t part = 0; part < field.parts && field.count > 1; ++part) {
            if (partName(field, part) == name) {
                return {&field, part};
            }
        }
    }
    throw Error("Unknown unit field \"" + name + "\"");
}

int setField(const Arguments& args, std::ostream&) {
    const FieldPart target = findUnitField(args[3]);
    const std::int32_t unit = model::parseTypedInteger(args[2]);
    if (unit < 0 || static_cast<std::size_t>(unit) >= target.field->count) {
        throw Error("Unit " + args[2] + " is out of range for " + args[3] + " (0 to " +
                    std::to_string(target.field->count - 1) + ")");
    }
    const std::int32_t value = model::parseTypedInteger(args[4]);
    model::Document document = openUnitData(args[0]);
    document.unitData.set(*target.field, static_cast<std::size_t>(unit),
                          static_cast<std::uint32_t>(value), target.part);
    saveDocument(document, args[1]);
    return 0;
}

struct Command {
    std::size_t argumentCount;
    const char* usage;
    std::function<int(const Arguments&, std::ostream&)> run;
};

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table = {
        {"sections", {1, "sections FILE", listSections}},
        {"resave", {2, "resave IN OUT", resave}},
        {"units", {1, "units FILE", listUnits}},
        {"set", {5, "set IN OUT UNIT FIELD VALUE", setField}},
    };
    return table;
}

void printUsage(std::ostream& err) {
    err << "usage: tarnwick-tool COMMAND ...\ncommands:\n";
    for (const auto& [name, command] : commands()) {
        err << "  tarnwick-tool " << command.usage << '\n';
    }
}

}  // namespace

int runTool(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        printUsage(err);
        return 2;
    }
    const auto found = commands().find(arguments[0]);
    const Arguments rest(arguments.begin() + 1, arguments.end());
    if (found == commands().end() || rest.size() != found->second.argumentCount) {
        printUsage(err);
        return 2;
    }
    try {
        return found->second.run(rest, out);
    } catch (const std::exception& error) {
        out.flush();
        err << "tarnwick-tool " << arguments[0] << ": " << error.what() << '\n';
        return 1;
    }
}

}  // namespace tarnwick::tool
