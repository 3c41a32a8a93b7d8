#pragma once
// The table of user-interface texts: every caption, menu entry and message of
// the main window and its pages is a numbered slot, filled once at start-up
// for the language code of str.ini.
#include "lang/Language.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv530 {

// Slots 0..603 exist; most of them stay empty in every language.
inline constexpr int kUiSlotCount = 614;
// Slots of our own beyond the original table.
inline constexpr int kSlotGuideNotOpened = 604;
inline constexpr int kSlotNoUpdater = 605;
// The status line after an Apply a device did not take (unplugged mid-way):
// the mouse, %1 its product ID ("A11D"), or the pad.
inline constexpr int kSlotMouseMissedSettings = 606;
inline constexpr int kSlotPadMissedSettings = 607;
// The status lines under the pages of the desktop's pointer settings (%1 the desktop).
inline constexpr int kSlotPointerTaken = 608;
inline constexpr int kSlotPointerLinesOnly = 609;
inline constexpr int kSlotPointerNotTaken = 610;
inline constexpr int kSlotPointerNoDesktopSetting = 611;
inline constexpr int kSlotPointerUnknownDesktop = 612;
inline constexpr int kSlotPointerNoMouse = 613; // Plasma on Wayland keeps the speed per mouse

// Slot 0 names the section of the profile side file (str%d.ini) that holds the
// button captions in the current language ("Setting-EN", ...).
inline constexpr int kSlotCaptionSection = 0;
// The user guide that the help menu opens, relative to the program folder.
inline constexpr int kSlotUserGuide = 537; // the help menu's guide item, titled in each language
// The user guide the help menu opens, beside the program or in its shared data.
inline constexpr const char* kUserGuidePath = "doc/user-guide.html";

class UiStrings {
public:
    // The slot's text (UTF-8); empty for a slot the language does not set and
    // for any number outside 0..603.
    const std::string& UiString(int slot) const;

    // Stores a text; numbers outside 0..603 are ignored.
    void Set(int slot, std::string_view text);
    // Empties every slot.
    void Clear();
    // The numbers of the slots that carry text, ascending.
    std::vector<int> FilledSlots() const;

private:
    std::array<std::string, kUiSlotCount> slots_;
};

// Fills the table for a language code: first the slots that are the same in
// every language, then the slots of the first of "CHS", "CHT", "EN", "DE"
// that equals the code. Any other code (also "en" or an empty one) sets
// nothing more, so slot 0 stays empty. Whatever the table held before is
// dropped.
void LoadUiStrings(UiStrings& strings, std::string_view code);

} // namespace qv530
