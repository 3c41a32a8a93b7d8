#include "app/ShellLogic.h"

#include "device/ReaderThread.h"

namespace qv530 {
namespace {

constexpr int kStageNoticeSlot = 547;     // "Switch DPI into the first stage " .. eighth
constexpr int kMacroNoticeSlot = 559;
constexpr int kMouseFoundSlot = 562;
constexpr int kMouseGoneSlot = 561;
constexpr int kStageNoticeMs = 5000;
constexpr int kDeviceNoticeMs = 100;
constexpr int kStageLimit = 7;            // stages 0..7 have a text

skin::Rect Moved(skin::Rect r, int dy) { return {r.x, r.y + dy, r.width, r.height}; }

} // namespace

LeftColumnLayout LayoutLeftColumn(bool buttonListCollapsed, bool axisPanelCollapsed) {
    using namespace skin;
    LeftColumnLayout layout;
    const int shift = buttonListCollapsed ? 0 : kButtonListPanel.height;
    layout.buttonHeader = kButtonAssignmentHeader;
    layout.macroHeader = Moved(kMacroManagerHeader, shift);
    layout.axisHeader = Moved(kAxisHeader, shift);
    layout.selectorsVisible = !buttonListCollapsed;
    layout.buttonListBackground = kButtonListPanel;
    for (int i = 0; i < static_cast<int>(field::kSentButtons); ++i) {
        const int rowY = kButtonListPanel.y + kButtonListFirstRowY + i * kButtonListRowPitch;
        layout.selectors[static_cast<std::size_t>(i)] = {kButtonListPanel.x + kDropdownBoxX, rowY, kDropdownBox.width,
                                                         kDropdownBox.height};
        layout.buttonLabels[static_cast<std::size_t>(i)] = {kButtonListPanel.x + kButtonListLabelX, rowY};
    }
    layout.slidersVisible = !axisPanelCollapsed;
    const Rect header = layout.axisHeader;
    layout.xSlider = {header.x + kAxisSliderLeft, header.bottom() + kAxisSliderXTop, kAxisSliderWindow.width,
                      kAxisSliderWindow.height};
    layout.ySlider = Moved(layout.xSlider, kAxisSliderYGap);
    layout.axisBackground = {header.x, header.bottom(), kAxisPanel.width, kAxisPanel.height};
    return layout;
}

int SliderPosition(int stored) { return stored >= kAxisMin && stored <= kAxisMax ? stored : kAxisMin; }

std::optional<Notice> NoticeFor(int kind, int argument, const UiStrings& texts, const MouseSettings& sent) {
    switch (kind) {
    case notice::kA11DStage:
    case notice::kA1DCStage: {
        if (argument < 0 || argument > kStageLimit) return Notice{{}, "Info", kStageNoticeMs};
        // The eighth stage has no field of its own: like the other stages it
        // reads the record byte that follows the table.
        const auto stage = static_cast<std::size_t>(argument);
        const int dpi = kind == notice::kA11DStage ? DpiFromCode(sent.at(field::kDpiStageA + stage))
                                                   : DpiFromCodeB(sent.at(field::kDpiStageB + stage));
        return Notice{texts.UiString(kStageNoticeSlot + argument) + "(" + std::to_string(dpi) + ")", "Info",
                      kStageNoticeMs};
    }
    case notice::kMacroNotice:
        if (argument == 0) return std::nullopt;
        return Notice{texts.UiString(kMacroNoticeSlot) + std::to_string(argument), "Info", kStageNoticeMs};
    case notice::kMouseConnected: return Notice{texts.UiString(kMouseFoundSlot), "Info", kDeviceNoticeMs};
    case notice::kLastMouseGone: return Notice{texts.UiString(kMouseGoneSlot), "Warning", kDeviceNoticeMs};
    default: return std::nullopt;
    }
}

bool IsSwallowedKey(int qtKey) {
    // Qt::Key_Return, Key_Enter, Key_Escape, Key_Space, Key_F1.
    constexpr int kReturn = 0x01000004, kEnter = 0x01000005, kEscape = 0x01000000, kSpace = 0x20, kF1 = 0x01000030;
    return qtKey == kReturn || qtKey == kEnter || qtKey == kEscape || qtKey == kSpace || qtKey == kF1;
}

} // namespace qv530
