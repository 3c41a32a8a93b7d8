#include "device/ApplySequence.h"

#include <algorithm>
#include <cstdio>

#include "DeviceFixture.h"
#include "device/CommandFraming.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using Lines = std::vector<std::string>;

std::string Hex(std::initializer_list<int> bytes, std::size_t padTo = 0) {
    std::vector<std::uint8_t> all;
    for (int b : bytes) all.push_back(static_cast<std::uint8_t>(b));
    if (all.size() < padTo) all.resize(padTo, 0);
    return HexBytes(all);
}

// What the tables give for one mouse at the factory defaults, written out
// by hand so that the code under test is not used to build it.
struct ExpectedApply {
    std::string dev;
    Lines lines;
    void Set(std::initializer_list<int> block) { lines.push_back(dev + " set-feature " + Hex(block)); Sleep(50); }
    void Get(std::initializer_list<int> answer) { lines.push_back(dev + " get-feature " + Hex(answer)); Sleep(50); }
    void Write(std::initializer_list<int> data) { lines.push_back(dev + " write " + Hex(data, 65)); Sleep(100); }
    void Read(const std::string& hex) { lines.push_back(dev + " read " + hex); Sleep(100); }
    void Sleep(int ms) { lines.push_back(dev + " sleep " + std::to_string(ms)); }
};

Lines DefaultMouseApply(const std::string& dev, std::initializer_list<int> high, std::initializer_list<int> low) {
    ExpectedApply e{dev, {}};
    e.Set({0x00, 0x81, 0, 0, 0, 0, 0, 0, 0x7E});
    e.Get({0x00, 0x81, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x7B});
    e.Set({0x00, 0x01, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0xFB});
    e.Set({0x00, 0x0B, 0x64, 0x64, 0x00, 0x00, 0x00, 0x00, 0x2C});
    e.Sleep(50);
    e.Set({0x00, 0x0A, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF4});
    e.Write({0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF,
             0x80, 0x00, 0xFF, 0x00, 0xFF});
    e.Set({0x00, 0x87, 0, 0, 0, 0, 0, 0, 0x78});
    e.Get({0x00, 0x87, 0, 0, 0, 0, 0, 0, 0x78});
    e.lines.push_back(dev + " set-feature 00 " + Hex(high));
    e.Sleep(50);
    e.lines.push_back(dev + " set-feature 00 " + Hex(low));
    e.Sleep(50);
    e.Set({0x00, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFB});
    e.Write({0x00, 0x00, 0xF0, 0x00, 0x02, 0x00, 0xF1, 0x00, 0x02, 0x00, 0xF2, 0x00, 0x02, 0x00, 0x07, 0x02, 0x0C,
             0x00, 0x00, 0x04, 0x0C, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x02, 0x08, 0x00, 0x00, 0x03, 0x0C, 0x00,
             0x00, 0x01, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
             0x00, 0x01, 0x01, 0x05, 0x00, 0x01, 0x02, 0x05});
    // The macro slot commands 05 00 k 03 and their checksums, worked out by hand.
    const int macroChecksums[12] = {0xF7, 0xF6, 0xF5, 0xF4, 0xF3, 0xF2, 0xF1, 0xF0, 0xEF, 0xEE, 0xED, 0xEC};
    for (int k = 0; k < 12; ++k) {
        e.Set({0x00, 0x05, 0x00, k, 0x03, 0x00, 0x00, 0x00, macroChecksums[k]});
        for (int chunk = 0; chunk < 3; ++chunk) e.Write({0x00});
    }
    e.Set({0x00, 0x8C, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x72});
    e.Get({0x00, 0x8C, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x72});
    std::vector<std::uint8_t> block(65);
    for (int i = 0; i < 64; ++i) block[static_cast<std::size_t>(i + 1)] = static_cast<std::uint8_t>(i);
    e.Read(HexBytes(block));
    e.Set({0x00, 0x0C, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF2});
    block[1] = 0xFF, block[2] = 0xFF, block[3] = 0x00; // palette entry 1, yellow
    e.lines.push_back(dev + " write " + HexBytes(block));
    e.Sleep(100);
    e.Set({0x00, 0x06, 0x02, 0x07, 0x32, 0x08, 0x00, 0x00, 0xB6});
    return e.lines;
}

Lines DefaultPadApply() {
    ExpectedApply e{"pad", {}};
    e.Set({0x00, 0x09, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00});
    e.Set({0x00, 0x0A, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00});
    e.Set({0x00, 0x0B, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00});
    e.Set({0x00, 0x08, 0x02, 0x32, 0x04, 0x00, 0x00, 0x00, 0x00});
    e.Get({0, 0, 0, 0, 0, 0, 0, 0, 0});
    return e.lines;
}

std::size_t CountOp(const Lines& lines, const std::string& op) {
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(" " + op + " ") != std::string::npos;
    }));
}

class ApplySequenceTest : public ::testing::Test, public test::DeviceFixture {
protected:
    void SetUp() override { ResetToDefaults(settings); }
    void Compare(const Lines& expected) {
        const Lines actual = trace.Lines();
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(actual[i], expected[i]) << "line " << i;
    }
};

TEST_F(ApplySequenceTest, DefaultApplyToTheA11DMouseIsTheTablesSequence) {
    auto mouse = PlugMouse(MouseVariant::A11D);
    Discover();
    const ApplyResult result = ApplyAndSave(context);
    EXPECT_EQ(result.failedReports, 0);
    const Lines expected = DefaultMouseApply("a11d", {0x08, 0x6B, 0x8F, 0xB3, 0x00, 0x00, 0x00, 0x4A},
                                             {0x07, 0x00, 0xFF, 0x0B, 0x17, 0x2F, 0x47, 0x61});
    Compare(expected);
    const Lines actual = trace.Lines();
    EXPECT_EQ(CountOp(actual, "set-feature"), 23u);
    EXPECT_EQ(CountOp(actual, "get-feature"), 3u);
    EXPECT_EQ(CountOp(actual, "write") + CountOp(actual, "read"), 40u);
    EXPECT_EQ(sleeper.total, 5350);

    // Saved, copied to the sent record, pointer settings applied.
    EXPECT_EQ(ReadWholeFile(folder + "config0.bin")->size(), 1885u);
    EXPECT_EQ(sent, settings);
    EXPECT_EQ(pointerApplies, 1);
    EXPECT_EQ(state.currentDpiStage, 0);
    EXPECT_EQ(state.lightBlock[5], 5);
    // The mouse holds what was sent.
    const auto held = mouse->Snapshot();
    EXPECT_EQ(held.lightBlock[0], 0xFF);
    EXPECT_EQ(held.lightBlock[2], 0x00);
    EXPECT_EQ(held.lightBlock[63], 63);
    EXPECT_EQ(held.macros.size(), 12u);
}

TEST_F(ApplySequenceTest, ATraceWithASinkHandsOnEveryLineAndKeepsNone) {
    PlugMouse(MouseVariant::A11D);
    PlugPad();
    Discover();
    ApplyAndSave(context);
    const Lines one = trace.Lines();
    ASSERT_FALSE(one.empty());

    // Twenty Applies written to a file: each gives the same lines to the sink,
    // and the trace itself stays empty however long the program runs.
    trace.Clear();
    Lines written;
    trace.SetSink([&](const std::string& line) { written.push_back(line); });
    for (int apply = 0; apply < 20; ++apply) {
        ApplyAndSave(context);
        EXPECT_TRUE(trace.Lines().empty()) << "after Apply " << apply + 1;
    }
    ASSERT_EQ(written.size(), 20 * one.size());
    EXPECT_EQ(written.front(), one.front());
    EXPECT_EQ(written.back(), one.back());

    // Without the sink the lines are kept again.
    trace.SetSink(nullptr);
    ApplyAndSave(context);
    EXPECT_EQ(trace.Lines().size(), one.size());
}

TEST_F(ApplySequenceTest, A1DCMouseGetsTableBAndBothMiceGetTableA) {
    PlugMouse(MouseVariant::A1DC);
    PlugPad();
    Discover();
    ApplyAndSave(context);
    Lines expected = DefaultMouseApply("a1dc", {0x08, 0x3B, 0x4F, 0x77, 0x00, 0x00, 0x00, 0xF6},
                                       {0x07, 0x00, 0xFF, 0x04, 0x09, 0x13, 0x27, 0xB2});
    const Lines pad = DefaultPadApply();
    expected.insert(expected.end(), pad.begin(), pad.end());
    Compare(expected);

    trace.Clear();
    PlugMouse(MouseVariant::A11D);
    Discover();
    ApplyAndSave(context);
    const Lines a11d = DefaultMouseApply("a11d", {0x08, 0x6B, 0x8F, 0xB3, 0x00, 0x00, 0x00, 0x4A},
                                         {0x07, 0x00, 0xFF, 0x0B, 0x17, 0x2F, 0x47, 0x61});
    Lines both = a11d;
    for (std::string line : a11d) {
        // The A1DC mouse answers with the light block it stored in the first apply.
        if (line.starts_with("a11d read 00 00 01 02")) line.replace(10, 11, "00 ff ff 00");
        both.push_back("a1dc" + line.substr(4));
    }
    both.insert(both.end(), pad.begin(), pad.end());
    Compare(both);
}

TEST_F(ApplySequenceTest, APadAloneGetsItsFramesAtItsOwnLength) {
    PlugPad();
    Discover();
    const ApplyResult result = ApplyAndSave(context);
    EXPECT_EQ(result.failedReports, 0);
    const Lines pad = DefaultPadApply();
    Compare(pad);
}

TEST_F(ApplySequenceTest, FailedReadBackGivesZerosAndIsCounted) {
    auto mouse = PlugMouse(MouseVariant::A11D);
    Discover();
    mouse->InjectStageChange(4);
    state.currentDpiStage = 9;
    state.state = {9, 9, 9, 9};
    mouse->Unplug();
    const ApplyResult result = ApplyAndSave(context);
    EXPECT_EQ(state.currentDpiStage, 0);
    EXPECT_EQ(state.state, (std::array<std::uint8_t, 4>{2, 0, 0, 0}));
    EXPECT_EQ(result.failedReports, 66);
    // The sequence still runs to the end and saves.
    EXPECT_EQ(CountOp(trace.Lines(), "set-feature"), 23u);
    EXPECT_TRUE(result.saved);
}

TEST_F(ApplySequenceTest, ResetKeepsProfileSlotAndMacrosAndSavesTheCurrentProfile) {
    PlugMouse(MouseVariant::A11D);
    Discover();
    ASSERT_EQ(WriteFileAtomic(folder + "str.ini",
                              std::string("[Profile]\r\nItemCount=2\r\nItem0=A\r\nItem1=B\r\nCurProfileName=B\r\n")),
              0);
    files.LoadCurrentProfile(settings, state);
    ASSERT_EQ(state.profileFileIndex, 1);
    for (auto& b : settings.bytes) b = 0x5A;
    settings.at(field::kProfileSlot) = 3;
    ResetAndApply(context);
    EXPECT_EQ(settings.at(field::kProfileSlot), 3);
    EXPECT_EQ(settings.at(field::kReportRate), 2);
    EXPECT_EQ(settings.at(field::kMacroSlot + 77), 0x5A);
    EXPECT_EQ(state.useFactoryFiles, 0);
    EXPECT_TRUE(FileExists(folder + "config1.bin"));
    EXPECT_FALSE(FileExists(folder + "config.bin")); // the factory file is never written
    EXPECT_EQ(sent, settings);
}

TEST(MouseCommands, LightingAndPadTables) {
    MouseSettings s;
    ResetToDefaults(s);
    s.at(field::kMouseLightMode) = 5;
    EXPECT_EQ(LightEffectBlock(s), MakeBlock(0x06));
    s.at(field::kMouseLightMode) = 1;
    s.at(field::kMouseLightLevel) = 1;
    EXPECT_EQ(LightEffectBlock(s)[3], 0x00);
    s.at(field::kMouseLightLevel) = 3;
    EXPECT_EQ(LightEffectBlock(s)[3], 0x18);
    s.at(field::kMouseLightMode) = 2;
    s.at(field::kMouseLightColor) = 5;
    EXPECT_EQ(LightEffectBlock(s), MakeBlock(0x06, 0x01, 0x07, 0x32, 8));
    s.at(field::kMouseLightColor) = 0;
    EXPECT_EQ(LightEffectBlock(s)[2], 0x00);

    s.at(field::kPadLightMode) = 2;
    s.at(field::kPadLightColor) = 5;
    EXPECT_EQ(PadLightEffectParams(s)[3], 0x70);
    s.at(field::kPadLightColor) = 0;
    EXPECT_EQ(PadLightEffectParams(s), (std::array<std::uint8_t, 7>{0x01, 0x32, 4, 0x10, 0xFF, 0x00, 0x00}));
    s.at(field::kPadLightMode) = 1;
    s.at(field::kPadLightLevel) = 1;
    EXPECT_EQ(PadLightEffectParams(s), (std::array<std::uint8_t, 7>{}));
    s.at(field::kPadLightLevel) = 2;
    EXPECT_EQ(PadLightEffectParams(s), (std::array<std::uint8_t, 7>{0x00, 16, 0x00, 0x10, 0xFF, 0x00, 0x00}));
    s.at(field::kPadLightMode) = 7;
    EXPECT_EQ(PadLightEffectParams(s), (std::array<std::uint8_t, 7>{}));
}

TEST(MouseCommands, StageMaskSensitivityAndChecksums) {
    MouseSettings s;
    ResetToDefaults(s);
    EXPECT_EQ(StageMask(s), 0xFF);
    for (std::size_t i = 0; i < 7; ++i) s.DpiStageOn(i) = 0;
    EXPECT_EQ(StageMask(s), 0x80);
    s.DpiStageOn(2) = 9;
    EXPECT_EQ(StageMask(s), 0x84);
    s.at(field::kSensitivityX) = 13;
    EXPECT_EQ(SensitivityBlock(s)[1], 0x04);

    EXPECT_EQ(BlockChecksum({0x07, 0x00, 0xFF, 0x0B, 0x17, 0x2F, 0x47, 0}), 0x61);
    EXPECT_EQ(BlockChecksum({0x0B, 0x64, 0x64, 0, 0, 0, 0, 0}), 0x2C);
    EXPECT_EQ(BlockChecksum({}), 0xFF);
    EXPECT_EQ(ChunkCount(64), 1u);
    EXPECT_EQ(ChunkCount(65), 2u);
    EXPECT_EQ(ChunkCount(192), 3u);
}

TEST(CommandFraming, ReadBackCopiesEightBytesUnchecked) {
    // A device that answers with a wrong checksum: the block takes it as it is.
    struct Answering final : HidDevice {
        bool SetFeature(std::span<const std::uint8_t>) override { return true; }
        bool GetFeature(std::span<std::uint8_t> r) override {
            for (std::size_t i = 1; i < r.size(); ++i) r[i] = static_cast<std::uint8_t>(0xA0 + i);
            return true;
        }
        bool Write(std::span<const std::uint8_t>) override { return true; }
        int Read(std::span<std::uint8_t>) override { return -1; }
        void CancelRead() override {}
        void ResetCancel() override {}
    };
    NoSleeper sleeper;
    HidPort port(std::make_shared<Answering>(), {9, 65, 65}, sleeper, "a11d");
    CommandBlock block = MakeBlock(0x87);
    SendCommand(port, block, true);
    EXPECT_EQ(block, (CommandBlock{0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}));
    EXPECT_EQ(sleeper.total, 100);

    // Chunk reports are as long as the interface says, zero beyond the data.
    Trace trace;
    HidPort wide(std::make_shared<Answering>(), {9, 65, 80}, sleeper, "a11d", &trace);
    std::array<std::uint8_t, 64> data{};
    data.fill(0x11);
    CommandBlock map = MakeBlock(0x03, 0, 0, 1);
    TransferBlock(wide, map, data, false, 64);
    const std::string written = trace.Lines()[2];
    EXPECT_EQ(written.size(), std::string("a11d write ").size() + 80 * 3 - 1);
    EXPECT_NE(written.find("11 11 00"), std::string::npos);
}

} // namespace
} // namespace qv530
