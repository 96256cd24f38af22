#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/foundation/Value.h"
#include "platform/graphics/CGImage.h"

namespace {

struct Payload {
    int number = 0;
};

TEST(ValueTest, TypedAccessorsReturnTheValueOrTheDefault) {
    const Value text("Blur & Focus");
    EXPECT_EQ(text.type(), Value::Type::String);
    EXPECT_EQ(text.stringValue(), "Blur & Focus");
    EXPECT_EQ(text.doubleValue(3.5), 3.5);
    EXPECT_EQ(text.integerValue(-1), -1);
    EXPECT_TRUE(text.boolValue(true));
    EXPECT_TRUE(text.arrayValue().empty());
    EXPECT_TRUE(text.dictionaryValue().empty());
    EXPECT_EQ(text.imageValue(), nullptr);
    EXPECT_EQ(text.transformValue(), CGAffineTransform::identity());

    EXPECT_TRUE(Value().isNull());
    EXPECT_TRUE(Value(nullptr).isNull());
    EXPECT_TRUE(Value(static_cast<const char*>(nullptr)).isNull());
    EXPECT_TRUE(Value(UIImagePtr()).isNull());
    EXPECT_EQ(Value().stringValue("none"), "none");

    EXPECT_EQ(Value(Vector{0.5, 0.25}).vectorValue().z(), 0.0);
}

TEST(ValueTest, TheThreeNumericKindsReadAsOneAnother) {
    EXPECT_EQ(Value(4.5).type(), Value::Type::Number);
    EXPECT_EQ(Value(4.5f).type(), Value::Type::Number);
    EXPECT_EQ(Value(7).type(), Value::Type::Integer);
    EXPECT_EQ(Value(7u).type(), Value::Type::Integer);
    EXPECT_EQ(Value(true).type(), Value::Type::Boolean);

    EXPECT_EQ(Value(7).doubleValue(), 7.0);
    EXPECT_EQ(Value(4.9).integerValue(), 4);
    EXPECT_EQ(Value(-4.9).integerValue(), -4);
    EXPECT_EQ(Value(true).integerValue(), 1);
    EXPECT_TRUE(Value(0.25).boolValue());
    EXPECT_FALSE(Value(0).boolValue(true));

    // Out-of-range and NaN doubles must not hit undefined behaviour.
    EXPECT_EQ(Value(1e300).integerValue(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(Value(-1e300).integerValue(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Value(std::nan("")).integerValue(12), 12);
}

TEST(ValueTest, DictionariesArraysAndObjects) {
    const ValueDictionary info{
        {"ratios", ValueArray{1, 1.5}}, {"limitSize", 2048}, {"swapButtonHidden", false}};
    const Value value(info);
    EXPECT_EQ(value["limitSize"].integerValue(), 2048);
    EXPECT_EQ(value["ratios"].arrayValue().size(), 2u);
    EXPECT_TRUE(value["missing"].isNull());
    EXPECT_TRUE(Value("text")["limitSize"].isNull());

    // Copies share the nested containers but are values: the original never changes.
    ValueDictionary copy = value.dictionaryValue();
    copy["limitSize"] = Value(100);
    EXPECT_EQ(value["limitSize"].integerValue(), 2048);

    auto payload = std::make_shared<Payload>();
    payload->number = 5;
    const Value object{AnyObject(payload)};
    ASSERT_NE(object.objectValueAs<Payload>(), nullptr);
    EXPECT_EQ(object.objectValueAs<Payload>()->number, 5);
    EXPECT_EQ(object.objectValueAs<int>(), nullptr);
    EXPECT_EQ(Value("x").objectValueAs<Payload>(), nullptr);
}

TEST(ValueTest, Equality) {
    EXPECT_EQ(Value(1), Value(1.0));
    EXPECT_EQ(Value(1.0), Value(1));
    EXPECT_NE(Value(1), Value(1.5));
    EXPECT_NE(Value(std::int64_t{9007199254740993}), Value(9007199254740992.0));
    EXPECT_NE(Value(1), Value(true));
    EXPECT_NE(Value(1), Value("1"));
    EXPECT_EQ(Value(ValueArray{Value("a"), Value(2)}), Value(ValueArray{Value("a"), Value(2)}));
    EXPECT_NE(Value(ValueArray{Value("a")}), Value(ValueArray{Value("b")}));
    EXPECT_EQ(Value(ValueDictionary{{"k", Value(ValueArray{})}}),
              Value(ValueDictionary{{"k", Value(ValueArray{})}}));
    EXPECT_NE(Value(ValueDictionary{{"k", Value(1)}}), Value(ValueDictionary{{"j", Value(1)}}));
    EXPECT_EQ(Value(Vector{1, 2}), Value(Vector{1, 2}));
    EXPECT_NE(Value(Vector{1, 2}), Value(Vector{1, 2, 0}));
    EXPECT_EQ(Value(), Value());

    auto a = std::make_shared<Payload>();
    auto b = std::make_shared<Payload>();
    EXPECT_EQ(Value(AnyObject(a)), Value(AnyObject(a)));
    EXPECT_NE(Value(AnyObject(a)), Value(AnyObject(b)));
}

TEST(ValueTest, DescriptionIsThePlatformsPropertyListText) {
    const ValueDictionary child{{"toolName", Value("CLFilterTool")},
                                {"dockedNumber", Value(0.0)},
                                {"subtools", Value(ValueArray{})}};
    const ValueDictionary root{
        {"toolName", Value("ZOZuzazOzaroz")}, {"title", Value("Blur & Focus")},
        {"available", Value("YES")},          {"dockedNumber", Value(4.5)},
        {"iconImagePath", Value("")},         {"subtools", Value(ValueArray{Value(child)})}};
    EXPECT_EQ(Value(root).description(),
              "{\n"
              "    available = YES;\n"
              "    dockedNumber = 4.5;\n"
              "    iconImagePath = \"\";\n"
              "    subtools = (\n"
              "        {\n"
              "            dockedNumber = 0;\n"
              "            subtools = (\n"
              "            );\n"
              "            toolName = CLFilterTool;\n"
              "        }\n"
              "    );\n"
              "    title = \"Blur & Focus\";\n"
              "    toolName = ZOZuzazOzaroz;\n"
              "}");

    EXPECT_EQ(
        Value(ValueArray{Value(1), Value(true), Value("say \"hi\"\n"), Value()}).description(),
        "(\n    1,\n    1,\n    \"say \\\"hi\\\"\\n\",\n    <null>\n)");
    // Strings print as they are at the top level.
    EXPECT_EQ(Value("Blur & Focus").description(), "Blur & Focus");
}

TEST(ValueTest, NumbersPrintInTheirShortestForm) {
    EXPECT_EQ(Value(0.1).description(), "0.1");
    EXPECT_EQ(Value(-0.25).description(), "-0.25");
    EXPECT_EQ(Value(100000.0).description(), "100000");
    EXPECT_EQ(Value(0.1 + 0.2).description(), "0.30000000000000004");
    EXPECT_EQ(Value(9223372036854775808.0).description(), "9.223372036854776e+18");
    EXPECT_EQ(Value(std::int64_t{-42}).description(), "-42");
    EXPECT_EQ(Value(Vector{0, 0.5, 1}).description(), "[0 0.5 1]");
    EXPECT_EQ(Value(CGAffineTransform::makeTranslation(3, -4)).description(),
              "CGAffineTransform: {{1, 0, 0, 1}, {3, -4}}");
    EXPECT_EQ(Value(CGRect{0, 0, 320, 216.5}).description(), "NSRect: {{0, 0}, {320, 216.5}}");

    const UIImagePtr image =
        UIImage::imageWithCGImage(CGImage::create(200, 100, CGPixelFormat::RGB32), 2.0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Value(image).description(), "<UIImage {100, 50}>");
}
}  // namespace
