#include "buttons/KeyTable.h"

#include <algorithm>

#include "buttons/KeyCode.h"

namespace qv530 {
namespace {

struct FixedEntry {
    std::size_t entry;
    KeyCode code;
};
constexpr std::array<FixedEntry, 4> kFixedEntries{{
    {7, {0x00, 0x00, 0x03, 0x0C}},
    {8, {0x00, 0x00, 0x01, 0x0B}},
    {14, {0x00, 0x01, 0x01, 0x05}},
    {15, {0x00, 0x01, 0x02, 0x05}},
}};

void PutEntry(std::array<std::uint8_t, kKeyTableSize>& table, std::size_t entry, const KeyCode& code) {
    std::copy(code.begin(), code.end(), table.begin() + static_cast<std::ptrdiff_t>(entry * kKeyTableEntrySize));
}

} // namespace

std::array<std::uint8_t, kKeyTableSize> BuildKeyTable(const MouseSettings& settings) {
    std::array<std::uint8_t, kKeyTableSize> table{};
    for (std::size_t button = 0; button < field::kSentButtons; ++button) {
        PutEntry(table, KeyTableEntryOfButton(button), KeyCodeFor(settings, button));
    }
    for (const auto& fixed : kFixedEntries) {
        PutEntry(table, fixed.entry, fixed.code);
    }
    return table;
}

} // namespace qv530
