#include "cli/RecordDump.h"

#include <cstdio>

#include "buttons/ButtonFunction.h"
#include "settings/TextEncoding.h"

namespace qv530::cli {
namespace {

std::string Hex(const std::uint8_t* bytes, std::size_t count) { return HexBytes({bytes, count}); }

std::string ColourText(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red, colour.green, colour.blue);
    return text;
}

class Lines {
public:
    void Add(const std::string& name, const std::string& value) { lines.push_back(name + ": " + value); }
    void Add(const std::string& name, std::size_t index, const std::string& value) {
        Add(name + "[" + std::to_string(index) + "]", value);
    }
    std::vector<std::string> lines;
};

std::string Number(int value) { return std::to_string(value); }

// The catalogue name of a function code; codes the buttons never carry are "unused".
const char* FunctionCodeName(std::uint8_t code) {
    using namespace function;
    switch (code) {
    case kLeftClick: return "LeftClick";
    case kRightClick: return "RightClick";
    case kMiddleClick: return "MiddleClick";
    case kForward: return "Forward";
    case kBack: return "Back";
    case kDoubleClick: return "DoubleClick";
    case kDpiAction: return "DpiAction";
    case kMultimediaKey: return "MultimediaKey";
    case kOfficeShortcut: return "OfficeShortcut";
    case kWindowsShortcut: return "WindowsShortcut";
    case kKeyboardKey: return "KeyboardKey";
    case kMacroKey: return "MacroKey";
    case kDisabled: return "Disabled";
    case kTiltLeft: return "TiltLeft";
    case kTiltRight: return "TiltRight";
    case kFnKey: return "FnKey";
    case kSnipeKey: return "SnipeKey";
    default: return "unused";
    }
}

} // namespace

std::vector<std::string> DumpRecord(const MouseSettings& settingsIn) {
    using namespace field;
    MouseSettings s = settingsIn;
    Lines out;
    const auto byteAt = [&](std::size_t offset) { return Number(s.at(offset)); };
    const auto bytesAt = [&](std::size_t offset, std::size_t count) { return Hex(&s.at(offset), count); };

    out.Add("ProfileSlot", byteAt(kProfileSlot));
    out.Add("Reserved1", bytesAt(kReserved1, kReserved1Size));
    const int rate = s.at(kReportRate);
    out.Add("ReportRate", Number(rate) + (rate ? " (" + Number(1000 / rate) + " Hz)" : ""));
    out.Add("Reserved6", byteAt(kReserved6));
    for (std::size_t i = 0; i < kStageCount; ++i)
        out.Add("DpiStageA", i, "code " + Number(s.DpiStageA(i)) + " = " + Number(DpiFromCode(s.DpiStageA(i))) + " dpi");
    for (std::size_t i = 0; i < kStageCount; ++i)
        out.Add("DpiStageB", i, "code " + Number(s.DpiStageB(i)) + " = " + Number(DpiFromCodeB(s.DpiStageB(i))) + " dpi");
    for (std::size_t i = 0; i < kStageCount; ++i) out.Add("DpiStageOn", i, Number(s.DpiStageOn(i)));
    for (std::size_t i = 0; i < kStageCount; ++i) out.Add("DpiStageOnB", i, byteAt(kDpiStageOnB + i));
    for (std::size_t i = 0; i < kColourCount; ++i)
        out.Add("DpiStageColor", i, ColourText(s.Colour(MouseSettings::StageColourOffset(i))));
    out.Add("MouseLightMode", byteAt(kMouseLightMode));
    for (std::size_t i = 0; i < kLightLevelCount; ++i) out.Add("MouseLightLevel", i, byteAt(kMouseLightLevel + i));
    for (std::size_t i = 0; i < kColourCount; ++i)
        out.Add("MouseLightPalette", i, ColourText(s.Colour(MouseSettings::MouseColourOffset(i))));
    out.Add("MouseLightColor", byteAt(kMouseLightColor));
    out.Add("PadLightMode", byteAt(kPadLightMode));
    for (std::size_t i = 0; i < kLightLevelCount; ++i) out.Add("PadLightLevel", i, byteAt(kPadLightLevel + i));
    for (std::size_t i = 0; i < kColourCount; ++i)
        out.Add("PadLightPalette", i, ColourText(s.Colour(MouseSettings::PadColourOffset(i))));
    out.Add("PadLightColor", byteAt(kPadLightColor));
    out.Add("PointerPrecision", byteAt(kPointerPrecision) + (s.at(kPointerPrecision) == 1 ? " (on)" : " (off)"));
    out.Add("WheelPageScroll", byteAt(kWheelPageScroll));
    out.Add("PointerSpeed", byteAt(kPointerSpeed));
    out.Add("WheelLines", byteAt(kWheelLines));
    out.Add("DoubleClickLevel", byteAt(kDoubleClickLevel));
    out.Add("AngleSnapParam", byteAt(kAngleSnapParam));
    out.Add("AngleSnapOn", byteAt(kAngleSnapOn));
    out.Add("Reserved168", byteAt(kReserved168));
    out.Add("SensitivityX", byteAt(kSensitivityX));
    out.Add("SensitivityY", byteAt(kSensitivityY));
    for (std::size_t i = 0; i < kButtonSlots; ++i) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02x", s.ButtonFunction(i));
        out.Add("ButtonFunction", i, std::string(code) + " " + FunctionCodeName(s.ButtonFunction(i)));
    }
    for (std::size_t i = 0; i < kButtonSlots; ++i) out.Add("ButtonParam", i, byteAt(kButtonParam + i));
    for (std::size_t i = 0; i < kButtonSlots; ++i) out.Add("ButtonParam2", i, byteAt(kButtonParam2 + i));
    for (std::size_t k = 0; k < kButtonExtraTables; ++k) out.Add("ButtonExtra", k, Hex(&s.ButtonExtra(k, 0), kButtonSlots));
    for (std::size_t k = 0; k < kMacroSlotCount; ++k) out.Add("MacroSlot", k, Hex(s.MacroSlot(k), kMacroSlotSize));
    return out.lines;
}

} // namespace qv530::cli
