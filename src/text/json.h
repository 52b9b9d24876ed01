#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// JSON (RFC 8259) read from UTF-8 text into a value, for the project file;
// and JSON strings written from text, for every JSON the program writes.

struct JsonMember;

// One JSON value. An object keeps its members in the order of the text.
struct JsonValue {
    enum class Type { Null, Boolean, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string string;
    std::vector<JsonValue> array;
    std::vector<JsonMember> object;

    bool Is(Type t) const { return type == t; }
    // The member of an object with this key; nullptr when there is none or
    // when the value is no object.
    const JsonValue *Find(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

// How deep arrays and objects may nest: deeper text is refused, so that no
// text can exhaust the stack of the reader.
inline constexpr int kJsonDepthLimit = 64;
// How many values (members and items counted) a text may hold: a value takes
// about a hundred bytes, so that a damaged or hostile file of a few megabytes
// of "[0,0,0,…]" cannot take gigabytes.
inline constexpr std::size_t kJsonValueLimit = 1000000;

// The value a whole text holds, or what is wrong with the text: a Chinese
// sentence with the place, "第 3 行第 7 列：应为“,”或“}”". Lines are counted
// at line feeds, columns in characters, both from 1. A byte-order mark at the
// start is skipped. Refused: anything RFC 8259 does not allow (a comma before
// a closing bracket, a comment, single quotes, NaN, a leading 0), text that is
// no UTF-8, an escape of half a UTF-16 surrogate pair, a number beyond the
// range of a double, a key twice in one object, nesting deeper than
// kJsonDepthLimit, more than kJsonValueLimit values and anything after the
// value but blanks. Numbers are read
// with "." as the decimal point whatever the user's locale. Never throws
// (std::bad_alloc aside); the time taken grows with the length of the text.
struct JsonReading {
    std::optional<JsonValue> value;
    std::string error;
};
JsonReading ReadJson(std::string_view text);

// text as a JSON string: in quotes, a quote and a backslash escaped, the
// control characters below U+0020 written as \u00XX; every other byte as it is.
std::string JsonString(std::string_view text);
