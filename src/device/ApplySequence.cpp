#include "device/ApplySequence.h"

#include <algorithm>

#include "buttons/KeyTable.h"
#include "device/CommandFraming.h"
#include "macros/MacroStaging.h"
#include "platform/DebugLog.h"

namespace qv530 {
namespace {

// Counts the reports a device refused, without changing what is sent.
class CountingDevice final : public HidDevice {
public:
    explicit CountingDevice(HidDevicePtr inner) : inner_(std::move(inner)) {}
    bool SetFeature(std::span<const std::uint8_t> r) override { return Count(inner_ && inner_->SetFeature(r)); }
    bool GetFeature(std::span<std::uint8_t> r) override { return Count(inner_ && inner_->GetFeature(r)); }
    bool Write(std::span<const std::uint8_t> r) override { return Count(inner_ && inner_->Write(r)); }
    int Read(std::span<std::uint8_t> r) override {
        const int got = inner_ ? inner_->Read(r) : -1;
        Count(got > 0);
        return got;
    }
    void CancelRead() override {
        if (inner_) inner_->CancelRead();
    }
    void ResetCancel() override {
        if (inner_) inner_->ResetCancel();
    }
    int failures = 0;

private:
    bool Count(bool ok) {
        if (!ok) ++failures;
        return ok;
    }
    HidDevicePtr inner_;
};

ApplyResult RunOn(const HidDevicePtr& device, ReportLengths lengths, SendContext& context, const char* name,
                  const std::function<ApplyResult(HidPort&)>& sequence) {
    auto counting = std::make_shared<CountingDevice>(device);
    HidPort port(counting, lengths, context.sleeper, name, context.trace);
    ApplyResult result = sequence(port);
    result.failedReports += counting->failures;
    if (counting->failures > 0) result.failedDevices.push_back({name, counting->failures});
    return result;
}

void Merge(ApplyResult& total, const ApplyResult& part) {
    total.failedReports += part.failedReports;
    total.failedDevices.insert(total.failedDevices.end(), part.failedDevices.begin(), part.failedDevices.end());
    total.saved = total.saved && part.saved;
}

} // namespace

StageTable StageTableInUse(const DeviceLink& link) {
    return link.a11dConnected.load() == 1 ? StageTable::A : StageTable::B;
}

ApplyResult SendAllToMouse(HidPort& port, SendContext& context) {
    const MouseSettings& s = context.settings;
    DeviceState& state = context.state;
    const StageTable table = StageTableInUse(context.link);

    CommandBlock query = QueryBlock(cmd::kGetDeviceState);
    SendCommand(port, query, true);
    std::copy_n(query.begin() + 1, state.state.size(), state.state.begin());
    DebugPrintf("ReportRate:%02x\n", state.state[0]);

    state.state[0] = s.at(field::kReportRate);
    SendCommandOnly(port, ReportRateBlock(s, state.state));

    SendCommandOnly(port, SensitivityBlock(s));
    port.Pause(kFeaturePauseMs); // the sensitivity command needs a second pause

    CommandBlock colours = OneChunkBlock(cmd::kSetDpiColors);
    auto colourChunk = DpiColourChunk(s);
    TransferBlock(port, colours, colourChunk, false, kChunkSize);

    CommandBlock stage = QueryBlock(cmd::kGetDpiStage);
    SendCommand(port, stage, true);
    state.currentDpiStage = stage[1];
    DebugPrintf("nCurDPI:%02x\n", state.currentDpiStage);

    SendCommandOnly(port, DpiStagesHighBlock(s, table));
    SendCommandOnly(port, DpiStagesBlock(s, table, state.currentDpiStage));

    CommandBlock map = OneChunkBlock(cmd::kSetButtonMap);
    auto keyTable = BuildKeyTable(s);
    TransferBlock(port, map, keyTable, false, kKeyTableSize);

    MacroStagingBuffer staging = StageMacroArea(s);
    for (std::uint8_t k = 0; k < field::kMacroSlotCount; ++k) {
        CommandBlock macro = MacroBlock(k);
        std::array<std::uint8_t, kMacroTransferSize> payload{};
        const auto source = MacroTransferPayload(staging, k);
        std::copy(source.begin(), source.end(), payload.begin());
        TransferBlock(port, macro, payload, false, kMacroTransferSize);
    }

    CommandBlock getLight = OneChunkBlock(cmd::kGetLightBlock);
    std::array<std::uint8_t, kChunkSize> lightRead{};
    TransferBlock(port, getLight, lightRead, true, kChunkSize);
    std::copy_n(lightRead.begin(), kLightBlockKept, state.lightBlock.begin());
    CommandBlock setLight = OneChunkBlock(cmd::kSetLightBlock);
    auto lightChunk = LightBlockChunk(s, lightRead);
    TransferBlock(port, setLight, lightChunk, false, kChunkSize);

    SendCommandOnly(port, LightEffectBlock(s));

    ApplyResult result;
    if (context.afterMouse) result.saved = context.afterMouse();
    return result;
}

ApplyResult SendPadLighting(HidPort& port, const MouseSettings& s) {
    SendPadCommand(port, padcmd::kSetPalette01, PadPaletteParams(s, 0));
    SendPadCommand(port, padcmd::kSetPalette23, PadPaletteParams(s, 1));
    SendPadCommand(port, padcmd::kSetPalette45, PadPaletteParams(s, 2));
    SendPadCommand(port, padcmd::kSetLightEffect, PadLightEffectParams(s));
    // The pad's state is read back and discarded.
    std::array<std::uint8_t, kFeatureBufferSize> answer{};
    answer[kReportPayload] = padcmd::kGetState;
    port.GetFeature(std::span<std::uint8_t>(answer.data(), std::min<std::size_t>(port.lengths().feature, answer.size())));
    port.Pause(kFeaturePauseMs);
    return {};
}

ApplyResult SendToConnectedDevices(SendContext& context) {
    ApplyResult total;
    DeviceLink& link = context.link;
    for (MouseVariant variant : {MouseVariant::A11D, MouseVariant::A1DC}) {
        if (link.Connected(variant).load() != 1) continue;
        Merge(total, RunOn(link.Command(variant).Get(), link.Lengths(), context, DeviceName(variant),
                           [&](HidPort& port) { return SendAllToMouse(port, context); }));
    }
    if (link.padConnected.load() == 1) {
        // The mice's feature length, as the pad shares it; the pad's own when no mouse is there.
        const std::uint16_t feature =
            link.featureReportLength.load() != 0 ? link.featureReportLength.load() : link.padFeatureReportLength.load();
        const ReportLengths padLengths{feature, 0, 0};
        Merge(total, RunOn(link.pad.Get(), padLengths, context, kPadName,
                           [&](HidPort& port) { return SendPadLighting(port, context.settings); }));
    }
    return total;
}

} // namespace qv530
