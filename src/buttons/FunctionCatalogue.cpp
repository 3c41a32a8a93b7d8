#include "buttons/FunctionCatalogue.h"

#include <array>

#include "buttons/ButtonFunction.h"
#include "buttons/ParameterTables.h"

namespace qv530 {
namespace {

using P = FunctionParameter;

// clang-format off
constexpr std::array<FunctionInfo, 17> kFunctions{{
    {function::kLeftClick,       "LeftClick",       P::None,            2001, 1},
    {function::kRightClick,      "RightClick",      P::None,            2002, 1},
    {function::kMiddleClick,     "MiddleClick",     P::None,            2003, 1},
    {function::kForward,         "Forward",         P::None,            2004, 1},
    {function::kBack,            "Back",            P::None,            2005, 1},
    {function::kDoubleClick,     "DoubleClick",     P::None,            2006, 1},
    {function::kDpiAction,       "DpiAction",       P::DpiAction,       2020, 3},
    {function::kMultimediaKey,   "MultimediaKey",   P::MultimediaKey,   2050, 8},
    {function::kOfficeShortcut,  "OfficeShortcut",  P::OfficeShortcut,  2060, 10},
    {function::kWindowsShortcut, "WindowsShortcut", P::WindowsShortcut, 2030, 7},
    {function::kKeyboardKey,     "KeyboardKey",     P::KeyboardKey,     2011, 1},
    {function::kMacroKey,        "MacroKey",        P::Macro,           2012, 1},
    {function::kDisabled,        "Disabled",        P::None,            2013, 1},
    {function::kTiltLeft,        "TiltLeft",        P::None,            2007, 1},
    {function::kTiltRight,       "TiltRight",       P::None,            2008, 1},
    {function::kFnKey,           "FnKey",           P::None,            2009, 1},
    {function::kSnipeKey,        "SnipeKey",        P::None,            2010, 1},
}};
// clang-format on

std::optional<std::uint8_t> ParameterOfChoice(FunctionParameter parameter, std::size_t index) {
    switch (parameter) {
    case P::DpiAction: return DpiActions()[index].value;
    case P::MultimediaKey: return MultimediaKeys()[index].stored;
    case P::OfficeShortcut: return OfficeShortcuts()[index].usage;
    case P::WindowsShortcut: return static_cast<std::uint8_t>(index);
    default: return std::nullopt;
    }
}

} // namespace

std::span<const FunctionInfo> FunctionCatalogue() { return kFunctions; }

std::optional<FunctionInfo> FunctionByCode(std::uint8_t code) {
    for (const auto& info : kFunctions) {
        if (info.code == code) {
            return info;
        }
    }
    return std::nullopt;
}

std::optional<FunctionChoice> ChoiceForMenuCommand(int command) {
    for (const auto& info : kFunctions) {
        const int index = command - info.firstMenuCommand;
        if (index >= 0 && index < info.menuCommandCount) {
            return FunctionChoice{info.code, ParameterOfChoice(info.parameter, static_cast<std::size_t>(index))};
        }
    }
    return std::nullopt;
}

} // namespace qv530
