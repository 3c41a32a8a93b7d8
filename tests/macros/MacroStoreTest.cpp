#include "macros/MacroStore.h"

#include "macros/MacroNames.h"
#include "macros/MacroReadRules.h"
#include "platform/FileIo.h"
#include "settings/IniFile.h"
#include "settings/TextEncoding.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

const std::vector<std::string> kAb{"A   Dn", "96 ms", "A   Up", "150 ms", "B   Dn", "88 ms", "B   Up"};

struct StoreFixture : ::testing::Test {
    test::TempDir dir;
    std::string path = dir / "record.ini";
    int pauses = 0;
    MacroStore store{path, [this](std::chrono::milliseconds time) {
                         EXPECT_EQ(time.count(), 100);
                         ++pauses;
                     }};
    std::string File() const { return ReadWholeFile(path).value_or("<missing>"); }
    void Create(const std::string& text = "") { ASSERT_EQ(WriteFileAtomic(path, text), 0); }
};

TEST_F(StoreFixture, WritesTheLayoutInOrder) {
    Create();
    store.WriteMacroNames({"Macro_1"});
    store.WriteMacro("Macro_1", 1, "1", kAb);
    EXPECT_EQ(File(),
              "[MacroName]\r\nMacroCount=1\r\n0=Macro_1\r\n"
              "[Macro_1]\r\nDelayTimeSelStatus=1\r\nMacroLoopTimes=1\r\nItemCount=7\r\n"
              "Item0=A   Dn\r\nItem1=96 ms\r\nItem2=A   Up\r\nItem3=150 ms\r\nItem4=B   Dn\r\nItem5=88 ms\r\n"
              "Item6=B   Up\r\n");
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(store.ReadMacroNames(), std::vector<std::string>{"Macro_1"});
    const StoredMacro macro = store.ReadMacro("Macro_1");
    EXPECT_EQ(macro.items, kAb);
    EXPECT_EQ(macro.loopText, "1");
    EXPECT_EQ(macro.delayFlagText, "1");
}

TEST_F(StoreFixture, MissingFileReadsNothingAndIsNeverCreated) {
    store.WriteMacroNames({"Macro_1"});
    store.WriteMacro("Macro_1", 1, "1", kAb);
    store.WriteLoopTimes("Macro_1", 3);
    store.DeleteMacroSection("Macro_1");
    store.WriteRenamedMacro({"X"}, "X", 0, "1", kAb);
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(store.ReadMacroNames().empty());
    EXPECT_TRUE(store.ReadAllMacros().empty());
    EXPECT_TRUE(store.ReadMacro("Macro_1").items.empty());
}

TEST_F(StoreFixture, EmptyListAndEmptyMacro) {
    Create();
    store.WriteMacroNames({"Macro_1", "Macro_2"});
    store.WriteMacro("Macro_2", 0, "4", {"A   Dn"});
    store.WriteMacro("Macro_2", 0, "4", {});  // removes the section only
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(store.ReadMacroNames(), (std::vector<std::string>{"Macro_1", "Macro_2"}));
    EXPECT_FALSE(LoadIni(path).HasSection("Macro_2"));
    store.WriteMacroNames({});
    EXPECT_EQ(File(), "[MacroName]\r\nMacroCount=0\r\n0=\r\n");
    EXPECT_TRUE(store.ReadMacroNames().empty());
}

TEST_F(StoreFixture, CountsAreReadDefensively) {
    Create("[MacroName]\r\nMacroCount=abc\r\n0=A\r\n");
    EXPECT_TRUE(store.ReadMacroNames().empty());
    Create("[MacroName]\r\nMacroCount=2147483647\r\n0=A\r\n1=B\r\n[A]\r\nItemCount=99999999999\r\nItem0=A   Dn\r\n");
    const auto all = store.ReadAllMacros();
    ASSERT_EQ(all.size(), 3u);  // bounded by the keys of the section
    EXPECT_EQ(all[0].name, "A");
    EXPECT_EQ(all[2].name, "");
    EXPECT_EQ(all[0].macro.items.size(), 2u);
    EXPECT_TRUE(all[1].macro.items.empty());
}

TEST_F(StoreFixture, RenameAndLoopTimes) {
    Create();
    store.WriteMacroNames({"Macro_1", "Macro_2"});
    store.WriteMacro("Macro_2", 1, "5", kAb);
    store.WriteLoopTimes("Macro_2", 9);
    EXPECT_EQ(store.ReadMacro("Macro_2").loopText, "9");
    store.DeleteMacroSection("Macro_2");  // rename begins
    store.WriteRenamedMacro({"Macro_1", "Fire"}, "Fire", 1, "9", kAb);
    EXPECT_EQ(store.ReadMacroNames(), (std::vector<std::string>{"Macro_1", "Fire"}));
    EXPECT_EQ(store.ReadMacro("Fire").items, kAb);
    EXPECT_EQ(store.ReadMacro("Fire").delayFlagText, "1");
    EXPECT_FALSE(LoadIni(path).HasSection("Macro_2"));
}

TEST_F(StoreFixture, Utf16FileWithNonLatinNamesStaysUtf16) {
    const std::string text = "[MacroName]\r\nMacroCount=2\r\n0=宏_1\r\n1=Тест\r\n[宏_1]\r\nDelayTimeSelStatus=0\r\n"
                             "MacroLoopTimes=2\r\nItemCount=2\r\nItem0=A   Dn\r\nItem1=A   Up\r\n";
    Create("\xFF\xFE" + Utf8ToUtf16Le(text));
    const auto all = store.ReadAllMacros();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].name, "宏_1");
    EXPECT_EQ(all[1].name, "Тест");
    EXPECT_EQ(all[0].macro.items, (std::vector<std::string>{"A   Dn", "A   Up"}));
    store.WriteMacroNames({"宏_1", "Тест", "巨集_3"});
    store.WriteMacro("Тест", 1, "3", {"Num Enter   Dn"});
    const std::string bytes = File();
    ASSERT_TRUE(bytes.starts_with("\xFF\xFE"));
    const std::string back = Utf16LeToUtf8(std::string_view(bytes).substr(2));
    EXPECT_NE(back.find("2=巨集_3"), std::string::npos);
    EXPECT_NE(back.find("[Тест]"), std::string::npos);
    EXPECT_EQ(store.ReadMacro("宏_1").loopText, "2");
    EXPECT_EQ(store.ReadMacro("Тест").items, std::vector<std::string>{"Num Enter   Dn"});
}

TEST_F(StoreFixture, RoundTripThroughEveryOperationKeepsEveryMacro) {
    Create();
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) {
        names.push_back(NewMacroName(names, "EN"));
        store.WriteMacroNames(names);
        store.WriteMacro(names.back(), i % 2, std::to_string(i + 1), {"A   Dn", std::to_string(i) + " ms", "A   Up"});
    }
    store.WriteLoopTimes("Macro_3", 70);
    names.erase(names.begin() + 4);  // delete Macro_5
    store.WriteMacroNames(names);
    store.DeleteMacroSection("Macro_5");
    ASSERT_TRUE(IsAcceptedRename(names, 0, "Fire"));
    const StoredMacro first = store.ReadMacro(names[0]);
    store.DeleteMacroSection(names[0]);
    names[0] = "Fire";
    store.WriteRenamedMacro(names, "Fire", 0, first.loopText, first.items);

    const auto all = store.ReadAllMacros();
    ASSERT_EQ(all.size(), 11u);
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].name, names[i]);
        ASSERT_EQ(all[i].macro.items.size(), 3u) << names[i];
    }
    EXPECT_EQ(all[0].macro.items[1], "0 ms");
    EXPECT_EQ(LoopCountFromText(all[2].macro.loopText), 70);
    EXPECT_EQ(all[4].name, "Macro_6");
    EXPECT_EQ(all[4].macro.items[1], "5 ms");
}

TEST(MacroReadRules, LoopCountAndDelayFlag) {
    EXPECT_EQ(LoopCountFromText("0"), 1);
    EXPECT_EQ(LoopCountFromText("70000"), 1);
    EXPECT_EQ(LoopCountFromText("abc"), 1);
    EXPECT_EQ(LoopCountFromText(""), 1);
    EXPECT_EQ(LoopCountFromText("-5"), 1);
    EXPECT_EQ(LoopCountFromText("65535"), 65535);
    EXPECT_EQ(LoopCountFromText("12x"), 12);
    EXPECT_EQ(LoopCountFromText("99999999999999999999999"), 1);
    EXPECT_TRUE(DelayFlagOnSelect("1", false));
    EXPECT_FALSE(DelayFlagOnSelect("0", true));
    EXPECT_TRUE(DelayFlagOnSelect("", true));
    EXPECT_FALSE(DelayFlagOnSelect("yes", false));
    EXPECT_TRUE(DelayFlagOnLoad("1"));
    EXPECT_FALSE(DelayFlagOnLoad("01"));
    EXPECT_FALSE(DelayFlagOnLoad(""));
}

TEST(MacroNames, NewNames) {
    EXPECT_EQ(NewMacroName({}, "EN"), "Macro_1");
    EXPECT_EQ(NewMacroName({}, "CHS"), "宏_1");
    EXPECT_EQ(NewMacroName({}, "CHT"), "巨集_1");
    EXPECT_EQ(NewMacroName({}, "DE"), "Makro_1");
    EXPECT_EQ(NewMacroName({"Macro_1", "Macro_5"}, "EN"), "Macro_6");
    EXPECT_EQ(NewMacroName({"a", "b", "Fire"}, "EN"), "Macro_4");
    EXPECT_EQ(NewMacroName({"Macro_7"}, "EN"), "Macro_8");
    EXPECT_EQ(NewMacroName({"Macro_x"}, "EN"), "Macro_1");
    // A number whose name is already taken moves on instead of duplicating.
    EXPECT_EQ(NewMacroName({"Macro_4", "Macro_3"}, "EN"), "Macro_5");
    EXPECT_EQ(NewMacroName({"macro_3", "x"}, "EN"), "Macro_4");
}

TEST(MacroNames, Renames) {
    const std::vector<std::string> names{"Macro_1", "Macro_2", "Fire"};
    EXPECT_FALSE(IsAcceptedRename(names, 1, "Macro_1"));
    EXPECT_FALSE(IsAcceptedRename(names, 1, ""));
    EXPECT_TRUE(IsAcceptedRename(names, 1, "Macro_2"));  // its own name
    EXPECT_TRUE(IsAcceptedRename(names, 1, "macro_2"));  // its own name in another case
    EXPECT_TRUE(IsAcceptedRename(names, 1, "Ice"));
    // Names that would break the file or share another macro's section.
    for (const std::string& bad : std::vector<std::string>{"a[b", "a]b", "a\nb", "a\rb", std::string("a\0b", 3), "   ", "macro_1", " Fire "}) {
        EXPECT_FALSE(IsAcceptedRename(names, 1, bad)) << bad;
    }
}

TEST(MacroNames, InUseByButtonLabels) {
    const std::array<std::string, 7> labels{"Click", "Menu", "Macro:Fire", "巨集:a:b", "Fn", "DPI +", "DPI -"};
    EXPECT_TRUE(IsMacroInUse("Fire", labels));
    EXPECT_TRUE(IsMacroInUse("a:b", labels));
    EXPECT_TRUE(IsMacroInUse("b", labels));
    EXPECT_FALSE(IsMacroInUse("Fir", labels));
    EXPECT_FALSE(IsMacroInUse("Macro_1", labels));
}

} // namespace
} // namespace qv530
