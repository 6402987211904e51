#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::exchange {

// A field as a CSV line holds it: in quotes, with its quotes doubled, when it has a comma, a
// quote or a line break; as it is otherwise.
std::string csvField(std::string_view text);

struct CsvRecord {
    std::size_t line = 0;  // where the record begins, from 1
    std::vector<std::string> fields;
};

// The records of a CSV text: fields separated by commas (or by `separator`, as spreadsheets in
// many languages write ';'), lines ended by LF or CRLF (the last
// may lack one), quoted fields holding commas, doubled quotes and line breaks. Blank lines and
// a leading UTF-8 byte order mark are skipped. Strict about the rest: a quote inside an
// unquoted field, text after a closing quote or a quote left open throws tarnwick::Error
// naming the line.
std::vector<CsvRecord> readCsv(std::string_view text, char separator = ',');

}  // namespace tarnwick::exchange
