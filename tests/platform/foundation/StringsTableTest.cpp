#include <gtest/gtest.h>

#include "platform/foundation/StringsTable.h"
#include "tests/platform/foundation/TemporaryFolder.h"

namespace {

std::string lookUp(const StringsTable& table, const std::string& key) {
    const std::string* value = table.find(key);
    return value ? *value : "<missing>";
}

TEST(StringsTableTest, ReadsEntriesCommentsAndEscapes) {
    const StringsTable table = StringsTable::parse(R"(
/* Editor titles
   over two lines */
"ZOZuzazOzaroz_DefaultTitle" = "Edit";   // trailing comment
"CLBlurEffect_DefaultTitle"="Blur & Focus";
plain_key = "unquoted key";
"quotes" = "say \"hi\"\\ok";
"controls" = "a\tb\nc";
"unicode" = "caf\U00e9 \u2603 \UD83D\UDE00";
"octal" = "\101\102";
"multi" = "line one
line two";
"self";
"empty" = "";
"ZOZuzazOzaroz_DefaultTitle" = "Edit again";
)");
    EXPECT_EQ(lookUp(table, "ZOZuzazOzaroz_DefaultTitle"), "Edit again");
    EXPECT_EQ(lookUp(table, "CLBlurEffect_DefaultTitle"), "Blur & Focus");
    EXPECT_EQ(lookUp(table, "plain_key"), "unquoted key");
    EXPECT_EQ(lookUp(table, "quotes"), "say \"hi\"\\ok");
    EXPECT_EQ(lookUp(table, "controls"), "a\tb\nc");
    EXPECT_EQ(lookUp(table, "unicode"), "caf\u00e9 \u2603 \U0001F600");
    EXPECT_EQ(lookUp(table, "octal"), "AB");
    EXPECT_EQ(lookUp(table, "multi"), "line one\nline two");
    EXPECT_EQ(lookUp(table, "self"), "self");
    EXPECT_EQ(lookUp(table, "empty"), "");
    EXPECT_EQ(table.size(), 10u);
}

TEST(StringsTableTest, SyntaxErrorsLoseOnlyTheBrokenEntries) {
    const StringsTable table = StringsTable::parse(R"(
"a" = "1";
this line is not an entry
"b" = "2"
"c" = "3";
"d" "4";
= "stray";
"e" = ;
"f" = "6"; "g" = "7" "h" = "8";
"i" = "9";
"j" = "never closed)");
    EXPECT_EQ(lookUp(table, "a"), "1");
    EXPECT_EQ(lookUp(table, "b"), "2");  // missing ';' at the end of its line
    EXPECT_EQ(lookUp(table, "c"), "3");
    EXPECT_EQ(lookUp(table, "f"), "6");
    EXPECT_EQ(lookUp(table, "i"), "9");
    EXPECT_EQ(table.size(), 5u);  // nothing else got in

    EXPECT_EQ(StringsTable::parse("").size(), 0u);
    EXPECT_EQ(StringsTable::parse("/* never closed \"a\" = \"1\";").size(), 0u);
    EXPECT_EQ(StringsTable::parse("\"a\" = \"ends in a backslash\\").size(), 0u);
}

TEST(StringsTableTest, LoadsUtf8AndUtf16Files) {
    TemporaryFolder folder;
    folder.write("plain.strings", "\"k\" = \"caf\xC3\xA9\";");
    folder.write("bom.strings", "\xEF\xBB\xBF\"k\" = \"bom\";");
    // "k" = "é"; in UTF-16, little- and big-endian, each with its byte-order mark.
    const std::string utf16le("\xFF\xFE\"\0k\0\"\0=\0\"\0\xE9\0\"\0;\0", 18);
    const std::string utf16be("\xFE\xFF\0\"\0k\0\"\0=\0\"\0\xE9\0\"\0;", 18);
    folder.write("le.strings", utf16le);
    folder.write("be.strings", utf16be);

    EXPECT_EQ(lookUp(StringsTable::loadFile(folder.path("plain.strings")), "k"), "caf\u00e9");
    EXPECT_EQ(lookUp(StringsTable::loadFile(folder.path("bom.strings")), "k"), "bom");
    EXPECT_EQ(lookUp(StringsTable::loadFile(folder.path("le.strings")), "k"), "\u00e9");
    EXPECT_EQ(lookUp(StringsTable::loadFile(folder.path("be.strings")), "k"), "\u00e9");
    EXPECT_EQ(StringsTable::loadFile(folder.path("missing.strings")).size(), 0u);
    EXPECT_EQ(StringsTable::loadFile(folder.path()).size(), 0u);
}
}  // namespace
