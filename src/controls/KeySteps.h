#pragma once
// What the keyboard does to a value or a choice, kept free of Qt so it is
// tested without a window. A slider or gauge moves one step on an arrow, a
// tenth of its range on Page Up/Down (at least one step) and to its ends on
// Home/End, never past them. A group of choices (radio icons, dial quarters,
// swatches) moves to the neighbouring choice and wraps around.

namespace qv530 {

enum class KeyStep { None, Less, More, PageLess, PageMore, First, Last };

// The value after the key, inside minimum..maximum.
int SteppedValue(int value, int minimum, int maximum, KeyStep step);

// The choice after the key among `count` choices; `current` -1 (none chosen)
// goes to the first choice on a forward key and to the last on a backward one.
// Returns -1 only when there are no choices.
int SteppedChoice(int current, int count, KeyStep step);

}  // namespace qv530
