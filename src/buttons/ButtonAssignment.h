#pragma once
// Giving a button a function: the entries of a button's function menu, the
// record bytes each menu command stores, and the caption the button's
// selector shows afterwards. The window's menu and `qv530ctl set button` both
// go through these, so they store the same bytes and captions.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/UiStrings.h"
#include "settings/MouseSettings.h"

namespace qv530 {

// The menu commands of the function menu.
namespace menucommand {
inline constexpr int kLeftClick = 2001;
inline constexpr int kRightClick = 2002;
inline constexpr int kMiddleClick = 2003;
inline constexpr int kForward = 2004;
inline constexpr int kBack = 2005;
inline constexpr int kDoubleClick = 2006;
inline constexpr int kTiltLeft = 2007;    // handled, never offered
inline constexpr int kTiltRight = 2008;   // handled, never offered
inline constexpr int kFn = 2009;
inline constexpr int kSnipe = 2010;
inline constexpr int kKeyboardKey = 2011; // opens the key capture
inline constexpr int kMacro = 2012;       // opens the macro assignment
inline constexpr int kDisabled = 2013;
inline constexpr int kDpiFirst = 2020;    // + DPI action index 0..2
inline constexpr int kWindowsFirst = 2030;  // + shortcut index 0..6
inline constexpr int kMultimediaFirst = 2050; // + multimedia index 0..7
inline constexpr int kOfficeFirst = 2060;   // + office index 0..9
} // namespace menucommand

// Text slots of the menu and the captions.
namespace assignslot {
inline constexpr int kDpiFirst = 41;       // DPI +, DPI -, DPI loop
inline constexpr int kClick = 510;
inline constexpr int kMenu = 511;
inline constexpr int kScroll = 512;
inline constexpr int kForward = 513;
inline constexpr int kBack = 514;
inline constexpr int kDpiMenu = 516;
inline constexpr int kWindowsMenu = 520;
inline constexpr int kMultimediaMenu = 521;
inline constexpr int kOfficeMenu = 522;
inline constexpr int kKeyboardKey = 524;
inline constexpr int kMacro = 527;
inline constexpr int kDisabled = 528;
inline constexpr int kTiltLeft = 529;
inline constexpr int kTiltRight = 530;
inline constexpr int kDoubleClick = 531;
inline constexpr int kSnipe = 535;
inline constexpr int kLastLeftClickText = 536;
inline constexpr int kLastLeftClickCaption = 592;
} // namespace assignslot

// The button that never gets the "Fn" entry (button 2).
inline constexpr std::size_t kButtonWithoutFn = 1;

// One entry of a function menu: a command, or a submenu (command 0).
struct FunctionMenuEntry {
    int command = 0;
    std::string text;
    std::vector<FunctionMenuEntry> submenu;
};

// The function menu of button 0..6, in order, with the texts of the
// profile's language (submenu entries by the menu language rule).
std::vector<FunctionMenuEntry> FunctionMenuFor(std::size_t button, const UiStrings& texts, std::string_view language);

// Whether the menu of button 0..6 offers the command (2007 and 2008 are
// handled but offered to no button; button 2 has no "Fn").
bool IsOfferedCommand(std::size_t button, int command);

// Stores the function of a menu command that needs no dialog: the code and,
// for the parameter tables, its byte. False, and nothing changed, for the
// key and macro commands, for commands outside the table and for a command
// the button may not have ("Fn" on button 2).
bool AssignMenuCommand(MouseSettings& settings, std::size_t button, int command);
// Keyboard key: the name's usage (0 for a name without one) in table 6 and
// code 10. False, and nothing changed, for an empty name.
bool AssignKeyboardKey(MouseSettings& settings, std::size_t button, std::string_view keyName);
// Macro: its number (low byte) in table 14, the run mode in table 15 and
// code 11. False, and nothing changed, for a negative number or a run mode
// above 2.
bool AssignMacro(MouseSettings& settings, std::size_t button, int macroNumber, std::uint8_t runMode);

// The caption a menu command without a dialog gives its button; empty for the
// key and macro commands and for commands outside the table.
std::string MenuCommandCaption(int command, const UiStrings& texts, std::string_view language);
// "<key word>-<key name>" and "<macro word>:<macro name>".
std::string KeyboardKeyCaption(std::string_view keyName, const UiStrings& texts);
std::string MacroCaption(std::string_view macroName, const UiStrings& texts);

// The key the capture dialog starts with: the name of the button's table-6
// usage ("N/A" for one the catalogue does not know), empty when it is 0.
std::string KeyCapturePreset(const MouseSettings& settings, std::size_t button);

// What the macro assignment dialog starts with.
struct MacroPreset {
    std::string name;
    int number = -1;
    std::uint8_t runMode = 0;
};
// From the button's caption: when it holds the macro word, the name after
// its last ":" (the whole caption without one) and tables 14 and 15.
MacroPreset MacroPresetFor(const MouseSettings& settings, std::size_t button, std::string_view caption,
                           const UiStrings& texts);

// Run modes of a macro button.
inline constexpr std::uint8_t kMacroRunOnce = 0;
inline constexpr std::uint8_t kMacroRunUntilAnyKey = 1;
inline constexpr std::uint8_t kMacroRunWhileHeld = 2;
inline constexpr std::uint8_t kMacroRunModes = 3;

} // namespace qv530
