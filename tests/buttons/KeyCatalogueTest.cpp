#include "buttons/KeyCatalogue.h"

#include <array>
#include <set>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(KeyCatalogue, NamesAndUsagesRoundTrip) {
    std::set<std::uint8_t> usages;
    for (const auto& key : KeyCatalogue()) {
        EXPECT_FALSE(key.name.empty());
        EXPECT_NE(key.usage, 0);
        EXPECT_TRUE(usages.insert(key.usage).second) << key.name;
        EXPECT_EQ(UsageFromKeyName(key.name), key.usage) << key.name;
        EXPECT_EQ(KeyNameFromUsage(key.usage), key.name);
        if (key.virtualKey != kNoVirtualKey && key.virtualKey != 0x5D) {
            EXPECT_EQ(KeyNameFromVirtualKey(key.virtualKey), key.name) << key.name;
        }
    }
}

TEST(KeyCatalogue, SampleRows) {
    EXPECT_EQ(UsageFromKeyName("A"), 0x04);
    EXPECT_EQ(UsageFromKeyName("0"), 0x27);
    EXPECT_EQ(UsageFromKeyName("\\"), 0x31);
    EXPECT_EQ(UsageFromKeyName("F12"), 0x45);
    EXPECT_EQ(UsageFromKeyName("Num 0"), 0x62);
    EXPECT_EQ(UsageFromKeyName("Right Windows"), 0xE7);
    EXPECT_EQ(UsageFromKeyName("M-Button"), 0xF2);
    EXPECT_EQ(KeyNameFromVirtualKey(0x60), "Num 0");
    EXPECT_EQ(KeyNameFromVirtualKey(0xC0), "`");
    EXPECT_EQ(KeyNameFromVirtualKey(0xA5), "Right Alt");
}

TEST(KeyCatalogue, UnknownsAndAliases) {
    EXPECT_EQ(KeyNameFromUsage(0), "N/A");
    EXPECT_EQ(KeyNameFromUsage(0x64), "N/A");
    EXPECT_EQ(UsageFromKeyName("N/A"), 0);
    EXPECT_EQ(UsageFromKeyName(""), 0);
    EXPECT_EQ(UsageFromKeyName("a"), 0);  // case-sensitive
    EXPECT_EQ(UsageFromKeyName("App"), 0x65);
    EXPECT_EQ(UsageFromKeyName("Application"), 0x65);
    EXPECT_EQ(UsageFromKeyName("Left GUI"), 0xE3);
    EXPECT_EQ(KeyNameFromUsage(0xE3), "Left Windows");
    EXPECT_EQ(KeyNameFromUsage(0x65), "Application");
    for (const char* name : {"Select", "Execute", "Help", "Button 4", "Button 5"}) {
        EXPECT_EQ(UsageFromKeyName(name), 0) << name;
    }
}

TEST(KeyCatalogue, CaptureNames) {
    EXPECT_EQ(KeyNameFromVirtualKey(0x5D), "App");
    EXPECT_EQ(KeyNameFromVirtualKey(0x0D), "Enter");
    EXPECT_EQ(KeyNameFromVirtualKey(0x0D, true), "Num Enter");
    EXPECT_EQ(KeyNameFromVirtualKey(0x6C), "Num Enter");
    EXPECT_EQ(KeyNameFromVirtualKey(0x2F), "Help");
    EXPECT_EQ(KeyNameFromVirtualKey(0xF4), "Button 4");
    // Generic modifiers and unknown keys have no name.
    for (const std::uint16_t vk : std::to_array<std::uint16_t>({0x10, 0x11, 0x12, 0x03, 0xFF, 0x00, kNoVirtualKey})) {
        EXPECT_EQ(KeyNameFromVirtualKey(vk), "") << vk;
    }
}

} // namespace
} // namespace qv530
