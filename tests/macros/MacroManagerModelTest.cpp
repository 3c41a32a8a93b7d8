#include "macros/MacroManagerModel.h"

#include "buttons/ButtonFunction.h"
#include "macros/MacroReferences.h"
#include "platform/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using Items = std::vector<std::string>;

// ---------------------------------------------------------------- item edits

TEST(MacroItemEdits, MouseButtonsGoAfterTheSelectedItem) {
    struct Case {
        Items before;
        int selected;
        InsertedButton button;
        Items after;
        std::optional<int> selection;
    };
    const Case cases[] = {
        {{}, -1, InsertedButton::Left, {"L-Button   Dn", "L-Button   Up"}, 1},
        {{}, 3, InsertedButton::Right, {"R-Button   Dn", "R-Button   Up"}, 1},
        {{"A   Dn", "A   Up"}, 0, InsertedButton::Middle, {"A   Dn", "M-Button   Dn", "M-Button   Up", "A   Up"}, 2},
        // After a delay the selection moves to the press, which the delay now serves.
        {{"A   Dn", "80 ms", "A   Up"}, 1, InsertedButton::Left,
         {"A   Dn", "80 ms", "L-Button   Dn", "L-Button   Up", "A   Up"}, 2},
        {{"A   Dn"}, 0, InsertedButton::Left, {"A   Dn", "L-Button   Dn", "L-Button   Up"}, 2},
        // A list with items but no selection takes nothing.
        {{"A   Dn"}, -1, InsertedButton::Left, {"A   Dn"}, std::nullopt},
        {{"A   Dn"}, 1, InsertedButton::Left, {"A   Dn"}, std::nullopt},
    };
    for (const Case& c : cases) {
        Items items = c.before;
        EXPECT_EQ(InsertButtonItems(items, c.selected, c.button), c.selection) << c.before.size() << " " << c.selected;
        EXPECT_EQ(items, c.after);
    }
}

TEST(MacroItemEdits, DelayGoesBeforeTheSelectedItemUnlessADelayIsBeside) {
    struct Case {
        Items before;
        int selected;
        Items after;
        std::optional<int> selection;
    };
    const Case cases[] = {
        {{"A   Dn", "A   Up"}, 1, {"A   Dn", "50 ms", "A   Up"}, 2},
        {{"A   Dn", "A   Up"}, 0, {"A   Dn", "A   Up"}, std::nullopt},       // item 0
        {{"A   Dn", "9 ms", "A   Up"}, 1, {"A   Dn", "9 ms", "A   Up"}, std::nullopt},  // on a delay
        {{"A   Dn", "9 ms", "A   Up"}, 2, {"A   Dn", "9 ms", "A   Up"}, std::nullopt},  // after a delay
        {{}, 0, {}, std::nullopt},
        {{"A   Dn", "A   Up"}, 2, {"A   Dn", "A   Up"}, std::nullopt},
        {{"A   Dn", "A   Up"}, -1, {"A   Dn", "A   Up"}, std::nullopt},
    };
    for (const Case& c : cases) {
        Items items = c.before;
        EXPECT_EQ(InsertDelayItem(items, c.selected), c.selection) << c.selected;
        EXPECT_EQ(items, c.after);
    }
}

TEST(MacroItemEdits, TypedValuesAreKeptInRange) {
    EXPECT_EQ(TypedDelayItem("70000"), "65535 ms");
    EXPECT_EQ(TypedDelayItem("65535"), "65535 ms");
    EXPECT_EQ(TypedDelayItem("120"), "120 ms");
    EXPECT_EQ(TypedDelayItem(""), "0 ms");
    EXPECT_EQ(TypedDelayItem("99999999999999999999"), "65535 ms");

    EXPECT_EQ(CorrectedLoopText("0"), "1");
    EXPECT_EQ(CorrectedLoopText(""), "1");
    EXPECT_EQ(CorrectedLoopText("65536"), "1");
    EXPECT_EQ(CorrectedLoopText("65535"), "65535");
    EXPECT_EQ(CorrectedLoopText("7"), "7");
}

// ---------------------------------------------------------------- references

struct References : ::testing::Test {
    MouseSettings settings{};
    ButtonCaptions captions{"Left Button", "Macro:Macro_3", "Macro:Macro_1", "Macro:Gone", "Key-A", "Macro:a:b", ""};
    void SetUp() override {
        for (std::size_t b : {1u, 2u, 3u, 5u}) settings.ButtonFunction(b) = function::kMacroKey;
        settings.ButtonExtra(kMacroNumberTable, 1) = 2;
        settings.ButtonExtra(kMacroNumberTable, 2) = 0;
        settings.ButtonExtra(kMacroNumberTable, 3) = 7;
        settings.ButtonExtra(kMacroNumberTable, 5) = 3;
    }
    std::uint8_t Slot(std::size_t b) { return settings.ButtonExtra(kMacroNumberTable, b); }
};

TEST_F(References, AfterADeleteEveryButtonPointsAtItsMacrosNewSlot) {
    // Macro_2 at slot 1 was deleted: Macro_3 and "a:b" moved one slot down.
    EXPECT_TRUE(PointMacroButtonsAtSlots(settings, captions, {"Macro_1", "Macro_3", "b", "a:b"}));
    EXPECT_EQ(Slot(1), 1);
    EXPECT_EQ(Slot(2), 0);
    EXPECT_EQ(Slot(3), 7);  // names no macro of the store: left alone
    EXPECT_EQ(Slot(5), 3);  // the longer name wins over "b"
    EXPECT_FALSE(PointMacroButtonsAtSlots(settings, captions, {"Macro_1", "Macro_3", "b", "a:b"}));
}

TEST_F(References, OnlyMacroButtonsAreTouched) {
    settings.ButtonFunction(1) = 1;
    PointMacroButtonsAtSlots(settings, captions, {"Macro_3"});
    EXPECT_EQ(Slot(1), 2);
    EXPECT_EQ(RenameMacroInCaptions(settings, captions, "Macro_3", "Fire").size(), 0u);
    EXPECT_EQ(captions[1], "Macro:Macro_3");
}

TEST_F(References, ARenameFollowsIntoTheCaptions) {
    EXPECT_EQ(RenameMacroInCaptions(settings, captions, "Macro_1", "Fire"), std::vector<std::size_t>{2});
    EXPECT_EQ(captions[2], "Macro:Fire");
    EXPECT_EQ(RenameMacroInCaptions(settings, captions, "a:b", "c"), std::vector<std::size_t>{5});
    EXPECT_EQ(captions[5], "Macro:c");
    EXPECT_EQ(captions[1], "Macro:Macro_3");
}

// ---------------------------------------------------------------- the manager

struct FakeHook : KeyboardHook {
    int installError = 0;
    bool installed = false;
    int Install() override {
        installed = installError == 0;
        return installError;
    }
    void Remove() override { installed = false; }
};

struct Manager : ::testing::Test {
    test::TempDir dir;
    std::string path = dir / "record.ini";
    MacroStore store{path, [](std::chrono::milliseconds) {}};
    FakeHook hook;
    std::vector<RecordedKey> posted;
    std::uint32_t now = 5000;
    std::string hookError;
    MacroRecorder recorder{hook, store, [this](RecordedKey key) { posted.push_back(std::move(key)); },
                           [this] { return now; }, MacroRecorder::Listener{{}, {}, [this](const std::string& e) {
                                                                              hookError = e;
                                                                          }}};
    MacroImages previous{};
    ButtonCaptions labels{"Left Button", "Macro:Macro_2", "", "", "", "", ""};
    std::optional<MacroManagerModel> model;

    void Create(const std::string& text) {
        ASSERT_EQ(WriteFileAtomic(path, text), 0);
        model.emplace(store, recorder, "EN", labels, previous);
        model->Open();
    }
    void CreateThree() {
        Create("[MacroName]\r\nMacroCount=3\r\n0=Macro_1\r\n1=Macro_2\r\n2=Macro_3\r\n"
               "[Macro_1]\r\nDelayTimeSelStatus=1\r\nMacroLoopTimes=3\r\nItemCount=2\r\nItem0=A   Dn\r\nItem1=A   Up\r\n"
               "[Macro_2]\r\nDelayTimeSelStatus=0\r\nMacroLoopTimes=1\r\nItemCount=1\r\nItem0=B   Dn\r\n"
               "[Macro_3]\r\nDelayTimeSelStatus=0\r\nMacroLoopTimes=1\r\nItemCount=1\r\nItem0=C   Dn\r\n");
    }
    // A key typed while recording: through the hook, then the posted event.
    void Type(std::uint32_t vk, bool release, std::uint32_t afterMs = 40) {
        now += afterMs;
        recorder.OnHookEvent(0, vk, release ? 0x80 : 0);
        for (const RecordedKey& key : posted) recorder.OnRecordedKey(key);
        posted.clear();
        model->TakeRecordedItems();
    }
};

TEST_F(Manager, OpeningSelectsTheFirstMacroWithItsValues) {
    CreateThree();
    EXPECT_EQ(model->names(), (Items{"Macro_1", "Macro_2", "Macro_3"}));
    EXPECT_EQ(model->selected(), 0);
    EXPECT_EQ(model->items(), (Items{"A   Dn", "A   Up"}));
    EXPECT_EQ(model->loopText(), "3");
    EXPECT_TRUE(model->loopEnabled());
    // The last macro loaded cleared the delay switch; selecting Macro_1 ("1") sets it.
    EXPECT_TRUE(model->recordDelays());
    model->Select(1);
    EXPECT_FALSE(model->loopEnabled());
    EXPECT_FALSE(model->recordDelays());
}

TEST_F(Manager, EveryEditIsInTheStoreAtOnce) {
    CreateThree();
    EXPECT_EQ(model->EditLoopText("0"), "1");
    EXPECT_EQ(store.ReadMacro("Macro_1").loopText, "1");
    EXPECT_EQ(model->EditLoopText("12"), "12");
    EXPECT_EQ(store.ReadMacro("Macro_1").loopText, "12");
    EXPECT_EQ(model->images()[1], 12);  // the image's loop count follows

    EXPECT_EQ(model->InsertDelay(1), 2);
    EXPECT_EQ(store.ReadMacro("Macro_1").items, (Items{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(model->EditDelay(1, "70000"), 1);
    EXPECT_EQ(store.ReadMacro("Macro_1").items[1], "65535 ms");
    EXPECT_EQ(model->InsertButton(2, InsertedButton::Right), 4);
    EXPECT_EQ(store.ReadMacro("Macro_1").items.size(), 5u);
    EXPECT_EQ(model->DeleteItem(0), -1);
    EXPECT_EQ(store.ReadMacro("Macro_1").items.front(), "65535 ms");
}

TEST_F(Manager, ASecondClickOnADelayOpensItsEditor) {
    Create("[MacroName]\r\nMacroCount=1\r\n0=M_1\r\n[M_1]\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=5 ms\r\nItem2=A   Up\r\n");
    EXPECT_FALSE(model->ClickItem(1));
    EXPECT_TRUE(model->ClickItem(1));
    EXPECT_FALSE(model->ClickItem(0));
    EXPECT_FALSE(model->ClickItem(0));  // not a delay
}

TEST_F(Manager, NewNamesFollowTheLastAndStopAtTwelve) {
    Create("[MacroName]\r\nMacroCount=1\r\n0=Macro_9\r\n");
    EXPECT_EQ(model->New(), MacroManagerModel::NewResult::Added);
    EXPECT_EQ(model->names().back(), "Macro_10");
    EXPECT_EQ(model->selected(), 1);
    EXPECT_EQ(model->loopText(), "1");
    EXPECT_TRUE(model->items().empty());
    for (int i = 0; i < 10; ++i) model->New();
    EXPECT_EQ(model->names().size(), 12u);
    EXPECT_EQ(model->New(), MacroManagerModel::NewResult::LimitReached);
    EXPECT_EQ(model->names().size(), 12u);
    EXPECT_EQ(store.ReadMacroNames().size(), 12u);
}

TEST_F(Manager, DeleteIsRefusedForAMacroAButtonPlays) {
    CreateThree();
    model->Select(1);
    EXPECT_FALSE(model->Delete());
    EXPECT_EQ(store.ReadMacroNames().size(), 3u);

    model->Select(0);
    const auto removal = model->Delete();
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->name, "Macro_1");
    EXPECT_EQ(store.ReadMacroNames(), (Items{"Macro_2", "Macro_3"}));
    EXPECT_TRUE(store.ReadMacro("Macro_1").items.empty());
    EXPECT_EQ(model->selected(), 0);
    EXPECT_EQ(model->items(), Items{"B   Dn"});
}

TEST_F(Manager, DeleteAndRenameKeepEveryButtonOnItsOwnMacro) {
    CreateThree();
    MouseSettings settings{};
    ButtonCaptions captions{"", "Macro:Macro_2", "", "Macro:Macro_3", "", "", ""};
    settings.ButtonFunction(1) = function::kMacroKey;
    settings.ButtonExtra(kMacroNumberTable, 1) = 1;
    settings.ButtonFunction(3) = function::kMacroKey;
    settings.ButtonExtra(kMacroNumberTable, 3) = 2;
    model->SetButtonLabels(captions);

    model->Select(0);
    ASSERT_TRUE(model->Delete());
    PointMacroButtonsAtSlots(settings, captions, model->names());
    EXPECT_EQ(settings.ButtonExtra(kMacroNumberTable, 1), 0);
    EXPECT_EQ(settings.ButtonExtra(kMacroNumberTable, 3), 1);

    model->BeginRename(1);
    const auto rename = model->EndRename("Fire");
    ASSERT_TRUE(rename);
    RenameMacroInCaptions(settings, captions, rename->oldName, rename->newName);
    model->SetButtonLabels(captions);
    EXPECT_EQ(captions[3], "Macro:Fire");
    EXPECT_EQ(store.ReadMacroNames(), (Items{"Macro_2", "Fire"}));
    EXPECT_EQ(store.ReadMacro("Fire").items, Items{"C   Dn"});
    EXPECT_TRUE(store.ReadMacro("Macro_3").items.empty());
    // The renamed macro is still protected.
    model->Select(1);
    EXPECT_FALSE(model->Delete());
}

TEST_F(Manager, RejectedRenamesKeepTheOldNameAndItsItems) {
    CreateThree();
    for (const char* typed : {"", "Macro_2", "Macro_1", "   ", "a]b"}) {
        model->BeginRename(0);
        EXPECT_FALSE(model->EndRename(typed)) << typed;
    }
    EXPECT_EQ(model->names()[0], "Macro_1");
    EXPECT_EQ(store.ReadMacro("Macro_1").items, (Items{"A   Dn", "A   Up"}));
    model->BeginRename(0);
    EXPECT_TRUE(model->EndRename("macro_1x"));
}

TEST_F(Manager, RecordingIsStoppedAndSavedBeforeAnotherAction) {
    CreateThree();
    model->Select(2);
    ASSERT_TRUE(model->StartRecording());
    EXPECT_TRUE(model->items().empty());
    Type(0x41, false);
    Type(0x41, true);
    EXPECT_EQ(model->items(), (Items{"A   Dn", "A   Up"}));
    model->Select(0);  // another macro: the recording is saved first
    EXPECT_FALSE(model->recording());
    EXPECT_FALSE(hook.installed);
    EXPECT_EQ(store.ReadMacro("Macro_3").items, (Items{"A   Dn", "A   Up"}));
}

TEST_F(Manager, TheSixtyThirdKeyEventEndsTheRecording) {
    CreateThree();
    model->Select(1);  // recorded without delays: one item per event
    ASSERT_TRUE(model->StartRecording());
    for (int i = 0; i < 32; ++i) {
        Type(0x41 + static_cast<std::uint32_t>(i % 20), false);
        Type(0x41 + static_cast<std::uint32_t>(i % 20), true);
    }
    EXPECT_FALSE(model->recording());
    EXPECT_EQ(model->items().size(), 62u);
    EXPECT_EQ(store.ReadMacro("Macro_2").items.size(), 62u);
}

TEST_F(Manager, AKeyboardThatCannotBeTakenLeavesTheManagerIdle) {
    CreateThree();
    hook.installError = 1;
    EXPECT_FALSE(model->StartRecording());
    EXPECT_FALSE(model->recording());
    EXPECT_EQ(hookError, "JournalRecordHook Install error code :1\n");
    EXPECT_TRUE(model->items().empty());
    EXPECT_EQ(store.ReadMacro("Macro_1").items.size(), 2u);  // the store is not touched
}

TEST_F(Manager, OkBuildsTheImagesWithTheManagersLeadByte) {
    previous.fill(0xAB);
    CreateThree();
    const MacroImages& images = model->Finish();
    EXPECT_EQ(images[0], 0);
    EXPECT_EQ(images[1], 3);
    EXPECT_EQ(images[2], 0x32);
    EXPECT_EQ(images[3], 0x04);  // A
    EXPECT_EQ(images[macroslot::kSize + 2], 0x32);
    // Slots past the last macro keep what the record had.
    EXPECT_EQ(images[macroslot::kSize * 3], 0xAB);
}

TEST_F(Manager, HostileStoresOpenWithTheirReadableMacros) {
    std::string many = "[MacroName]\r\nMacroCount=100\r\n";
    for (int i = 0; i < 100; ++i) many += std::to_string(i) + "=M" + std::to_string(i) + "\r\n";
    many += "[M5]\r\nItemCount=2\r\nItem0=Nothing\r\nItem1=   Dn\r\n";
    Create(many);
    EXPECT_EQ(model->names().size(), 100u);
    model->Select(5);
    ASSERT_EQ(model->items().size(), 2u);
    EXPECT_EQ(model->items().front(), "Nothing");
    EXPECT_EQ(model->New(), MacroManagerModel::NewResult::LimitReached);
    model->Finish();

    Create("[MacroName]\r\nMacroCount=2\r\n0=a]b\r\n1=Macro_1\r\n[Macro_1]\r\nItemCount=99\r\nItem0=A   Dn\r\n");
    EXPECT_EQ(model->names(), (Items{"a]b", "Macro_1"}));
    model->Select(1);
    ASSERT_FALSE(model->items().empty());
    EXPECT_EQ(model->items().front(), "A   Dn");

    Create("\xff\xfe[\0");
    EXPECT_TRUE(model->names().empty());
    EXPECT_EQ(model->New(), MacroManagerModel::NewResult::Added);
}

TEST_F(Manager, WithoutAStoreNothingIsWritten) {
    model.emplace(store, recorder, "DE", labels, previous);
    model->Open();
    EXPECT_TRUE(model->names().empty());
    EXPECT_EQ(model->New(), MacroManagerModel::NewResult::Added);
    EXPECT_EQ(model->names().front(), "Makro_1");
    model->Finish();
    EXPECT_FALSE(FileExists(path));
}

} // namespace
} // namespace qv530
