#pragma once
// The button map the mouse receives with the button-map command: sixteen
// four-byte entries, rebuilt from the record for every send.
//
//   entry 0..6   buttons 1..7 (buttons 4 and 5 swap places: 3 <-> 4)
//   entry 7      00 00 03 0C
//   entry 8      00 00 01 0B
//   entry 9..13  zero
//   entry 14     00 01 01 05
//   entry 15     00 01 02 05
#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/MouseSettings.h"

namespace qv530 {

inline constexpr std::size_t kKeyTableEntries = 16;
inline constexpr std::size_t kKeyTableEntrySize = 4;
inline constexpr std::size_t kKeyTableSize = kKeyTableEntries * kKeyTableEntrySize;
static_assert(kKeyTableSize == 64);

// Entry of the key table that carries button 0..6.
constexpr std::size_t KeyTableEntryOfButton(std::size_t button) {
    return button == 3 ? 4 : button == 4 ? 3 : button;
}

std::array<std::uint8_t, kKeyTableSize> BuildKeyTable(const MouseSettings& settings);

} // namespace qv530
