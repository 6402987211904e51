#include <algorithm>

#include "core/bytes/Printable.h"
#include "core/files/DocumentFiles.h"
#include "core/files/SectionChain.h"
#include "core/files/TableFiles.h"
#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

void listSections(const Invocation& invocation, std::ostream& out) {
    const std::string& path = invocation.arguments[0];
    const auto file = readInput(path, files::kLargestDocumentFile);
    files::SectionChainReader chain(file);
    try {
        while (const auto header = chain.nextHeader()) {
            chain.takeBody();
            out << bytes::printable(header->tag, bytes::Blanks::Escape) << ' ' << header->length
                << '\n';
        }
    } catch (const Error& error) {
        throw aboutFile(path, error);
    }
}

void resave(const Invocation& invocation, std::ostream&) {
    checkOutput(invocation.arguments[1]);
    saveDocument(openDocument(invocation.arguments[0]), invocation.arguments[1]);
}

struct ExportKind {
    const char* name;
    files::ExportFormat format;
};
constexpr ExportKind kExportKinds[] = {{"udta", files::ExportFormat::UnitData},
                                       {"ugrd", files::ExportFormat::UpgradeData},
                                       {"up", files::ExportFormat::UpgradeSection},
                                       {"un", files::ExportFormat::UnitSection},
                                       {"alo", files::ExportFormat::Restrictions}};

void exportTable(const Invocation& invocation, std::ostream&) {
    const std::string& in = invocation.arguments[1];
    // The command line holds one of the kinds.
    const auto kind =
        std::find_if(std::begin(kExportKinds), std::end(kExportKinds),
                     [&](const ExportKind& k) { return k.name == invocation.arguments[0]; });
    checkOutput(invocation.arguments[2], {in});
    const model::Document document = openDocument(in);
    if (kind->format == files::ExportFormat::Restrictions && !document.hasRestrictions()) {
        throw Error(quoted(in) + " holds no restrictions");
    }
    writeOutput(invocation.arguments[2], files::exportTable(document, kind->format));
}

// OUT may be IN, which it rewrites in its own form, but not the table file.
void importTable(const Invocation& invocation, std::ostream&) {
    const std::string& tableFile = invocation.arguments[1];
    const std::string& out = invocation.arguments[2];
    checkOutput(out, {tableFile});
    const model::Document before = openDocument(invocation.arguments[0]);
    model::Document after = before;
    const auto table = readInput(tableFile, files::kLargestTableFile);
    try {
        files::importTable(after, table);
    } catch (const Error& error) {
        throw aboutFile(tableFile, error);
    }
    saveDocument(after, out);
    warnOfIgnoredChanges(invocation, before, after, out);
}

ValueKind exportKindNames() {
    std::vector<std::string> names;
    for (const ExportKind& kind : kExportKinds) {
        names.emplace_back(kind.name);
    }
    return choiceValue(names);
}

}  // namespace

std::vector<Command> fileCommands() {
    return {
        {"sections",
         "One line per section of a scenario: its tag and its length. Bytes of a tag that are no "
         "printable character, blanks included, are shown as \\xNN.",
         {{"FILE", "a scenario"}},
         {},
         "tarnwick-tool sections my.pud",
         listSections},
        {"resave",
         "Reads a file as the editor's Open does (a scenario, unit data or upgrade data, told "
         "apart by content and size) and writes it in the same form.",
         {{"IN", "the file to read"}, {"OUT", "where to write it (may be IN)"}},
         {},
         "tarnwick-tool resave old.pud new.pud",
         resave},
        {"export",
         "Writes one table of a file in a stand-alone form, as the editor's Export menu does.",
         {{"KIND",
           "udta (unit data), ugrd (upgrade data), up (upgrade section), un (unit section) or "
           "alo (restrictions)",
           exportKindNames()},
          {"IN", "the scenario or table file to read"},
          {"OUT", "the table file to write"}},
         {},
         "tarnwick-tool export alo my.pud my.alo",
         exportTable},
        {"import",
         "Takes the table a table file holds into a file, as the editor's Import File does, and "
         "writes the result.",
         {{"IN", "the scenario, unit data or upgrade data to change"},
          {"TABLEFILE", "a table file as export writes it"},
          {"OUT", "where to write the result (may be IN)"}},
         {kQuietOption},
         "tarnwick-tool import my.pud balanced.udta my.pud",
         importTable},
    };
}

}  // namespace tarnwick::tool
