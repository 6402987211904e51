// Any bytes as a changes file, read as `apply` reads it, named "changes.csv" by one target and
// "changes.json" by the other: it is refused with an Error or gives values; the values that
// pass the checks land in a scenario and read back as given, rounded down to the field's scale.
// The scenario and the unit names are built once; each input changes the one scenario, which
// is then put back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Require.h"
#include "core/exchange/Changes.h"
#include "core/exchange/ChangesFile.h"
#include "tool/UnitNames.h"

namespace {

using namespace tarnwick;
using fuzz::require;

constexpr std::string_view kFileName =
    std::string_view(TARNWICK_FUZZ_TARGET) == "changes-json" ? "changes.json" : "changes.csv";

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
    std::vector<exchange::Change> changes;
    try {
        changes =
            exchange::checkChanges(exchange::readChanges({data, size}, kFileName),
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
