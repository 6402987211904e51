// Any bytes as CSV: the reader refuses them with an Error or gives records, and every field it
// gives comes back the same after the writer's quoting.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Require.h"
#include "core/Error.h"
#include "core/exchange/Csv.h"

namespace {

using namespace tarnwick;
using fuzz::require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<exchange::CsvRecord> records;
    try {
        records = exchange::readCsv({reinterpret_cast<const char*>(data), size});
    } catch (const Error&) {
        return 0;
    }
    // The "x" first keeps a record of one empty field from becoming a blank line, which is
    // skipped.
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
    return 0;
}
