// Any bytes as a CSV changes file: it is refused with an Error or gives values; the values that
// pass the checks land in a scenario and read back as given, rounded down to the field's scale;
// every field read from the file comes back the same after quoting.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/exchange/Changes.h"
#include "core/exchange/Csv.h"
#include "core/model/TypedNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        for (const auto& record : exchange::readCsv(text)) {
            for (const std::string& field : record.fields) {
                const auto back = exchange::readCsv("x," + exchange::csvField(field));
                if (back.size() != 1 || back[0].fields[1] != field) {
                    __builtin_trap();
                }
            }
        }
        const auto changes = exchange::checkChanges(
            exchange::csvChanges(text),
            [](const std::string& unit) { return model::parseTypedInteger64(unit); });
        model::Document document;
        document.kind = model::DocumentKind::Scenario;
        document.hasExpansionGfx = true;
        document.setHasRestrictions(true);
        exchange::applyChanges(document, changes, "fuzz");
        // No number is changed twice: a second value for it is refused.
        for (const auto& change : changes) {
            const std::int64_t scale = change.column->field->scale;
            if (exchange::shownValue(document, change.table, *change.column, change.row) !=
                change.value / scale * scale) {
                __builtin_trap();
            }
        }
    } catch (const Error&) {
    }
    return 0;
}
