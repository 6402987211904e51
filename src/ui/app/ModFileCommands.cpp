#include "ui/app/ModFileCommands.h"

#include <set>
#include <utility>
#include <vector>

#include <QFileInfo>

#include "core/bytes/Printable.h"
#include "core/exchange/Changes.h"
#include "core/exchange/ChangesFile.h"
#include "core/exchange/ChangesWriter.h"
#include "platform/FileStore.h"
#include "platform/GameFiles.h"
#include "ui/app/OpenCommand.h"
#include "ui/defaults/DefaultMark.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

namespace {

using exchange::Table;

const QString kChangesFilter = "Changes files (*.json;*.csv)|*.json;*.csv|All Files(*.*)|*.*";
// The preview lists this many values, then how many more.
constexpr std::size_t kPreviewLines = 20;

QString fromBytes(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// "37 values in 9 units", "1 value in 1 unit and 2 upgrades".
QString extentOf(const std::vector<exchange::Difference>& found) {
    std::set<std::size_t> rows[std::size(exchange::kTables)];
    for (const exchange::Difference& difference : found) {
        if (difference.row) {
            rows[static_cast<std::size_t>(difference.table)].insert(*difference.row);
        }
    }
    const auto counted = [](std::size_t count, const char* one, const char* many) {
        return QString("%1 %2").arg(count).arg(count == 1 ? one : many);
    };
    QStringList parts;
    const std::pair<const char*, const char*> words[] = {
        {"unit", "units"}, {"upgrade", "upgrades"}, {"player", "players"}};
    for (std::size_t table = 0; table < std::size(rows); ++table) {
        if (!rows[table].empty()) {
            parts << counted(rows[table].size(), words[table].first, words[table].second);
        }
    }
    const QString values = counted(found.size(), "value", "values");
    return parts.isEmpty() ? values : values + " in " + parts.join(" and ");
}

CommandFailed aboutFile(const QString& name, const std::exception& error) {
    return CommandFailed(errorMessage(name + ": " + QString::fromStdString(error.what())));
}

}  // namespace

ModFileCommands::ModFileCommands(model::Document& document, Prompts& prompts,
                                 DocumentHistory& history, DefaultTables& defaults,
                                 const UnitListPane& unitNames, const QString& gameDirectory)
    : document_(document),
      prompts_(prompts),
      history_(history),
      defaults_(defaults),
      unitNames_(unitNames),
      gameDirectory_(gameDirectory) {}

std::string ModFileCommands::rowName(Table table, std::size_t row) const {
    if (table == Table::Units) {
        return bytes::printable(unitNames_.rowName(row).toLatin1().toStdString());
    }
    const std::string known = exchange::knownRowName(table, row);
    return known.empty() ? std::string(exchange::schemaOf(table).key) + ' ' +
                               std::to_string(exchange::schemaOf(table).keyOf(row))
                         : known;
}

QString ModFileCommands::previewLine(const exchange::Difference& difference) const {
    const QString row = difference.row
                            ? fromBytes(rowName(difference.table, *difference.row))
                            : fromBytes(std::string(exchange::schemaOf(difference.table).title));
    const auto number = [](const std::optional<std::int64_t>& value) {
        return value ? QString::number(*value) : QString("-");
    };
    return QString("%1 %2 %3 → %4")
        .arg(row, QString::fromStdString(difference.field), number(difference.before),
             number(difference.after));
}

void ModFileCommands::applyChangesFile() {
    if (!document_.isLoaded) {
        throw CommandFailed(warningMessage("Error!  No file loaded!"));
    }
    const auto chosen = prompts_.chooseFileToOpen(
        {"Apply Changes File", kChangesFilter, 1, {}, gameDirectory_, {}, true});
    if (!chosen) {
        return;
    }
    const QString name = QFileInfo(*chosen).fileName();
    std::vector<std::string> names;
    for (int row = 0; row < unitNames_.rowCount(); ++row) {
        names.push_back(rowName(Table::Units, static_cast<std::size_t>(row)));
    }
    std::vector<exchange::Change> changes;
    model::Document changed = document_;
    try {
        const auto file = platform::readWholeFile(*chosen, exchange::kLargestChangesFile);
        // A unit's written name is checked against the game's, when they are known.
        changes = exchange::readCheckedChanges(file, name.toStdString(), names,
                                               platform::holdsGameData(gameDirectory_));
        exchange::applyChanges(changed, changes, name.toStdString());
    } catch (const Error& error) {
        throw aboutFile(name, error);
    }
    const auto found = exchange::differences(exchange::comparedTablesOf(document_),
                                             exchange::comparedTablesOf(changed));
    if (found.empty()) {
        prompts_.information(name + " changes nothing: the document holds every value it sets.");
        return;
    }
    const QString step = "Apply " + name + ": " + extentOf(found);
    QStringList lines;
    for (std::size_t i = 0; i < std::min(found.size(), kPreviewLines); ++i) {
        lines << previewLine(found[i]);
    }
    if (found.size() > kPreviewLines) {
        lines << QString("... and %1 more").arg(found.size() - kPreviewLines);
    }
    const Message preview{MessageIcon::Question, "Apply Changes File",
                          step + "\n\n" + lines.join('\n')};
    if (prompts_.ask(preview, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    history_.record(step, [&] { exchange::applyChanges(document_, changes, name.toStdString()); });
}

model::Document ModFileCommands::gameDefaults() const {
    const model::UnitDataTable* units = defaults_.units(document_.hasExpansionGfx);
    const model::UpgradeTable* upgrades = defaults_.upgrades();
    if (units == nullptr || upgrades == nullptr) {
        throw CommandFailed(warningMessage(kNeedsDefaultDataTip + "."));
    }
    model::Document defaults;
    defaults.unitData = *units;
    defaults.hasExpansionGfx = document_.hasExpansionGfx;
    defaults.upgrades = *upgrades;
    defaults.restrictions = model::RestrictionTable::defaults();
    return defaults;
}

std::optional<QString> ModFileCommands::saveChangesAs() {
    if (!document_.isLoaded) {
        throw CommandFailed(warningMessage("Error!  No file loaded!"));
    }
    const auto against = prompts_.choose(
        {MessageIcon::Question, "Save Changes As", "Write what this document changes against:"},
        {"The Game's Defaults", "Another File..."});
    if (!against) {
        return std::nullopt;
    }
    const exchange::ComparedTables tables = exchange::comparedTablesOf(document_);
    model::Document base;
    exchange::ComparedTables baseTables;
    if (*against == 0) {
        base = gameDefaults();
        baseTables = exchange::defaultsComparedWith(base, tables);
    } else {
        const auto other = prompts_.chooseFileToOpen(
            {"Compare With", "All Files(*.*)|*.*", 1, {}, gameDirectory_, {}, true});
        if (!other) {
            return std::nullopt;
        }
        base = readDocumentFile(document_, *other);
        baseTables = exchange::comparedTablesOf(base);
    }
    const auto chosen = prompts_.chooseFileToSave(
        {"Save Changes As", kChangesFilter, 1, "json", gameDirectory_, {}, false});
    if (!chosen) {
        return std::nullopt;
    }
    std::string json;
    try {
        json = exchange::changesJson(
            exchange::differences(baseTables, tables),
            [this](Table table, std::size_t row) { return rowName(table, row); });
        platform::saveWholeFile(*chosen,
                                {reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
    } catch (const Error& error) {
        throw aboutFile(QFileInfo(*chosen).fileName(), error);
    }
    return chosen;
}

}  // namespace tarnwick::ui
