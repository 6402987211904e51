// Any bytes as a scenario: it is read or refused, and what is read writes back to a file that
// reads again to the same bytes.
#include <cstddef>
#include <cstdint>

#include "core/Error.h"
#include "core/files/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnwick::model::Document document;
    try {
        tarnwick::files::readScenario(document, {data, size});
    } catch (const tarnwick::Error&) {
        if (document.isLoaded) {
            __builtin_trap();
        }
        return 0;
    }
    const auto written = tarnwick::files::writeScenario(document);
    tarnwick::model::Document again;
    tarnwick::files::readScenario(again, written);
    if (tarnwick::files::writeScenario(again) != written) {
        __builtin_trap();
    }
    return 0;
}
