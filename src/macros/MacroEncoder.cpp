#include "macros/MacroEncoder.h"

#include <algorithm>

#include "buttons/KeyCatalogue.h"
#include "macros/BigEndian.h"
#include "macros/MacroItem.h"
#include "macros/MacroReadRules.h"

namespace qv530 {
namespace {

using namespace macroslot;

bool IsEvent(MacroItemKind kind) { return kind == MacroItemKind::Press || kind == MacroItemKind::Release; }

// The wait before the event at items[index]: the delay item right before it,
// else the default; never under 10 ms, and capped at what 16 bits hold.
std::uint16_t DelayBefore(const std::vector<std::string>& items, std::size_t index) {
    std::int64_t delay = kDefaultDelayMs;
    const std::string& previous = items[index - 1];
    if (ClassifyMacroItem(previous) == MacroItemKind::Delay) {
        delay = MacroItemDelay(previous);
    }
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(delay, kMinDelayMs, kMaxDelayMs));
}

void ZeroEncodedBytes(MacroSlotSpan slot) { std::fill_n(slot.begin(), kEncodedSize, std::uint8_t{0}); }

} // namespace

SlotEncoding EncodeMacroSlot(const StoredMacro& macro, std::uint8_t leadByte, MacroSlotSpan slot) {
    const auto& items = macro.items;
    const auto firstPress = std::find_if(items.begin(), items.end(), [](const std::string& item) {
        return ClassifyMacroItem(item) == MacroItemKind::Press;
    });
    ZeroEncodedBytes(slot);
    if (firstPress == items.end()) {
        return {};
    }
    PutBigEndian16(slot.subspan<kLoopCount, 2>(), LoopCountFromText(macro.loopText));
    slot[kFirstLead] = leadByte;
    slot[kFirstKey] = UsageFromKeyName(MacroItemKeyName(*firstPress));

    SlotEncoding result{1, 0};
    for (auto index = static_cast<std::size_t>(firstPress - items.begin()) + 1; index < items.size(); ++index) {
        const MacroItemKind kind = ClassifyMacroItem(items[index]);
        if (!IsEvent(kind)) {
            continue;  // a delay only serves the event after it
        }
        if (result.eventsEncoded == kMaxEvents) {
            ++result.eventsDropped;
            continue;
        }
        const auto event = slot.subspan(kEventArea + kEventSize * (result.eventsEncoded - 1)).first<kEventSize>();
        event[kEventType] = kind == MacroItemKind::Press ? kPress : kRelease;
        event[kEventKey] = UsageFromKeyName(MacroItemKeyName(items[index]));
        PutBigEndian16(event.subspan<kEventDelay, 2>(), DelayBefore(items, index));
        ++result.eventsEncoded;
    }
    return result;
}

MacroSlotsReport BuildMacroSlots(const std::vector<NamedMacro>& macros, std::uint8_t leadByte, MacroAreaSpan area) {
    MacroSlotsReport report;
    const std::size_t encoded = std::min(macros.size(), kCount);
    report.macrosLeftOut = macros.size() - encoded;
    for (std::size_t i = 0; i < encoded; ++i) {
        const auto slot = area.subspan(kSize * i).first<kSize>();
        const SlotEncoding encoding = EncodeMacroSlot(macros[i].macro, leadByte, slot);
        report.macros.push_back({macros[i].name, i, encoding.eventsEncoded, encoding.eventsDropped});
    }
    return report;
}

MacroSlotsReport BuildMacroSlots(const MacroStore& store, std::uint8_t leadByte, MacroAreaSpan area) {
    return BuildMacroSlots(store.ReadAllMacros(), leadByte, area);
}

MacroAreaSpan MacroArea(MouseSettings& settings) {
    return MacroAreaSpan{settings.MacroSlot(0), kAreaSize};
}

} // namespace qv530
