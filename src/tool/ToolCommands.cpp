#include "tool/ToolCommands.h"

#include <functional>
#include <map>

#include <QBuffer>
#include <QImage>
#include <QString>

#include "core/Error.h"
#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"
#include "core/archive/LzssEncoder.h"
#include "core/files/DocumentFiles.h"
#include "core/files/SectionChain.h"
#include "core/files/TableFiles.h"
#include "core/graphics/SpriteConverter.h"
#include "core/model/TypedNumber.h"
#include "platform/FileStore.h"
#include "platform/MappedFile.h"

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
    return files::readDocument({}, readInput(path), path);
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

std::int64_t entryNumber(const std::string& text) {
    return model::parseTypedInteger(text);
}

int listEntries(const Arguments& args, std::ostream& out) {
    const platform::MappedFile file(QString::fromStdString(args[0]));
    const archive::ArchiveView view(file.bytes());
    for (std::size_t slot = 0; slot < view.entryCount(); ++slot) {
        out << slot << ' ';
        if (view.offset(slot) == -1) {
            out << "empty\n";
            continue;
        }
        try {
            const archive::EntryInfo info = view.info(static_cast<std::int64_t>(slot));
            out << info.offset << ' ' << info.storedLength << ' '
                << (info.compressed ? "compressed" : "stored") << ' ' << info.length << '\n';
        } catch (const Error& error) {
            out << "damaged: " << error.what() << '\n';
        }
    }
    return 0;
}

int extractEntry(const Arguments& args, std::ostream&) {
    const platform::MappedFile file(QString::fromStdString(args[0]));
    const auto bytes = archive::ArchiveView(file.bytes()).extract(entryNumber(args[1]));
    platform::saveWholeFile(QString::fromStdString(args[2]), bytes);
    return 0;
}

int compressFile(const Arguments& args, std::ostream&) {
    NoProgress quiet;
    const auto input = readInput(args[0]);
    platform::saveWholeFile(QString::fromStdString(args[1]), archive::lzssCompress(input, quiet));
    return 0;
}

// As Direct Save stores an entry: compressed with the length and 0x20 in its header, or as is.
int insertEntry(const Arguments& args, std::ostream&) {
    const bool compress = args.size() == 4;
    if (compress && args[3] != "--compress") {
        throw Error("Unknown option \"" + args[3] + "\"");
    }
    const std::int64_t entry = entryNumber(args[1]);
    const auto data = readInput(args[2]);
    NoProgress quiet;
    const auto payload = compress ? archive::lzssCompress(data, quiet) : data;
    const auto archiveBytes = readInput(args[0]);
    const auto rebuilt = archive::insertEntry(
        archiveBytes, entry, archive::entryHeader(data.size(), compress), payload, quiet);
    platform::saveWholeFile(QString::fromStdString(args[0]), rebuilt);
    return 0;
}

int exportTable(const Arguments& args, std::ostream&) {
    static const std::map<std::string, files::ExportFormat> kinds = {
        {"udta", files::ExportFormat::UnitData},
        {"ugrd", files::ExportFormat::UpgradeData},
        {"up", files::ExportFormat::UpgradeSection},
        {"un", files::ExportFormat::UnitSection},
        {"alo", files::ExportFormat::Restrictions}};
    const auto kind = kinds.find(args[0]);
    if (kind == kinds.end()) {
        throw Error("Unknown kind \"" + args[0] + "\" (udta, ugrd, up, un or alo)");
    }
    const model::Document document = openDocument(args[1]);
    if (kind->second == files::ExportFormat::Restrictions && !document.hasRestrictions()) {
        throw Error("\"" + args[1] + "\" holds no restrictions");
    }
    platform::saveWholeFile(QString::fromStdString(args[2]),
                            files::exportTable(document, kind->second));
    return 0;
}

int importTable(const Arguments& args, std::ostream&) {
    model::Document document = openDocument(args[0]);
    files::importTable(document, readInput(args[1]));
    saveDocument(document, args[2]);
    return 0;
}

// sprite SPRITE OUT [--palette FILE] [--frames N]: the bitmap the editor builds, or a PNG.
int convertSprite(const Arguments& args, std::ostream&) {
    graphics::Palette palette = graphics::greyPalette();
    std::size_t frames = 0;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            throw Error("\"" + args[i] + "\" needs a value");
        }
        if (args[i] == "--palette") {
            palette = graphics::paletteFromGame(readInput(args[i + 1]));
        } else if (args[i] == "--frames") {
            const std::int32_t count = model::parseTypedInteger(args[i + 1]);
            if (count < 0) {
                throw Error("--frames needs a count of 0 or more");
            }
            frames = static_cast<std::size_t>(count);
        } else {
            throw Error("Unknown option \"" + args[i] + "\"");
        }
    }
    NoProgress quiet;
    const auto converted = graphics::convertGfx(readInput(args[0]), frames, palette, quiet);
    const std::string& out = args[1];
    const bool png =
        out.size() >= 4 &&
        QString::fromStdString(out.substr(out.size() - 4)).compare(".png", Qt::CaseInsensitive) ==
            0;
    if (!png) {
        platform::saveWholeFile(QString::fromStdString(out), converted.bitmap);
        return 0;
    }
    const QImage image =
        QImage::fromData(converted.bitmap.data(), static_cast<int>(converted.bitmap.size()), "BMP");
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        throw Error("Cannot encode \"" + out + "\" as PNG");
    }
    // Through the same atomic save as every other output, so a failure leaves OUT as it was.
    platform::saveWholeFile(QString::fromStdString(out),
                            std::span(reinterpret_cast<const std::uint8_t*>(encoded.constData()),
                                      static_cast<std::size_t>(encoded.size())));
    return 0;
}

struct Command {
    std::size_t argumentCount;
    std::size_t optionalCount;
    const char* usage;
    std::function<int(const Arguments&, std::ostream&)> run;
};

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table = {
        {"sections", {1, 0, "sections FILE", listSections}},
        {"resave", {2, 0, "resave IN OUT", resave}},
        {"units", {1, 0, "units FILE", listUnits}},
        {"set", {5, 0, "set IN OUT UNIT FIELD VALUE", setField}},
        {"list", {1, 0, "list ARCHIVE", listEntries}},
        {"extract", {3, 0, "extract ARCHIVE N OUT", extractEntry}},
        {"compress", {2, 0, "compress IN OUT", compressFile}},
        {"insert", {3, 1, "insert ARCHIVE N FILE [--compress]", insertEntry}},
        {"export", {3, 0, "export udta|ugrd|up|un|alo IN OUT", exportTable}},
        {"import", {3, 0, "import IN TABLEFILE OUT", importTable}},
        {"sprite",
         {2, 4, "sprite SPRITE OUT.bmp|OUT.png [--palette FILE] [--frames N]", convertSprite}},
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
    if (found == commands().end() || rest.size() < found->second.argumentCount ||
        rest.size() > found->second.argumentCount + found->second.optionalCount) {
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
