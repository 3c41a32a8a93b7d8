#include "macros/MacroEncoder.h"

#include "macros/MacroListing.h"
#include "macros/MacroRebuild.h"
#include "macros/MacroStaging.h"
#include "platform/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using Slot = std::array<std::uint8_t, macroslot::kSize>;

Slot Encode(const std::vector<std::string>& items, std::uint8_t lead = macroslot::kLeadFromStore,
            std::string loop = "1", SlotEncoding* result = nullptr) {
    Slot slot;
    slot.fill(0xAA);
    const SlotEncoding encoding = EncodeMacroSlot({loop, "1", items}, lead, slot);
    if (result) *result = encoding;
    return slot;
}

// The expected slot: the given prefix, zeros up to 127, and the two bytes the
// encoder never touches (0xAA).
Slot Expected(std::initializer_list<std::uint8_t> prefix) {
    Slot slot{};
    std::copy(prefix.begin(), prefix.end(), slot.begin());
    slot[128] = slot[129] = 0xAA;
    return slot;
}

const std::vector<std::string> kAb{"A   Dn", "96 ms", "A   Up", "150 ms", "B   Dn", "88 ms", "B   Up"};

TEST(MacroEncoder, ExamplesForBothLeadBytes) {
    EXPECT_EQ(Encode({"A   Dn", "A   Up"}), Expected({0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x32}));
    EXPECT_EQ(Encode({"A   Dn", "A   Up"}, macroslot::kLeadFromManager),
              Expected({0x00, 0x01, 0x32, 0x04, 0xFF, 0x04, 0x00, 0x32}));
    EXPECT_EQ(Encode(kAb), Expected({0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x60, 0x7F, 0x05, 0x00, 0x96, 0xFF,
                                     0x05, 0x00, 0x58}));
}

TEST(MacroEncoder, DelaysAndKeys) {
    // 5 ms and 0 ms become 10; two delays in a row count the second; above
    // 16 bits is capped; an unknown or empty name encodes as 0; "App" as 0x65.
    const Slot slot = Encode({"App   Dn", "5 ms", "App   Up", "0 ms", "Help   Dn", "900 ms", "20 ms", "   Up",
                              "70000 ms", "L-Button   Dn", "x", "L-Button   Up"},
                             macroslot::kLeadFromStore, "300");
    EXPECT_EQ(slot, Expected({0x01, 0x2C, 0x05, 0x65,                         //
                              0xFF, 0x65, 0x00, 0x0A, 0x7F, 0x00, 0x00, 0x0A,  //
                              0xFF, 0x00, 0x00, 0x14, 0x7F, 0xF0, 0xFF, 0xFF,  //
                              0xFF, 0xF0, 0x00, 0x32}));
}

TEST(MacroEncoder, EmptyAndPresslessMacrosGiveZeroSlots) {
    EXPECT_EQ(Encode({}, macroslot::kLeadFromStore, "7"), Expected({}));
    EXPECT_EQ(Encode({"A   Up", "50 ms", "junk"}, macroslot::kLeadFromStore, "7"), Expected({}));
}

TEST(MacroEncoder, EventAreaStartsAtTheFirstPress) {
    EXPECT_EQ(Encode({"B   Up", "30 ms", "A   Dn", "20 ms", "A   Up"}),
              Expected({0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x14}));
}

TEST(MacroEncoder, SurplusEventsAreDroppedAndCounted) {
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) {
        items.push_back("A   Dn");
        items.push_back("A   Up");
    }
    SlotEncoding result;
    const Slot slot = Encode(items, macroslot::kLeadFromStore, "1", &result);
    EXPECT_EQ(result.eventsEncoded, 32u);
    EXPECT_EQ(result.eventsDropped, 8u);
    // Event 32 (a release) fills bytes 124..127; nothing beyond the slot's 128.
    EXPECT_EQ(slot[124], 0xFF);
    EXPECT_EQ(slot[127], 0x32);
    EXPECT_EQ(slot[128], 0xAA);
    EXPECT_EQ(slot[129], 0xAA);
}

TEST(MacroEncoder, SlotsFollowTheListAndKeepTheRest) {
    std::array<std::uint8_t, macroslot::kAreaSize> area;
    area.fill(0xEE);
    std::vector<NamedMacro> macros;
    for (int i = 0; i < 14; ++i) {
        macros.push_back({"M" + std::to_string(i), {"1", "0", {"A   Dn"}}});
    }
    macros[1].macro.items.clear();
    const auto report = BuildMacroSlots(macros, macroslot::kLeadFromManager, area);
    EXPECT_EQ(report.macros.size(), 12u);
    EXPECT_EQ(report.macrosLeftOut, 2u);
    EXPECT_EQ(area[2], 0x32);
    EXPECT_EQ(area[130 + 2], 0x00);
    EXPECT_EQ(area[130 * 11 + 3], 0x04);
    EXPECT_EQ(area[130 * 11 + 129], 0xEE);

    macros.resize(2);
    area.fill(0xEE);
    BuildMacroSlots(macros, macroslot::kLeadFromStore, area);
    EXPECT_EQ(area[130 * 2], 0xEE);  // slot 2 keeps its bytes
}

TEST(MacroEncoder, RebuildFromTheStore) {
    test::TempDir dir;
    const std::string path = dir / "record.ini";
    MouseSettings settings;
    settings.bytes.fill(0x11);
    RebuildMacroSlotsFromStore(settings, path);  // no store: nothing changes
    EXPECT_EQ(settings.at(field::kMacroSlot), 0x11);

    ASSERT_EQ(WriteFileAtomic(path, "[MacroName]\r\nMacroCount=1\r\n0=Macro_1\r\n[Macro_1]\r\nDelayTimeSelStatus=1\r\n"
                                    "MacroLoopTimes=1\r\nItemCount=7\r\nItem0=A   Dn\r\nItem1=96 ms\r\nItem2=A   Up\r\n"
                                    "Item3=150 ms\r\nItem4=B   Dn\r\nItem5=88 ms\r\nItem6=B   Up\r\n"),
              0);
    RebuildMacroSlotsFromStore(settings, path);
    const std::uint8_t* slot = settings.MacroSlot(0);
    EXPECT_EQ(SlotHexLine(std::span<const std::uint8_t, 130>(slot, 130)).substr(0, 48),
              "00 01 05 04 ff 04 00 60 7f 05 00 96 ff 05 00 58 ");
    EXPECT_EQ(slot[16], 0x00);
    EXPECT_EQ(slot[127], 0x00);
    EXPECT_EQ(slot[128], 0x11);
    EXPECT_EQ(settings.at(field::kMacroSlot - 1), 0x11);
    EXPECT_EQ(settings.MacroSlot(1)[0], 0x11);
}

TEST(MacroStaging, TransfersOverlapTheNextSlot) {
    MouseSettings settings;
    settings.bytes.fill(0x77);
    for (std::size_t i = 0; i < macroslot::kAreaSize; ++i) {
        settings.MacroSlot(0)[i] = static_cast<std::uint8_t>(i / 130 + 1);
    }
    const auto staging = StageMacroArea(settings);
    const auto slot3 = MacroTransferPayload(staging, 3);
    EXPECT_EQ(slot3.data(), staging.data() + 390);
    EXPECT_EQ(slot3[0], 4);
    EXPECT_EQ(slot3[129], 4);
    EXPECT_EQ(slot3[130], 5);
    EXPECT_EQ(slot3[191], 5);
    const auto last = MacroTransferPayload(staging, 11);
    EXPECT_EQ(last[129], 12);
    for (std::size_t i = 130; i < 192; ++i) EXPECT_EQ(last[i], 0) << i;
}

TEST(MacroListing, HexLinesWarningsAndListing) {
    std::array<std::uint8_t, macroslot::kAreaSize> area{};
    area[0] = 0xAB;
    const auto lines = SlotHexLines(area);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0].size(), 130u * 3 - 1);
    EXPECT_TRUE(lines[0].starts_with("ab 00 "));
    MacroSlotsReport report{{{"Fire", 2, 32, 30}, {"Ice", 3, 4, 0}}, 1};
    const auto warnings = EncodingWarnings(report);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("\"Fire\""), std::string::npos);
    EXPECT_NE(warnings[0].find("30 of 62"), std::string::npos);
    const auto listing = MacroListingLines({{"Fire", {"abc", "1", {"A   Dn", "50 ms"}}}});
    EXPECT_EQ(listing, (std::vector<std::string>{"Fire\tloops=1\tdelays=1\titems=2", "  A   Dn", "  50 ms"}));
}

} // namespace
} // namespace qv530
