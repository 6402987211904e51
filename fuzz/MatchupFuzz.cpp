// Any unit data (a scenario or a unit data file) with any animation script entry, made into the
// balance calculator's whole matchup table: the first two bytes give the unit file's length, the
// unit file follows, the script entry is the rest. A unit file that is read gives a table of
// pairs in id order, each with a side that deals damage, whose CSV has one line per pair after
// the header; its first and last rows read back as eight fields, names as given, and each time
// a number of seconds or "cannot". The same duels drawn as the balance map, at a size and in a
// form the input's length chooses, give a picture of the layout's size within that bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "Require.h"
#include "core/Error.h"
#include "core/exchange/Csv.h"
#include "core/files/DocumentFiles.h"
#include "core/game/BalanceMapPicture.h"
#include "core/game/MatchupTable.h"

namespace {

using namespace tarnwick;
using fuzz::require;

bool isTime(const std::string& field) {
    if (field == "cannot") {
        return true;
    }
    std::size_t used = 0;
    try {
        return std::stod(field, &used) >= 0 && used == field.size();
    } catch (const std::exception&) {
        return false;
    }
}

// Every other unit has a name with a comma or a quote, for the CSV to quote; some are long and
// of bytes the map's font has no glyph for.
const std::vector<std::string>& names() {
    static const std::vector<std::string> shown = [] {
        std::vector<std::string> list;
        for (std::size_t id = 0; id < game::kAnimatedUnitCount; ++id) {
            list.push_back(id % 7 == 5   ? std::string(30, '\xE9') + std::to_string(id)
                           : id % 3 == 0 ? ""
                           : id % 3 == 1 ? "unit, \"" + std::to_string(id) + '"'
                                         : "unit " + std::to_string(id));
        }
        return list;
    }();
    return shown;
}

void drawMap(const std::vector<game::Matchup>& rows, std::size_t choice) {
    const game::BalanceMatrix matrix(rows);
    const game::BalanceMapScope scope{
        matrix.units(), matrix.units(),
        choice % 2 == 0 ? game::DuelStart::PointBlank : game::DuelStart::MaxDistance,
        static_cast<game::MapShows>(choice / 2 % 3)};
    const game::BalanceMapTexts texts = game::balanceMapTexts(matrix, scope, names());
    const int bound = 100 + static_cast<int>(choice % 700);
    if (const auto layout = game::fittedBalanceMapLayout(texts, bound)) {
        const auto picture = game::drawBalanceMap(matrix, scope, texts, *layout);
        require(picture.width() == layout->width && picture.height() == layout->height &&
                layout->largerSide() <= bound);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t unitFileSize =
        std::min(size - 2, std::size_t{data[0]} | std::size_t{data[1]} << 8);
    const std::span<const std::uint8_t> unitFile(data + 2, unitFileSize);
    const std::span<const std::uint8_t> scripts(data + 2 + unitFileSize, size - 2 - unitFileSize);
    model::Document document;
    try {
        document = files::readDocument({}, unitFile, "fuzz");
    } catch (const Error&) {
        return 0;
    }
    if (document.kind == model::DocumentKind::UpgradeData) {
        return 0;
    }
    const auto summary = game::summariseAnimations(scripts).summary;
    // matchupTableCsv() in its two steps, so that the rows can be checked without reading back
    // a CSV of ten thousand lines.
    const auto rows = game::matchups(document.unitData, summary);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const game::Matchup& row = rows[i];
        require(row.a < game::kAnimatedUnitCount && row.b < game::kAnimatedUnitCount &&
                (i == 0 || std::pair(rows[i - 1].a, rows[i - 1].b) < std::pair(row.a, row.b)) &&
                (row.aOnB.pointBlank || row.bOnA.pointBlank));
    }
    const std::string csv = game::matchupCsv(rows, names());
    require(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')) == rows.size() + 1);
    // The header and the first and last rows, read back.
    const std::size_t firstRows = csv.find('\n', csv.find('\n', csv.find('\n') + 1) + 1);
    const std::size_t lastRow = csv.rfind('\n', csv.size() - 2);
    auto records = exchange::readCsv(std::string_view(csv).substr(0, firstRows));
    if (rows.size() > 2) {
        records.push_back(exchange::readCsv(std::string_view(csv).substr(lastRow)).front());
    }
    require(!records.empty() && records.front().fields.size() == 10);
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        const auto& fields = record->fields;
        require(fields.size() == 10);
        for (const std::size_t side : {std::size_t{0}, std::size_t{2}}) {
            const std::size_t id = std::stoul(fields[side]);
            require(id < game::kAnimatedUnitCount &&
                    fields[side + 1] == (names()[id].empty() ? fields[side] : names()[id]));
        }
        require(std::all_of(fields.begin() + 4, fields.begin() + 8, isTime));
    }
    // Drawing costs three times the table: one input in four is drawn.
    if (size % 4 == 0) {
        drawMap(rows, size / 4);
    }
    return 0;
}
