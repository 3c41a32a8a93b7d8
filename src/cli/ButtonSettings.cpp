// get/set name of the button functions: "button N FUNCTION [ARG...]".
#include <array>
#include <sstream>

#include "buttons/ButtonAssignment.h"
#include "buttons/ButtonFunction.h"
#include "buttons/KeyCatalogue.h"
#include "buttons/LeftClickRule.h"
#include "buttons/ParameterTables.h"
#include "cli/SettingCommands.h"
#include "macros/MacroStore.h"

namespace qv530::cli {
namespace {

namespace cmd = menucommand;

constexpr std::string_view kUsage =
    "button N FUNCTION (N 1..7; click, menu, scroll, forward, back, double-click, fn, snipe, off, tilt-left, "
    "tilt-right, dpi up|down|loop, media K, office K, windows K, key NAME, macro NAME|INDEX "
    "[once|until-any|while-held])";

// Functions without a parameter: the word and its menu command.
struct Word {
    std::string_view word;
    int command;
    std::uint8_t code;
};
constexpr std::array<Word, 11> kSingleWords{{
    {"click", cmd::kLeftClick, function::kLeftClick},
    {"menu", cmd::kRightClick, function::kRightClick},
    {"scroll", cmd::kMiddleClick, function::kMiddleClick},
    {"forward", cmd::kForward, function::kForward},
    {"back", cmd::kBack, function::kBack},
    {"double-click", cmd::kDoubleClick, function::kDoubleClick},
    {"fn", cmd::kFn, function::kFnKey},
    {"snipe", cmd::kSnipe, function::kSnipeKey},
    {"off", cmd::kDisabled, function::kDisabled},
    {"tilt-left", cmd::kTiltLeft, function::kTiltLeft},
    {"tilt-right", cmd::kTiltRight, function::kTiltRight},
}};
constexpr std::array<std::string_view, 3> kDpiWords{"up", "down", "loop"};
constexpr std::array<std::string_view, kMacroRunModes> kRunModeWords{"once", "until-any", "while-held"};

std::string Joined(std::span<const std::string> words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) text += ' ';
        text += word;
    }
    return text;
}

std::uint8_t ExtraByte(const MouseSettings& settings, std::size_t table, std::size_t button) {
    return settings.at(field::kButtonExtra + field::kButtonSlots * table + button);
}

// The index of a parameter table entry by its index or English name.
template <typename Table>
std::optional<std::size_t> EntryOf(const Table& table, std::span<const std::string> words) {
    const std::string text = Joined(words);
    int index = 0;
    if (ParseNumber(text, 0, static_cast<int>(table.size()) - 1, index)) return static_cast<std::size_t>(index);
    for (std::size_t k = 0; k < table.size(); ++k)
        if (EqualsIgnoringCase(table[k].name.en, text)) return k;
    return std::nullopt;
}

template <typename Table>
std::string EnglishNames(const Table& table) {
    std::string names;
    for (const auto& entry : table) {
        if (!names.empty()) names += ", ";
        names += entry.name.en;
    }
    return names;
}

// A key of the catalogue by its display name: the exact name first, then
// without regard to case; the capture spellings "App" and "Left GUI" too.
// The mouse-button names belong to macros, not to keyboard keys.
std::optional<std::string> KeyByName(std::string_view text) {
    const auto usable = [](const KeyEntry& key) { return key.usage != 0 && key.usage < 0xF0; };
    for (const KeyEntry& key : KeyCatalogue())
        if (usable(key) && key.name == text) return std::string(key.name);
    if (UsageFromKeyName(text) != 0 && UsageFromKeyName(text) < 0xF0) return std::string(text);
    for (const KeyEntry& key : KeyCatalogue())
        if (usable(key) && EqualsIgnoringCase(key.name, text)) return std::string(key.name);
    return std::nullopt;
}

// The words get prints for one button; set takes them back.
std::string FunctionWords(const CliProfile& profile, std::size_t button) {
    const MouseSettings& settings = profile.settings;
    const std::uint8_t code = settings.at(field::kButtonFunction + button);
    for (const Word& single : kSingleWords)
        if (single.code == code) return std::string(single.word);
    std::ostringstream words;
    switch (code) {
    case function::kDpiAction: {
        const std::uint8_t action = settings.at(field::kButtonParam + button);
        if (action >= dpiaction::kUp && action <= dpiaction::kLoop) return "dpi " + std::string(kDpiWords[action - 1]);
        words << "dpi " << int(action);
        return words.str();
    }
    case function::kMultimediaKey:
        if (const auto key = MultimediaKeyByStored(ExtraByte(settings, extra::kMultimedia, button)))
            return "media " + std::string(key->name.en);
        break;
    case function::kOfficeShortcut:
        if (const auto shortcut = OfficeShortcutByUsage(ExtraByte(settings, extra::kOfficeKey, button)))
            return "office " + std::string(shortcut->name.en);
        break;
    case function::kWindowsShortcut:
        if (const auto shortcut = WindowsShortcutByIndex(ExtraByte(settings, extra::kWindowsShortcut, button)))
            return "windows " + std::string(shortcut->name.en);
        break;
    case function::kKeyboardKey: return "key " + KeyNameFromUsage(ExtraByte(settings, extra::kKeyboardKey, button));
    case function::kMacroKey: {
        const int number = ExtraByte(settings, extra::kMacroNumber, button);
        const std::uint8_t mode = ExtraByte(settings, extra::kMacroRunMode, button);
        const std::vector<std::string> names = MacroStore(profile.files.macroStorePath()).ReadMacroNames();
        words << "macro ";
        if (static_cast<std::size_t>(number) < names.size()) words << names[static_cast<std::size_t>(number)];
        else words << number;
        if (mode < kMacroRunModes) words << " " << kRunModeWords[mode];
        return words.str();
    }
    default: break;
    }
    words << "code " << int(code);
    return words.str();
}

void GetButtons(const CliProfile& profile, std::ostream& out) {
    for (std::size_t button = 0; button < field::kSentButtons; ++button)
        out << "button " << button + 1 << " " << FunctionWords(profile, button) << "\n";
}

// The result of reading FUNCTION [ARG...]: what to store and the caption.
struct Assignment {
    int command = 0;          // a menu command without a dialog, or
    std::string keyName;      // a keyboard key, or
    int macroNumber = -1;     // a macro
    std::string macroName;
    std::uint8_t runMode = kMacroRunOnce;
};

int BadInput(std::ostream& err, std::string_view why) {
    err << "qv530ctl: " << why << "; usage: " << kUsage << "\n";
    return kSetBadInput;
}

// Reads the function words into an assignment; a status other than done on bad input.
int ReadAssignment(const CliProfile& profile, std::span<const std::string> words, Assignment& out,
                   std::ostream& err) {
    const std::string& name = words[0];
    const std::span<const std::string> args = words.subspan(1);
    for (const Word& single : kSingleWords) {
        if (!EqualsIgnoringCase(single.word, name)) continue;
        if (!args.empty()) return BadInput(err, std::string(single.word) + " takes no value");
        out.command = single.command;
        return kSetDone;
    }
    const auto pick = [&](const auto& table, int firstCommand, std::string_view what) {
        const auto entry = args.empty() ? std::nullopt : EntryOf(table, args);
        if (!entry) {
            err << "qv530ctl: " << what << " takes an index 0.." << table.size() - 1 << " or one of: "
                << EnglishNames(table) << "\n";
            return kSetBadInput;
        }
        out.command = firstCommand + static_cast<int>(*entry);
        return kSetDone;
    };
    if (EqualsIgnoringCase(name, "dpi")) {
        for (std::size_t k = 0; k < kDpiWords.size(); ++k)
            if (args.size() == 1 && EqualsIgnoringCase(args[0], kDpiWords[k])) {
                out.command = cmd::kDpiFirst + static_cast<int>(k);
                return kSetDone;
            }
        return BadInput(err, "dpi takes up, down or loop");
    }
    if (EqualsIgnoringCase(name, "media")) return pick(MultimediaKeys(), cmd::kMultimediaFirst, "media");
    if (EqualsIgnoringCase(name, "office")) return pick(OfficeShortcuts(), cmd::kOfficeFirst, "office");
    if (EqualsIgnoringCase(name, "windows")) return pick(WindowsShortcuts(), cmd::kWindowsFirst, "windows");
    if (EqualsIgnoringCase(name, "key")) {
        const auto key = args.empty() ? std::nullopt : KeyByName(Joined(args));
        if (!key) return BadInput(err, "key takes a key of the key catalogue by its name (A, F5, Num Enter, ...)");
        out.keyName = *key;
        return kSetDone;
    }
    if (EqualsIgnoringCase(name, "macro")) {
        std::span<const std::string> nameWords = args;
        for (std::uint8_t mode = 0; mode < kMacroRunModes; ++mode)
            if (!nameWords.empty() && EqualsIgnoringCase(nameWords.back(), kRunModeWords[mode])) {
                out.runMode = mode;
                nameWords = nameWords.first(nameWords.size() - 1);
                break;
            }
        const std::string wanted = Joined(nameWords);
        const std::vector<std::string> names = MacroStore(profile.files.macroStorePath()).ReadMacroNames();
        for (std::size_t k = 0; k < names.size(); ++k)
            if (names[k] == wanted) out.macroNumber = static_cast<int>(k);
        int index = 0;
        if (out.macroNumber < 0 && ParseNumber(wanted, 0, static_cast<int>(names.size()) - 1, index))
            out.macroNumber = index;
        if (out.macroNumber < 0) {
            err << "qv530ctl: macro takes the name or index of a macro of " << profile.files.macroStorePath()
                << " (" << names.size() << " there), then once, until-any or while-held\n";
            return kSetBadInput;
        }
        out.macroName = names[static_cast<std::size_t>(out.macroNumber)];
        return kSetDone;
    }
    return BadInput(err, "unknown function '" + name + "'");
}

int SetButton(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int number = 0;
    if (values.size() < 2 || !ParseNumber(values[0], 1, static_cast<int>(field::kSentButtons), number))
        return BadInput(err, "a button number and a function are needed");
    const std::size_t button = static_cast<std::size_t>(number - 1);
    Assignment assignment;
    if (const int status = ReadAssignment(profile, values.subspan(1), assignment, err); status != kSetDone)
        return status;
    if (assignment.command == cmd::kFn && button == kButtonWithoutFn)
        return BadInput(err, "button 2 cannot be fn");
    // The menu of the only left click does not open: it keeps its function.
    if (IsLastLeftClick(profile.settings, button) && assignment.command != cmd::kLeftClick) {
        UiStrings english;
        LoadUiStrings(english, "EN");
        err << english.UiString(assignslot::kLastLeftClickText) << "\n";
        return kSetRefused;
    }
    MouseSettings& settings = profile.settings;
    std::string caption;
    if (assignment.command != 0) {
        AssignMenuCommand(settings, button, assignment.command);
        caption = MenuCommandCaption(assignment.command, profile.texts, profile.language);
    } else if (!assignment.keyName.empty()) {
        AssignKeyboardKey(settings, button, assignment.keyName);
        caption = KeyboardKeyCaption(assignment.keyName, profile.texts);
    } else {
        AssignMacro(settings, button, assignment.macroNumber, assignment.runMode);
        caption = MacroCaption(assignment.macroName, profile.texts);
    }
    profile.files.side.captions[button] = caption;
    return kSetDone;
}

const SettingCommand kButtonCommands[] = {
    {"button", kUsage, GetButtons, SetButton},
};

} // namespace

std::span<const SettingCommand> ButtonSettingCommands() { return kButtonCommands; }

} // namespace qv530::cli
