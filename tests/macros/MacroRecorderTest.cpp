#include "macros/MacroRecorder.h"

#include "platform/FileIo.h"
#include "support/TempDir.h"

#include <deque>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

constexpr std::uint32_t kVkA = 0x41;
constexpr std::uint32_t kVkB = 0x42;
constexpr std::uint32_t kUp = 0x80;
// Bits outside the mask (injected 0x10, alt-down 0x20) must not matter.
constexpr std::uint32_t kInjectedAlt = 0x30;

struct FakeHook : KeyboardHook {
    int installError = 0;
    int installs = 0;
    int removals = 0;
    int Install() override {
        ++installs;
        return installError;
    }
    void Remove() override { ++removals; }
};

struct RecorderFixture : ::testing::Test {
    test::TempDir dir;
    std::string path = dir / "record.ini";
    MacroStore store{path, [](std::chrono::milliseconds) {}};
    FakeHook hook;
    std::deque<RecordedKey> queue;
    std::uint32_t now = 1000;
    std::vector<bool> recordingChanges;
    std::string hookError;
    MacroRecorder recorder{hook, store, [this](RecordedKey key) { queue.push_back(std::move(key)); },
                           [this] { return now; },
                           MacroRecorder::Listener{{}, [this](bool on) { recordingChanges.push_back(on); },
                                                   [this](const std::string& text) { hookError = text; }}};

    void SetUp() override { ASSERT_EQ(WriteFileAtomic(path, ""), 0); }
    bool StartMacro() { return recorder.Start("Macro_1", {"Macro_1"}, "1"); }
    // A key event through the hook, and the posted event handled at once.
    bool Key(std::uint32_t vk, std::uint32_t flags, std::uint32_t advanceMs = 0) {
        now += advanceMs;
        const bool swallowed = recorder.OnHookEvent(0, vk, flags);
        Drain();
        return swallowed;
    }
    void Drain() {
        while (!queue.empty()) {
            const RecordedKey key = queue.front();
            queue.pop_front();
            recorder.OnRecordedKey(key);
        }
    }
};

TEST_F(RecorderFixture, HeldKeyGivesOnePressAndOneRelease) {
    ASSERT_TRUE(StartMacro());
    EXPECT_TRUE(Key(kVkA, 0));
    EXPECT_FALSE(Key(kVkA, kInjectedAlt));  // auto-repeat passes on unrecorded
    EXPECT_FALSE(Key(kVkA, 0));
    EXPECT_TRUE(Key(kVkA, kUp));
    EXPECT_EQ(recorder.items(), (std::vector<std::string>{"A   Dn", "A   Up"}));
    EXPECT_EQ(recorder.eventCount(), 2u);
}

TEST_F(RecorderFixture, DelaysOnAndOff) {
    recorder.SetRecordDelays(true);
    ASSERT_TRUE(StartMacro());
    EXPECT_EQ(recorder.state(), RecordingState::Started);
    Key(kVkA, 0, 5);
    EXPECT_EQ(recorder.state(), RecordingState::Pressed);
    Key(kVkA, kUp, 96);
    Key(kVkB, 0, 150);
    EXPECT_EQ(recorder.items(), (std::vector<std::string>{"A   Dn", "96 ms", "A   Up", "150 ms", "B   Dn"}));
    recorder.Stop();
    EXPECT_EQ(recorder.state(), RecordingState::Stopped);
    EXPECT_EQ(store.ReadMacro("Macro_1").delayFlagText, "1");

    recorder.SetRecordDelays(false);
    ASSERT_TRUE(StartMacro());
    Key(kVkB, kUp, 7);  // a key held from before: no delay measured from the old recording
    Key(kVkA, 0, 10);
    Key(kVkA, kUp, 10);
    EXPECT_EQ(recorder.items(), (std::vector<std::string>{"B   Up", "A   Dn", "A   Up"}));
    recorder.Stop();
    const StoredMacro saved = store.ReadMacro("Macro_1");
    EXPECT_EQ(saved.items, recorder.items());
    EXPECT_EQ(saved.delayFlagText, "0");
    EXPECT_EQ(store.ReadMacroNames(), std::vector<std::string>{"Macro_1"});
    EXPECT_EQ(recordingChanges, (std::vector<bool>{true, false, true, false}));
}

TEST_F(RecorderFixture, KeypadEnterModifiersAndNamelessKeys) {
    ASSERT_TRUE(StartMacro());
    Key(0x0D, 0x01);
    EXPECT_FALSE(Key(0x0D, 0x01));  // the keypad Enter's repeat is dropped as well
    Key(0x0D, 0x81);
    Key(0x0D, 0x00);
    Key(0xA1, 0x01);
    Key(0x03, 0x01);  // Ctrl+Break has no name
    Key(0x03, 0x81);
    Key(0x10041, 0x00);  // wider than a virtual key: no name, not "A"
    EXPECT_EQ(recorder.items(), (std::vector<std::string>{"Num Enter   Dn", "Num Enter   Up", "Enter   Dn",
                                                          "Right Shift   Dn", "   Dn", "   Up", "   Dn"}));
}

TEST_F(RecorderFixture, The63rdEventStopsAndIsNotAdded) {
    ASSERT_TRUE(StartMacro());
    // All events reach the hook before any is handled: each carries its own
    // name and number.
    for (std::uint32_t i = 0; i < 32; ++i) {
        recorder.OnHookEvent(0, kVkA + i % 26, 0);
        recorder.OnHookEvent(0, kVkA + i % 26, kUp);
    }
    EXPECT_EQ(queue.size(), 64u);
    EXPECT_EQ(queue[2].name, "B");
    Drain();
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(hook.removals, 1);
    ASSERT_EQ(recorder.items().size(), 62u);
    EXPECT_EQ(recorder.items()[61], "E   Up");
    EXPECT_EQ(store.ReadMacro("Macro_1").items.size(), 62u);
}

TEST_F(RecorderFixture, StartStopAndHookFailure) {
    recorder.Stop();  // idle: nothing happens
    EXPECT_EQ(hook.removals, 0);
    EXPECT_FALSE(recorder.Start("", {}, "1"));
    EXPECT_EQ(hook.installs, 0);
    EXPECT_FALSE(recorder.OnHookEvent(0, kVkA, 0));  // not recording: passes

    ASSERT_TRUE(StartMacro());
    EXPECT_FALSE(recorder.OnHookEvent(1, kVkB, 0));  // hook code above 0 passes
    EXPECT_TRUE(queue.empty());
    Key(kVkA, 0);
    ASSERT_TRUE(StartMacro());  // a new start replaces the items and the hook
    EXPECT_EQ(hook.removals, 1);
    EXPECT_TRUE(recorder.items().empty());
    EXPECT_EQ(recorder.eventCount(), 0u);

    hook.installError = 5;
    EXPECT_FALSE(StartMacro());
    EXPECT_EQ(hookError, "JournalRecordHook Install error code :5\n");
    EXPECT_FALSE(recorder.recording());
    EXPECT_TRUE(store.ReadMacroNames().empty());
}

} // namespace
} // namespace qv530
