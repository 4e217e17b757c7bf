#include "calllog/JsonValue.h"

#include <array>
#include <cstdio>
#include <limits>

namespace zalvo::calllog {

namespace {

// Deeper nesting than the call log ever writes is refused before it can exhaust the stack.
constexpr int kMaxDepth = 8;

} // namespace

// Recursive descent over one line.
class JsonParser {
public:
    explicit JsonParser(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> document(std::string& error) {
        std::optional<JsonValue> value = parseValue(0);
        skipBlanks();
        if (value && m_pos != m_text.size()) {
            fail("Zeichen nach dem Ende des Werts");
            value.reset();
        }
        if (!value) {
            error = m_error + " (Spalte " + std::to_string(m_pos + 1) + ")";
        }
        return value;
    }

private:
    void fail(const char* what) {
        if (m_error.empty()) {
            m_error = what;
        }
    }

    void skipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) {
            ++m_pos;
        }
    }

    bool take(char c) {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool takeWord(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) == word) {
            m_pos += word.size();
            return true;
        }
        return false;
    }

    std::optional<JsonValue> parseValue(int depth) {
        skipBlanks();
        if (depth > kMaxDepth) {
            fail("zu tief geschachtelt");
            return std::nullopt;
        }
        if (m_pos >= m_text.size()) {
            fail("Zeile endet vorzeitig");
            return std::nullopt;
        }
        JsonValue value;
        const char c = m_text[m_pos];
        if (c == '{') {
            return parseObject(depth);
        }
        if (c == '[') {
            return parseArray(depth);
        }
        if (c == '"') {
            value.m_kind = JsonValue::Kind::String;
            if (!parseString(value.m_string)) {
                return std::nullopt;
            }
            return value;
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            return parseInteger();
        }
        if (takeWord("true") || takeWord("false")) {
            value.m_kind = JsonValue::Kind::Boolean;
            value.m_boolean = c == 't';
            return value;
        }
        if (takeWord("null")) {
            return value;
        }
        fail("unerwartetes Zeichen");
        return std::nullopt;
    }

    std::optional<JsonValue> parseObject(int depth) {
        ++m_pos;
        JsonValue value;
        value.m_kind = JsonValue::Kind::Object;
        if (take('}')) {
            return value;
        }
        do {
            skipBlanks();
            std::string key;
            if (m_pos >= m_text.size() || m_text[m_pos] != '"' || !parseString(key)) {
                fail("Schlüssel erwartet");
                return std::nullopt;
            }
            if (!take(':')) {
                fail("':' erwartet");
                return std::nullopt;
            }
            std::optional<JsonValue> member = parseValue(depth + 1);
            if (!member) {
                return std::nullopt;
            }
            if (!value.m_object.emplace(std::move(key), std::move(*member)).second) {
                fail("Schlüssel doppelt");
                return std::nullopt;
            }
        } while (take(','));
        if (!take('}')) {
            fail("'}' erwartet");
            return std::nullopt;
        }
        return value;
    }

    std::optional<JsonValue> parseArray(int depth) {
        ++m_pos;
        JsonValue value;
        value.m_kind = JsonValue::Kind::Array;
        if (take(']')) {
            return value;
        }
        do {
            std::optional<JsonValue> element = parseValue(depth + 1);
            if (!element) {
                return std::nullopt;
            }
            value.m_array.push_back(std::move(*element));
        } while (take(','));
        if (!take(']')) {
            fail("']' erwartet");
            return std::nullopt;
        }
        return value;
    }

    std::optional<JsonValue> parseInteger() {
        const bool negative = m_text[m_pos] == '-';
        if (negative) {
            ++m_pos;
        }
        std::uint64_t magnitude = 0;
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            const auto digit = static_cast<std::uint64_t>(m_text[m_pos] - '0');
            if (magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
                fail("Zahl zu groß");
                return std::nullopt;
            }
            magnitude = magnitude * 10 + digit;
            ++m_pos;
        }
        const std::uint64_t limit =
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) +
            (negative ? 1 : 0);
        if (m_pos == start || magnitude > limit) {
            fail(m_pos == start ? "Ziffer erwartet" : "Zahl zu groß");
            return std::nullopt;
        }
        if (m_pos < m_text.size() &&
            (m_text[m_pos] == '.' || m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            fail("nur ganze Zahlen");
            return std::nullopt;
        }
        JsonValue value;
        value.m_kind = JsonValue::Kind::Integer;
        value.m_integer = negative ? static_cast<std::int64_t>(0 - magnitude)
                                   : static_cast<std::int64_t>(magnitude);
        return value;
    }

    bool parseString(std::string& out) {
        ++m_pos;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                fail("Steuerzeichen in einer Zeichenkette");
                return false;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size()) {
                break;
            }
            const char escaped = m_text[m_pos++];
            switch (escaped) {
            case '"':
            case '\\':
            case '/':
                out += escaped;
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
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u':
                if (!parseUnicodeEscape(out)) {
                    return false;
                }
                break;
            default:
                fail("unbekannte Escape-Folge");
                return false;
            }
        }
        fail("Zeichenkette nicht abgeschlossen");
        return false;
    }

    // \uXXXX of the Basic Multilingual Plane, as UTF-8.
    bool parseUnicodeEscape(std::string& out) {
        if (m_pos + 4 > m_text.size()) {
            fail("\\u braucht vier Hexziffern");
            return false;
        }
        unsigned codePoint = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = JsonValue::hexDigit(m_text[m_pos++]);
            if (digit < 0) {
                fail("\\u braucht vier Hexziffern");
                return false;
            }
            codePoint = codePoint * 16 + static_cast<unsigned>(digit);
        }
        if (codePoint < 0x80) {
            out += static_cast<char>(codePoint);
        } else if (codePoint < 0x800) {
            out += static_cast<char>(0xC0 | (codePoint >> 6));
            out += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (codePoint >> 12));
            out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

std::optional<JsonValue> JsonValue::parse(std::string_view text, std::string& error) {
    return JsonParser(text).document(error);
}

int JsonValue::hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

const JsonValue* JsonValue::member(const std::string& key) const {
    const auto found = m_object.find(key);
    return found == m_object.end() ? nullptr : &found->second;
}

std::string JsonValue::quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04X", static_cast<unsigned>(c));
            out += escape.data();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace zalvo::calllog
