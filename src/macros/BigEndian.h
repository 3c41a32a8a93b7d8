#pragma once
// 16-bit values in byte images, high byte first.
#include <cstdint>
#include <span>

namespace qv530 {

inline void PutBigEndian16(std::span<std::uint8_t, 2> at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value & 0xFF);
}

inline std::uint16_t GetBigEndian16(std::span<const std::uint8_t, 2> at) {
    return static_cast<std::uint16_t>((at[0] << 8) | at[1]);
}

} // namespace qv530
