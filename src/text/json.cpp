#include "text/json.h"

#include "text/blanks.h"
#include "text/leading_number.h"

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace {

constexpr const char *kValueWanted = "值（对象、数组、字符串、数字、true、false 或 null）";
constexpr const char *kUnpairedSurrogate
    = "不成对的 UTF-16 代理项（\\uD800 至 \\uDFFF 须高位在前、成对出现）";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string &out, unsigned code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Reads one value after another by recursive descent; each step consumes at
// least one character or stops at the first fault, and the recursion goes no
// deeper than the nesting limit.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) { }

    JsonReading Read()
    {
        if (text_.starts_with("\xEF\xBB\xBF"))
            start_ = pos_ = 3;
        JsonValue value;
        if (Value(value, 0)) {
            SkipBlanks();
            if (pos_ == text_.size())
                return {std::move(value), {}};
            Fail(pos_, "JSON 值之后不应再有内容");
        }
        return {std::nullopt, Place(errorAt_) + error_};
    }

private:
    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t pos_ = 0;
    std::size_t values_ = 0;
    std::size_t errorAt_ = 0;
    std::string error_;

    bool Fail(std::size_t at, std::string message)
    {
        errorAt_ = at;
        error_ = std::move(message);
        return false;
    }

    bool Expected(const std::string &what)
    {
        return Fail(pos_, (pos_ == text_.size() ? "文本提前结束，应为" : "应为") + what);
    }

    // "第 L 行第 C 列：" of a byte offset.
    std::string Place(std::size_t at) const
    {
        std::size_t line = 1;
        std::size_t column = 1;
        for (std::size_t k = start_; k < at && k < text_.size(); ++k) {
            if (text_[k] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(text_[k]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列：";
    }

    bool AtChar(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

    void SkipBlanks()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    bool Value(JsonValue &value, int depth)
    {
        SkipBlanks();
        if (pos_ == text_.size())
            return Expected(kValueWanted);
        if (++values_ > kJsonValueLimit)
            return Fail(pos_, "值的个数超过 " + std::to_string(kJsonValueLimit) + " 个");
        const char c = text_[pos_];
        if (c == '{' || c == '[') {
            if (depth >= kJsonDepthLimit)
                return Fail(pos_, "数组与对象嵌套超过 " + std::to_string(kJsonDepthLimit) + " 层");
            return c == '{' ? Object(value, depth + 1) : Array(value, depth + 1);
        }
        if (c == '"') {
            value.type = JsonValue::Type::String;
            return String(value.string);
        }
        if (c == '-' || IsDigit(c)) {
            value.type = JsonValue::Type::Number;
            return Number(value.number);
        }
        if (Literal("null"))
            return true;
        value.type = JsonValue::Type::Boolean;
        value.boolean = Literal("true");
        if (value.boolean || Literal("false"))
            return true;
        value.type = JsonValue::Type::Null;
        return Expected(kValueWanted);
    }

    bool Literal(std::string_view word)
    {
        if (!text_.substr(pos_).starts_with(word))
            return false;
        pos_ += word.size();
        return true;
        return Expected(kValueWanted);
    }

    bool Object(JsonValue &value, int depth)
    {
        value.type = JsonValue::Type::Object;
        ++pos_;
        SkipBlanks();
        if (AtChar('}')) {
            ++pos_;
            return true;
        }
        std::set<std::string> keys;
        for (;;) {
            SkipBlanks();
            if (!AtChar('"'))
                return Expected("用双引号括起的键名");
            const std::size_t keyAt = pos_;
            std::string key;
            if (!String(key))
                return false;
            if (!keys.insert(key).second)
                return Fail(keyAt, "键“" + key + "”在同一对象中出现了两次");
            SkipBlanks();
            if (!AtChar(':'))
                return Expected("键名之后的“:”");
            ++pos_;
            JsonValue member;
            if (!Value(member, depth))
                return false;
            value.object.push_back({std::move(key), std::move(member)});
            SkipBlanks();
            if (AtChar(',')) {
                ++pos_;
            } else if (AtChar('}')) {
                ++pos_;
                return true;
            } else {
                return Expected("“,”或“}”");
            }
        }
    }

    bool Array(JsonValue &value, int depth)
    {
        value.type = JsonValue::Type::Array;
        ++pos_;
        SkipBlanks();
        if (AtChar(']')) {
            ++pos_;
            return true;
        }
        for (;;) {
            JsonValue item;
            if (!Value(item, depth))
                return false;
            value.array.push_back(std::move(item));
            SkipBlanks();
            if (AtChar(',')) {
                ++pos_;
            } else if (AtChar(']')) {
                ++pos_;
                return true;
            } else {
                return Expected("“,”或“]”");
            }
        }
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?, read in the "C" locale.
    bool Number(double &number)
    {
        const std::size_t first = pos_;
        const auto digits = [this] {
            const std::size_t from = pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_]))
                ++pos_;
            return pos_ > from;
        };
        if (AtChar('-'))
            ++pos_;
        if (AtChar('0')) {
            ++pos_;
            if (pos_ < text_.size() && IsDigit(text_[pos_]))
                return Fail(first, "数字不能以 0 开头后接数字");
        } else if (!digits()) {
            return Expected("“-”之后的数字");
        }
        if (AtChar('.')) {
            ++pos_;
            if (!digits())
                return Expected("小数点之后的数字");
        }
        if (AtChar('e') || AtChar('E')) {
            ++pos_;
            if (AtChar('+') || AtChar('-'))
                ++pos_;
            if (!digits())
                return Expected("指数的数字");
        }
        const std::optional<double> value = WholeNumberValue(text_.substr(first, pos_ - first));
        if (!value)
            return Fail(first, "数字超出可表示的范围");
        number = *value;
        return true;
    }

    // The length of the well-formed UTF-8 character at pos_ (shortest form,
    // no surrogate, at most U+10FFFF), or 0.
    std::size_t Utf8Length() const
    {
        const auto byte = [this](std::size_t k) {
            return pos_ + k < text_.size() ? static_cast<unsigned char>(text_[pos_ + k]) : 0u;
        };
        const unsigned lead = byte(0);
        unsigned low = 0x80;
        unsigned high = 0xBF;
        std::size_t length = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return 0;
        }
        if (byte(1) < low || byte(1) > high)
            return 0;
        for (std::size_t k = 2; k < length; ++k)
            if (byte(k) < 0x80 || byte(k) > 0xBF)
                return 0;
        return length;
    }

    // Four hexadecimal digits at pos_, consumed.
    std::optional<unsigned> Hex4()
    {
        unsigned code = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const int digit = pos_ + k < text_.size() ? HexValue(text_[pos_ + k]) : -1;
            if (digit < 0)
                return std::nullopt;
            code = code * 16 + static_cast<unsigned>(digit);
        }
        pos_ += 4;
        return code;
    }

    bool Escape(std::string &out)
    {
        const std::size_t at = pos_;
        ++pos_; // the backslash
        if (pos_ == text_.size())
            return Expected("转义字符");
        const char e = text_[pos_++];
        switch (e) {
        case '"':
        case '\\':
        case '/':
            out.push_back(e);
            return true;
        case 'b':
            out.push_back('\b');
            return true;
        case 'f':
            out.push_back('\f');
            return true;
        case 'n':
            out.push_back('\n');
            return true;
        case 'r':
            out.push_back('\r');
            return true;
        case 't':
            out.push_back('\t');
            return true;
        case 'u':
            break;
        default:
            return Fail(at, "无效的转义（可用 \\\" \\\\ \\/ \\b \\f \\n \\r \\t \\uXXXX）");
        }
        std::optional<unsigned> code = Hex4();
        if (!code)
            return Fail(at, "“\\u”之后应为四位十六进制数字");
        if (*code >= 0xDC00 && *code <= 0xDFFF)
            return Fail(at, kUnpairedSurrogate);
        if (*code >= 0xD800 && *code <= 0xDBFF) {
            if (!text_.substr(pos_).starts_with("\\u"))
                return Fail(at, kUnpairedSurrogate);
            pos_ += 2;
            const std::optional<unsigned> second = Hex4();
            if (!second || *second < 0xDC00 || *second > 0xDFFF)
                return Fail(at, kUnpairedSurrogate);
            code = 0x10000 + ((*code - 0xD800) << 10) + (*second - 0xDC00);
        }
        AppendUtf8(out, *code);
        return true;
    }

    bool String(std::string &out)
    {
        const std::size_t first = pos_;
        ++pos_; // the opening quote
        while (pos_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20)
                return Fail(pos_, "字符串中不能有未转义的控制字符（换行写作 \\n，制表符写作 \\t）");
            if (c == '\\') {
                if (!Escape(out))
                    return false;
            } else if (c < 0x80) {
                out.push_back(static_cast<char>(c));
                ++pos_;
            } else {
                const std::size_t length = Utf8Length();
                if (length == 0)
                    return Fail(pos_, "不是有效的 UTF-8 字符");
                out.append(text_.substr(pos_, length));
                pos_ += length;
            }
        }
        return Fail(first, "字符串没有结束，缺少右双引号");
    }
};

} // namespace

const JsonValue *JsonValue::Find(std::string_view key) const
{
    for (const JsonMember &member : object)
        if (member.key == key)
            return &member.value;
    return nullptr;
}

JsonReading ReadJson(std::string_view text)
{
    return Reader(text).Read();
}

std::string JsonString(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0xF];
        } else {
            json += c;
        }
    }
    return json + '"';
}
