#pragma once
// Geometry of the skin pictures, shared by tools/skingen (which draws them)
// and by the windows (which place controls over them). Plain constexpr data,
// no Qt. Positions are in the coordinates of the picture or window named.
#include <array>

namespace qv530::skin {

struct Size {
    int width;
    int height;
};

struct Point {
    int x;
    int y;
};

struct Rect {
    int x;
    int y;
    int width;
    int height;
    constexpr int right() const { return x + width; }
    constexpr int bottom() const { return y + height; }
    constexpr bool contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

struct Rgb {
    unsigned char r;
    unsigned char g;
    unsigned char b;
};

// Theme colours.
inline constexpr Rgb kThemeDark{111, 41, 41};
inline constexpr Rgb kThemeBright{143, 32, 32};
inline constexpr Rgb kThemeHighlight{255, 237, 0};
inline constexpr Rgb kThemeText{255, 255, 255};

// ---------------------------------------------------------------- splash
inline constexpr Size kSplash{537, 423};

// ---------------------------------------------------------------- main window
// "/skins/main.png" is the window: its size is the window size.
inline constexpr Size kMainWindow{1010, 660};
inline constexpr Rect kMainLogo{14, 6, 200, 24};           // "Skins\Logo.png"
inline constexpr Rect kMainLeftColumn{10, 40, 234, 560};    // "/Skins/BK_MainLeft.png"
inline constexpr Rect kMainPictureArea{250, 40, 475, 505};  // "Skins\BK_MainMid.png"
inline constexpr Rect kMainLowerLogo{20, 560, 130, 30};     // "Skins\MLogo.png"
// The settings panel child window and its visible area.
inline constexpr Rect kSettingsPanel{735, 32, 260, 561};
inline constexpr Size kSettingsPanelVisible{230, 563};
// The product note at the bottom of the window.
inline constexpr Rect kMainNote{14, 632, 980, 20};

// Window buttons (15 x 15 each).
inline constexpr Size kSmallButton{15, 15};
inline constexpr Rect kHelpButton{944, 10, 15, 15};
inline constexpr Rect kMinimiseButton{964, 10, 15, 15};
inline constexpr Rect kCloseButton{984, 10, 15, 15};

// Apply, Cancel, Reset (57 x 30) under the settings panel.
inline constexpr Size kCommandButton{57, 30};
inline constexpr Rect kApplyButton{800, 598, 57, 30};
inline constexpr Rect kCancelButton{866, 598, 57, 30};
inline constexpr Rect kResetButton{932, 598, 57, 30};

// Profiles (140 x 30) and the three view buttons (62 x 29) under the picture.
inline constexpr Size kProfilesButtonSize{140, 30};
inline constexpr Rect kProfilesButton{575, 553, 140, 30};
// The profiles mark drawn at the right of the Config button's picture.
inline constexpr int kProfilesMarkWidth = 24;
inline constexpr Size kViewButtonSize{62, 29};
inline constexpr std::array<Rect, 3> kViewButtons{{
    {262, 554, 62, 29}, {330, 554, 62, 29}, {398, 554, 62, 29}}};

// Left column: section headers ("\skins\ItemBK.png", "\skins\MacroManagementBK.png")
// at their collapsed positions; the headers below the button list move down
// by kButtonListPanel.height when it is expanded.
inline constexpr Size kSectionHeader{220, 20};
inline constexpr Rect kButtonAssignmentHeader{15, 52, 220, 20};
inline constexpr Rect kMacroManagerHeader{15, 77, 220, 20};
inline constexpr Rect kAxisHeader{15, 102, 220, 20};
// Expanded button list ("/Skins/ButtonAssignment/BK_ButtonAssignment.png"),
// drawn under the Button Assignment header; seven rows 20 pixels apart.
inline constexpr Rect kButtonListPanel{15, 74, 220, 150};
inline constexpr int kButtonListFirstRowY = 8;  // inside the panel
inline constexpr int kButtonListRowPitch = 20;
inline constexpr int kButtonListLabelX = 8;
inline constexpr Size kDropdownBox{138, 18};    // "\skins\ButtonAssignment\DropdownBox-*.png"
inline constexpr int kDropdownBoxX = 76;        // inside the panel
// Expanded axis panel ("/Skins/XYSensitivity/BK_XYSensSetting.png"), drawn
// under the Axis Sensitivity header. Sliders: top 40 below the header's
// bottom, 60 between them, 17 right of the header's left edge.
// Wide enough for the sliders (17 + 208) with a margin on the right.
inline constexpr Size kAxisPanel{229, 150};
inline constexpr Size kAxisSliderWindow{208, 9};
inline constexpr Size kAxisSliderPicture{208, 14};  // "\skins\XYSensitivity\1.png" and "2.png"
inline constexpr Rect kAxisSliderCut{0, 0, 208, 9};  // the part the slider window shows
inline constexpr int kAxisSliderLeft = 17;
inline constexpr int kAxisSliderXTop = 40;
inline constexpr int kAxisSliderYGap = 60;
inline constexpr int kAxisScaleStep = 21;

// ---------------------------------------------------------------- mouse pictures
// The three view pictures are drawn at the picture-area origin and are its size.
inline constexpr Point kMousePictureOrigin{kMainPictureArea.x, kMainPictureArea.y};
inline constexpr Size kMousePicture{kMainPictureArea.width, kMainPictureArea.height};
// Button overlays: square badges of this size at fixed window positions;
// index = image number n - 1; {-1, -1} = the view has no such image.
inline constexpr int kOverlaySize = 26;
inline constexpr Point kNoOverlay{-1, -1};
inline constexpr std::array<Point, 7> kFrontOverlays{{
    {350, 102}, {550, 102}, {498, 190}, {350, 247}, {350, 315}, {498, 250}, {498, 285}}};
inline constexpr std::array<Point, 7> kSideOverlays{{
    {400, 155}, {335, 155}, {415, 250}, {490, 270}, {545, 265}, {460, 158}, {487, 158}}};
inline constexpr std::array<Point, 7> kBackOverlays{{
    kNoOverlay, kNoOverlay, kNoOverlay, {577, 209}, {582, 248}, kNoOverlay, kNoOverlay}};
// Image number n of the UI buttons 1..7.
inline constexpr std::array<int, 7> kOverlayImageOfButton{1, 2, 3, 5, 4, 6, 7};

// ---------------------------------------------------------------- settings panel
// "/skins/BK_MainRight.png" covers the panel's content (242 wide, at least 563 high).
inline constexpr Size kPanelBackground{242, 563};
inline constexpr int kPanelTitleLeft = 5;
inline constexpr int kPanelTitleTop = 5;
inline constexpr Size kPanelTitle{220, 20};  // "\skins\ItemBK.png"
inline constexpr int kPageWidth = 220;

// DPI page: "Skins\DPISetting\BK_DPISetting.png".
inline constexpr Size kDpiPage{kPageWidth, 262};
inline constexpr int kDpiStageCount = 7;
inline constexpr int kDpiStageLeft = 5;     // left edge of stage 1's column
inline constexpr int kDpiStagePitch = 30;   // column distance
inline constexpr int kDpiColumnWidth = 30;
inline constexpr Size kDpiValueBox{30, 15};  // "Skins\DPISetting\BK-DPIValue.png"
inline constexpr int kDpiValueBoxTop = 4;
inline constexpr Size kDpiSliderCut{7, 169};  // DPIStage\0.png and 82.png
inline constexpr int kDpiSliderTop = 24;
inline constexpr Size kRadioIcon{14, 14};     // "Skins\Enable.png", "Skins\Disable.png"
inline constexpr int kDpiIconTop = 200;
inline constexpr Size kDpiSwatch{18, 12};
inline constexpr int kDpiSwatchTop = 220;
inline constexpr int kDpiStageLabelTop = 240;  // "1".."7" drawn on the background
// Column i (0..6) of the DPI page.
constexpr int DpiColumnLeft(int stage) { return kDpiStageLeft + stage * kDpiStagePitch; }
constexpr Rect DpiValueBox(int stage) {
    return {DpiColumnLeft(stage), kDpiValueBoxTop, kDpiValueBox.width, kDpiValueBox.height};
}
constexpr Rect DpiSlider(int stage) {
    return {DpiColumnLeft(stage) + (kDpiColumnWidth - kDpiSliderCut.width) / 2, kDpiSliderTop,
            kDpiSliderCut.width, kDpiSliderCut.height};
}
constexpr Rect DpiIcon(int stage) {
    return {DpiColumnLeft(stage) + (kDpiColumnWidth - kRadioIcon.width) / 2, kDpiIconTop,
            kRadioIcon.width, kRadioIcon.height};
}
constexpr Rect DpiSwatch(int stage) {
    return {DpiColumnLeft(stage) + (kDpiColumnWidth - kDpiSwatch.width) / 2, kDpiSwatchTop,
            kDpiSwatch.width, kDpiSwatch.height};
}

// Lighting pages: "Skins\Lighting\BK_Lighting.png" (five modes) and
// "Skins\Lighting\BK_PADLighting.png" (four). One row per mode: radio icon and
// caption, then the slider (cut (1,0)-(128,11) of StageSlider\1.png and 10.png)
// with its scale labels under it.
inline constexpr Size kStageSliderPicture{130, 11};
inline constexpr Rect kStageSliderCut{1, 0, 127, 11};
inline constexpr int kLightingRowTop = 6;
inline constexpr int kLightingRowPitch = 44;
inline constexpr int kLightingIconX = 8;
inline constexpr int kLightingCaptionX = kLightingIconX + kRadioIcon.width + 5;
inline constexpr int kLightingSliderX = 30;
inline constexpr int kLightingSliderDy = 19;  // slider top below the row top
inline constexpr int kLightingScaleDy = 32;   // scale labels below the row top
inline constexpr Size kLightingSwatch{22, 16};
inline constexpr int kLightingSwatchPitch = 30;
inline constexpr int kLightingSwatchX = 14;
inline constexpr int kLightingColourCaptionDy = 4;  // "Mouse Color" below the rows
inline constexpr int kLightingSwatchDy = 22;         // swatches below the rows
constexpr int LightingRowTop(int row) { return kLightingRowTop + row * kLightingRowPitch; }
constexpr int LightingColourTop(int rows) { return LightingRowTop(rows) + kLightingColourCaptionDy; }
constexpr Rect LightingSlider(int row) {
    return {kLightingSliderX, LightingRowTop(row) + kLightingSliderDy, kStageSliderCut.width,
            kStageSliderCut.height};
}
// Swatch j = 0..4, and j = 5 the colour-cycle picture (resource 148).
constexpr Rect LightingSwatch(int rows, int j) {
    return {kLightingSwatchX + j * kLightingSwatchPitch, LightingRowTop(rows) + kLightingSwatchDy,
            kLightingSwatch.width, kLightingSwatch.height};
}
inline constexpr Size kLightingPage{kPageWidth, LightingRowTop(5) + 48};
inline constexpr Size kPadLightingPage{kPageWidth, LightingRowTop(4) + 48};

// Report-rate page: "Skins\USBReportRate\BK_USBReportRate.png"; the dial
// pictures "/USBReportRate/%dHZ.png" are drawn at (57, 5) and fill the dial
// rectangle (57, 5)-(185, 128); the clickable ring is 35..64 pixels from
// (121, 66).
inline constexpr Size kReportRatePage{kPageWidth, 134};
inline constexpr Point kRateDialOrigin{57, 5};
inline constexpr Size kRateDial{128, 123};
inline constexpr Point kRateDialCentre{121, 66};  // page coordinates
inline constexpr int kRateRingInner = 35;
inline constexpr int kRateRingOuter = 64;
inline constexpr std::array<int, 4> kReportRatesHz{1000, 500, 250, 125};

// Angle-snapping page: "Skins\AngleSnap\BK_AngleSnap.png".
inline constexpr Size kAngleSnapPage{kPageWidth, 40};
inline constexpr Rect kAngleOffIcon{30, 13, 14, 14};
inline constexpr Rect kAngleOnIcon{120, 13, 14, 14};

// Pointer speed and double-click pages: "Skins\MouseAttribute\BK_MouseAttribute.png";
// dial pictures "/MouseAttribute/Speed/%d.png" (levels 1..11) drawn at (50, 20),
// 142 wide, centre (121, 91) on the page, clickable ring 43..71 pixels.
inline constexpr Size kMouseAttributePage{kPageWidth, 118};
inline constexpr Point kSpeedDialOrigin{50, 20};
inline constexpr Size kSpeedDial{142, 80};
inline constexpr Point kSpeedDialCentre{121, 91};  // page coordinates
inline constexpr int kSpeedRingInner = 43;
inline constexpr int kSpeedRingOuter = 71;
inline constexpr int kSpeedLevels = 11;
// The direction (degrees from the right-hand horizontal, counter-clockwise)
// at which dial picture "level" points. Each lies inside the band of angles
// that a click maps to that level.
constexpr double SpeedDialPointerDegrees(int level) {
    if (level >= 11) return 9.0;
    if (level <= 1) return 177.5;
    if (level == 2) return 168.5;
    return 18.0 * (11 - level) + 9.0;
}

// Wheel page: "Skins\MouseAttribute\BK_ScrollSpeed.png".
inline constexpr Size kScrollSpeedPage{kPageWidth, 70};
inline constexpr Rect kWheelLinesIcon{10, 12, 14, 14};   // ScrollSpeed\Enable.png / Disable.png
inline constexpr Rect kWheelScreenIcon{10, 44, 14, 14};
inline constexpr Rect kWheelLinesEdit{150, 9, 36, 20};
inline constexpr Rect kWheelArrows{190, 8, 12, 22};     // ScrollSpeed\ScrollLines.png
inline constexpr int kWheelArrowSplit = 11;             // up arrow above, down arrow below

// ---------------------------------------------------------------- profile dialog
inline constexpr Size kConfigDialog{300, 340};           // "/Config/Config.png"
inline constexpr Rect kConfigList{20, 44, 260, 220};
inline constexpr Size kConfigButton{80, 26};             // New-Config.png, Del-Config.png
inline constexpr Rect kConfigNewButton{40, 288, 80, 26};
inline constexpr Rect kConfigDeleteButton{180, 288, 80, 26};
inline constexpr Rect kConfigCloseButton{277, 9, 15, 15};

// ---------------------------------------------------------------- game dialog
inline constexpr Size kGameDialog{320, 330};             // "/Games/Games.png"
inline constexpr Rect kGameTitle{16, 8, 272, 22};
inline constexpr Rect kGameClose{297, 9, 15, 15};        // button-close-*.png
inline constexpr Rect kGameList{20, 44, 280, 124};
inline constexpr Rect kGameNameEdit{20, 184, 170, 24};
inline constexpr Size kGameButton{100, 26};               // Games/button-*.png
inline constexpr Rect kGameAdd{200, 183, 100, 26};
inline constexpr Rect kGameRemove{200, 219, 100, 26};
inline constexpr Size kGameWideButton{170, 26};          // Games/wide-*.png
inline constexpr Rect kGameRunning{20, 219, 170, 26};
inline constexpr Rect kGameStatus{20, 256, 280, 62};

// ---------------------------------------------------------------- key capture dialog
inline constexpr Size kSingleKeyDialog{320, 170};        // "skins/single-key.png"
inline constexpr Rect kSingleKeyPrompt{20, 34, 280, 20};
inline constexpr Rect kSingleKeyName{60, 66, 200, 26};
inline constexpr Rect kSingleKeyClose{297, 8, 15, 15};
inline constexpr Rect kSingleKeyOk{68, 118, 84, 26};      // on MacroManagement/button-cancel-*.png
inline constexpr Rect kSingleKeyCancel{168, 118, 84, 26};

// ---------------------------------------------------------------- macro manager
inline constexpr Size kMacroManager{640, 440};           // "/MacroManagement/MacroManagement.png"
inline constexpr Rect kMacroTitle{16, 6, 400, 22};
inline constexpr Rect kMacroClose{615, 9, 15, 15};        // macro-button-close-*.png
inline constexpr Rect kMacroListLabel{20, 40, 180, 18};
inline constexpr Rect kMacroList{20, 62, 180, 300};
inline constexpr Rect kMacroNew{20, 372, 84, 26};         // button-new-*.png
inline constexpr Rect kMacroDelete{116, 372, 84, 26};
inline constexpr Rect kMacroItemLabel{220, 40, 200, 18};
inline constexpr Rect kMacroItemList{220, 62, 200, 336};
inline constexpr Rect kMacroOptionsLabel{440, 40, 180, 18};
inline constexpr Rect kMacroRecord{440, 62, 180, 28};     // Record-*.png, a red dot at the left
inline constexpr int kMacroRecordCaptionLeft = 18;         // right of the dot
inline constexpr Rect kMacroDelayTick{440, 104, 13, 13};  // Pane.png / PaneMakingTick.png
inline constexpr Rect kMacroLoopTick{440, 178, 13, 13};
inline constexpr Rect kMacroLoopEdit{459, 200, 80, 20};  // below its switch: long captions fit
inline constexpr Rect kMacroOk{440, 404, 84, 26};         // button-cancel-*.png
inline constexpr Rect kMacroCancel{536, 404, 84, 26};
inline constexpr Size kMacroButton{84, 26};
inline constexpr Size kMacroRecordButton{180, 28};
inline constexpr Size kTickBox{13, 13};

// ---------------------------------------------------------------- macro assignment
inline constexpr Size kMacroKeyDialog{380, 260};          // "/macro-key.png"
inline constexpr Rect kMacroKeyClose{357, 8, 15, 15};
inline constexpr Rect kMacroKeyHint{20, 36, 340, 18};
inline constexpr Rect kMacroKeySelector{20, 58, 340, 22};
inline constexpr std::array<Rect, 3> kMacroKeyOptions{{
    {20, 100, 13, 13}, {20, 130, 13, 13}, {20, 160, 13, 13}}};
inline constexpr Rect kMacroKeyOk{100, 212, 84, 26};
inline constexpr Rect kMacroKeyCancel{196, 212, 84, 26};

// ---------------------------------------------------------------- resources
// Pictures the program takes by number, kept under "Resources/" of the skin folder.
inline constexpr int kIconResource = 128;        // window and tray icon
inline constexpr int kScrollBarResource = 129;   // 9 x 3 cell scroll-bar skin
inline constexpr int kColourCycleResource = 148; // colour-cycle swatch
inline constexpr Size kIcon{256, 256};
inline constexpr int kScrollCell = 12;           // cell width and height of resource 129
inline constexpr Size kScrollBarSkin{9 * kScrollCell, 3 * kScrollCell};
inline constexpr Size kColourCycle{kLightingSwatch.width, kLightingSwatch.height};

// The relative name of resource picture n ("Resources/129.png").
inline constexpr const char* kResourceFolder = "Resources";

}  // namespace qv530::skin
