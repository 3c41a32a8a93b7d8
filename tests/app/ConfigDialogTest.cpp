// The profile dialog in the real window, on the emulated mouse.
#include "app/CMouseConfigurationDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <sstream>

#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "controls/CListBoxPro.h"
#include "controls/SkinLoader.h"
#include "pages/CConfigDialog.h"
#include "pages/CGameDialog.h"
#include "profiles/GameBindings.h"
#include "platform/FileIo.h"
#include "profiles/DataFolderSetup.h"
#include "profiles/ProfileFileMoves.h"
#include "profiles/ProfileStore.h"
#include "settings/MouseSettings.h"

#include <QLabel>
#include <QSignalSpy>
#include <functional>
#include "settings/IniFile.h"
#include "settings/RecordEdits.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530");
        SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
        folder = home.path() + "/.config/QV530-10800rad/";
    }
    void Start(const std::string& language = "EN") {
        WriteProfileString(folder + "str.ini", "Skins", "Lan", language);
        AppOptions options;
        options.demo = true;
        app = std::make_unique<AppState>(options);
        window = std::make_unique<CMouseConfigurationDlg>(*app);
        window->askUpdateFirmware = [] { return false; };
        window->Initialise();
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override {
        window.reset();
        app.reset();
    }
    CConfigDialog* Open() {
        QTest::mouseClick(window->findChild<CBitmapBtn*>("profiles"), Qt::LeftButton);
        CConfigDialog* dialog = window->profileDialog();
        if (dialog) {
            dialog->showMessage = [this](const QString& caption, const QString& text) {
                messages.push_back(caption + "|" + text);
            };
        }
        return dialog;
    }
    void Close(CConfigDialog* dialog) {
        QTest::mouseClick(dialog->findChild<CBitmapBtn*>("closeProfiles"), Qt::LeftButton);
        QApplication::processEvents();
    }
    void Click(CConfigDialog* dialog, const char* button) {
        QTest::mouseClick(dialog->findChild<CBitmapBtn*>(button), Qt::LeftButton);
    }
    // The in-place editor that is open (ended ones wait for their deletion).
    QLineEdit* OpenEditor(CConfigDialog* dialog) {
        for (QLineEdit* editor : dialog->findChildren<QLineEdit*>("profileNameEditor"))
            if (editor->isVisible()) return editor;
        return nullptr;
    }
    std::string ListValue(const std::string& key) { return ReadProfileString(folder + "str.ini", "Profile", key); }
    // Creates profiles until the list holds count, closing on the last.
    void Grow(int count) {
        CConfigDialog* dialog = Open();
        while (dialog->book().count() < count) Click(dialog, "newProfile");
        Close(dialog);
    }

    test::TempDir home;
    std::string folder;
    std::unique_ptr<AppState> app;
    std::unique_ptr<CMouseConfigurationDlg> window;
    std::vector<QString> messages;
};

TEST_F(ConfigDialogTest, ConfigOpensOneDialogAndNewThenCloseCreatesTheProfile) {
    Start();
    CConfigDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Open(), dialog); // at most one
    EXPECT_FALSE(window->findChild<CBitmapBtn*>("buttonHeader")->isVisible());
    EXPECT_FALSE(window->findChild<CBitmapBtn*>("axisHeader")->isVisible());
    EXPECT_EQ(dialog->list()->count(), 1);
    EXPECT_EQ(dialog->list()->currentRow(), 0);

    Click(dialog, "newProfile");
    EXPECT_EQ(dialog->list()->item(1)->text(), "Profile 2");
    Close(dialog);
    EXPECT_EQ(window->profileDialog(), nullptr);
    EXPECT_TRUE(window->findChild<CBitmapBtn*>("buttonHeader")->isVisible());
    EXPECT_TRUE(FileExists(folder + "config1.bin"));
    EXPECT_TRUE(FileExists(folder + "str1.ini"));
    EXPECT_EQ(ListValue("CurProfileName"), "Profile 2");
    EXPECT_EQ(window->editor().currentProfile(), 1);
    EXPECT_EQ(window->editor().state().profileFileIndex, 1);
}

TEST_F(ConfigDialogTest, TheSeventhProfileShowsTheLimitMessageInTheLanguage) {
    Start("DE");
    Grow(6);
    CConfigDialog* dialog = Open();
    EXPECT_EQ(dialog->list()->item(5)->text(), "Profil 6");
    Click(dialog, "newProfile");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QString::fromUtf8("ACHTUNG!|Maximal 6 Profile möglich."));
    EXPECT_EQ(dialog->book().count(), 6);
}

TEST_F(ConfigDialogTest, TheContextMenuHasTheLanguagesTextsAndCopiesTheSelectedProfile) {
    Start("DE");
    Grow(2);
    CConfigDialog* dialog = Open();
    QStringList texts;
    std::vector<int> ids;
    dialog->runMenu = [&](CExMenu& menu, const QPoint&) {
        for (QAction* action : menu.actions()) {
            texts << action->text();
            ids.push_back(CExMenu::CommandId(action));
        }
        return CConfigDialog::kMenuCopy;
    };
    dialog->list()->setCurrentRow(0);
    dialog->OpenContextMenu(QPoint(0, 0));
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("Löschen"), "Bearbeiten", "Kopieren", "Laden", "Speichern",
                                  QString::fromUtf8("Spiel…")}));
    EXPECT_EQ(ids, (std::vector<int>{32781, 32782, 32783, 32784, 32785, 32787}));
    ASSERT_EQ(dialog->list()->count(), 3);
    EXPECT_EQ(dialog->list()->item(2)->text().toStdString(), "Kopieren Profile 1"); // the first profile was named before the language changed
    Close(dialog);
    EXPECT_TRUE(ReadWholeFile(folder + "config2.bin") == ReadWholeFile(folder + "config0.bin"));
}

TEST_F(ConfigDialogTest, GameBindsTheSavedProfileAndRefusesAnEntryNotSavedYet) {
    Start();
    Grow(2);
    CConfigDialog* dialog = Open();
    QSignalSpy changed(dialog, &CConfigDialog::gameBindingsChanged);
    int shown = 0;
    dialog->runGameDialog = [&](CGameDialog& games) {
        ++shown;
        games.nameField()->setText("racer");
        games.AddTyped();
    };
    dialog->NewProfile(); // not saved before the list closes
    dialog->RunMenuCommand(CConfigDialog::kMenuGame);
    EXPECT_EQ(shown, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("Profile 3 is not saved yet")) << messages[0].toStdString();

    dialog->list()->setCurrentRow(1);
    dialog->RunMenuCommand(CConfigDialog::kMenuGame);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(changed.count(), 1);
    const std::vector<std::string> ids = ListedProfileIds(folder);
    const std::vector<GameBinding> bound = ReadGameBindings(folder, ids).bindings;
    ASSERT_EQ(bound.size(), 1u);
    EXPECT_EQ(bound[0].program, "racer");
    EXPECT_EQ(bound[0].profileId, ids[1]);
    Close(dialog);
}

TEST_F(ConfigDialogTest, AClickOnTheSelectedEntryRenamesItInPlace) {
    Start();
    Grow(2);
    CConfigDialog* dialog = Open();
    CListBoxPro* list = dialog->list();
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first); // selects it
    EXPECT_EQ(OpenEditor(dialog), nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first); // renames it
    QApplication::processEvents();
    auto* editor = OpenEditor(dialog);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Profile 2"); // taken: the old name stays
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dialog->book().entries()[0].name, "Profile 1");

    dialog->RenameProfile();
    editor = OpenEditor(dialog);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Office");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(list->item(0)->text().toStdString(), "Office");
    Close(dialog);
    EXPECT_EQ(ListValue("Item0"), "Office");
    EXPECT_EQ(ListValue("CurProfileName"), "Office");
    EXPECT_EQ(window->editor().currentProfile(), 0); // switched to it
}

// F2 renames, Insert adds, Up/Down select, Delete asks first; Enter, Space
// and F1 close nothing, Escape closes like the close button.
TEST_F(ConfigDialogTest, TheKeyboardRenamesDeletesAfterAQuestionAndEscapeCloses) {
    Start();
    Grow(2);
    CConfigDialog* dialog = Open();
    CListBoxPro* list = dialog->list();
    list->setCurrentRow(0);
    list->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_F1}) QTest::keyClick(list, key);
    EXPECT_EQ(window->profileDialog(), dialog);
    QTest::keyClick(list, Qt::Key_F2);
    QLineEdit* editor = OpenEditor(dialog);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(window->profileDialog(), dialog);  // the editor's Escape stays in the editor
    QTest::keyClick(list, Qt::Key_Insert);
    EXPECT_EQ(list->count(), 3);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(dialog->book().selected(), 1);
    std::vector<QString> asked;
    bool answer = false;
    dialog->askDelete = [&](const QString& name) {
        asked.push_back(name);
        return answer;
    };
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->count(), 3);
    answer = true;
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(asked, (std::vector<QString>{"Profile 2", "Profile 2"}));
    EXPECT_EQ(dialog->book().entries()[1].name, "Profile 3");
    QTest::keyClick(list, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(window->profileDialog(), nullptr);
}

TEST_F(ConfigDialogTest, DeletingAnEarlierEntryKeepsTheEditedProfileAndItsEdits) {
    Start();
    Grow(3);
    CConfigDialog* dialog = Open();
    dialog->list()->setCurrentRow(1);
    Close(dialog); // profile 2 is current
    ASSERT_EQ(window->editor().currentProfile(), 1);
    window->editor().SetSensitivity(Axis::X, 9); // not applied

    dialog = Open();
    dialog->list()->setCurrentRow(0);
    Click(dialog, "deleteProfile");
    EXPECT_EQ(dialog->list()->currentRow(), 0); // the former profile 2, now first
    Close(dialog);
    EXPECT_EQ(window->editor().currentProfile(), 0);
    EXPECT_EQ(window->editor().state().profileFileIndex, 0);
    EXPECT_EQ(window->editor().settings().at(field::kSensitivityX), 9); // the edit is still there
    EXPECT_EQ(ListValue("ItemCount"), "2");
    EXPECT_EQ(ListValue("Item0"), "Profile 2");
    EXPECT_FALSE(FileExists(folder + "config2.bin"));
}

TEST_F(ConfigDialogTest, AnImportWaitsForApplyAndClosingDoesNotSwitch) {
    Start();
    Grow(2); // profile 2 current
    std::string image = *ReadWholeFile(folder + "config0.bin");
    image[1 + field::kSensitivityY] = 10;
    const std::string file = home.path() + "/other.bin";
    ASSERT_EQ(WriteFileAtomic(file, image), 0);
    ASSERT_EQ(WriteFileAtomic(home.path() + "/short.bin", image.substr(0, 100)), 0);

    CConfigDialog* dialog = Open();
    dialog->list()->setCurrentRow(0);
    dialog->askOpenFile = [&](const QString&) { return QString::fromStdString(home.path() + "/short.bin"); };
    dialog->RunMenuCommand(CConfigDialog::kMenuLoad);
    EXPECT_FALSE(dialog->importPending());
    ASSERT_EQ(messages.size(), 1u); // the size is named
    EXPECT_TRUE(messages[0].contains("100 bytes")) << messages[0].toStdString();
    dialog->askOpenFile = [&](const QString&) { return QString(); };
    dialog->RunMenuCommand(CConfigDialog::kMenuLoad); // cancelled: nothing
    EXPECT_FALSE(dialog->importPending());

    dialog->askOpenFile = [&](const QString&) { return QString::fromStdString(file); };
    dialog->RunMenuCommand(CConfigDialog::kMenuLoad);
    EXPECT_TRUE(dialog->importPending());
    EXPECT_EQ(window->editor().settings().at(field::kSensitivityY), 10);
    Close(dialog);
    EXPECT_EQ(window->editor().currentProfile(), 1); // no switch
    EXPECT_EQ(window->editor().state().profileFileIndex, 0);
    EXPECT_EQ(window->editor().settings().at(field::kSensitivityY), 10);
}

// Load into an entry, then Delete an entry before it in the same dialog:
// the loaded settings follow their entry to its new position at Apply, no
// other profile is touched, and the saved import is marked initialised.
TEST_F(ConfigDialogTest, APendingImportFollowsItsEntryAndIsKeptAtTheNextStart) {
    Start();
    Grow(3); // Profile 1..3, the third current
    std::string image = *ReadWholeFile(folder + "config0.bin");
    image[1 + field::kSensitivityY] = 10;
    const std::string file = home.path() + "/other.bin";
    ASSERT_EQ(WriteFileAtomic(file, image), 0);
    const std::string first = *ReadWholeFile(folder + "config0.bin");

    CConfigDialog* dialog = Open();
    dialog->list()->setCurrentRow(2);
    dialog->askOpenFile = [&](const QString&) { return QString::fromStdString(file); };
    dialog->RunMenuCommand(CConfigDialog::kMenuLoad);
    ASSERT_TRUE(dialog->importPending());
    dialog->list()->setCurrentRow(1);
    dialog->DeleteProfile(); // [Profile 1, Profile 3]
    dialog->list()->setCurrentRow(1);
    Close(dialog);
    EXPECT_EQ(window->editor().state().profileFileIndex, 1);

    QSignalSpy done(window.get(), &CMouseConfigurationDlg::sequenceDone);
    QTest::mouseClick(window->findChild<CBitmapBtn*>("apply"), Qt::LeftButton);
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ((*ReadWholeFile(folder + "config1.bin"))[1 + field::kSensitivityY], 10);
    EXPECT_FALSE(FileExists(folder + "config2.bin")); // nothing beyond the list
    EXPECT_EQ(*ReadWholeFile(folder + "config0.bin"), first);
    EXPECT_EQ(ReadProfileString(folder + "str1.ini", "Profile", "IsDefault"), "Y");
}

// Another program (qv530ctl) changes the data folder while the window is
// open: the window follows its profile, reloads it when it has no edits of
// its own, keeps its edits otherwise, and never saves where its profile was.
TEST_F(ConfigDialogTest, TheWindowFollowsChangesMadeBesideIt) {
    Start();
    Grow(3);
    auto& editor = window->editor();
    const auto besides = [&](const std::function<void(ProfileBook&)>& edit) {
        const StoreSession session(folder);
        ProfileBook book = ProfileBook::Read(folder + "str.ini", "Profile");
        edit(book);
        ASSERT_TRUE(SaveProfileBook(session, book, book.CloseSelection()).saved);
    };
    const auto saveBesides = [&](int position, std::uint8_t sensitivity) {
        std::string stored = *ReadWholeFile(ProfileConfigPath(folder, position));
        stored[1 + field::kSensitivityX] = static_cast<char>(sensitivity);
        ASSERT_EQ(WriteFileAtomic(ProfileConfigPath(folder, position), stored), 0);
    };
    const auto apply = [&] {
        QSignalSpy done(window.get(), &CMouseConfigurationDlg::sequenceDone);
        QTest::mouseClick(window->findChild<CBitmapBtn*>("apply"), Qt::LeftButton);
        ASSERT_TRUE(done.wait(20000));
    };
    const auto status = [&] { return window->findChild<QLabel*>("statusLine")->text().toStdString(); };

    // An entry before it is deleted: the profile is followed to its new place.
    besides([](ProfileBook& book) { book.Select(2); book.Delete(0); });
    editor.FollowFolder();
    EXPECT_EQ(editor.state().profileFileIndex, 1);
    editor.SetSensitivity(Axis::X, 4);
    apply();
    EXPECT_EQ((*ReadWholeFile(folder + "config1.bin"))[1 + field::kSensitivityX], 4);
    EXPECT_FALSE(FileExists(folder + "config2.bin"));

    // Saved beside it with no edits here: reloaded.
    saveBesides(1, 9);
    editor.FollowFolder();
    EXPECT_EQ(editor.settings().at(field::kSensitivityX), 9);
    // Saved beside it with edits here: the edits stay, and the user is told.
    editor.SetSensitivity(Axis::X, 2);
    saveBesides(1, 7);
    editor.FollowFolder();
    EXPECT_EQ(editor.settings().at(field::kSensitivityX), 2);
    EXPECT_NE(status().find("Another program changed this profile"), std::string::npos) << status();

    // Deleted beside it: said, and Apply saves nothing until a profile is chosen.
    besides([](ProfileBook& book) { book.Select(0); book.Delete(1); });
    editor.FollowFolder();
    EXPECT_NE(status().find("deleted this profile"), std::string::npos) << status();
    const std::string remaining = *ReadWholeFile(folder + "config0.bin");
    apply();
    EXPECT_EQ(*ReadWholeFile(folder + "config0.bin"), remaining);
    EXPECT_FALSE(FileExists(folder + "config1.bin"));
    EXPECT_NE(status().find("not saved"), std::string::npos) << status();
}

TEST_F(ConfigDialogTest, SaveWritesTheSelectedProfileWithTheBinName) {
    Start();
    Grow(2);
    std::string stored = *ReadWholeFile(folder + "config0.bin");
    stored[1 + field::kSensitivityX] = 3;
    ASSERT_EQ(WriteFileAtomic(folder + "config0.bin", stored), 0);
    CConfigDialog* dialog = Open();
    dialog->list()->setCurrentRow(0);
    QString proposed;
    dialog->askSaveFile = [&](const QString& name) {
        proposed = name;
        return QString::fromStdString(home.path() + "/first");
    };
    dialog->RunMenuCommand(CConfigDialog::kMenuSave);
    EXPECT_TRUE(proposed.endsWith("/Profile 1.bin"));
    EXPECT_TRUE(ReadWholeFile(home.path() + "/first.bin") == stored);
    EXPECT_TRUE(FileExists(home.path() + "/first.ini"));
}

} // namespace
} // namespace qv530
