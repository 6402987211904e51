#include "core/model/UnitSearch.h"

#include <algorithm>
#include <cctype>

namespace tarnwick::model {

namespace {
constexpr std::size_t kSearchedRows = 104;

bool sameLetters(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) ==
           std::toupper(static_cast<unsigned char>(b));
}
}  // namespace

std::optional<std::size_t> findUnitRow(const std::vector<std::string>& rowNames,
                                       const std::string& text) {
    const std::size_t rows = std::min(rowNames.size(), kSearchedRows);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string& name = rowNames[row];
        if (name.size() >= text.size() &&
            std::equal(text.begin(), text.end(), name.begin(), sameLetters)) {
            return row;
        }
    }
    return std::nullopt;
}

}  // namespace tarnwick::model
