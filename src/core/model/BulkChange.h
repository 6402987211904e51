#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::model {

// What "Set Selected..." does to each value: "25" sets it, "+10" and "-5" add, "*1.5"
// multiplies and "+10%" / "-10%" change it by a share of itself. A changed value is rounded to
// the nearest value the field can hold, halves up; the factors are exact decimals, so "*1.1" of
// 10 gives 11, not 10.
class BulkChange {
  public:
    // Throws "'text' is not a value or a change" for anything else.
    static BulkChange parse(const std::string& text);

    // `step` is what the field's values go by as the user sees them: 10 for a cost shown in
    // gold and kept in tens, so 250 - 10% is 230. A value set is kept as typed.
    std::int64_t applyTo(std::int64_t value, std::int64_t step = 1) const;

  private:
    enum class Kind { Set, Add, Scale };
    BulkChange(Kind kind, std::int64_t numerator, std::int64_t denominator)
        : kind_(kind), numerator_(numerator), denominator_(denominator) {}

    Kind kind_;
    // The operand as a fraction: 1.5 is 15/10, +10% is 110/100.
    std::int64_t numerator_;
    std::int64_t denominator_;
};

}  // namespace tarnwick::model
