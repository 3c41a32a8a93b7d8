#pragma once
// The main window's arithmetic and texts, kept free of Qt so that they are
// tested without a window: the left column's collapse geometry, the balloon
// notices and the window's keyboard filter.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "controls/SkinGeometry.h"
#include "lang/UiStrings.h"
#include "settings/MouseSettings.h"

namespace qv530 {

// Where the left column's parts stand for a pair of collapse states.
struct LeftColumnLayout {
    skin::Rect buttonHeader;
    skin::Rect macroHeader;
    skin::Rect axisHeader;
    bool selectorsVisible = false;
    std::array<skin::Rect, field::kSentButtons> selectors{};
    std::array<skin::Point, field::kSentButtons> buttonLabels{}; // "Button 1".. beside the selectors
    skin::Rect buttonListBackground{};
    bool slidersVisible = false;
    skin::Rect xSlider{};
    skin::Rect ySlider{};
    skin::Rect axisBackground{};
};
LeftColumnLayout LayoutLeftColumn(bool buttonListCollapsed, bool axisPanelCollapsed);

// Slider range of the X/Y sensitivity.
inline constexpr int kAxisMin = 1;
inline constexpr int kAxisMax = 11;
inline constexpr int kSliderIdX = 2025;
inline constexpr int kSliderIdY = 2026;
// A stored level outside the slider's range shows the minimum.
int SliderPosition(int stored);

struct Notice {
    std::string text;
    std::string title;
    int milliseconds = 0;
};

// The balloon of a device notice; nothing for kinds that show none. For a
// stage outside 0..7 the text is empty and the balloon repeats its last text.
std::optional<Notice> NoticeFor(int kind, int argument, const UiStrings& texts, const MouseSettings& sent);

// The firmware updaters of the connected mice that are installed beside the
// program: "Update/FWUpdate" for the A11D, "Update/3360/FWUpdate" for the A1DC.
template <typename Exists>
std::vector<std::string> FirmwareUpdaters(const std::string& programFolder, bool a11d, bool a1dc, Exists exists) {
    std::vector<std::string> found;
    if (a11d && exists(programFolder + "Update/FWUpdate")) found.push_back(programFolder + "Update/FWUpdate");
    if (a1dc && exists(programFolder + "Update/3360/FWUpdate")) found.push_back(programFolder + "Update/3360/FWUpdate");
    return found;
}

// Keys the main window swallows so that none of them closes it.
bool IsSwallowedKey(int qtKey);

} // namespace qv530
