#include "device/EmulatedDevices.h"

#include <algorithm>
#include <cstdio>

#include "device/CommandFraming.h"
#include "device/Discovery.h"
#include "device/MouseCommands.h"
#include <cerrno>

namespace qv530 {
namespace {

constexpr std::uint16_t kChunkReportLength = 65;
constexpr std::uint16_t kNotificationLength = 9;
constexpr std::uint8_t kNotificationId = 0x04;
constexpr std::uint8_t kStageChangeEvent = 0x01;
constexpr std::size_t kChunkCountParam = 3;
constexpr std::size_t kMacroIndexParam = 2;

std::string Hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

} // namespace

// ---- input queue ---------------------------------------------------------

void InputQueue::Push(std::vector<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    reports_.push_back(std::move(report));
    ready_.notify_all();
}

int InputQueue::Pop(std::span<std::uint8_t> report) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return cancelled_ || unplugged_ || !reports_.empty(); });
    if (unplugged_) return -1;
    if (cancelled_) return 0;
    const std::vector<std::uint8_t> next = std::move(reports_.front());
    reports_.pop_front();
    const std::size_t count = std::min(next.size(), report.size());
    std::copy_n(next.begin(), count, report.begin());
    return static_cast<int>(count);
}

void InputQueue::Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    ready_.notify_all();
}

void InputQueue::ResetCancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
}

void InputQueue::Unplug() {
    std::lock_guard lock(mutex_);
    unplugged_ = true;
    ready_.notify_all();
}

// ---- mouse ---------------------------------------------------------------

class EmulatedMouse::Command final : public HidDevice {
public:
    Command(EmulatedMouse& mouse, std::shared_ptr<InputQueue> input) : mouse_(mouse), input_(std::move(input)) {}
    bool SetFeature(std::span<const std::uint8_t> report) override { return mouse_.HandleFeature(report); }
    bool GetFeature(std::span<std::uint8_t> report) override { return mouse_.AnswerFeature(report); }
    bool Write(std::span<const std::uint8_t> report) override { return mouse_.HandleChunk(report); }
    int Read(std::span<std::uint8_t> report) override { return input_->Pop(report); }
    void CancelRead() override { input_->Cancel(); }
    void ResetCancel() override { input_->ResetCancel(); }

private:
    EmulatedMouse& mouse_;
    std::shared_ptr<InputQueue> input_;
};

class EmulatedMouse::Notification final : public HidDevice {
public:
    explicit Notification(std::shared_ptr<InputQueue> input) : input_(std::move(input)) {}
    bool SetFeature(std::span<const std::uint8_t>) override { return false; }
    bool GetFeature(std::span<std::uint8_t>) override { return false; }
    bool Write(std::span<const std::uint8_t>) override { return false; }
    int Read(std::span<std::uint8_t> report) override { return input_->Pop(report); }
    void CancelRead() override { input_->Cancel(); }
    void ResetCancel() override { input_->ResetCancel(); }

private:
    std::shared_ptr<InputQueue> input_;
};

EmulatedMouse::EmulatedMouse(MouseVariant variant, std::uint16_t firmware)
    : variant_(variant),
      firmware_(firmware != 0 ? firmware
                              : (variant == MouseVariant::A11D ? kEmulatedFirmwareA11D : kEmulatedFirmwareA1DC)),
      commandInput_(std::make_shared<InputQueue>()),
      notificationInput_(std::make_shared<InputQueue>()) {
    for (std::size_t i = 0; i < state_.lightBlock.size(); ++i) state_.lightBlock[i] = static_cast<std::uint8_t>(i);
    command_ = std::make_shared<Command>(*this, commandInput_);
    notification_ = std::make_shared<Notification>(notificationInput_);
}

void EmulatedMouse::InjectStageChange(std::uint8_t stage) {
    {
        std::lock_guard lock(mutex_);
        state_.currentStage = stage;
    }
    notificationInput_->Push({kNotificationId, kStageChangeEvent, 0x00, stage, 0, 0, 0, 0, 0});
}

void EmulatedMouse::Unplug() {
    {
        std::lock_guard lock(mutex_);
        state_.unplugged = true;
    }
    commandInput_->Unplug();
    notificationInput_->Unplug();
}

void EmulatedMouse::UnplugAfter(int reports) {
    std::lock_guard lock(mutex_);
    reportsBeforeUnplug_ = reports;
}

bool EmulatedMouse::TakeReport() {
    if (state_.unplugged) return false;
    if (reportsBeforeUnplug_ < 0) return true;
    if (reportsBeforeUnplug_ > 0) {
        --reportsBeforeUnplug_;
        return true;
    }
    reportsBeforeUnplug_ = -1;
    state_.unplugged = true;
    commandInput_->Unplug();
    notificationInput_->Unplug();
    return false;
}

EmulatedMouse::State EmulatedMouse::Snapshot() const {
    std::lock_guard lock(mutex_);
    return state_;
}

bool EmulatedMouse::HandleFeature(std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (report.size() < kReportPayload + kBlockSize || !TakeReport()) return false;
    std::array<std::uint8_t, kBlockSize> block{};
    std::copy_n(report.begin() + kReportPayload, kBlockSize, block.begin());
    state_.lastBlock = block;
    answer_.fill(0);
    const auto answerWith = [&](std::initializer_list<std::uint8_t> bytes) {
        CommandBlock a{};
        std::copy(bytes.begin(), bytes.end(), a.begin());
        a[kBlockChecksum] = BlockChecksum(a);
        answer_ = a;
    };
    switch (block[0]) {
    case cmd::kSetReportRate: std::copy_n(block.begin() + 1, 4, state_.deviceState.begin()); break;
    case cmd::kGetDeviceState:
        answerWith({cmd::kGetDeviceState, state_.deviceState[0], state_.deviceState[1], state_.deviceState[2],
                    state_.deviceState[3]});
        break;
    case cmd::kGetDpiStage: answerWith({cmd::kGetDpiStage, state_.currentStage}); break;
    case cmd::kSetDpiStages: state_.currentStage = block[1]; break;
    case cmd::kSetDpiStagesHigh:
    case cmd::kSetSensitivity:
    case cmd::kSetLightEffect: break;
    case cmd::kGetLightBlock: {
        answerWith({cmd::kGetLightBlock, 0x00, 0x00, kOneChunk});
        std::vector<std::uint8_t> chunk(kChunkReportLength, 0);
        std::copy(state_.lightBlock.begin(), state_.lightBlock.end(), chunk.begin() + kReportPayload);
        commandInput_->Push(std::move(chunk));
        break;
    }
    case cmd::kSetButtonMap:
    case cmd::kSetMacro:
    case cmd::kSetDpiColors:
    case cmd::kSetLightBlock:
        transferCode_ = block[0];
        transferIndex_ = block[kMacroIndexParam];
        chunksExpected_ = block[kChunkCountParam];
        transferData_.clear();
        break;
    default: state_.unknownBlocks.push_back(block); break;
    }
    return true;
}

bool EmulatedMouse::AnswerFeature(std::span<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (report.size() < kReportPayload + kBlockSize || !TakeReport()) return false;
    report[kReportIdByte] = 0;
    std::copy(answer_.begin(), answer_.end(), report.begin() + kReportPayload);
    return true;
}

bool EmulatedMouse::HandleChunk(std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (report.size() < kReportPayload + kChunkSize || !TakeReport()) return false;
    if (chunksExpected_ == 0) return true; // a chunk nobody announced is ignored
    transferData_.insert(transferData_.end(), report.begin() + kReportPayload,
                         report.begin() + kReportPayload + kChunkSize);
    if (--chunksExpected_ == 0) FinishTransfer();
    return true;
}

void EmulatedMouse::FinishTransfer() {
    const auto first64 = [&](std::array<std::uint8_t, 64>& target) {
        std::copy_n(transferData_.begin(), std::min(target.size(), transferData_.size()), target.begin());
    };
    switch (transferCode_) {
    case cmd::kSetButtonMap: first64(state_.buttonMap); break;
    case cmd::kSetDpiColors: first64(state_.dpiColours); break;
    case cmd::kSetLightBlock: first64(state_.lightBlock); break;
    case cmd::kSetMacro: state_.macros[transferIndex_] = transferData_; break;
    default: break;
    }
}

// ---- pad -----------------------------------------------------------------

bool EmulatedPad::SetFeature(std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    frames_.emplace_back(report.begin(), report.end());
    return true;
}

bool EmulatedPad::GetFeature(std::span<std::uint8_t> report) {
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    return true;
}

std::vector<std::vector<std::uint8_t>> EmulatedPad::Frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

// ---- backend -------------------------------------------------------------

HidCaps EmulatedCommandCaps() {
    return {kPageCommand, kUsageMouse, kChunkReportLength, kChunkReportLength, kCommandFeatureLength, false};
}

HidCaps EmulatedNotificationCaps() { return {kPageNotification, kUsageMouse, kNotificationLength, 0, 0, true}; }

HidCaps EmulatedPadCaps() { return {kPagePad, kUsagePad, 0, 0, kCommandFeatureLength, false}; }

std::string EmulatedBackend::EventPath(std::uint16_t product) {
    return "/devices/emulated/0003:" + Hex4(kVendorId) + ":" + Hex4(product) + ".0001/hidraw/hidraw0";
}

void EmulatedBackend::Plug(std::shared_ptr<EmulatedMouse> mouse) {
    std::lock_guard lock(mutex_);
    mice_[mouse->variant()] = std::move(mouse);
}

void EmulatedBackend::Plug(std::shared_ptr<EmulatedPad> pad) {
    std::lock_guard lock(mutex_);
    pad_ = std::move(pad);
}

void EmulatedBackend::UnplugMouse(MouseVariant variant) {
    std::lock_guard lock(mutex_);
    if (auto found = mice_.find(variant); found != mice_.end()) {
        found->second->Unplug();
        mice_.erase(found);
    }
}

void EmulatedBackend::UnplugPad() {
    std::lock_guard lock(mutex_);
    pad_.reset();
}

std::vector<HidInterfaceInfo> EmulatedBackend::Enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> list;
    for (const auto& [variant, mouse] : mice_) {
        const std::uint16_t product = ProductIdOf(variant);
        const std::string name = DeviceName(variant);
        const std::string kernel = "0003:" + Hex4(kVendorId) + ":" + Hex4(product);
        list.push_back({"emulated:" + name + ":command", kernel + ".0001", kVendorId, product, mouse->firmware(), true,
                        {EmulatedCommandCaps()}});
        list.push_back({"emulated:" + name + ":notification", kernel + ".0002", kVendorId, product, mouse->firmware(),
                        true, {EmulatedNotificationCaps()}});
    }
    if (pad_)
        list.push_back({"emulated:pad", "0003:04D9:A1C9.0003", kVendorId, kProductPad, 0x0100, true, {EmulatedPadCaps()}});
    return list;
}

OpenResult EmulatedBackend::Open(const HidInterfaceInfo& info, OpenMode) {
    std::lock_guard lock(mutex_);
    for (const auto& [variant, mouse] : mice_) {
        const std::string name = DeviceName(variant);
        if (info.path == "emulated:" + name + ":command") return {mouse->commandInterface(), 0};
        if (info.path == "emulated:" + name + ":notification") return {mouse->notificationInterface(), 0};
    }
    if (pad_ && info.path == "emulated:pad") return {pad_, 0};
    return {nullptr, ENODEV};
}

} // namespace qv530
