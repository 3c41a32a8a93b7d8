#pragma once
// Encodes the macros of the store into the twelve slots the mouse plays.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "macros/MacroSlotLayout.h"
#include "macros/MacroStore.h"
#include "settings/MouseSettings.h"

namespace qv530 {

using MacroSlotSpan = std::span<std::uint8_t, macroslot::kSize>;
using MacroAreaSpan = std::span<std::uint8_t, macroslot::kAreaSize>;

// What became of one macro of the list.
struct MacroEncoding {
    std::string name;
    std::size_t slot = 0;
    std::size_t eventsEncoded = 0;
    std::size_t eventsDropped = 0;  // events past the 32 a slot holds
};

struct MacroSlotsReport {
    std::vector<MacroEncoding> macros;  // one per encoded macro, in slot order
    std::size_t macrosLeftOut = 0;      // macros past the twelfth
};

struct SlotEncoding {
    std::size_t eventsEncoded = 0;
    std::size_t eventsDropped = 0;
};

// Writes bytes 0..127 of one slot and tells how many events went in and how
// many did not fit. The event area starts at the first press (releases and delays
// before it are skipped); a macro without items or without a press gives a
// slot that is zero up to byte 127. Bytes 128 and 129 are never touched.
SlotEncoding EncodeMacroSlot(const StoredMacro& macro, std::uint8_t leadByte, MacroSlotSpan slot);

// Encodes macro i into slot i for the first twelve macros; slots past the last
// macro keep their bytes.
MacroSlotsReport BuildMacroSlots(const std::vector<NamedMacro>& macros, std::uint8_t leadByte, MacroAreaSpan area);
MacroSlotsReport BuildMacroSlots(const MacroStore& store, std::uint8_t leadByte, MacroAreaSpan area);

// The record's twelve slots as one span.
MacroAreaSpan MacroArea(MouseSettings& settings);

} // namespace qv530
