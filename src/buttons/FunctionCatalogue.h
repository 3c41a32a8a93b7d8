#pragma once
// The catalogue of button functions: each code with its parameter and the
// menu commands that choose it.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qv530 {

// Where a function keeps its parameter.
enum class FunctionParameter {
    None,
    DpiAction,        // ButtonParam: 1, 2, 3
    MultimediaKey,    // extra table 0: consumer usage low byte
    WindowsShortcut,  // extra table 1: shortcut index
    OfficeShortcut,   // extra table 5: key usage
    KeyboardKey,      // extra table 6: key usage
    Macro,            // extra tables 14 and 15: macro number and run mode
};

struct FunctionInfo {
    std::uint8_t code;
    std::string_view id;        // LeftClick, DpiAction, ...
    FunctionParameter parameter;
    int firstMenuCommand;       // the command of the first choice
    int menuCommandCount;       // one per parameter choice, or 1
};

// The functions the interface produces, in code order.
std::span<const FunctionInfo> FunctionCatalogue();
std::optional<FunctionInfo> FunctionByCode(std::uint8_t code);

// What one menu command selects: the function code and, for the parameter
// tables, the byte the record keeps (DPI value, consumer low byte, key usage or
// shortcut index). Keyboard key and macro commands carry no parameter: the
// key capture and macro assignment dialogs supply it.
struct FunctionChoice {
    std::uint8_t code;
    std::optional<std::uint8_t> parameter;
};
std::optional<FunctionChoice> ChoiceForMenuCommand(int command);

} // namespace qv530
