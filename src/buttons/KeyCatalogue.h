#pragma once
// The key catalogue: display name, HID keyboard usage and the virtual key that
// capture reports, with the conversions between them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv530 {

struct KeyEntry {
    std::string_view name;
    std::uint8_t usage;       // HID keyboard/keypad usage; 0 for names without one
    std::uint16_t virtualKey; // kNoVirtualKey when capture never reports the key
};

inline constexpr std::uint16_t kNoVirtualKey = 0xFFFF;
// Virtual keys the catalogue treats specially.
inline constexpr std::uint16_t kVkEnter = 0x0D;
inline constexpr std::uint16_t kVkNumEnter = 0x6C;
// Text shown for a usage the catalogue does not know.
inline constexpr std::string_view kUnknownKeyName = "N/A";

// Every key of the catalogue in usage order.
std::span<const KeyEntry> KeyCatalogue();
// The names capture gives beside the catalogue's: another spelling of a key,
// or a key without a usage ("Help", "Select", ...), which a button stores as 0.
std::span<const KeyEntry> CaptureOnlyNames();

// Usage of a display or capture name (exact, case-sensitive); 0 when unknown.
// "App" and "Left GUI" are accepted beside "Application" and "Left Windows".
std::uint8_t UsageFromKeyName(std::string_view name);
// Display name of a usage; "N/A" when the usage is not in the catalogue.
std::string KeyNameFromUsage(std::uint8_t usage);
// Name capture gives a virtual key; an extended Enter is the keypad Enter.
// Empty when the key is not known.
std::string KeyNameFromVirtualKey(std::uint16_t virtualKey, bool extended = false);

} // namespace qv530
