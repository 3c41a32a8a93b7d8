#pragma once
// The buffer the twelve macro transfers are cut from. Transfer k carries 192
// bytes from offset 130k: slot k and the first 62 bytes of slot k + 1 (zeros
// after the last slot). This is the only place that builds it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "macros/MacroSlotLayout.h"
#include "settings/MouseSettings.h"

namespace qv530 {

inline constexpr std::size_t kMacroTransferChunks = 3;
inline constexpr std::size_t kMacroTransferSize = 192;  // three 64-byte chunks
inline constexpr std::size_t kMacroStagingSize =
    macroslot::kSize * (macroslot::kCount - 1) + kMacroTransferSize;
static_assert(kMacroStagingSize == 1622);

using MacroStagingBuffer = std::array<std::uint8_t, kMacroStagingSize>;

// The record's macro area followed by zeros.
MacroStagingBuffer StageMacroArea(const MouseSettings& settings);

// The payload of the transfer for slot 0..11.
std::span<const std::uint8_t, kMacroTransferSize> MacroTransferPayload(const MacroStagingBuffer& staging,
                                                                      std::size_t slot);

} // namespace qv530
