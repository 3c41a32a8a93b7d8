#include "usecases/ApplyUseCase.h"

#include <algorithm>

#include "macros/MacroRebuild.h"
#include "platform/FolderLock.h"

namespace qv530 {
namespace {

bool SaveProfile(ApplyContext& context) {
    const bool saved = context.files.SaveCurrentProfile(context.settings, context.state);
    const bool captions = context.files.WriteCaptions();
    return saved && captions;
}

} // namespace

ApplyResult ApplyAndSave(ApplyContext& context) {
    // The configuration file and its captions are saved as one pair.
    const FolderLock lock(context.files.dataFolder());
    if (lock.busy()) return ApplyResult{0, false, lock.BusyMessage() + "; nothing was sent or saved", {}};
    if (HoldsNoSettings(context.settings))
        return ApplyResult{0, false, "the profile was never loaded; nothing was sent or saved", {}};
    SendContext send{context.settings, context.state, context.link, context.sleeper, context.trace,
                     [&context] { return SaveProfile(context); }};
    ApplyResult total = SendToConnectedDevices(send);
    total.saved = SaveProfile(context) && total.saved;
    CopySettings(context.settings, context.sent);
    if (context.applyPointerSettings) context.applyPointerSettings(context.settings);
    return total;
}

ApplyResult ResetAndApply(ApplyContext& context) {
    const FolderLock lock(context.files.dataFolder());
    if (lock.busy()) return ApplyResult{0, false, lock.BusyMessage() + "; nothing was sent or saved", {}};
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
