#pragma once

#include <cstdint>
#include <string>

#include "core/Error.h"
#include "core/model/FieldDescriptor.h"

namespace tarnwick::model {

// A number as the user types it: an optional sign and decimal digits, within 32 bits signed,
// blanks around it allowed. Anything else throws "'text' is not a valid integer value".
std::int32_t parseTypedInteger(const std::string& text);
// The same within 64 bits, for values checked against a field's range before they are stored.
std::int64_t parseTypedInteger64(const std::string& text);
// Spreadsheets write whole numbers as "60.0": a number whose fraction is all zeros is written
// as that whole number, blanks around it kept; any other text is returned as it is.
std::string withoutZeroFraction(const std::string& text);
// parseTypedInteger64, also taking a whole number as spreadsheets write it: "255.0" is 255, "255.5"
// is refused.
std::int64_t parseWrittenInteger(const std::string& text);

// A typed or pasted value that its field cannot hold, named by the label the user sees:
// "300 does not fit Armor (0 to 255)".
class ValueDoesNotFit : public Error {
  public:
    ValueDoesNotFit(std::int64_t value, const std::string& label, std::int64_t minimum,
                    std::int64_t maximum);
};

// Throws ValueDoesNotFit unless minimum <= value <= maximum.
void checkFits(std::int64_t value, const std::string& label, std::int64_t minimum,
               std::int64_t maximum);
// A value as the user sees it (a cost in gold) as its field stores it (in tens), after the
// field's range rule: nothing the user types is ever stored cut to the field's width.
std::uint32_t checkedStoredValue(const FieldDescriptor& field, std::int64_t shown,
                                 const std::string& label);

}  // namespace tarnwick::model
