#include "usecases/ApplyUseCase.h"

#include <algorithm>

#include "macros/MacroRebuild.h"
#include "profiles/ProfileStore.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {
namespace {

bool SaveProfile(ApplyContext& context) {
    return context.files.SaveProfileFiles(context.settings, context.state);
}

} // namespace

ApplyResult ApplyAndSave(ApplyContext& context) {
    // The configuration file and its captions are saved as one pair, under
    // the lock, at the position the profile has now.
    const StoreSession session(context.files.dataFolder());
    if (!session.ok()) return ApplyResult{0, false, session.refusal() + "; nothing was sent or saved", {}, {}, {}};
    if (HoldsNoSettings(context.settings))
        return ApplyResult{0, false, "the profile was never loaded; nothing was sent or saved", {}, {}, {}};
    bool save = true;
    if (!context.profileId.empty()) {
        const int position = PositionOfProfileId(session, context.profileId);
        if (position < 0) save = false;
        else context.state.profileFileIndex = static_cast<std::uint8_t>(position);
    }
    // A stored report rate of 0 is 500 Hz, as the window shows it: the
    // window and qv530ctl send and save the same byte.
    NormaliseReportRate(context.settings);
    SendContext send{context.settings, context.state, context.link, context.sleeper, context.trace,
                     [&context, save] { return !save || SaveProfile(context); }};
    ApplyResult total = SendToConnectedDevices(send);
    if (save) total.saved = SaveProfile(context) && total.saved;
    else total.notSaved = "another program deleted this profile, so the settings were sent but not saved; "
                          "choose a profile in the profile dialog";
    CopySettings(context.settings, context.sent);
    if (context.applyPointerSettings) context.applyPointerSettings(context.settings);
    return total;
}

ApplyResult ResetAndApply(ApplyContext& context) {
    const StoreSession session(context.files.dataFolder());
    if (!session.ok()) return ApplyResult{0, false, session.refusal() + "; nothing was sent or saved", {}, {}, {}};
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
    const MacroSlotsReport macros = RebuildMacroSlotsFromStore(context.settings, context.files.macroStorePath());
    ApplyResult result = ApplyAndSave(context);
    if (result.refused.empty()) result.warnings = DescribeDroppedEvents(macros);
    return result;
}

void ReloadProfileAfterPlug(ConfigFiles& files, MouseSettings& settings, DeviceState& state) {
    files.LoadCurrentProfile(settings, state);
    files.ReadSideFile();
}

} // namespace qv530
