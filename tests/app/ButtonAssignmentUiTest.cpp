// The function selectors of the window, their menu and the two dialogs it opens.
#include "app/CMouseConfigurationDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "buttons/ButtonFunction.h"
#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "macros/MacroStore.h"
#include "pages/ButtonAssigner.h"
#include "pages/CMacroDialog.h"
#include "pages/CSingleDialog.h"
#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "profiles/DataFolderSetup.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <sstream>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

QPoint Centre(const skin::Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

std::uint8_t Extra(const MouseSettings& s, std::size_t table, std::size_t button) {
    return s.at(field::kButtonExtra + field::kButtonSlots * table + button);
}

// A key event as X11 delivers it: the keycode is the evdev code + 8.
void SendKey(QWidget& to, QEvent::Type type, int qtKey, std::uint32_t evdev,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(type, qtKey, modifiers, evdev + 8, 0, 0);
    QApplication::sendEvent(&to, &event);
}

class ButtonAssignmentUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530");
        SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
    }
    void Start(const std::string& language = "EN") {
        WriteProfileString(Data("str.ini"), "Skins", "Lan", language);
        options.demo = true;
        app = std::make_unique<AppState>(options);
        app->runtime->ReplaceSleeper(std::make_unique<NoSleeper>());
        window = std::make_unique<CMouseConfigurationDlg>(*app);
        window->askUpdateFirmware = [] { return false; };
        window->tellUser = [this](const QString& text, const QString& caption) {
            messages.push_back(caption + "|" + text);
        };
        window->Initialise();
        QTest::mouseClick(window->findChild<CBitmapBtn*>("buttonHeader"), Qt::LeftButton);
    }
    void TearDown() override {
        window.reset();
        app.reset();
    }
    std::string Data(const std::string& name) { return home.path() + "/.config/QV530-10800rad/" + name; }
    CBitmapBtn* Selector(int index) {
        return window->findChild<CBitmapBtn*>(QString("selector%1").arg(index + 1));
    }
    // Clicks selector index and hands the open menu to answer (which must close it).
    void OpenMenu(int index, const std::function<void(CExMenu&)>& answer) {
        QTimer::singleShot(0, [answer] {
            auto* menu = qobject_cast<CExMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            answer(*menu);
        });
        QTest::mouseClick(Selector(index), Qt::LeftButton);
        QCoreApplication::processEvents(); // the chosen command arrives after the menu
    }
    static QAction* Entry(QMenu& menu, const QString& text) {
        for (QAction* action : menu.actions())
            if (action->text() == text) return action;
        return nullptr;
    }
    // Chooses an entry of a submenu with the keyboard, as a user would.
    static void Choose(CExMenu& menu, const QString& submenuText, int row) {
        QAction* submenu = Entry(menu, submenuText);
        ASSERT_NE(submenu, nullptr);
        menu.setActiveAction(submenu);
        QTest::keyClick(&menu, Qt::Key_Right);
        QMenu* inner = submenu->menu();
        ASSERT_TRUE(inner->isVisible());
        inner->setActiveAction(inner->actions()[row]);
        QTest::keyClick(inner, Qt::Key_Return);
    }

    test::TempDir home;
    AppOptions options;
    std::unique_ptr<AppState> app;
    std::unique_ptr<CMouseConfigurationDlg> window;
    std::vector<QString> messages;
};

TEST_F(ButtonAssignmentUiTest, MenuOpensBesideTheSelectorAndVolumeUpChangesOnlyTheCaptionUntilApply) {
    Start();
    const std::string savedBefore = *ReadWholeFile(Data("config0.bin"));
    QImage highlighted;
    OpenMenu(2, [&](CExMenu& menu) {
        const QPoint corner = Selector(2)->mapToGlobal(QPoint(Selector(2)->width() + 5, 0));
        EXPECT_EQ(menu.pos(), corner);
        EXPECT_EQ(window->selectedButton(), 2);
        EXPECT_TRUE(Selector(2)->Checked());
        EXPECT_EQ(Selector(2)->CurrentPicture(), ButtonPicture::Pressed);
        highlighted = window->grab(QRect(498, 190, 26, 26)).toImage();
        EXPECT_EQ(menu.actions().size(), 15);
        Choose(menu, "Multimedia Commands +", 6);
    });
    EXPECT_EQ(window->selectedButton(), -1);
    EXPECT_EQ(window->menuButton(), 2);
    EXPECT_FALSE(Selector(2)->Checked());
    EXPECT_NE(window->grab(QRect(498, 190, 26, 26)).toImage(), highlighted); // image 3 loses its over look

    EXPECT_EQ(Selector(2)->GetCaption(), "Volume Up");
    EXPECT_EQ(window->editor().Caption(2), "Volume Up");
    EXPECT_EQ(window->editor().settings().at(field::kButtonFunction + 2), function::kMultimediaKey);
    EXPECT_EQ(Extra(window->editor().settings(), extra::kMultimedia, 2), 0xE9);
    // Nothing is sent or saved before Apply.
    EXPECT_EQ(window->editor().sent().at(field::kButtonFunction + 2), function::kMiddleClick);
    EXPECT_EQ(*ReadWholeFile(Data("config0.bin")), savedBefore);
}

TEST_F(ButtonAssignmentUiTest, TheBackViewHighlightsOnlyButtonsFourAndFive) {
    Start();
    window->SelectView(3);
    const QRect picture(skin::kMainPictureArea.x, skin::kMainPictureArea.y, skin::kMainPictureArea.width,
                        skin::kMainPictureArea.height);
    const QImage plain = window->grab(picture).toImage();
    QImage during;
    OpenMenu(2, [&](CExMenu& menu) { // button 3 is not drawn in the back view
        during = window->grab(picture).toImage();
        menu.close();
    });
    EXPECT_EQ(during, plain);
    OpenMenu(3, [&](CExMenu& menu) { // button 4 is image 5 of the back view
        during = window->grab(picture).toImage();
        menu.close();
    });
    EXPECT_NE(during.copy(582 - picture.x(), 248 - picture.y(), 26, 26), plain.copy(582 - picture.x(), 248 - picture.y(), 26, 26));
    EXPECT_EQ(window->grab(picture).toImage(), plain);
}

TEST_F(ButtonAssignmentUiTest, ButtonTwoHasNoFnAndClosingTheMenuChangesNothing) {
    Start("CHS");
    OpenMenu(1, [](CExMenu& menu) {
        EXPECT_EQ(menu.actions().size(), 14);
        EXPECT_EQ(Entry(menu, "Fn"), nullptr);
        EXPECT_NE(Entry(menu, QString::fromUtf8("多媒体 +")), nullptr);
        menu.close();
    });
    OpenMenu(3, [](CExMenu& menu) {
        EXPECT_NE(Entry(menu, "Fn"), nullptr);
        menu.close();
    });
    EXPECT_EQ(window->editor().settings(), window->editor().sent());
    EXPECT_EQ(Selector(3)->GetCaption(), "Fn");
}

TEST_F(ButtonAssignmentUiTest, TheOnlyLeftClickOpensNoMenuUntilASecondOneExists) {
    Start();
    QTest::mouseClick(Selector(0), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "ATTENTION!!|At least one button must be set as the \"click\" function.");
    EXPECT_EQ(window->selectedButton(), -1);
    EXPECT_FALSE(Selector(0)->Checked());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // Button 3 becomes a left click: now button 1 may be given away.
    OpenMenu(2, [](CExMenu& menu) {
        menu.setActiveAction(Entry(menu, "Click"));
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(Selector(2)->GetCaption(), "Click");
    OpenMenu(0, [](CExMenu& menu) {
        menu.setActiveAction(Entry(menu, "Deactivated"));
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(Selector(0)->GetCaption(), "Deactivated");
    EXPECT_EQ(window->editor().settings().at(field::kButtonFunction), function::kDisabled);
}

TEST_F(ButtonAssignmentUiTest, KeyCaptureShowsTheLastKeyAndSwallowsTheClosingKeys) {
    Start();
    DebugCapture debug;
    CSingleDialog dialog(window->editor(), "");
    dialog.show();
    QLabel* field = dialog.findChild<QLabel*>("control502");
    ASSERT_NE(field, nullptr);
    SendKey(dialog, QEvent::KeyPress, Qt::Key_Enter, 96, Qt::KeypadModifier);
    EXPECT_EQ(dialog.keyName(), "Num Enter");
    EXPECT_TRUE(debug.Contains("vk code=d,scan code=60,key flag=1\n"));
    SendKey(dialog, QEvent::KeyRelease, Qt::Key_Enter, 96, Qt::KeypadModifier);
    EXPECT_TRUE(debug.Contains("vk code=d,scan code=60,key flag=81\n"));
    EXPECT_EQ(field->text(), "Num Enter");
    SendKey(dialog, QEvent::KeyPress, Qt::Key_Return, 28);
    EXPECT_EQ(dialog.keyName(), "Enter");
    // Esc, Space, F1 and the Windows key are captured and close nothing.
    SendKey(dialog, QEvent::KeyPress, Qt::Key_Escape, 1);
    EXPECT_EQ(dialog.keyName(), "Esc");
    SendKey(dialog, QEvent::KeyPress, Qt::Key_Super_L, 125);
    EXPECT_EQ(dialog.keyName(), "Left Windows");
    SendKey(dialog, QEvent::KeyPress, Qt::Key_F1, 59);
    EXPECT_EQ(dialog.keyName(), "F1");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    // A key outside the catalogue empties the field.
    SendKey(dialog, QEvent::KeyPress, Qt::Key_Help, 138);
    EXPECT_EQ(dialog.keyName(), "");
    SendKey(dialog, QEvent::KeyPress, Qt::Key_Menu, 127);
    EXPECT_EQ(dialog.keyName(), "App");

    QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kSingleKeyCancel));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.keyboardHeld());
}

TEST_F(ButtonAssignmentUiTest, KeyCaptureOkWithoutKeyKeepsTheButtonAndAPresetIsAssignedAgain) {
    Start();
    ButtonAssigner& assigner = window->assigner();
    const auto clickOk = [](CSingleDialog& dialog) {
        QTimer::singleShot(50, &dialog, [&dialog] { // the keyboard is taken once the dialog shows
            EXPECT_TRUE(dialog.keyboardHeld());
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kSingleKeyOk));
        });
    };
    assigner.onKeyDialog = clickOk;
    EXPECT_FALSE(assigner.Assign(4, 2011, "Snipe"));
    EXPECT_EQ(window->editor().settings(), window->editor().sent());

    assigner.onKeyDialog = [](CSingleDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            SendKey(dialog, QEvent::KeyPress, Qt::Key_A, 30);
            SendKey(dialog, QEvent::KeyRelease, Qt::Key_A, 30);
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kSingleKeyOk));
        });
    };
    EXPECT_EQ(assigner.Assign(4, 2011, "Snipe"), QString("Assign Keyboard Key-A"));
    EXPECT_EQ(Extra(window->editor().settings(), extra::kKeyboardKey, 4), 0x04);

    // Reopened: the preset is the stored key, and OK alone keeps it.
    window->editor().Edit([](MouseSettings& s) { s.ButtonFunction(4) = function::kSnipeKey; });
    assigner.onKeyDialog = [](CSingleDialog& dialog) {
        EXPECT_EQ(dialog.keyName(), "A");
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kSingleKeyOk)); });
    };
    EXPECT_EQ(assigner.Assign(4, 2011, "Snipe"), QString("Assign Keyboard Key-A"));
    EXPECT_EQ(window->editor().settings().at(field::kButtonFunction + 4), function::kKeyboardKey);

    // The close picture is a Cancel.
    assigner.onKeyDialog = [](CSingleDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            SendKey(dialog, QEvent::KeyPress, Qt::Key_B, 48);
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kSingleKeyClose));
        });
    };
    EXPECT_FALSE(assigner.Assign(4, 2011, ""));
    EXPECT_EQ(Extra(window->editor().settings(), extra::kKeyboardKey, 4), 0x04);
}

TEST_F(ButtonAssignmentUiTest, KeyCaptureWithoutItsSkinSaysSoAndChangesNothing) {
    Start();
    test::TempDir emptySkins;
    SkinLoader::SetSkinFolder(emptySkins.path());
    std::vector<QString> shown;
    window->assigner().onKeyDialog = [&shown](CSingleDialog& dialog) {
        dialog.showMessage = [&shown](const QString& text, const QString& caption) { shown.push_back(caption + "|" + text); };
    };
    EXPECT_FALSE(window->assigner().Assign(3, 2011, "Fn"));
    SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Single Key Dialog Load background image failed!!!|error");
    EXPECT_EQ(window->editor().settings(), window->editor().sent());
}

TEST_F(ButtonAssignmentUiTest, MacroDialogListsTheStoreResetsTheModeAndPresetsFromTheCaption) {
    Start();
    MacroStore store(Data("record.ini"));
    ASSERT_EQ(store.WriteMacroNames({"Fire", "Build", "Jump"}), 0);
    ButtonAssigner& assigner = window->assigner();
    assigner.onMacroDialog = [](CMacroDialog& dialog) {
        EXPECT_EQ(dialog.macroNames(), QStringList({"Fire", "Build", "Jump"}));
        EXPECT_EQ(dialog.macroIndex(), -1);
        QTimer::singleShot(0, &dialog, [&dialog] {
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kMacroKeyOptions[1]));
            EXPECT_EQ(dialog.runMode(), 1);
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kMacroKeySelector));
            auto* list = dialog.findChild<QListWidget*>("control593");
            ASSERT_NE(list, nullptr);
            ASSERT_TRUE(dialog.listOpen());
            const QRect row = list->visualItemRect(list->item(2));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
            EXPECT_FALSE(dialog.listOpen());
            EXPECT_EQ(dialog.macroName(), "Jump");
            EXPECT_EQ(dialog.runMode(), 0); // choosing a macro resets the mode
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kMacroKeyOptions[2]));
            QTest::keyClick(&dialog, Qt::Key_Escape); // closes nothing
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kMacroKeyOk));
        });
    };
    EXPECT_EQ(assigner.Assign(6, 2012, "DPI -"), QString("Macro:Jump"));
    const MouseSettings& s = window->editor().settings();
    EXPECT_EQ(s.at(field::kButtonFunction + 6), function::kMacroKey);
    EXPECT_EQ(Extra(s, extra::kMacroNumber, 6), 2);
    EXPECT_EQ(Extra(s, extra::kMacroRunMode, 6), 2);

    // Reopened from the caption: that macro and its mode; OK without a change keeps both.
    assigner.onMacroDialog = [](CMacroDialog& dialog) {
        EXPECT_EQ(dialog.macroName(), "Jump");
        EXPECT_EQ(dialog.macroIndex(), 2);
        EXPECT_EQ(dialog.runMode(), 2);
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kMacroKeyCancel)); });
    };
    EXPECT_FALSE(assigner.Assign(6, 2012, "Macro:Jump"));

    // OK without a macro changes nothing.
    assigner.onMacroDialog = [](CMacroDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::mouseClick(&dialog, Qt::LeftButton, {}, Centre(skin::kMacroKeyOk)); });
    };
    const MouseSettings before = window->editor().settings();
    EXPECT_FALSE(assigner.Assign(5, 2012, "DPI +"));
    EXPECT_EQ(window->editor().settings(), before);
}

} // namespace
} // namespace qv530
