// The window says when the profile could not be loaded or saved, and never
// shows or sends a record of zeros.
#include "app/CMouseConfigurationDlg.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <sstream>

#include "controls/CBitmapBtn.h"
#include "controls/SkinLoader.h"
#include "platform/FileIo.h"
#include "profiles/DataFolderSetup.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include "platform/FaultPoint.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace qv530 {
namespace {

class ProfileNoticeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530");
        SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
        WriteProfileString(Data("str.ini"), "Skins", "Lan", "EN");
    }
    void Start() {
        options.demo = true;
        app = std::make_unique<AppState>(options);
        app->runtime->ReplaceSleeper(std::make_unique<NoSleeper>());
        window = std::make_unique<CMouseConfigurationDlg>(*app);
        window->askUpdateFirmware = [] { return false; };
        window->Initialise();
    }
    void TearDown() override {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "profileNotice") widget->close();
        window.reset();
        app.reset();
    }
    std::string Data(const std::string& name) { return home.path() + "/.config/QV530-10800rad/" + name; }
    QMessageBox* Notice() {
        QCoreApplication::processEvents(); // the notice follows the window
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "profileNotice" && widget->isVisible()) return qobject_cast<QMessageBox*>(widget);
        return nullptr;
    }

    test::TempDir home;
    AppOptions options;
    std::unique_ptr<AppState> app;
    std::unique_ptr<CMouseConfigurationDlg> window;
};

TEST_F(ProfileNoticeTest, ADamagedProfileListShowsTheDefaultsWithANotice) {
    WriteProfileString(Data("str.ini"), "Profile", "ItemCount", "0");
    Start();
    QMessageBox* notice = Notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_NE(notice->text().indexOf("the factory settings are shown"), -1) << notice->text().toStdString();
    EXPECT_EQ(app->editor->settings().at(field::kReportRate), 2);
    EXPECT_FALSE(HoldsNoSettings(app->editor->sent()));
}

TEST_F(ProfileNoticeTest, AFailedSaveNamesTheFileAndTheReason) {
    Start();
    EXPECT_EQ(Notice(), nullptr); // a first start is no fault
    ArmFaultFailure(Data("config0.bin"), ENOSPC); // a full disk
    QSignalSpy done(window.get(), &CMouseConfigurationDlg::sequenceDone);
    QTest::mouseClick(window->findChild<CBitmapBtn*>("apply"), Qt::LeftButton);
    ASSERT_TRUE(done.wait(20000));
    ArmFaultFailure("", 0);
    const QString status = window->findChild<QLabel*>("statusLine")->text();
    EXPECT_EQ(status.toStdString(), "cannot write " + Data("config0.bin") + ": No space left on device");
}

} // namespace
} // namespace qv530
