// The store's own index cannot be taken by a macro, and a large store reads whole.
#include "macros/MacroNames.h"
#include "macros/MacroStore.h"

#include <cerrno>

#include "platform/FileIo.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class MacroStoreLimits : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(WriteFileAtomic(path, "[MacroName]\r\nMacroCount=1\r\n0=Macro_1\r\n[Macro_1]\r\nItemCount=1\r\n"
                                        "Item0=press 65 10\r\n"),
                  0);
    }
    test::TempDir dir;
    std::string path = dir / "record.ini";
    MacroStore store{path, [](std::chrono::milliseconds) {}};
};

TEST_F(MacroStoreLimits, TheIndexSectionsNameIsRefusedEverywhere) {
    const std::string before = *ReadWholeFile(path);
    for (const char* name : {"MacroName", "macroname", " MACRONAME\t"}) {
        EXPECT_FALSE(IsStorableMacroName(name)) << name;
        EXPECT_FALSE(IsAcceptedRename({"Macro_1"}, 0, name)) << name;
        EXPECT_EQ(MacroNameRefusal(name), "\"MacroName\" is the name of the macro list; choose another name.");
        EXPECT_EQ(store.WriteRenamedMacro({name}, name, 0, "1", {"press 65 10"}), EINVAL);
        EXPECT_EQ(store.WriteMacro(name, 0, "1", {"press 65 10"}), EINVAL);
        EXPECT_EQ(store.DeleteMacroSection(name), EINVAL);
        EXPECT_EQ(store.WriteLoopTimes(name, 3), EINVAL);
    }
    EXPECT_EQ(*ReadWholeFile(path), before);
    EXPECT_EQ(store.ReadMacroNames(), std::vector<std::string>{"Macro_1"});
    // Names that are not the index section keep working.
    EXPECT_TRUE(IsStorableMacroName("MacroNames"));
    EXPECT_EQ(MacroNameRefusal("Macro_2"), "");
    EXPECT_EQ(MacroNameRefusal("a[b]\n"), "A macro name cannot hold \"[\", \"]\", a line break.");
    EXPECT_EQ(MacroNameRefusal("  "), "A macro name cannot be empty.");
}

TEST_F(MacroStoreLimits, FortyThousandItemsReadWholeAndInOrder) {
    std::string file = "[MacroName]\r\nMacroCount=1\r\n0=Long\r\n[Long]\r\nItemCount=40000\r\n";
    for (int i = 0; i < 40000; ++i) file += "Item" + std::to_string(i) + "=press " + std::to_string(i % 200) + " 10\r\n";
    ASSERT_EQ(WriteFileAtomic(path, file), 0);
    const auto macros = store.ReadAllMacros();
    ASSERT_EQ(macros.size(), 1u);
    ASSERT_EQ(macros[0].macro.items.size(), 40000u);
    EXPECT_EQ(macros[0].macro.items[39999], "press 199 10");
    EXPECT_EQ(store.ReadMacro("long").items.size(), 40000u);
}

TEST_F(MacroStoreLimits, AStoreThatCannotBeReadIsNotRewritten) {
    std::filesystem::resize_file(path, kMaxTextFileBytes + 1);
    EXPECT_EQ(store.WriteMacroNames({"Other"}), kFileTooLarge);
    EXPECT_EQ(FileSize(path), static_cast<long long>(kMaxTextFileBytes + 1));
}

} // namespace
} // namespace qv530
