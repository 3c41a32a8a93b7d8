#pragma once
// The parameter choices of the multimedia, office-shortcut, Windows-shortcut
// and DPI-action functions, in menu order, with their names.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "buttons/LocalisedName.h"

namespace qv530 {

struct MultimediaKey {
    std::uint8_t stored;   // byte kept in the record: low byte of the usage
    std::uint16_t usage;   // consumer page usage the mouse sends
    LocalisedName name;
};

struct OfficeShortcut {
    std::string_view key;  // the letter pressed with Ctrl
    std::uint8_t usage;    // keyboard usage kept in the record
    LocalisedName name;
};

struct WindowsShortcut {
    LocalisedName name;    // the record keeps the index
};

struct DpiActionEntry {
    std::uint8_t value;    // ButtonParam
    LocalisedName name;
};

std::span<const MultimediaKey> MultimediaKeys();
std::span<const OfficeShortcut> OfficeShortcuts();
std::span<const WindowsShortcut> WindowsShortcuts();
std::span<const DpiActionEntry> DpiActions();

// Lookups by the byte kept in the record.
std::optional<MultimediaKey> MultimediaKeyByStored(std::uint8_t stored);
std::optional<OfficeShortcut> OfficeShortcutByUsage(std::uint8_t usage);
std::optional<WindowsShortcut> WindowsShortcutByIndex(std::uint8_t index);
std::optional<DpiActionEntry> DpiActionByValue(std::uint8_t value);

} // namespace qv530
