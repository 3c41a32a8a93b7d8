#pragma once
// One encoded macro slot, as the mouse plays it (multi-byte fields big-endian):
//
//   0  LoopCount (2)   2  FirstLead   3  FirstKey
//   4 + 4(n-1)  Type (7F press, FF release)  Key  Delay (2, ms before the event)
//   ... zero up to 127; bytes 128 and 129 are never written by the encoder.
#include <cstddef>
#include <cstdint>

#include "settings/MouseSettings.h"

namespace qv530::macroslot {

inline constexpr std::size_t kSize = field::kMacroSlotSize;   // 130
inline constexpr std::size_t kCount = field::kMacroSlotCount; // 12
inline constexpr std::size_t kAreaSize = kSize * kCount;      // 1560
inline constexpr std::size_t kLoopCount = 0;
inline constexpr std::size_t kFirstLead = 2;
inline constexpr std::size_t kFirstKey = 3;
inline constexpr std::size_t kEventArea = 4;
inline constexpr std::size_t kEventSize = 4;
inline constexpr std::size_t kEventType = 0;
inline constexpr std::size_t kEventKey = 1;
inline constexpr std::size_t kEventDelay = 2;
inline constexpr std::size_t kEncodedSize = 128;  // bytes the encoder owns
inline constexpr std::size_t kMaxEvents = 1 + (kEncodedSize - kEventArea) / kEventSize;

inline constexpr std::uint8_t kPress = 0x7F;
inline constexpr std::uint8_t kRelease = 0xFF;

// Lead bytes of the first event: the rebuild from the store, and the
// macro manager's rebuild.
inline constexpr std::uint8_t kLeadFromStore = 0x05;
inline constexpr std::uint8_t kLeadFromManager = 0x32;

inline constexpr std::uint32_t kMinDelayMs = 10;
inline constexpr std::uint32_t kMaxDelayMs = 65535;

static_assert(kMaxEvents == 32);
static_assert(kAreaSize == 1560);

} // namespace qv530::macroslot
