#include "usecases/ApplyUseCase.h"

#include <algorithm>

#include "macros/MacroRebuild.h"

namespace qv530 {
namespace {

bool SaveProfile(ApplyContext& context) {
    const bool saved = context.files.SaveCurrentProfile(context.settings, context.state);
    context.files.WriteCaptions();
    return saved;
}

} // namespace

ApplyResult ApplyAndSave(ApplyContext& context) {
    SendContext send{context.settings, context.state, context.link, context.sleeper, context.trace,
                     [&context] { return SaveProfile(context); }};
    ApplyResult total = SendToConnectedDevices(send);
    total.saved = SaveProfile(context) && total.saved;
    CopySettings(context.settings, context.sent);
    if (context.applyPointerSettings) context.applyPointerSettings(context.settings);
    return total;
}

ApplyResult ResetAndApply(ApplyContext& context) {
    MouseSettings& s = context.settings;
    const std::uint8_t profileSlot = s.at(field::kProfileSlot);
    std::array<std::uint8_t, field::kMacroSlotCount * field::kMacroSlotSize> macros{};
    std::copy_n(s.MacroSlot(0), macros.size(), macros.begin());
    context.state.useFactoryFiles = 1;

    context.files.LoadCurrentProfile(s, context.state);
    ResetToDefaults(s);
    context.files.ReadSideFile();

    s.at(field::kProfileSlot) = profileSlot;
    std::copy(macros.begin(), macros.end(), s.MacroSlot(0));
    ApplyResult result = ApplyAndSave(context);
    context.state.useFactoryFiles = 0;
    return result;
}

ApplyResult ApplySettings(ApplyContext& context) {
    RebuildMacroSlotsFromStore(context.settings, context.files.macroStorePath());
    return ApplyAndSave(context);
}

void ReloadProfileAfterPlug(ConfigFiles& files, MouseSettings& settings, DeviceState& state) {
    files.LoadCurrentProfile(settings, state);
    files.ReadSideFile();
}

} // namespace qv530
