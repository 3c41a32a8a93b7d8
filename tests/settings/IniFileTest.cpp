#include "settings/IniFile.h"

#include "platform/FileIo.h"
#include "settings/TextEncoding.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(IniDocument, LookupsIgnoreCaseAndMissingReadsEmpty) {
    const auto doc = IniDocument::Parse("[Profile]\r\nItemCount=2\r\nItem0 = Profile 1\r\n");
    EXPECT_EQ(doc.Get("PROFILE", "itemcount"), "2");
    EXPECT_EQ(doc.Get("profile", "ITEM0"), "Profile 1");
    EXPECT_EQ(doc.Get("Profile", "Item9"), "");
    EXPECT_EQ(doc.Get("Nope", "ItemCount"), "");
    EXPECT_TRUE(doc.HasKey("profile", "item0"));
    EXPECT_FALSE(doc.HasSection("Skins"));
}

TEST(IniDocument, EditsKeepOtherLinesAndOrder) {
    auto doc = IniDocument::Parse("; comment\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    doc.Set("a", "X", "10");   // in place, keeps the original key spelling of the new line
    doc.Set("A", "w", "4");    // appended after y, before the blank separator
    doc.Set("C", "k", "v");    // new section at the end
    EXPECT_EQ(doc.Serialize(), "; comment\r\n[A]\r\nX=10\r\ny=2\r\nw=4\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n");
    EXPECT_EQ(doc.Keys("a"), (std::vector<std::string>{"X", "y", "w"}));
    doc.DeleteKey("A", "y");
    doc.DeleteSection("b");
    EXPECT_EQ(doc.Serialize(), "; comment\r\n[A]\r\nX=10\r\nw=4\r\n\r\n[C]\r\nk=v\r\n");
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"A", "C"}));
}

TEST(IniDocument, LineEndsAreKept) {
    auto doc = IniDocument::Parse("[A]\nx=1\n");
    doc.Set("A", "y", "2");
    EXPECT_EQ(doc.Serialize(), "[A]\nx=1\ny=2\n");
    IniDocument fresh;
    fresh.Set("S", "k", "v");
    EXPECT_EQ(fresh.Serialize(), "[S]\r\nk=v\r\n");
}

TEST(IniDocument, BlankEdgesAreQuotedAndReadBackUnchanged) {
    IniDocument doc;
    doc.Set("S", "lead", "   Dn");
    doc.Set("S", "trail", "ms ");
    doc.Set("S", "quotes", "\"q\"");
    doc.Set("S", "plain", "a b");
    doc.Set("S", "single", "'q'");
    EXPECT_EQ(doc.Serialize(), "[S]\r\nlead=\"   Dn\"\r\ntrail=\"ms \"\r\nquotes=\"\"q\"\"\r\nplain=a b\r\nsingle=\"'q'\"\r\n");
    const auto back = IniDocument::Parse(doc.Serialize());
    EXPECT_EQ(back.Get("S", "lead"), "   Dn");
    EXPECT_EQ(back.Get("S", "trail"), "ms ");
    EXPECT_EQ(back.Get("S", "quotes"), "\"q\"");
    EXPECT_EQ(back.Get("S", "plain"), "a b");
    EXPECT_EQ(back.Get("S", "single"), "'q'");
    // Like the Windows reader, one pair of single quotes is stripped too.
    EXPECT_EQ(IniDocument::Parse("[S]\r\nk='abc'\r\n").Get("S", "k"), "abc");
    // A line break in a value cannot split the line.
    doc.Set("S", "broken", "a\r\n[X]\nb");
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("S", "broken"), "a[X]b");
}

TEST(IniDocument, ValuesAreCutAt1023Characters) {
    IniDocument doc;
    doc.Set("S", "long", std::string(2000, 'x'));
    EXPECT_EQ(doc.Get("S", "long").size(), kIniValueMax);
    std::string wide;
    for (int i = 0; i < 1100; ++i) wide += "宏";
    doc.Set("S", "wide", wide);
    const std::string got = doc.Get("S", "wide");
    EXPECT_EQ(Utf8Length(got), kIniValueMax);
    EXPECT_EQ(got.size(), kIniValueMax * 3);
}

// UTF-16LE written out by hand (code units low byte first), so that the
// encoder and the decoder are not each other's only check.
TEST(TextEncoding, Utf16LeBytesWrittenOutByHand) {
    struct Case {
        const char* utf8;
        std::string utf16le;
    };
    const Case cases[] = {
        {"A=1", std::string("\x41\x00\x3D\x00\x31\x00", 6)},
        {"Größe", std::string("\x47\x00\x72\x00\xF6\x00\xDF\x00\x65\x00", 10)},
        {"宏一", std::string("\x8F\x5B\x00\x4E", 4)},                  // U+5B8F U+4E00
        {"Тест", std::string("\x22\x04\x35\x04\x41\x04\x42\x04", 8)},
        {"😀", std::string("\x3D\xD8\x00\xDE", 4)},                    // U+1F600: surrogates D83D DE00
        {"\r\n", std::string("\x0D\x00\x0A\x00", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToUtf16Le(c.utf8), c.utf16le);
        EXPECT_EQ(Utf16LeToUtf8(c.utf16le), c.utf8);
    }
    // A whole file as the Windows tool writes it: byte-order mark, CR LF.
    const std::string file("\xFF\xFE[\x00M\x00]\x00\r\x00\n\x00\x8F\x5B=\x00\x31\x00\r\x00\n\x00", 22);
    auto doc = IniDocument::Parse(file);
    EXPECT_EQ(doc.Get("M", "宏"), "1");
    doc.Set("M", "Ü", "😀");
    EXPECT_EQ(doc.Serialize(), file + std::string("\xDC\x00=\x00\x3D\xD8\x00\xDE\r\x00\n\x00", 12));
}

TEST(IniDocument, Utf16WithBomIsReadAndKept) {
    const std::string body = "[Macro]\r\n名字=宏一\r\n";
    const std::string file = "\xFF\xFE" + Utf8ToUtf16Le(body);
    auto doc = IniDocument::Parse(file);
    EXPECT_EQ(doc.encoding(), IniDocument::Encoding::Utf16Le);
    EXPECT_EQ(doc.Get("macro", "名字"), "宏一");
    doc.Set("Macro", "Größe", "😀");
    const std::string out = doc.Serialize();
    ASSERT_TRUE(out.starts_with("\xFF\xFE"));
    EXPECT_EQ(Utf16LeToUtf8(std::string_view(out).substr(2)), body + "Größe=😀\r\n");
    // UTF-8 with a BOM keeps its BOM.
    auto bom = IniDocument::Parse("\xEF\xBB\xBF[A]\r\nk=v\r\n");
    EXPECT_EQ(bom.Get("A", "k"), "v");
    EXPECT_TRUE(bom.Serialize().starts_with("\xEF\xBB\xBF[A]"));
}

TEST(IniDocument, BadInputIsReadWithoutLosingOtherKeys) {
    std::string junk = "stray text\r\nno equals sign\r\n[A]\r\nk1=v1\r\ngarbage line\r\n=novalue\r\n[Unterminated\r\nk2=v2\r\n";
    constexpr char kTail[] = "[B]\r\nnul=a\0b\r\nbad=\xFF\xFE\xC3\r\nk3=v3\r\n";
    junk += std::string(kTail, sizeof kTail - 1);
    const auto doc = IniDocument::Parse(junk);
    EXPECT_EQ(doc.Get("A", "k1"), "v1");
    EXPECT_EQ(doc.Get("Unterminated", "k2"), "v2");
    EXPECT_EQ(doc.Get("B", "nul"), "ab");
    EXPECT_EQ(doc.Get("B", "k3"), "v3");
    EXPECT_EQ(doc.Get("B", "bad"), "\xFF\xFE\xC3");
    // The unknown lines survive a rewrite.
    auto edited = doc;
    edited.Set("A", "k1", "changed");
    const std::string out = edited.Serialize();
    EXPECT_NE(out.find("stray text\r\n"), std::string::npos);
    EXPECT_NE(out.find("garbage line\r\n"), std::string::npos);

    // Odd-length UTF-16 and unpaired surrogates.
    std::string odd = "\xFF\xFE" + Utf8ToUtf16Le("[A]\r\nk=v\r\n") + "\x41";
    EXPECT_EQ(IniDocument::Parse(odd).Get("A", "k"), "v");
    std::string lone = "\xFF\xFE" + Utf8ToUtf16Le("[A]\r\nk=") + std::string("\x00\xD8", 2) + Utf8ToUtf16Le("\r\nj=w\r\n");
    const auto loneDoc = IniDocument::Parse(lone);
    EXPECT_EQ(loneDoc.Get("A", "k"), "\xEF\xBF\xBD");
    EXPECT_EQ(loneDoc.Get("A", "j"), "w");
}

TEST(IniDocument, LargeFileIsRead) {
    std::string big = "[S]\r\n";
    while (big.size() < 10 * 1024 * 1024) big += "key" + std::to_string(big.size()) + "=" + std::string(100, 'v') + "\r\n";
    big += "[End]\r\nlast=yes\r\n";
    const auto doc = IniDocument::Parse(big);
    EXPECT_EQ(doc.Get("End", "last"), "yes");
}

TEST(ProfileStrings, FileCallsCreateUpdateAndDelete) {
    test::TempDir dir;
    const std::string path = dir / "str.ini";
    EXPECT_EQ(ReadProfileString(path, "Profile", "ItemCount"), "");
    EXPECT_EQ(DeleteProfileSection(path, "Profile"), 0);
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(WriteProfileString(path, "Profile", "ItemCount", "1"), 0);
    EXPECT_EQ(WriteProfileString(path, "Profile", "Item0", "Profile 1"), 0);
    EXPECT_EQ(ReadProfileString(path, "PROFILE", "item0"), "Profile 1");
    EXPECT_EQ(ReadProfileKeys(path, "Profile"), (std::vector<std::string>{"ItemCount", "Item0"}));
    EXPECT_EQ(DeleteProfileKey(path, "Profile", "ItemCount"), 0);
    EXPECT_EQ(ReadProfileString(path, "Profile", "ItemCount"), "");
    EXPECT_EQ(DeleteProfileSection(path, "profile"), 0);
    EXPECT_EQ(*ReadWholeFile(path), "");
    // A file that exists but cannot be read is not replaced by the new key alone.
    ASSERT_EQ(MakeFolders(dir / "unreadable.ini"), 0);
    EXPECT_NE(WriteProfileString(dir / "unreadable.ini", "A", "k", "v"), 0);
    // A folder that does not exist cannot be written: an error, not a crash.
    EXPECT_NE(WriteProfileString(dir / "missing/str.ini", "A", "k", "v"), 0);
}

} // namespace
} // namespace qv530
