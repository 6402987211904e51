#include "core/exchange/Csv.h"

#include "core/Error.h"

namespace tarnwick::exchange {

namespace {

class CsvReader {
  public:
    CsvReader(std::string_view text, char separator) : text_(text), separator_(separator) {
        if (text_.starts_with("\xEF\xBB\xBF")) {
            text_.remove_prefix(3);
        }
    }

    std::vector<CsvRecord> records() {
        std::vector<CsvRecord> records;
        while (at_ < text_.size()) {
            if (endOfLine()) {  // a blank line
                continue;
            }
            CsvRecord record{line_, {}};
            do {
                record.fields.push_back(field());
            } while (separator());
            if (at_ < text_.size() && !endOfLine()) {
                fail(line_, separator_ == ','
                                ? "a field must end at a comma or a line break"
                                : "a field must end at a '" + std::string(1, separator_) +
                                      "' or a line break");
            }
            records.push_back(std::move(record));
        }
        return records;
    }

  private:
    [[noreturn]] static void fail(std::size_t line, const std::string& what) {
        throw Error("line " + std::to_string(line) + ": " + what);
    }

    bool separator() {
        if (at_ < text_.size() && text_[at_] == separator_) {
            ++at_;
            return true;
        }
        return false;
    }

    // Steps over a line break; false when none is here.
    bool endOfLine() {
        if (text_.substr(at_).starts_with("\r\n")) {
            at_ += 2;
        } else if (text_[at_] == '\n') {
            ++at_;
        } else {
            return false;
        }
        ++line_;
        return true;
    }

    std::string field() {
        if (at_ < text_.size() && text_[at_] == '"') {
            return quotedField();
        }
        const char ends[] = {separator_, '\r', '\n'};
        const std::size_t end = text_.find_first_of(std::string_view(ends, 3), at_);
        const std::string_view field = text_.substr(at_, end - at_);
        if (field.find('"') != std::string_view::npos) {
            fail(line_, "a quote inside a field that does not begin with one");
        }
        at_ = end == std::string_view::npos ? text_.size() : end;
        return std::string(field);
    }

    std::string quotedField() {
        const std::size_t openedOn = line_;
        std::string field;
        for (++at_; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '"') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                    field += '"';
                    ++at_;
                    continue;
                }
                ++at_;
                return field;
            }
            if (c == '\n') {
                ++line_;
            }
            field += c;
        }
        fail(openedOn, "a quoted field is never closed");
    }

    std::string_view text_;
    char separator_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::vector<CsvRecord> readCsv(std::string_view text, char separator) {
    return CsvReader(text, separator).records();
}

}  // namespace tarnwick::exchange
