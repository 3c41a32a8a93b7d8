// Every picture the windows name exists in the build's skin folder, under
// every name form the windows use, with the sizes the layout depends on.
#include "SkinGeometry.h"
#include "SkinLoader.h"
#include "platform/DebugLog.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace qv530 {
namespace {

namespace sk = qv530::skin;

struct Expected {
    const char* name;
    int width;   // 0 = any size
    int height;
};

// The names exactly as the windows write them.
const Expected kPictures[] = {
    {"Skins\\splash.png", 537, 423},
    {"/skins/main.png", sk::kMainWindow.width, sk::kMainWindow.height},
    {"Skins\\Logo.png", 0, 0},
    {"Skins\\MLogo.png", 0, 0},
    {"Skins\\BK_MainMid.png", 0, 0},
    {"/Skins/BK_MainLeft.png", 0, 0},
    {"/skins/BK_MainRight.png", 0, 0},
    {"Skins\\BK_MainRight.png", 0, 0},
    {"Skins\\Mouse\\Front\\MouseFront.png", 0, 0},
    {"Skins\\Mouse\\Side\\MouseSide.png", 0, 0},
    {"Skins\\Mouse\\Back\\MouseBack.png", 0, 0},
    {"/Skins/ButtonAssignment/BK_ButtonAssignment.png", 0, 0},
    {"/Skins/XYSensitivity/BK_XYSensSetting.png", 0, 0},
    {"\\skins\\XYSensitivity\\1.png", 208, 14},
    {"\\skins\\XYSensitivity\\2.png", 208, 14},
    {"\\skins\\button-cancel-normal.png", 57, 30},
    {"\\skins\\button-cancel-over.png", 57, 30},
    {"\\skins\\button-cancel-leave.png", 57, 30},
    {"\\skins\\button-save-leave.png", 57, 30},
    {"\\skins\\button-close-normal.png", 15, 15},
    {"\\skins\\button-close-over.png", 15, 15},
    {"\\skins\\button-min-normal.png", 15, 15},
    {"\\skins\\button-min-over.png", 15, 15},
    {"\\skins\\button-help-normal.png", 15, 15},
    {"\\skins\\button-help-over.png", 15, 15},
    {"\\skins\\button-config-normal.png", 140, 30},
    {"\\skins\\button-config-over.png", 140, 30},
    {"\\skins\\button-config-leave.png", 140, 30},
    {"\\skins\\button-mouse-normal.png", 62, 29},
    {"\\skins\\button-mouse-over.png", 62, 29},
    {"\\skins\\button-mouse-leave.png", 62, 29},
    {"\\skins\\ItemBK.png", 0, 0},
    {"\\skins\\MacroManagementBK.png", 0, 0},
    {"\\skins\\ButtonAssignment\\DropdownBox-normal.png", 0, 0},
    {"\\skins\\ButtonAssignment\\DropdownBox-over.png", 0, 0},
    {"Skins\\DPISetting\\BK_DPISetting.png", 0, 0},
    {"Skins\\DPISetting\\BK-DPIValue.png", 0, 0},
    {"\\skins\\DPISetting\\DPIStage\\0.png", 7, 169},
    {"\\skins\\DPISetting\\DPIStage\\82.png", 7, 169},
    {"Skins\\Enable.png", 0, 0},
    {"Skins\\Disable.png", 0, 0},
    {"Skins/Enable.png", 0, 0},
    {"Skins/Disable.png", 0, 0},
    {"Skins\\Lighting\\BK_Lighting.png", 0, 0},
    {"Skins\\Lighting\\BK_PADLighting.png", 0, 0},
    {"\\skins\\StageSlider\\1.png", 0, 0},
    {"\\skins\\StageSlider\\10.png", 0, 0},
    {"Skins\\USBReportRate\\BK_USBReportRate.png", 0, 0},
    {"Skins/USBReportRate/1000HZ.png", sk::kRateDial.width, sk::kRateDial.height},
    {"Skins/USBReportRate/500HZ.png", sk::kRateDial.width, sk::kRateDial.height},
    {"Skins/USBReportRate/250HZ.png", sk::kRateDial.width, sk::kRateDial.height},
    {"Skins/USBReportRate/125HZ.png", sk::kRateDial.width, sk::kRateDial.height},
    {"Skins\\AngleSnap\\BK_AngleSnap.png", 0, 0},
    {"Skins\\MouseAttribute\\BK_MouseAttribute.png", 0, 0},
    {"Skins\\MouseAttribute\\BK_ScrollSpeed.png", 0, 0},
    {"Skins\\MouseAttribute\\ScrollSpeed\\Enable.png", 0, 0},
    {"Skins\\MouseAttribute\\ScrollSpeed\\Disable.png", 0, 0},
    {"Skins\\MouseAttribute\\ScrollSpeed\\ScrollLines.png", 0, 0},
    {"/Config/Config.png", 0, 0},
    {"/Config/New-Config.png", 0, 0},
    {"/Config/Del-Config.png", 0, 0},
    {"/Games/Games.png", 0, 0},
    {"/Games/button-normal.png", 0, 0},
    {"/Games/button-over.png", 0, 0},
    {"/Games/wide-normal.png", 0, 0},
    {"/Games/wide-over.png", 0, 0},
    {"/button-close-normal.png", 15, 15},
    {"/button-close-over.png", 15, 15},
    {"skins/single-key.png", 0, 0},
    {"/single-key.png", 0, 0},
    {"/MacroManagement/button-cancel-over.png", 0, 0},
    {"Skins\\MacroManagement\\button-cancel-normal.png", 0, 0},
    {"\\\\skins/MacroManagement/Record-normal.png", 0, 0},
    {"\\\\skins/MacroManagement/Record-over.png", 0, 0},
    {"/MacroManagement/button-new-normal.png", 0, 0},
    {"/MacroManagement/button-new-over.png", 0, 0},
    {"/macro-button-close-normal.png", 0, 0},
    {"/macro-button-close-over.png", 0, 0},
    {"/MacroManagement/Pane.png", 0, 0},
    {"/MacroManagement/PaneMakingTick.png", 0, 0},
    {"/MacroManagement/MacroManagement.png", 0, 0},
    {"/macro-key.png", 0, 0},
    {"/Pane.png", 0, 0},
    {"/PaneMakingTick.png", 0, 0},
};

class SkinSet : public ::testing::Test {
protected:
    void SetUp() override { SkinLoader::SetSkinFolder(QV530_BUILD_SKINS); }
};

TEST_F(SkinSet, EveryNamedPictureExistsWithItsSize) {
    DebugCapture capture;
    for (const Expected& e : kPictures) {
        const QImage image = SkinLoader::Load(e.name);
        ASSERT_FALSE(image.isNull()) << e.name;
        if (e.width > 0) {
            EXPECT_EQ(image.width(), e.width) << e.name;
            EXPECT_EQ(image.height(), e.height) << e.name;
        }
    }
    for (int level = 1; level <= sk::kSpeedLevels; ++level) {
        const std::string name = "Skins/MouseAttribute/Speed/" + std::to_string(level) + ".png";
        EXPECT_FALSE(SkinLoader::Load(name.c_str()).isNull()) << name;
    }
    EXPECT_TRUE(capture.Texts().empty()) << capture.Joined();

    // The page a picture sits on has room for the cuts the controls take.
    const QImage stage = SkinLoader::Load("\\skins\\StageSlider\\1.png");
    EXPECT_GE(stage.width(), 128);
    EXPECT_GE(stage.height(), 11);
    // Main window holds the settings panel at (735, 32), 260 x 561.
    EXPECT_GE(sk::kMainWindow.width, sk::kSettingsPanel.right());
    EXPECT_GE(sk::kMainWindow.height, sk::kSettingsPanel.bottom());
}

TEST_F(SkinSet, OverlaysAndResources) {
    const struct {
        const char* folder;
        char letter;
        const std::array<sk::Point, 7>* at;
    } views[] = {{"/Mouse/Front/", 'F', &sk::kFrontOverlays},
                 {"/Mouse/Side/", 'S', &sk::kSideOverlays},
                 {"/Mouse/Back/", 'B', &sk::kBackOverlays}};
    for (const auto& v : views) {
        for (int n = 1; n <= 7; ++n) {
            if ((*v.at)[static_cast<std::size_t>(n - 1)].x < 0) continue;
            for (const char* kind : {"normal", "over"}) {
                const std::string name =
                    std::string("Skins") + v.folder + v.letter + "-" + std::to_string(n) + "-" + kind + ".png";
                EXPECT_FALSE(SkinLoader::Load(name.c_str()).isNull()) << name;
            }
        }
    }
    const QImage scroll = SkinLoader::LoadResource(sk::kScrollBarResource);
    ASSERT_FALSE(scroll.isNull());
    EXPECT_EQ(scroll.width() % 9, 0);
    EXPECT_EQ(scroll.height() % 3, 0);
    EXPECT_FALSE(SkinLoader::LoadResource(sk::kColourCycleResource).isNull());
    EXPECT_FALSE(SkinLoader::LoadResource(sk::kIconResource).isNull());
}

// Each overlay sits on the drawn mouse: the view picture is opaque under its centre.
TEST_F(SkinSet, OverlaysMarkThePlacesOnTheMouse) {
    const struct {
        const char* picture;
        const std::array<sk::Point, 7>* at;
    } views[] = {{"Skins\\Mouse\\Front\\MouseFront.png", &sk::kFrontOverlays},
                 {"Skins\\Mouse\\Side\\MouseSide.png", &sk::kSideOverlays},
                 {"Skins\\Mouse\\Back\\MouseBack.png", &sk::kBackOverlays}};
    for (const auto& v : views) {
        const QImage picture = SkinLoader::Load(v.picture);
        ASSERT_FALSE(picture.isNull());
        for (const sk::Point& p : *v.at) {
            if (p.x < 0) continue;
            const int x = p.x - sk::kMousePictureOrigin.x + sk::kOverlaySize / 2;
            const int y = p.y - sk::kMousePictureOrigin.y + sk::kOverlaySize / 2;
            EXPECT_GT(qAlpha(picture.pixel(x, y)), 200) << v.picture << " at " << p.x << "," << p.y;
        }
    }
}

TEST_F(SkinSet, MissingPictureIsNotDrawnAndLeavesADebugLine) {
    DebugCapture capture;
    const QImage missing = SkinLoader::Load("Skins\\NoSuchPicture.png");
    EXPECT_TRUE(missing.isNull());
    EXPECT_TRUE(capture.Contains("Skin picture missing: Skins\\NoSuchPicture.png\n"));
    const QImage cut = CutPicture(missing, 0, 0, 10, 10);
    EXPECT_TRUE(cut.isNull());
}

}  // namespace
}  // namespace qv530
