#include "buttons/ButtonAssignment.h"

#include <array>

#include "buttons/ButtonFunction.h"
#include "buttons/FunctionCatalogue.h"
#include "buttons/KeyCatalogue.h"
#include "buttons/ParameterTables.h"

namespace qv530 {
namespace {

namespace cmd = menucommand;
namespace slot = assignslot;

constexpr std::string_view kFnText = "Fn";
constexpr std::string_view kKeySeparator = "-";
constexpr char kMacroSeparator = ':';

// The single entries: command and the text slot of their name (-1: "Fn").
struct SingleEntry {
    int command;
    int textSlot;
};
constexpr std::array<SingleEntry, 8> kLeadingEntries{{
    {cmd::kLeftClick, slot::kClick},
    {cmd::kRightClick, slot::kMenu},
    {cmd::kMiddleClick, slot::kScroll},
    {cmd::kForward, slot::kForward},
    {cmd::kBack, slot::kBack},
    {cmd::kDoubleClick, slot::kDoubleClick},
    {cmd::kFn, -1},
    {cmd::kSnipe, slot::kSnipe},
}};

// Captions of the commands whose caption is one text slot.
constexpr std::array<SingleEntry, 10> kSlotCaptions{{
    {cmd::kLeftClick, slot::kClick},
    {cmd::kRightClick, slot::kMenu},
    {cmd::kMiddleClick, slot::kScroll},
    {cmd::kForward, slot::kForward},
    {cmd::kBack, slot::kBack},
    {cmd::kDoubleClick, slot::kDoubleClick},
    {cmd::kTiltLeft, slot::kTiltLeft},
    {cmd::kTiltRight, slot::kTiltRight},
    {cmd::kSnipe, slot::kSnipe},
    {cmd::kDisabled, slot::kDisabled},
}};

std::string SlotText(const UiStrings& texts, int textSlot) { return texts.UiString(textSlot); }

// The name of entry `index` of a parameter table in the menu language.
template <typename Table>
std::string NameIn(const Table& table, std::size_t index, Language language) {
    return std::string(table[index].name.In(language));
}

template <typename Table>
FunctionMenuEntry Submenu(const UiStrings& texts, int titleSlot, int firstCommand, const Table& table,
                          Language language) {
    FunctionMenuEntry entry{0, SlotText(texts, titleSlot), {}};
    for (std::size_t k = 0; k < table.size(); ++k)
        entry.submenu.push_back({firstCommand + static_cast<int>(k), NameIn(table, k, language), {}});
    return entry;
}

bool ValidButton(std::size_t button) { return button < field::kSentButtons; }

} // namespace

std::vector<FunctionMenuEntry> FunctionMenuFor(std::size_t button, const UiStrings& texts, std::string_view language) {
    const Language menuLanguage = ButtonMenuLanguage(language);
    std::vector<FunctionMenuEntry> menu;
    for (const SingleEntry& single : kLeadingEntries) {
        if (!IsOfferedCommand(button, single.command)) continue;
        menu.push_back({single.command, single.textSlot < 0 ? std::string(kFnText) : SlotText(texts, single.textSlot), {}});
    }
    // The DPI names are text slots, the other submenus use the catalogue.
    FunctionMenuEntry dpi{0, SlotText(texts, slot::kDpiMenu), {}};
    for (int k = 0; k < 3; ++k) dpi.submenu.push_back({cmd::kDpiFirst + k, SlotText(texts, slot::kDpiFirst + k), {}});
    menu.push_back(std::move(dpi));
    menu.push_back(Submenu(texts, slot::kMultimediaMenu, cmd::kMultimediaFirst, MultimediaKeys(), menuLanguage));
    menu.push_back(Submenu(texts, slot::kOfficeMenu, cmd::kOfficeFirst, OfficeShortcuts(), menuLanguage));
    menu.push_back(Submenu(texts, slot::kWindowsMenu, cmd::kWindowsFirst, WindowsShortcuts(), menuLanguage));
    menu.push_back({cmd::kKeyboardKey, SlotText(texts, slot::kKeyboardKey), {}});
    menu.push_back({cmd::kMacro, SlotText(texts, slot::kMacro), {}});
    menu.push_back({cmd::kDisabled, SlotText(texts, slot::kDisabled), {}});
    return menu;
}

bool IsOfferedCommand(std::size_t button, int command) {
    if (!ValidButton(button) || !ChoiceForMenuCommand(command)) return false;
    if (command == cmd::kTiltLeft || command == cmd::kTiltRight) return false;
    return !(command == cmd::kFn && button == kButtonWithoutFn);
}

bool AssignMenuCommand(MouseSettings& settings, std::size_t button, int command) {
    if (!ValidButton(button) || command == cmd::kKeyboardKey || command == cmd::kMacro) return false;
    if (command == cmd::kFn && button == kButtonWithoutFn) return false;
    const std::optional<FunctionChoice> choice = ChoiceForMenuCommand(command);
    if (!choice) return false;
    settings.ButtonFunction(button) = choice->code;
    if (!choice->parameter) return true;
    // A parameter byte is written only together with its function code.
    switch (choice->code) {
    case function::kDpiAction: settings.ButtonParam(button) = *choice->parameter; break;
    case function::kMultimediaKey: settings.ButtonExtra(extra::kMultimedia, button) = *choice->parameter; break;
    case function::kOfficeShortcut: settings.ButtonExtra(extra::kOfficeKey, button) = *choice->parameter; break;
    case function::kWindowsShortcut:
        settings.ButtonExtra(extra::kWindowsShortcut, button) = *choice->parameter;
        break;
    default: break;
    }
    return true;
}

bool AssignKeyboardKey(MouseSettings& settings, std::size_t button, std::string_view keyName) {
    if (!ValidButton(button) || keyName.empty()) return false;
    settings.ButtonExtra(extra::kKeyboardKey, button) = UsageFromKeyName(keyName);
    settings.ButtonFunction(button) = function::kKeyboardKey;
    return true;
}

bool AssignMacro(MouseSettings& settings, std::size_t button, int macroNumber, std::uint8_t runMode) {
    if (!ValidButton(button) || macroNumber < 0 || runMode >= kMacroRunModes) return false;
    settings.ButtonExtra(extra::kMacroNumber, button) = static_cast<std::uint8_t>(macroNumber & 0xFF);
    settings.ButtonExtra(extra::kMacroRunMode, button) = runMode;
    settings.ButtonFunction(button) = function::kMacroKey;
    return true;
}

std::string MenuCommandCaption(int command, const UiStrings& texts, std::string_view language) {
    for (const SingleEntry& single : kSlotCaptions)
        if (single.command == command) return SlotText(texts, single.textSlot);
    if (command == cmd::kFn) return std::string(kFnText);
    const Language menuLanguage = ButtonMenuLanguage(language);
    const auto in = [command](int first, std::size_t count) {
        return command >= first && command < first + static_cast<int>(count);
    };
    const auto index = [command](int first) { return static_cast<std::size_t>(command - first); };
    if (in(cmd::kDpiFirst, DpiActions().size())) return SlotText(texts, slot::kDpiFirst + command - cmd::kDpiFirst);
    if (in(cmd::kMultimediaFirst, MultimediaKeys().size()))
        return NameIn(MultimediaKeys(), index(cmd::kMultimediaFirst), menuLanguage);
    if (in(cmd::kOfficeFirst, OfficeShortcuts().size()))
        return NameIn(OfficeShortcuts(), index(cmd::kOfficeFirst), menuLanguage);
    if (in(cmd::kWindowsFirst, WindowsShortcuts().size()))
        return NameIn(WindowsShortcuts(), index(cmd::kWindowsFirst), menuLanguage);
    return {};
}

std::string KeyboardKeyCaption(std::string_view keyName, const UiStrings& texts) {
    std::string caption = SlotText(texts, slot::kKeyboardKey);
    caption += kKeySeparator;
    caption += keyName;
    return caption;
}

std::string MacroCaption(std::string_view macroName, const UiStrings& texts) {
    std::string caption = SlotText(texts, slot::kMacro);
    caption += kMacroSeparator;
    caption += macroName;
    return caption;
}

std::string KeyCapturePreset(const MouseSettings& settings, std::size_t button) {
    if (!ValidButton(button)) return {};
    const std::uint8_t usage = settings.at(field::kButtonExtra + field::kButtonSlots * extra::kKeyboardKey + button);
    return usage == 0 ? std::string{} : KeyNameFromUsage(usage);
}

MacroPreset MacroPresetFor(const MouseSettings& settings, std::size_t button, std::string_view caption,
                           const UiStrings& texts) {
    MacroPreset preset;
    const std::string& word = texts.UiString(slot::kMacro);
    // Without a language there is no macro word, and no caption holds it.
    if (!ValidButton(button) || word.empty() || caption.find(word) == std::string_view::npos) return preset;
    const std::size_t colon = caption.rfind(kMacroSeparator);
    preset.name = std::string(colon == std::string_view::npos ? caption : caption.substr(colon + 1));
    const auto tableByte = [&](std::size_t table) {
        return settings.at(field::kButtonExtra + field::kButtonSlots * table + button);
    };
    preset.number = tableByte(extra::kMacroNumber);
    preset.runMode = tableByte(extra::kMacroRunMode);
    return preset;
}

} // namespace qv530
