#include "buttons/FunctionName.h"

#include <array>

#include "buttons/ButtonFunction.h"
#include "buttons/KeyCatalogue.h"
#include "buttons/LocalisedName.h"
#include "buttons/ParameterTables.h"

namespace qv530 {
namespace {

struct SingleName {
    std::uint8_t code;
    LocalisedName name;
};

// clang-format off
constexpr std::array<SingleName, 10> kSingleNames{{
    {function::kLeftClick,   {"左键", "左鍵", "Click", "Klick"}},
    {function::kRightClick,  {"右键", "右鍵", "Menu", "Menü"}},
    {function::kMiddleClick, {"中键", "中鍵", "Scroll ", "Mittelklick"}},
    {function::kForward,     {"前进方向键", "前進方向鍵", "Forward", "Vorwärts"}},
    {function::kBack,        {"后退方向键", "後退方向鍵", "Back", "Zurück"}},
    {function::kDoubleClick, {"双击", "雙擊", "Double-Click", "Doppelklick"}},
    {function::kDisabled,    {"按键关闭", "按鍵關閉", "Deactivated", "Deaktiviert"}},
    {function::kTiltLeft,    {"左摇摆滚轮", "左搖擺滾輪", "Left Tilt Scroll", "Rad links kippen"}},
    {function::kTiltRight,   {"右摇摆滚轮", "右搖擺滾輪", "Right Tilt Scroll", "Rad rechts kippen"}},
    {function::kSnipeKey,    {"狙击键", "狙擊鍵", "Snipe", "Sniper"}},
}};
// clang-format on

constexpr std::string_view kFnName = "Fn";
constexpr LocalisedName kKeyWord{"单键", "單鍵", "Assign Keyboard Key", "Taste zuweisen"};
// New macros are named after this word; button labels use the label word.
constexpr LocalisedName kMacroWord{"宏", "巨集", "Macro", "Makro"};
constexpr LocalisedName kMacroLabelWord{"宏", "巨集鍵", "Macro", "Makro"};
constexpr std::string_view kKeySeparator = "-";
constexpr std::string_view kMacroSeparator = ":";

std::string Compose(std::string_view word, std::string_view separator, std::string_view detail) {
    std::string label(word);
    label += separator;
    label += detail;
    return label;
}

} // namespace

std::string_view MacroWord(std::string_view language) { return kMacroWord.In(ButtonMenuLanguage(language)); }

std::string KeyboardKeyLabel(std::string_view keyName, std::string_view language) {
    return Compose(kKeyWord.In(ButtonMenuLanguage(language)), kKeySeparator, keyName);
}

std::string MacroKeyLabel(std::string_view macroName, std::string_view language) {
    return Compose(kMacroLabelWord.In(ButtonMenuLanguage(language)), kMacroSeparator, macroName);
}

std::string FunctionName(std::uint8_t code, std::uint8_t parameter, std::string_view language,
                         std::string_view detail) {
    const Language lang = ButtonMenuLanguage(language);
    for (const auto& single : kSingleNames) {
        if (single.code == code) {
            return std::string(single.name.In(lang));
        }
    }
    const auto named = [&](const auto& entry) { return entry ? std::string(entry->name.In(lang)) : std::string{}; };
    switch (code) {
    case function::kFnKey: return std::string(kFnName);
    case function::kDpiAction: return named(DpiActionByValue(parameter));
    case function::kMultimediaKey: return named(MultimediaKeyByStored(parameter));
    case function::kOfficeShortcut: return named(OfficeShortcutByUsage(parameter));
    case function::kWindowsShortcut: return named(WindowsShortcutByIndex(parameter));
    case function::kKeyboardKey:
        return KeyboardKeyLabel(detail.empty() ? KeyNameFromUsage(parameter) : std::string(detail), language);
    case function::kMacroKey: return MacroKeyLabel(detail, language);
    default: return {};
    }
}

} // namespace qv530
