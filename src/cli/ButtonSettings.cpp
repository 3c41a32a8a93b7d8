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
    "[once|until-any|while-held]; a stored value no word names as get prints it, code N)";

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
        if (EqualsIgnoringAsciiCase(table[k].name.en, text)) return k;
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
// without regard to case; the capture spellings ("App", "Left GUI") and the
// keys without a usage ("Help", stored as 0, as the window stores them) too,
// and "N/A" for a stored 0. The mouse-button names belong to macros, not to
// keyboard keys.
std::optional<std::string> KeyByName(std::string_view text) {
    const auto usable = [](const KeyEntry& key) { return key.usage < 0xF0; };
    for (const std::span<const KeyEntry> names : {KeyCatalogue(), CaptureOnlyNames()})
        for (const KeyEntry& key : names)
            if (usable(key) && key.name == text) return std::string(key.name);
    for (const std::span<const KeyEntry> names : {KeyCatalogue(), CaptureOnlyNames()})
        for (const KeyEntry& key : names)
            if (usable(key) && EqualsIgnoringAsciiCase(key.name, text)) return std::string(key.name);
    if (EqualsIgnoringAsciiCase(text, kUnknownKeyName)) return std::string(kUnknownKeyName);
    return std::nullopt;
}

// The words of a table entry by its English name, or "code X" for a stored
// byte the table does not hold.
template <typename Entry>
std::string EntryWords(std::string_view word, const std::optional<Entry>& entry, std::uint8_t stored) {
    return std::string(word) + " " + (entry ? std::string(entry->name.en) : CodeWords(stored));
}

// The words get prints for one button; set takes them back.
std::string FunctionWords(const CliProfile& profile, std::size_t button) {
    const MouseSettings& settings = profile.settings;
    const std::uint8_t code = settings.at(field::kButtonFunction + button);
    for (const Word& single : kSingleWords)
        if (single.code == code && !(single.command == cmd::kFn && button == kButtonWithoutFn))
            return std::string(single.word);
    switch (code) {
    case function::kDpiAction: {
        const std::uint8_t action = settings.at(field::kButtonParam + button);
        if (action >= dpiaction::kUp && action <= dpiaction::kLoop) return "dpi " + std::string(kDpiWords[action - 1]);
        return "dpi " + CodeWords(action);
    }
    case function::kMultimediaKey: {
        const std::uint8_t stored = ExtraByte(settings, extra::kMultimedia, button);
        return EntryWords("media", MultimediaKeyByStored(stored), stored);
    }
    case function::kOfficeShortcut: {
        const std::uint8_t stored = ExtraByte(settings, extra::kOfficeKey, button);
        return EntryWords("office", OfficeShortcutByUsage(stored), stored);
    }
    case function::kWindowsShortcut: {
        const std::uint8_t stored = ExtraByte(settings, extra::kWindowsShortcut, button);
        return EntryWords("windows", WindowsShortcutByIndex(stored), stored);
    }
    case function::kKeyboardKey: {
        const std::uint8_t usage = ExtraByte(settings, extra::kKeyboardKey, button);
        if (usage == 0) return "key " + std::string(kUnknownKeyName);
        const std::string name = KeyNameFromUsage(usage);
        const auto named = KeyByName(name);
        if (!named || UsageFromKeyName(*named) != usage) return "key " + CodeWords(usage);
        return "key " + name;
    }
    case function::kMacroKey: {
        // The mode is always printed, so a macro named like a mode stays a name.
        const int number = ExtraByte(settings, extra::kMacroNumber, button);
        const std::uint8_t mode = ExtraByte(settings, extra::kMacroRunMode, button);
        const std::vector<std::string> names = MacroStore(profile.files.macroStorePath()).ReadMacroNames();
        std::string words = "macro ";
        words += static_cast<std::size_t>(number) < names.size() ? names[static_cast<std::size_t>(number)]
                                                                 : CodeWords(number);
        words += " ";
        words += mode < kMacroRunModes ? std::string(kRunModeWords[mode]) : CodeWords(mode);
        return words;
    }
    default: break;
    }
    return CodeWords(code);
}

// The buttons with the left click come first: fed back to set, they take
// it before another button gives it away.
void GetButtons(const CliProfile& profile, std::ostream& out) {
    for (const bool leftClick : {true, false})
        for (std::size_t button = 0; button < field::kSentButtons; ++button)
            if ((profile.settings.at(field::kButtonFunction + button) == function::kLeftClick) == leftClick)
                out << "button " << button + 1 << " " << FunctionWords(profile, button) << "\n";
}

// Bytes as get printed them ("code ..."): the function code and, for a
// function with one, its parameter byte or its byte in one extra table.
struct RawFunction {
    std::uint8_t code = 0;
    std::optional<std::uint8_t> param;
    std::optional<std::size_t> extraTable;
    std::uint8_t extraByte = 0;
};

// The result of reading FUNCTION [ARG...]: what to store and the caption.
struct Assignment {
    int command = 0;          // a menu command without a dialog, or
    std::string keyName;      // a keyboard key, or
    int macroNumber = -1;     // a macro (the store's, or a number as get printed it)
    std::string macroName;
    int runMode = kMacroRunOnce;
    std::optional<RawFunction> raw; // stored bytes as get printed them
};

int BadInput(std::ostream& err, std::string_view why) {
    err << "qv530ctl: " << why << "; usage: " << kUsage << "\n";
    return kSetBadInput;
}

// "macro NAME|INDEX [MODE]": MODE is a run-mode word or "code N"; the name
// is a macro of the store, its index, or "code N" as get prints a number
// the store has no macro for. A lone mode word is a macro's name.
int ReadMacro(const CliProfile& profile, std::span<const std::string> args, Assignment& out, std::ostream& err) {
    std::span<const std::string> nameWords = args;
    int rawMode = 0;
    for (std::uint8_t mode = 0; mode < kMacroRunModes; ++mode)
        if (nameWords.size() > 1 && EqualsIgnoringAsciiCase(nameWords.back(), kRunModeWords[mode])) {
            out.runMode = mode;
            nameWords = nameWords.first(nameWords.size() - 1);
            break;
        }
    if (nameWords.size() > 2 && nameWords.size() == args.size() && ParseCode(nameWords.last(2), rawMode)) {
        out.runMode = rawMode;
        nameWords = nameWords.first(nameWords.size() - 2);
    }
    const std::string wanted = Joined(nameWords);
    const std::vector<std::string> names = MacroStore(profile.files.macroStorePath()).ReadMacroNames();
    for (std::size_t k = 0; k < names.size(); ++k)
        if (names[k] == wanted) out.macroNumber = static_cast<int>(k);
    int index = 0;
    if (out.macroNumber < 0 && ParseNumber(wanted, 0, static_cast<int>(names.size()) - 1, index))
        out.macroNumber = index;
    if (out.macroNumber >= 0) {
        out.macroName = names[static_cast<std::size_t>(out.macroNumber)];
        return kSetDone;
    }
    if (ParseCode(nameWords, index)) {
        out.macroNumber = index;
        out.macroName = std::to_string(index);
        return kSetDone;
    }
    err << "qv530ctl: macro takes the name or index of a macro of " << profile.files.macroStorePath() << " ("
        << names.size() << " there), then once, until-any or while-held\n";
    return kSetBadInput;
}

// Reads the function words into an assignment; a status other than done on bad input.
int ReadAssignment(const CliProfile& profile, std::span<const std::string> words, Assignment& out,
                   std::ostream& err) {
    const std::string& name = words[0];
    const std::span<const std::string> args = words.subspan(1);
    int code = 0;
    if (ParseCode(words, code)) {
        out.raw = RawFunction{static_cast<std::uint8_t>(code), {}, {}, 0};
        return kSetDone;
    }
    for (const Word& single : kSingleWords) {
        if (!EqualsIgnoringAsciiCase(single.word, name)) continue;
        if (!args.empty()) return BadInput(err, std::string(single.word) + " takes no value");
        out.command = single.command;
        return kSetDone;
    }
    // A table's entry, or its stored byte as get prints it.
    const auto pick = [&](const auto& table, int firstCommand, std::string_view what, std::uint8_t function,
                          std::size_t extraTable) {
        if (ParseCode(args, code)) {
            out.raw = RawFunction{function, {}, extraTable, static_cast<std::uint8_t>(code)};
            return kSetDone;
        }
        const auto entry = args.empty() ? std::nullopt : EntryOf(table, args);
        if (!entry) {
            err << "qv530ctl: " << what << " takes an index 0.." << table.size() - 1 << " or one of: "
                << EnglishNames(table) << "\n";
            return kSetBadInput;
        }
        out.command = firstCommand + static_cast<int>(*entry);
        return kSetDone;
    };
    if (EqualsIgnoringAsciiCase(name, "dpi")) {
        for (std::size_t k = 0; k < kDpiWords.size(); ++k)
            if (args.size() == 1 && EqualsIgnoringAsciiCase(args[0], kDpiWords[k])) {
                out.command = cmd::kDpiFirst + static_cast<int>(k);
                return kSetDone;
            }
        if (ParseCode(args, code)) {
            out.raw = RawFunction{function::kDpiAction, static_cast<std::uint8_t>(code), {}, 0};
            return kSetDone;
        }
        return BadInput(err, "dpi takes up, down or loop");
    }
    if (EqualsIgnoringAsciiCase(name, "media"))
        return pick(MultimediaKeys(), cmd::kMultimediaFirst, "media", function::kMultimediaKey, extra::kMultimedia);
    if (EqualsIgnoringAsciiCase(name, "office"))
        return pick(OfficeShortcuts(), cmd::kOfficeFirst, "office", function::kOfficeShortcut, extra::kOfficeKey);
    if (EqualsIgnoringAsciiCase(name, "windows"))
        return pick(WindowsShortcuts(), cmd::kWindowsFirst, "windows", function::kWindowsShortcut,
                    extra::kWindowsShortcut);
    if (EqualsIgnoringAsciiCase(name, "key")) {
        if (ParseCode(args, code)) {
            out.raw = RawFunction{function::kKeyboardKey, {}, extra::kKeyboardKey, static_cast<std::uint8_t>(code)};
            out.keyName = KeyNameFromUsage(static_cast<std::uint8_t>(code));
            return kSetDone;
        }
        const auto key = args.empty() ? std::nullopt : KeyByName(Joined(args));
        if (!key) return BadInput(err, "key takes a key of the key catalogue by its name (A, F5, Num Enter, ...)");
        out.keyName = *key;
        return kSetDone;
    }
    if (EqualsIgnoringAsciiCase(name, "macro")) return ReadMacro(profile, args, out, err);
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
    const bool staysLeftClick = assignment.command == cmd::kLeftClick ||
                                (assignment.raw && assignment.raw->code == function::kLeftClick);
    if (IsLastLeftClick(profile.settings, button) && !staysLeftClick) {
        UiStrings english;
        LoadUiStrings(english, "EN");
        err << english.UiString(assignslot::kLastLeftClickText) << "\n";
        return kSetRefused;
    }
    MouseSettings& settings = profile.settings;
    std::string& caption = profile.files.side.captions[button];
    if (assignment.raw) {
        // Stored as get printed them; a key keeps the caption of its name,
        // anything else the caption it had.
        const RawFunction& raw = *assignment.raw;
        if (raw.param) settings.ButtonParam(button) = *raw.param;
        if (raw.extraTable) settings.ButtonExtra(*raw.extraTable, button) = raw.extraByte;
        settings.ButtonFunction(button) = raw.code;
        if (!assignment.keyName.empty()) caption = KeyboardKeyCaption(assignment.keyName, profile.texts);
    } else if (assignment.command != 0) {
        AssignMenuCommand(settings, button, assignment.command);
        caption = MenuCommandCaption(assignment.command, profile.texts, profile.language);
    } else if (!assignment.keyName.empty()) {
        AssignKeyboardKey(settings, button, assignment.keyName);
        caption = KeyboardKeyCaption(assignment.keyName, profile.texts);
    } else {
        // The run mode as get printed it, a stray one included.
        AssignMacro(settings, button, assignment.macroNumber, kMacroRunOnce);
        settings.ButtonExtra(extra::kMacroRunMode, button) = static_cast<std::uint8_t>(assignment.runMode);
        caption = MacroCaption(assignment.macroName, profile.texts);
    }
    return kSetDone;
}

const SettingCommand kButtonCommands[] = {
    {"button", kUsage, GetButtons, SetButton},
};

} // namespace

std::span<const SettingCommand> ButtonSettingCommands() { return kButtonCommands; }

} // namespace qv530::cli
