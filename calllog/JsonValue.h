#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zalvo::calllog {

// The part of JSON the call log writes: objects, arrays, strings, whole numbers, true, false
// and null. A number with a fraction or exponent, a duplicate key or anything after the value
// is refused.
class JsonValue {
public:
    enum class Kind { Null, Boolean, Integer, String, Array, Object };

    // The value of one whole line, or nothing with `error` set to what is wrong.
    static std::optional<JsonValue> parse(std::string_view text, std::string& error);

    Kind kind() const { return m_kind; }
    bool isInteger() const { return m_kind == Kind::Integer; }
    bool isString() const { return m_kind == Kind::String; }
    bool isArray() const { return m_kind == Kind::Array; }
    bool isObject() const { return m_kind == Kind::Object; }
    std::int64_t integer() const { return m_integer; }
    const std::string& string() const { return m_string; }
    const std::vector<JsonValue>& array() const { return m_array; }
    const std::map<std::string, JsonValue>& object() const { return m_object; }
    // A member of an object, or nullptr.
    const JsonValue* member(const std::string& key) const;

    // The value of a hex digit of either case, -1 for any other character.
    static int hexDigit(char c);
    // A string as a JSON string literal, quotes and escapes included.
    static std::string quoted(std::string_view text);

private:
    friend class JsonParser;

    Kind m_kind = Kind::Null;
    bool m_boolean = false;
    std::int64_t m_integer = 0;
    std::string m_string;
    std::vector<JsonValue> m_array;
    std::map<std::string, JsonValue> m_object;
};

} // namespace zalvo::calllog
