#include "pages/CMacroProgramDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "buttons/ButtonFunction.h"
#include "controls/CBitmapBtn.h"
#include "controls/CLBEditorWnd.h"
#include "controls/CListBoxPro.h"
#include "controls/SkinLoader.h"
#include "macros/MacroReferences.h"
#include "pages/ProfileEditor.h"
#include "platform/FileIo.h"
#include "profiles/DataFolderSetup.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <sstream>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

constexpr std::uint32_t kVkA = 0x41;
constexpr std::uint32_t kKeyUp = 0x80;

struct FakeHook : KeyboardHook {
    int* error;
    bool* installed;
    FakeHook(int* e, bool* i) : error(e), installed(i) {}
    int Install() override {
        *installed = *error == 0;
        return *error;
    }
    void Remove() override { *installed = false; }
};

const char* const kThreeMacros =
    "[MacroName]\r\nMacroCount=3\r\n0=Macro_1\r\n1=Macro_2\r\n2=Macro_3\r\n"
    "[Macro_1]\r\nDelayTimeSelStatus=1\r\nMacroLoopTimes=1\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=20 ms\r\n"
    "Item2=A   Up\r\n"
    "[Macro_2]\r\nDelayTimeSelStatus=0\r\nMacroLoopTimes=4\r\nItemCount=1\r\nItem0=B   Dn\r\n"
    "[Macro_3]\r\nDelayTimeSelStatus=0\r\nMacroLoopTimes=1\r\nItemCount=1\r\nItem0=C   Dn\r\n";

class MacroDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530");
        SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
    }
    void Open(const std::string& language = "EN", const char* store = kThreeMacros) {
        WriteProfileString(Data("str.ini"), "Skins", "Lan", language);
        ASSERT_EQ(WriteFileAtomic(Data("record.ini"), store), 0);
        editor = std::make_unique<ProfileEditor>(home.path() + "/.config/QV530-10800rad/");
        editor->LoadAtStartUp();
        // Button 2 plays Macro_3 (slot 2).
        editor->Edit([](MouseSettings& s) {
            s.ButtonFunction(1) = function::kMacroKey;
            s.ButtonExtra(kMacroNumberTable, 1) = 2;
        });
        editor->SetCaption(1, "Macro:Macro_3");
        ProfileSnapshot profile = editor->Snapshot();
        ASSERT_TRUE(profile.files.SaveCurrentProfile(profile.settings, profile.state));
        dialog = std::make_unique<CMacroProgramDialog>(*editor, nullptr, std::make_unique<FakeHook>(&hookError, &hooked));
        dialog->showMessage = [this](const QString& caption, const QString& text) {
            messages.push_back((caption + "|" + text).toStdString());
        };
        dialog->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        dialog.reset();
        editor.reset();
    }
    std::string Data(const std::string& name) { return home.path() + "/.config/QV530-10800rad/" + name; }
    MacroStore Store() { return MacroStore(Data("record.ini"), [](std::chrono::milliseconds) {}); }
    QStringList Items() {
        QStringList items;
        for (int i = 0; i < dialog->itemList()->count(); ++i) items << dialog->itemList()->item(i)->text();
        return items;
    }
    CBitmapBtn* Button(const char* name) { return dialog->findChild<CBitmapBtn*>(name); }

    test::TempDir home;
    std::unique_ptr<ProfileEditor> editor;
    std::unique_ptr<CMacroProgramDialog> dialog;
    int hookError = 0;
    bool hooked = false;
    std::vector<std::string> messages;
};

TEST_F(MacroDialogTest, OpensOnTheFirstMacroInTheProfilesLanguage) {
    Open("DE");
    EXPECT_EQ(dialog->windowTitle(), "Makro-Manager");
    EXPECT_EQ(dialog->size(), QSize(640, 440));
    EXPECT_EQ(dialog->macroList()->count(), 3);
    EXPECT_EQ(dialog->macroList()->currentRow(), 0);
    EXPECT_EQ(Items(), (QStringList{"A   Dn", "20 ms", "A   Up"}));
    EXPECT_EQ(Button("new")->GetCaption(), "Neu");
    EXPECT_EQ(Button("record")->GetCaption(), "Aufzeichnung starten");
    EXPECT_TRUE(Button("delaySwitch")->Checked());
    EXPECT_FALSE(dialog->loopEdit()->isEnabled());

    dialog->macroList()->setCurrentRow(1);
    EXPECT_EQ(Items(), QStringList{"B   Dn"});
    EXPECT_EQ(dialog->loopEdit()->text(), "4");
    EXPECT_TRUE(dialog->loopEdit()->isEnabled());
    EXPECT_FALSE(Button("delaySwitch")->Checked());
}

// Enter, Space and F1 close nothing; Escape cancels like the close button.
TEST_F(MacroDialogTest, OnlyEscapeClosesAndItCancels) {
    Open();
    for (QWidget* target : {static_cast<QWidget*>(dialog.get()), static_cast<QWidget*>(dialog->macroList()),
                            static_cast<QWidget*>(dialog->loopEdit())}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F1}) {
            QTest::keyClick(target, key);
            ASSERT_TRUE(dialog->isVisible()) << key;
        }
    }
    EXPECT_EQ(dialog->result(), 0);
    QTest::keyClick(dialog->macroList(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Store().ReadMacroNames().size(), 3u);
}

TEST_F(MacroDialogTest, RecordingFillsTheSelectedMacroAndIsSavedOnStop) {
    Open();
    dialog->macroList()->setCurrentRow(2);
    QTest::mouseClick(Button("record"), Qt::LeftButton);
    ASSERT_TRUE(hooked);
    EXPECT_EQ(Button("record")->GetCaption(), "Stop Recording");
    EXPECT_TRUE(Items().isEmpty());
    dialog->recorder().OnHookEvent(0, kVkA, 0);
    dialog->recorder().OnHookEvent(0, kVkA, kKeyUp);
    QApplication::processEvents();
    EXPECT_EQ(Items(), (QStringList{"A   Dn", "A   Up"}));
    EXPECT_EQ(dialog->itemList()->currentRow(), 1);
    // Any other action stops the recording first, and saves it.
    QTest::mouseClick(Button("loopSwitch"), Qt::LeftButton);
    EXPECT_FALSE(hooked);
    EXPECT_EQ(Button("record")->GetCaption(), "Start Recording");
    EXPECT_EQ(Store().ReadMacro("Macro_3").items, (std::vector<std::string>{"A   Dn", "A   Up"}));
}

TEST_F(MacroDialogTest, AKeyboardThatCannotBeTakenIsReported) {
    Open();
    hookError = 3;
    QTest::mouseClick(Button("record"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(dialog->model().recording());
    EXPECT_EQ(messages, std::vector<std::string>{"Macro Manager|JournalRecordHook Install error code :3\n"});
    EXPECT_EQ(Button("record")->GetCaption(), "Start Recording");
}

TEST_F(MacroDialogTest, TheThirteenthMacroIsRefusedWithAMessage) {
    Open();
    for (int i = 0; i < 9; ++i) QTest::mouseClick(Button("new"), Qt::LeftButton);
    EXPECT_EQ(dialog->macroList()->count(), 12);
    EXPECT_EQ(dialog->macroList()->item(11)->text(), "Macro_12");
    EXPECT_TRUE(messages.empty());
    QTest::mouseClick(Button("new"), Qt::LeftButton);
    EXPECT_EQ(dialog->macroList()->count(), 12);
    EXPECT_EQ(messages, std::vector<std::string>{"ATTENTION!|Up to 12 Macros Possible."});
}

TEST_F(MacroDialogTest, DeleteAndRenameKeepTheButtonOnItsMacro) {
    Open();
    dialog->macroList()->setCurrentRow(2);
    QTest::mouseClick(Button("delete"), Qt::LeftButton);  // button 2 plays it: refused
    EXPECT_EQ(dialog->macroList()->count(), 3);

    dialog->macroList()->setCurrentRow(0);
    QTest::mouseClick(Button("delete"), Qt::LeftButton);
    EXPECT_EQ(dialog->macroList()->count(), 2);
    const std::size_t slotByte = field::kButtonExtra + field::kButtonSlots * kMacroNumberTable + 1;
    EXPECT_EQ(editor->settings().at(slotByte), 1);
    // The saved profile follows as well: a reload brings no old slot back.
    const auto saved = ReadFilePrefix(editor->files().configPath(), 1885);
    ASSERT_TRUE(saved && saved->size() == 1885);
    EXPECT_EQ((*saved)[1 + slotByte], 1);

    dialog->BeginRename(1);
    auto* nameEditor = dialog->findChild<CLBEditorWnd*>("macroNameEditor");
    ASSERT_NE(nameEditor, nullptr);
    nameEditor->setText("Fire");
    nameEditor->EndEdit(true);
    EXPECT_EQ(dialog->macroList()->item(1)->text(), "Fire");
    EXPECT_EQ(editor->Caption(1), "Macro:Fire");
    EXPECT_EQ(Store().ReadMacroNames(), (std::vector<std::string>{"Macro_2", "Fire"}));
    EXPECT_EQ(Store().ReadMacro("Fire").items, std::vector<std::string>{"C   Dn"});
    // Which names a rename refuses is the model's (MacroManagerModelTest).
}

TEST_F(MacroDialogTest, ASecondClickOnADelayEditsIt) {
    Open();
    const QRect delay = dialog->itemList()->visualItemRect(dialog->itemList()->item(1));
    QTest::mouseClick(dialog->itemList()->viewport(), Qt::LeftButton, {}, delay.center());
    QApplication::processEvents();
    EXPECT_EQ(dialog->findChild<CLBEditorWnd*>("delayEditor"), nullptr);
    QTest::mouseClick(dialog->itemList()->viewport(), Qt::LeftButton, {}, delay.center());
    QApplication::processEvents();
    auto* delayEditor = dialog->findChild<CLBEditorWnd*>("delayEditor");
    ASSERT_NE(delayEditor, nullptr);
    // The value typed goes through the model (its range: MacroManagerModelTest).
    delayEditor->setText("120");
    QTest::keyClick(delayEditor, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Items(), (QStringList{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(Store().ReadMacro("Macro_1").items[1], "120 ms");

    // A delay still being typed when OK runs is kept, as when the editor loses the focus.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the ended editor goes
    for (int click = 0; click < 2 && !dialog->findChild<CLBEditorWnd*>("delayEditor"); ++click) {
        QTest::mouseClick(dialog->itemList()->viewport(), Qt::LeftButton, {}, delay.center());
        QApplication::processEvents();
    }
    delayEditor = dialog->findChild<CLBEditorWnd*>("delayEditor");
    ASSERT_NE(delayEditor, nullptr);
    QTest::keyClicks(delayEditor, "300");
    Button("ok")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Store().ReadMacro("Macro_1").items[1], "300 ms");
}

TEST_F(MacroDialogTest, TheItemMenuInsertsMouseButtonsAndDelays) {
    Open();
    dialog->itemList()->setCurrentRow(2);
    dialog->RunItemCommand(CMacroProgramDialog::kMenuInsertMiddle);
    EXPECT_EQ(Items(), (QStringList{"A   Dn", "20 ms", "A   Up", "M-Button   Dn", "M-Button   Up"}));
    EXPECT_EQ(dialog->itemList()->currentRow(), 4);
    dialog->RunItemCommand(CMacroProgramDialog::kMenuInsertDelay);
    EXPECT_EQ(Items()[4], "50 ms");
    dialog->itemList()->setCurrentRow(0);
    dialog->RunItemCommand(CMacroProgramDialog::kMenuDeleteItem);
    EXPECT_EQ(Items().size(), 5);
    EXPECT_EQ(Store().ReadMacro("Macro_1").items.size(), 5u);
}

TEST_F(MacroDialogTest, OkBuildsTheImagesCancelKeepsTheStore) {
    Open();
    // A recording left running is stopped and kept by Cancel.
    QTest::mouseClick(Button("new"), Qt::LeftButton);
    QTest::mouseClick(Button("record"), Qt::LeftButton);
    dialog->recorder().OnHookEvent(0, kVkA, 0);
    QApplication::processEvents();
    QTest::mouseClick(Button("cancel"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(hooked);
    EXPECT_EQ(Store().ReadMacroNames().size(), 4u);
    EXPECT_EQ(Store().ReadMacro("Macro_4").items, std::vector<std::string>{"A   Dn"});

    dialog = std::make_unique<CMacroProgramDialog>(*editor, nullptr, std::make_unique<FakeHook>(&hookError, &hooked));
    dialog->show();
    QTest::mouseClick(Button("ok"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const MacroImages& images = dialog->images();
    EXPECT_EQ(images[2], 0x32);
    EXPECT_EQ(images[3], 0x04);  // A
    EXPECT_EQ(images[macroslot::kSize * 2 + 3], 0x06);  // C
}

TEST_F(MacroDialogTest, AHostileStoreOpens) {
    std::string store = "[MacroName]\r\nMacroCount=40\r\n0=a]b\r\n1=\r\n2=Macro_1\r\n";
    for (int i = 3; i < 40; ++i) store += std::to_string(i) + "=N" + std::to_string(i) + "\r\n";
    store += "[Macro_1]\r\nItemCount=abc\r\nMacroLoopTimes=-5\r\n";
    Open("EN", store.c_str());
    EXPECT_EQ(dialog->macroList()->count(), 40);
    dialog->macroList()->setCurrentRow(2);
    EXPECT_EQ(dialog->loopEdit()->text(), "1");
    QTest::mouseClick(Button("ok"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

} // namespace
} // namespace qv530
