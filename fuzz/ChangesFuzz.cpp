// Any bytes as a changes file, read as `apply` reads it (JSON or CSV told apart by the first
// character): it is refused with an Error or gives values; the values that pass the checks land
// in a scenario and read back as given, rounded down to the field's scale. The CSV target also
// checks that every field read comes back the same after quoting. The scenario and the unit
// names are built once; each input changes the one scenario, which is then put back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/exchange/Changes.h"
#include "core/exchange/Csv.h"
#include "tool/ChangesFile.h"
#include "tool/UnitNames.h"

namespace {

using namespace tarnwick;

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// Each record written again with every field quoted as needed reads back the same. The "x"
// first keeps a record of one empty field from becoming a blank line, which is skipped.
void requireFieldsSurviveQuoting(std::string_view text) {
    std::vector<exchange::CsvRecord> records;
    try {
        records = exchange::readCsv(text);
    } catch (const Error&) {
        return;
    }
    std::string again;
    for (const auto& record : records) {
        again += 'x';
        for (const std::string& field : record.fields) {
            again += ',' + exchange::csvField(field);
        }
        again += '\n';
    }
    const auto back = exchange::readCsv(again);
    require(back.size() == records.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        require(std::equal(records[i].fields.begin(), records[i].fields.end(),
                           back[i].fields.begin() + 1, back[i].fields.end()));
    }
}

struct Target {
    const tool::UnitNames names{std::nullopt};
    const model::Document pristine = [] {
        model::Document scenario;
        scenario.kind = model::DocumentKind::Scenario;
        scenario.isLoaded = true;
        scenario.hasExpansionGfx = true;
        scenario.setHasRestrictions(true);
        return scenario;
    }();
    model::Document document = pristine;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Target target;
    if (std::string_view(TARNWICK_FUZZ_TARGET) == "changes-csv") {
        requireFieldsSurviveQuoting({reinterpret_cast<const char*>(data), size});
    }
    std::vector<exchange::Change> changes;
    try {
        changes =
            exchange::checkChanges(tool::readChanges({data, size}),
                                   [](const std::string& unit) { return target.names.find(unit); });
    } catch (const Error&) {
        return 0;
    }
    exchange::applyChanges(target.document, changes, "fuzz");
    // No number is changed twice: a second value for it is refused.
    for (const auto& change : changes) {
        const std::int64_t scale = change.column->field->scale;
        require(exchange::shownValue(target.document, change.table, *change.column, change.row) ==
                change.value / scale * scale);
    }
    target.document = target.pristine;
    return 0;
}
