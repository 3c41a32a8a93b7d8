#include "app/CMouseConfigurationDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include "profiles/DataFolderSetup.h"
#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "controls/CLBEditorWnd.h"
#include "controls/CListBoxPro.h"
#include "pages/CConfigDialog.h"
#include "controls/SkinLoader.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgadvance.h"
#include "platform/FileIo.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <condition_variable>
#include <mutex>
#include <sstream>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

// The window on the emulated mouse and pad, in a fresh home folder.
class MainWindowTest : public ::testing::Test {
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
        window->askUpdateFirmware = [this] {
            ++firmwareQuestions;
            return false;
        };
        window->Initialise();
    }
    void TearDown() override {
        window.reset();
        app.reset();
    }
    // Saves the edited record as the profile's configuration file.
    bool SaveEdited() {
        ProfileSnapshot profile = app->editor->Snapshot();
        return profile.files.SaveCurrentProfile(profile.settings, profile.state);
    }
    std::string Data(const std::string& name) { return home.path() + "/.config/QV530-10800rad/" + name; }
    template <typename T>
    T* Find(const char* name) {
        return window->findChild<T*>(name);
    }
    void RunAndWait(const std::function<void()>& action) {
        QSignalSpy done(window.get(), &CMouseConfigurationDlg::sequenceDone);
        action();
        ASSERT_TRUE(done.wait(20000));
    }

    test::TempDir home;
    AppOptions options;
    std::unique_ptr<AppState> app;
    std::unique_ptr<CMouseConfigurationDlg> window;
    int firmwareQuestions = 0;
};

TEST_F(MainWindowTest, StartsWithBothSectionsCollapsedAndTheFrontView) {
    Start();
    EXPECT_TRUE(window->isVisible()); // the demo shows the window at once
    EXPECT_EQ(window->size(), QSize(1010, 660));
    EXPECT_TRUE(window->buttonListCollapsed());
    EXPECT_TRUE(window->axisPanelCollapsed());
    EXPECT_EQ(window->currentView(), 1);
    EXPECT_TRUE(Find<CBitmapBtn>("view1")->Checked());
    EXPECT_EQ(Find<CBitmapBtn>("apply")->GetCaption(), "Apply");
    EXPECT_EQ(Find<CBitmapBtn>("selector1")->GetCaption(), "Click");
    EXPECT_EQ(Find<CBitmapBtn>("selector6")->GetCaption(), "DPI +");

    QTest::mouseClick(Find<CBitmapBtn>("view2"), Qt::LeftButton);
    EXPECT_EQ(window->currentView(), 2);
    EXPECT_FALSE(Find<CBitmapBtn>("view1")->Checked());
    EXPECT_TRUE(Find<CBitmapBtn>("view2")->Checked());

    const int macroTop = Find<CBitmapBtn>("macroHeader")->y();
    QTest::mouseClick(Find<CBitmapBtn>("buttonHeader"), Qt::LeftButton);
    EXPECT_FALSE(window->buttonListCollapsed());
    EXPECT_TRUE(Find<CBitmapBtn>("selector1")->isVisible());
    EXPECT_EQ(Find<CBitmapBtn>("macroHeader")->y(), macroTop + skin::kButtonListPanel.height);
    QTest::mouseClick(Find<CBitmapBtn>("axisHeader"), Qt::LeftButton);
    EXPECT_TRUE(Find<CDMarker>("sliderX")->isVisible());

    // Enter, Esc, Space and F1 never close it.
    for (int key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space, Qt::Key_F1}) QTest::keyClick(window.get(), Qt::Key(key));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, ApplySendsEverythingAndCancelRestoresTheLastApplied) {
    Start();
    app->editor->Edit([](MouseSettings& s) { s.at(field::kSensitivityX) = 9; });
    RunAndWait([&] { QTest::mouseClick(Find<CBitmapBtn>("apply"), Qt::LeftButton); });
    EXPECT_EQ(app->editor->sent().at(field::kSensitivityX), 9);
    const auto held = app->runtime->emulatedMouse()->Snapshot();
    EXPECT_EQ(held.macros.size(), 12u);
    EXPECT_TRUE(FileExists(Data("config0.bin")));

    app->editor->Edit([](MouseSettings& s) { s.at(field::kSensitivityX) = 3; });
    app->editor->Edit([](MouseSettings& s) { s.at(field::kReportRate) = 8; });
    QTest::mouseClick(Find<CBitmapBtn>("cancel"), Qt::LeftButton);
    EXPECT_EQ(app->editor->settings(), app->editor->sent());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, PanelPagesEditTheRecordAndCancelShowsTheLastApplied) {
    Start();
    CDlgadvance* panel = window->settingsPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry().topLeft(), QPoint(735, 32));
    EXPECT_TRUE(panel->padPresent()); // the demo has a pad
    EXPECT_TRUE(panel->TitleBar(kSectionPadLighting)->isVisible());

    // The DPI section by its title bar; stage 1's slider dragged to its top.
    QTest::mouseClick(panel->TitleBar(kSectionDpi), Qt::LeftButton);
    CDMarkerV* marker = panel->dpiPage()->marker(0);
    ASSERT_TRUE(marker->isVisible());
    QTest::mouseClick(marker, Qt::LeftButton, Qt::NoModifier, QPoint(3, 0));
    EXPECT_EQ(app->editor->settings().at(field::kDpiStageA), 180);
    EXPECT_EQ(app->editor->sent().at(field::kDpiStageA), 12);

    // Cancel brings the last applied record back, and the page shows it.
    QTest::mouseClick(Find<CBitmapBtn>("cancel"), Qt::LeftButton);
    EXPECT_EQ(marker->Pos(), 12);
}

// What is typed and not yet confirmed (a DPI, a profile name) goes out with
// Apply, even when Apply comes without a click; Cancel drops it.
TEST_F(MainWindowTest, ApplyTakesTypedValuesAndCancelDropsThem) {
    Start();
    CDlgadvance* panel = window->settingsPanel();
    panel->ToggleSection(kSectionDpi);
    CDlgDPISetting* page = panel->dpiPage();
    const auto type = [&](int stage, const char* text) {
        QTest::mouseClick(page, Qt::LeftButton, {}, CDlgPage::ToQt(skin::DpiValueBox(stage)).center());
        ASSERT_EQ(page->openStage(), stage);
        QTest::keyClicks(page->edit(stage), text);
    };
    type(2, "3200");
    window->OpenProfileDialog();
    CConfigDialog* profiles = window->profileDialog();
    ASSERT_NE(profiles, nullptr);
    profiles->RenameProfile();
    auto* nameEditor = profiles->findChild<CLBEditorWnd*>("profileNameEditor");
    ASSERT_NE(nameEditor, nullptr);
    nameEditor->setText("Typed name");
    RunAndWait([&] { window->ApplySettings(); });
    EXPECT_EQ(app->editor->sent().at(field::kDpiStageA + 2), 64);
    EXPECT_EQ(profiles->list()->item(0)->text(), "Typed name");

    type(3, "4000");
    QTest::mouseClick(Find<CBitmapBtn>("cancel"), Qt::LeftButton);
    EXPECT_EQ(app->editor->settings().at(field::kDpiStageA + 3), 72);
}

// A sleeper that holds the sequence at its first pause until released.
class GateSleeper final : public Sleeper {
public:
    void SleepMs(int) override {
        std::unique_lock lock(mutex_);
        reached_ = true;
        open_.wait(lock, [this] { return released_; });
    }
    bool Reached() {
        std::lock_guard lock(mutex_);
        return reached_;
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        open_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable open_;
    bool reached_ = false;
    bool released_ = false;
};

TEST_F(MainWindowTest, TheWindowTakesNoInputWhileASequenceRuns) {
    Start();
    auto gate = std::make_unique<GateSleeper>();
    GateSleeper* held = gate.get();
    app->runtime->ReplaceSleeper(std::move(gate));
    QSignalSpy done(window.get(), &CMouseConfigurationDlg::sequenceDone);
    QTest::mouseClick(Find<CBitmapBtn>("apply"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(held->Reached(), 5000);
    EXPECT_FALSE(Find<CBitmapBtn>("apply")->isEnabled());
    QWidget* shield = Find<QWidget>("busyShield");
    ASSERT_TRUE(shield->isVisible());
    // A click on Cancel lands on the shield: the window stays and nothing is restored.
    const QPoint cancel = Find<CBitmapBtn>("cancel")->geometry().center();
    QWidget* hit = window->childAt(cancel);
    ASSERT_TRUE(hit == shield || shield->isAncestorOf(hit));
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window.get(), cancel));
    EXPECT_TRUE(window->isVisible());
    // The keyboard waits on the shield too: Tab goes nowhere, Space presses nothing.
    EXPECT_EQ(window->focusWidget(), shield);
    QTest::keyClick(shield, Qt::Key_Tab);
    QTest::keyClick(shield, Qt::Key_Space);
    EXPECT_EQ(window->focusWidget(), shield);
    EXPECT_TRUE(window->isVisible());
    window->ShowFromTray(); // waits for the sequence
    held->Release();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_TRUE(Find<CBitmapBtn>("apply")->isEnabled());
    EXPECT_FALSE(shield->isVisible());
    EXPECT_EQ(app->editor->sent(), app->editor->settings());
}

// Tab in reading order; the window a named frame, a selector named by its
// button and its function, a section title with its state.
TEST_F(MainWindowTest, TabGoesInReadingOrderAndControlsAreNamed) {
    Start();
    window->SetButtonListCollapsed(false);
    QStringList order;
    QWidget* first = Find<CBitmapBtn>("buttonHeader");
    QWidget* w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisible() && w->isEnabled()) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first && order.size() < 200);
    const QStringList start{"buttonHeader", "selector1", "selector2", "selector3", "selector4", "selector5",
                            "selector6",    "selector7", "macroHeader", "axisHeader", "view1",    "view2",
                            "view3",        "profiles",  "panelTitle1", "panelTitle2"};
    EXPECT_EQ(order.mid(0, start.size()), start);
    EXPECT_EQ(order.mid(order.size() - 6), (QStringList{"apply", "cancel", "reset", "", "", "close"}));

    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), "QV530-10800rad");
    QAccessibleInterface* selector = QAccessible::queryAccessibleInterface(Find<CBitmapBtn>("selector3"));
    EXPECT_EQ(selector->text(QAccessible::Name), "Button 3: Scroll");
    EXPECT_TRUE(selector->state().hasPopup);
    QAccessibleInterface* header = QAccessible::queryAccessibleInterface(Find<CBitmapBtn>("axisHeader"));
    EXPECT_TRUE(header->state().collapsed);
    window->SetAxisPanelCollapsed(false);
    EXPECT_TRUE(header->state().expanded);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<CDMarker>("sliderX"))->text(QAccessible::Name), "x-Axis");
}

TEST_F(MainWindowTest, ResetKeepsProfileAndMacrosAndCancelChangesNothing) {
    Start();
    app->editor->Edit([](MouseSettings& s) { s.at(field::kProfileSlot) = 4; });
    app->editor->Edit([](MouseSettings& s) { s.at(field::kMacroSlot + 10) = 0x77; });
    app->editor->Edit([](MouseSettings& s) { s.at(field::kReportRate) = 8; });
    window->askReset = [] { return false; };
    QTest::mouseClick(Find<CBitmapBtn>("reset"), Qt::LeftButton);
    EXPECT_EQ(app->editor->settings().at(field::kReportRate), 8);

    window->askReset = [] { return true; };
    RunAndWait([&] { QTest::mouseClick(Find<CBitmapBtn>("reset"), Qt::LeftButton); });
    EXPECT_EQ(app->editor->settings().at(field::kReportRate), 2);
    EXPECT_EQ(app->editor->settings().at(field::kProfileSlot), 4);
    EXPECT_EQ(app->editor->settings().at(field::kMacroSlot + 10), 0x77);
    EXPECT_EQ(Find<CBitmapBtn>("selector1")->GetCaption(), "Click");
}

TEST_F(MainWindowTest, ShowFromTrayPutsAnOutOfRangeSensitivityAtOne) {
    Start();
    window->HideToTray();
    app->editor->Edit([](MouseSettings& s) { s.at(field::kSensitivityX) = 0; });
    ASSERT_TRUE(SaveEdited());
    window->ShowFromTray();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Find<CDMarker>("sliderX")->Pos(), 1);
}

TEST_F(MainWindowTest, StageChangeOnTheMouseShowsItsDpi) {
    Start("CHS");
    app->runtime->emulatedMouse()->InjectStageChange(2);
    QTRY_COMPARE_WITH_TIMEOUT(window->lastNoticeText(), QString::fromUtf8("DPI切换到第三段 (2400)"), 5000);
}

TEST_F(MainWindowTest, NodesThatMayNotBeOpenedAreExplained) {
    Start();
    window->devices().session().discovery().onAccessDenied("Permission denied opening /dev/hidraw3 (04D9:A11D).");
    QMessageBox* box = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "permissionNotice") box = qobject_cast<QMessageBox*>(top);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains("/dev/hidraw3"));
    box->close();
}

TEST_F(MainWindowTest, WhileTheSplashShowsTheWindowIsBuiltAndNothingIsShownOrAsked) {
    options.demo = true;
    app = std::make_unique<AppState>(options);
    app->runtime->ReplaceSleeper(std::make_unique<NoSleeper>());
    auto* backend = static_cast<EmulatedBackend*>(&app->runtime->backend());
    backend->UnplugMouse(MouseVariant::A11D);
    backend->Plug(std::make_shared<EmulatedMouse>(MouseVariant::A11D, 0x0301));
    window = std::make_unique<CMouseConfigurationDlg>(*app);
    window->askUpdateFirmware = [this] {
        ++firmwareQuestions;
        return false;
    };
    window->Prepare();
    ASSERT_NE(Find<CBitmapBtn>("apply"), nullptr);
    EXPECT_EQ(Find<CBitmapBtn>("apply")->GetCaption(), "Apply");
    EXPECT_EQ(window->size(), QSize(1010, 660));
    EXPECT_FALSE(window->trayIconShown());
    window->ShowFromTray(); // qv530ctl show while the splash shows
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(firmwareQuestions, 0);

    // At the splash's end: the firmware question, once.
    window->Present();
    EXPECT_EQ(firmwareQuestions, 1);
}

TEST_F(MainWindowTest, OldFirmwareAsksAndQuits) {
    options.demo = true;
    app = std::make_unique<AppState>(options);
    app->runtime->ReplaceSleeper(std::make_unique<NoSleeper>());
    auto* backend = static_cast<EmulatedBackend*>(&app->runtime->backend());
    backend->UnplugMouse(MouseVariant::A11D);
    backend->Plug(std::make_shared<EmulatedMouse>(MouseVariant::A11D, 0x0301));
    window = std::make_unique<CMouseConfigurationDlg>(*app);
    window->askUpdateFirmware = [this] {
        ++firmwareQuestions;
        return false;
    };
    window->Initialise();
    EXPECT_EQ(firmwareQuestions, 1);
    EXPECT_FALSE(window->isVisible());

    firmwareQuestions = 0;
    window.reset();
    app = std::make_unique<AppState>(options); // firmware 0x0302
    window = std::make_unique<CMouseConfigurationDlg>(*app);
    window->askUpdateFirmware = [this] {
        ++firmwareQuestions;
        return false;
    };
    window->Initialise();
    EXPECT_EQ(firmwareQuestions, 0);
}

// Every caption of the window fits its control in every language: drawn
// smaller when needed, never cut short and never touching the border.
TEST_F(MainWindowTest, EveryCaptionFitsInEveryLanguage) {
    for (const char* language : {"EN", "DE", "CHS", "CHT"}) {
        SCOPED_TRACE(language);
        window.reset();
        app.reset();
        Start(language);
        int captions = 0;
        for (CBitmapBtn* button : window->findChildren<CBitmapBtn*>()) {
            if (button->GetCaption().isEmpty()) continue;
            ++captions;
            EXPECT_TRUE(button->CaptionFits()) << button->objectName().toStdString() << ": "
                                               << button->GetCaption().toStdString();
        }
        EXPECT_GE(captions, 10);
    }
}

TEST_F(MainWindowTest, AMinimisedWindowComesBackWithItsEdits) {
    Start();
    window->editor().SetSensitivity(Axis::X, 8); // not applied
    window->showMinimized();
    window->ShowFromTray();
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(window->editor().settings().at(field::kSensitivityX), 8);
}

TEST_F(MainWindowTest, UpdateWithoutAnUpdaterSaysSoAndKeepsRunning) {
    Start();
    QString told;
    window->tellUser = [&](const QString& text, const QString&) { told = text; };
    EXPECT_FALSE(window->StartFirmwareUpdate());
    EXPECT_EQ(told, "No firmware updater is installed.");
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace qv530
