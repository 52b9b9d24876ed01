#include "text/json.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using Type = JsonValue::Type;

TEST(JsonTest, ReadsWhatRfc8259Allows)
{
    const JsonReading reading
        = ReadJson("\xEF\xBB\xBF {\"b\": [true, false, null, -0.5e+1, 1E-400],"
                   "\r\n \"a\": \"\\u4e2d\\ud83d\\ude00\\/\\t\\\"\", "
                   "\"\": {}}\n");
    ASSERT_TRUE(reading.value) << reading.error;
    const JsonValue &root = *reading.value;
    ASSERT_EQ(root.object.size(), 3u);
    // Members keep the order of the text.
    EXPECT_EQ(root.object[0].key, "b");
    EXPECT_EQ(root.object[1].key, "a");
    EXPECT_EQ(root.Find("a")->string, "中😀/\t\"");
    const JsonValue &b = *root.Find("b");
    ASSERT_EQ(b.array.size(), 5u);
    EXPECT_TRUE(b.array[0].boolean);
    EXPECT_TRUE(b.array[1].Is(Type::Boolean) && !b.array[1].boolean);
    EXPECT_TRUE(b.array[2].Is(Type::Null));
    EXPECT_EQ(b.array[3].number, -5.0);
    EXPECT_EQ(b.array[4].number, 0.0); // below the smallest double: 0, not refused
    EXPECT_TRUE(root.Find("")->Is(Type::Object));
    EXPECT_EQ(root.Find("c"), nullptr);
}

TEST(JsonTest, RefusesFaultyTextSayingWhereAndWhat)
{
    const std::string deep(kJsonDepthLimit + 1, '[');
    std::string wide = "[";
    for (std::size_t k = 0; k < kJsonValueLimit; ++k)
        wide += "0,";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"",
         "第 1 行第 1 列：文本提前结束，应为值（对象、数组、字符串、数字、true、false 或 null）"},
        {"{\"a\": 1,}", "第 1 行第 9 列：应为用双引号括起的键名"},
        {"{\n  \"a\": 1\n  \"b\": 2\n}", "第 3 行第 3 列：应为“,”或“}”"},
        {"[1, 2", "第 1 行第 6 列：文本提前结束，应为“,”或“]”"},
        {"{\"标题\" 1}", "第 1 行第 7 列：应为键名之后的“:”"},
        {"{'a': 1}", "第 1 行第 2 列：应为用双引号括起的键名"},
        {"[1,]", "第 1 行第 4 列：应为值（对象、数组、字符串、数字、true、false 或 null）"},
        {"[NaN]", "第 1 行第 2 列：应为值（对象、数组、字符串、数字、true、false 或 null）"},
        {"{} x", "第 1 行第 4 列：JSON 值之后不应再有内容"},
        {"[01]", "第 1 行第 2 列：数字不能以 0 开头后接数字"},
        {"[1.]", "第 1 行第 4 列：应为小数点之后的数字"},
        {"[-]", "第 1 行第 3 列：应为“-”之后的数字"},
        {"[1e999]", "第 1 行第 2 列：数字超出可表示的范围"},
        {"{\"a\": 1, \"a\": 2}", "第 1 行第 10 列：键“a”在同一对象中出现了两次"},
        {"\"ab", "第 1 行第 1 列：字符串没有结束，缺少右双引号"},
        {"[\"a\nb\"]",
         "第 1 行第 4 列：字符串中不能有未转义的控制字符（换行写作 \\n，制表符写作 \\t）"},
        {"\"\\x\"", "第 1 行第 2 列：无效的转义（可用 \\\" \\\\ \\/ \\b \\f \\n \\r \\t \\uXXXX）"},
        {"\"\\u12G4\"", "第 1 行第 2 列：“\\u”之后应为四位十六进制数字"},
        {"\"\\uD800\"",
         "第 1 行第 2 列：不成对的 UTF-16 代理项（\\uD800 至 \\uDFFF 须高位在前、成对出现）"},
        {"\"\\uDC00\\uD800\"",
         "第 1 行第 2 列：不成对的 UTF-16 代理项（\\uD800 至 \\uDFFF 须高位在前、成对出现）"},
        {"[\"中\xC3\x28\"]", "第 1 行第 4 列：不是有效的 UTF-8 字符"},
        {"\"\xED\xA0\x80\"", "第 1 行第 2 列：不是有效的 UTF-8 字符"}, // an encoded surrogate
        {"\"\xC0\xAF\"", "第 1 行第 2 列：不是有效的 UTF-8 字符"}, // an overlong "/"
        {deep, "第 1 行第 65 列：数组与对象嵌套超过 64 层"},
        {wide + "0]", "第 1 行第 2000000 列：值的个数超过 1000000 个"},
    };
    for (const auto &c : cases) {
        const JsonReading reading = ReadJson(c.text);
        EXPECT_FALSE(reading.value) << c.text;
        EXPECT_EQ(reading.error, c.error) << c.text;
    }
    // The deepest nesting allowed reads.
    const std::string deepest
        = std::string(kJsonDepthLimit, '[') + std::string(kJsonDepthLimit, ']');
    EXPECT_TRUE(ReadJson(deepest).value);
}

TEST(JsonTest, ReadsBackEveryStringItWrites)
{
    for (const std::string &text : {std::string(), std::string("三层会议室 \"A\\B\"\n第二行\t"),
                                    std::string("\0\x01\x1f\x7f", 4), std::string("２６ ℃ 😀")}) {
        const JsonReading reading = ReadJson(JsonString(text));
        ASSERT_TRUE(reading.value) << reading.error;
        EXPECT_EQ(reading.value->string, text);
    }
}

TEST(JsonTest, EveryCutOfATextIsRefusedWithoutHarm)
{
    const std::string text = "{\"a\": [1.5e3, -0, \"x\\u00e9\\ud83d\\ude00\"], \"b\": {\"c\": "
                             "null, \"d\": true}, \"e\": \"中文\"}";
    ASSERT_TRUE(ReadJson(text).value);
    for (std::size_t n = 0; n < text.size(); ++n) {
        const JsonReading reading = ReadJson(std::string_view(text).substr(0, n));
        EXPECT_FALSE(reading.value) << n;
        EXPECT_TRUE(reading.error.starts_with("第 1 行第 ")) << n << ": " << reading.error;
    }
}

} // namespace
