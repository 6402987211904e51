#include "core/exchange/Json.h"

#include <unordered_map>

#include "core/Error.h"
#include "core/bytes/Printable.h"

namespace tarnwick::exchange {

namespace {

// A changes file nests three deep; the bound keeps hostile nesting off the stack.
constexpr std::size_t kDeepestNesting = 32;

class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : text_(text) {
        if (text_.starts_with("\xEF\xBB\xBF")) {
            text_.remove_prefix(3);
        }
    }

    JsonValue document() {
        JsonValue top = value("", 0);
        skipBlanks();
        if (at_ < text_.size()) {
            fail(line_, "there is more after the end of the value");
        }
        return top;
    }

  private:
    [[noreturn]] static void fail(std::size_t line, const std::string& what) {
        throw Error("line " + std::to_string(line) + ": " + what);
    }

    bool atEnd() const { return at_ >= text_.size(); }
    bool isDigit() const { return !atEnd() && text_[at_] >= '0' && text_[at_] <= '9'; }

    void skipBlanks() {
        for (; !atEnd(); ++at_) {
            const char c = text_[at_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
        }
    }

    bool take(char wanted) {
        skipBlanks();
        if (!atEnd() && text_[at_] == wanted) {
            ++at_;
            return true;
        }
        return false;
    }

    void expect(char wanted, const std::string& what) {
        if (!take(wanted)) {
            fail(line_, what);
        }
    }

    JsonValue value(const std::string& path, std::size_t depth) {
        skipBlanks();
        JsonValue read;
        read.line = line_;
        const char first = atEnd() ? '\0' : text_[at_];
        if (first == '{' || first == '[') {
            if (depth == kDeepestNesting) {
                fail(line_, "the values are nested too deeply");
            }
            ++at_;
            if (first == '{') {
                object(read, path, depth);
            } else {
                array(read, path, depth);
            }
        } else if (first == '"') {
            read.kind = JsonValue::Kind::String;
            read.text = string();
        } else if (first == '-' || isDigit()) {
            read.kind = JsonValue::Kind::Number;
            read.text = number();
        } else if (literal("true") || literal("false")) {
            read.kind = JsonValue::Kind::Boolean;
        } else if (!literal("null")) {
            fail(line_, "a value is missing");
        }
        return read;
    }

    bool literal(std::string_view word) {
        if (text_.substr(at_).starts_with(word)) {
            at_ += word.size();
            return true;
        }
        return false;
    }

    void object(JsonValue& read, const std::string& path, std::size_t depth) {
        read.kind = JsonValue::Kind::Object;
        if (take('}')) {
            return;
        }
        std::unordered_map<std::string, std::size_t> seen;  // key -> its item
        do {
            skipBlanks();
            if (atEnd() || text_[at_] != '"') {
                fail(line_, "a key in quotes is missing");
            }
            const std::size_t keyLine = line_;
            std::string key = string();
            if (const auto earlier = seen.find(key); earlier != seen.end()) {
                fail(keyLine, (path.empty() ? "the top level" : bytes::printable(path)) +
                                  " names \"" + bytes::printable(key) + "\" twice (first on line " +
                                  std::to_string(read.items[earlier->second].line) + ")");
            }
            expect(':', "a ':' after the key is missing");
            const std::string memberPath = path.empty() ? key : path + '.' + key;
            seen.emplace(key, read.items.size());
            read.items.push_back(value(memberPath, depth + 1));
            read.keys.push_back(std::move(key));
        } while (take(','));
        expect('}', "a ',' or '}' is missing");
    }

    void array(JsonValue& read, const std::string& path, std::size_t depth) {
        read.kind = JsonValue::Kind::Array;
        if (take(']')) {
            return;
        }
        do {
            read.items.push_back(
                value(path + '[' + std::to_string(read.items.size()) + ']', depth + 1));
        } while (take(','));
        expect(']', "a ',' or ']' is missing");
    }

    void digits(const char* what) {
        if (!isDigit()) {
            fail(line_, what);
        }
        while (isDigit()) {
            ++at_;
        }
    }

    std::string number() {
        const std::size_t start = at_;
        if (text_[at_] == '-') {
            ++at_;
        }
        if (!atEnd() && text_[at_] == '0') {
            ++at_;
        } else {
            digits("a number needs a digit after its sign");
        }
        if (!atEnd() && text_[at_] == '.') {
            ++at_;
            digits("a number needs a digit after its point");
        }
        if (!atEnd() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (!atEnd() && (text_[at_] == '+' || text_[at_] == '-')) {
                ++at_;
            }
            digits("a number needs a digit in its exponent");
        }
        return std::string(text_.substr(start, at_ - start));
    }

    unsigned hexQuad() {
        unsigned code = 0;
        for (int i = 0; i < 4; ++i, ++at_) {
            const char c = atEnd() ? '\0' : text_[at_];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                fail(line_, "a unicode escape needs four hexadecimal digits");
            }
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return code;
    }

    // A \u escape, a surrogate pair taken whole, as UTF-8.
    void escapedCodePoint(std::string& out) {
        unsigned code = hexQuad();
        if (code >= 0xDC00 && code <= 0xDFFF) {
            fail(line_, "a unicode escape holds a lone surrogate");
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (!literal("\\u")) {
                fail(line_, "a unicode escape holds a lone surrogate");
            }
            const unsigned low = hexQuad();
            if (low < 0xDC00 || low > 0xDFFF) {
                fail(line_, "a unicode escape holds a lone surrogate");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        const auto byte = [&out](unsigned bits) { out += static_cast<char>(bits); };
        if (code < 0x80) {
            byte(code);
        } else if (code < 0x800) {
            byte(0xC0 | code >> 6);
            byte(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            byte(0xE0 | code >> 12);
            byte(0x80 | (code >> 6 & 0x3F));
            byte(0x80 | (code & 0x3F));
        } else {
            byte(0xF0 | code >> 18);
            byte(0x80 | (code >> 12 & 0x3F));
            byte(0x80 | (code >> 6 & 0x3F));
            byte(0x80 | (code & 0x3F));
        }
    }

    std::string string() {
        const std::size_t openedOn = line_;
        std::string out;
        for (++at_; !atEnd();) {
            const char c = text_[at_++];
            if (c == '"') {
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                fail(line_, "a control byte inside quotes must be written as an escape");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            const char escape = atEnd() ? '\0' : text_[at_++];
            switch (escape) {
                case '"':
                case '\\':
                case '/':
                    out += escape;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u':
                    escapedCodePoint(out);
                    break;
                default:
                    fail(line_, "a backslash begins no escape JSON knows");
            }
        }
        fail(openedOn, "a text in quotes is never closed");
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            return &items[i];
        }
    }
    return nullptr;
}

JsonValue readJson(std::string_view text) {
    return JsonReader(text).document();
}

}  // namespace tarnwick::exchange
