#pragma once
// The texts of the two dialogs a button's menu opens: the key capture and
// the macro assignment. Simplified Chinese, traditional Chinese and German
// for those codes, English for every other.
#include <array>
#include <string_view>

namespace qv530 {

struct KeyCaptureTexts {
    std::string_view ok;
    std::string_view cancel;
    std::string_view prompt;
};
KeyCaptureTexts KeyCaptureTextsFor(std::string_view language);

struct MacroAssignTexts {
    std::string_view hint;   // above the macro selector
    std::string_view ok;
    std::string_view cancel;
    std::array<std::string_view, 3> runModes; // run mode 0, 1, 2
};
MacroAssignTexts MacroAssignTextsFor(std::string_view language);

// Pixel height of the key capture dialog's font: 13 for the Chinese codes, 14 otherwise.
int KeyCaptureFontHeight(std::string_view language);

} // namespace qv530
