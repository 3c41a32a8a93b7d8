// Names the file format cannot hold are refused, and a rewrite keeps every
// line end and every stray CR where it was.
#include "settings/IniFile.h"
#include "settings/IniIndex.h"

#include "platform/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(IniNames, KeysAndSectionsTheFormatCannotHoldAreRefusedAndChangeNothing) {
    IniDocument doc = IniDocument::Parse("[S]\r\nk=v\r\n");
    const std::string before = doc.Serialize();
    for (const std::string& key : std::vector<std::string>{"[x", " [x", ";c", "a=b", "\xEF\xBB\xBFk", "k\rx", "k\nx",
                                                           std::string("k\0x", 3), "", "  "}) {
        EXPECT_FALSE(IniKeyProblem(key).empty()) << key;
        EXPECT_FALSE(doc.Set("S", key, "v")) << key;
        EXPECT_EQ(doc.Serialize(), before) << key;
    }
    for (const std::string& section : std::vector<std::string>{"a]b", "", " ", "a\nb", "\xEF\xBB\xBFS"}) {
        EXPECT_FALSE(IniSectionProblem(section).empty()) << section;
        EXPECT_FALSE(doc.Set(section, "k", "v")) << section;
    }
    EXPECT_EQ(doc.Serialize(), before);
    EXPECT_EQ(IniKeyProblem("[x"), "a leading \"[\"");
    EXPECT_EQ(IniKeyProblem("a=b;"), "\"=\"");
    EXPECT_EQ(IniSectionProblem("a]\n"), "\"]\", a line break");
    // What may stand is taken: brackets inside a key, "[" and ";" inside a section name.
    EXPECT_TRUE(doc.Set("[S;", "a[b]", "v"));
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("[S;", "a[b]"), "v");

    test::TempDir dir;
    EXPECT_EQ(WriteProfileString(dir / "x.ini", "S", "[x", "v"), EINVAL);
    EXPECT_FALSE(FileExists(dir / "x.ini"));
}

TEST(IniLineEnds, EveryLineKeepsItsEndAndAStrayCrStaysWithItsValue) {
    // LF file whose first line ends in CRLF, with a CR inside a value, and
    // whose last line ends in a lone CR (a line end cut short).
    const std::string file = "[A]\r\na=1\nb=x\ry\nc=3\r";
    IniDocument doc = IniDocument::Parse(file);
    EXPECT_EQ(doc.Serialize(), file);
    EXPECT_EQ(doc.Get("A", "b"), "x\ry");
    EXPECT_EQ(doc.Get("A", "c"), "3");
    ASSERT_TRUE(doc.Set("A", "a", "9"));
    EXPECT_EQ(doc.Serialize(), "[A]\r\na=9\nb=x\ry\nc=3\r");
    ASSERT_TRUE(doc.Set("A", "d", "4")); // a new line takes the file's line end (its first one)
    EXPECT_EQ(doc.Serialize(), "[A]\r\na=9\nb=x\ry\nc=3\r\nd=4\r\n");
    // Written and read again, no other key's value changes.
    const IniDocument again = IniDocument::Parse(doc.Serialize());
    for (const char* key : {"a", "b", "c", "d"}) EXPECT_EQ(again.Get("A", key), doc.Get("A", key)) << key;
    EXPECT_EQ(again.Get("A", "b"), "x\ry");
    // A value's CR before a CRLF line end stays the value's.
    EXPECT_EQ(IniDocument::Parse("[A]\r\nv=x\r\r\n").Get("A", "v"), "x\r");
    EXPECT_EQ(IniDocument::Parse("[A]\r\nv=x\r\r\n").Serialize(), "[A]\r\nv=x\r\r\n");
}

TEST(IniIndexTest, AnswersAsTheDocumentDoes) {
    const IniDocument doc = IniDocument::Parse("k=0\r\n[S]\r\nA=1\r\na=2\r\n[s]\r\nb=3\r\n[T]\r\nx=" +
                                               std::string(1100, 'v') + "\r\n");
    const IniIndex index(doc);
    for (const auto& [section, key] : {std::pair{"S", "a"}, std::pair{"s", "A"}, std::pair{"S", "b"},
                                       std::pair{"T", "x"}, std::pair{"", "k"}, std::pair{"U", "a"}})
        EXPECT_EQ(index.Get(section, key), doc.Get(section, key)) << section << "/" << key;
    EXPECT_EQ(index.Get("S", "a"), "1");
    EXPECT_EQ(index.KeyCount("s"), 2u);
    EXPECT_EQ(index.Get("T", "x").size(), kIniValueMax);
}

} // namespace
} // namespace qv530
