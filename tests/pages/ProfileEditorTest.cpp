// The editor is the one writer of the edited profile: its edits, its
// refusals while a sequence runs, and the one signal every view refreshes on.
#include "pages/ProfileEditor.h"

#include <QSignalSpy>

#include <sstream>

#include "profiles/DataFolderSetup.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class ProfileEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530");
        editor = std::make_unique<ProfileEditor>(DataFolder());
        editor->LoadAtStartUp();
    }
    test::TempDir home;
    std::unique_ptr<ProfileEditor> editor;
};

TEST_F(ProfileEditorTest, EditsGoThroughTheCoreRulesAndAreRefusedWhileBusy) {
    QSignalSpy edited(editor.get(), &ProfileEditor::recordEdited);
    EXPECT_TRUE(editor->SetSensitivity(Axis::X, 9));
    EXPECT_EQ(editor->settings().at(field::kSensitivityX), 9);
    EXPECT_FALSE(editor->SetSensitivity(Axis::X, 12)); // the core refuses: nothing changes
    EXPECT_EQ(editor->settings().at(field::kSensitivityX), 9);
    EXPECT_EQ(edited.count(), 1);

    editor->SetBusy(true);
    EXPECT_FALSE(editor->SetSensitivity(Axis::Y, 2));
    editor->SetCaption(0, "Nope");
    EXPECT_EQ(editor->settings().at(field::kSensitivityY), 5);
    EXPECT_NE(editor->Caption(0), "Nope");
    editor->SetBusy(false);
}

TEST_F(ProfileEditorTest, EveryReplacementSignalsOnceAndCancelBringsBackTheLastApplied) {
    QSignalSpy replaced(editor.get(), &ProfileEditor::recordReplaced);
    editor->SetSensitivity(Axis::X, 2);
    editor->RestoreLastApplied();
    EXPECT_EQ(editor->settings(), editor->sent());
    EXPECT_EQ(replaced.count(), 1);

    // A sequence's copy comes back whole: record, sent record, state and files.
    ProfileSnapshot copy = editor->Snapshot();
    copy.settings.at(field::kReportRate) = 8;
    copy.sent.at(field::kReportRate) = 8;
    copy.state.currentDpiStage = 3;
    editor->TakeSnapshot(copy);
    EXPECT_EQ(editor->settings().at(field::kReportRate), 8);
    EXPECT_EQ(editor->sent().at(field::kReportRate), 8);
    EXPECT_EQ(editor->state().currentDpiStage, 3);
    EXPECT_EQ(replaced.count(), 2);

    editor->ReloadCurrentProfile();
    EXPECT_EQ(replaced.count(), 3);
}

TEST_F(ProfileEditorTest, DeviceSignalsOnlyOnChange) {
    QSignalSpy variant(editor.get(), &ProfileEditor::dpiVariantChanged);
    QSignalSpy pad(editor.get(), &ProfileEditor::padPresentChanged);
    editor->SetDpiVariant(StageTable::A);
    editor->SetDpiVariant(StageTable::A);
    editor->SetDpiVariant(std::nullopt); // no mouse: the page keeps the last table
    EXPECT_EQ(variant.count(), 1);
    EXPECT_EQ(editor->dpiVariant(), StageTable::A);
    editor->SetPadPresent(true);
    editor->SetPadPresent(true);
    EXPECT_EQ(pad.count(), 1);
}

} // namespace
} // namespace qv530
