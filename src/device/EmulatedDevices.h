#pragma once
// Emulated mice (both variants) and pad behind the HID seam, used by --demo
// and by the tests. They answer the protocol predictably:
//   device state starts 02 01 00 00; the report-rate command stores its bytes 1..4;
//   the device-state query answers 81 s0 s1 s2 s3 00 00 cs;
//   the stage query answers 87 s 00 00 00 00 00 cs; the stage command stores its byte 1;
//   the light-block query answers 8C 00 00 01 00 00 00 cs and one chunk with the
//   stored block (00 01 .. 3F at first); the light-block command stores its chunk;
//   other commands and chunks are stored, unknown ones are kept and ignored;
//   the pad answers a feature read with zeros.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "device/DeviceLink.h"
#include "platform/HidDevice.h"

namespace qv530 {

inline constexpr std::uint16_t kEmulatedFirmwareA11D = 0x0302;
inline constexpr std::uint16_t kEmulatedFirmwareA1DC = 0x0107;

// A queue of input reports that a Read waits on.
class InputQueue {
public:
    void Push(std::vector<std::uint8_t> report);
    int Pop(std::span<std::uint8_t> report); // blocks; 0 when cancelled, -1 when unplugged
    void Cancel();
    void ResetCancel();
    void Unplug();

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::vector<std::uint8_t>> reports_;
    bool cancelled_ = false;
    bool unplugged_ = false;
};

class EmulatedMouse {
public:
    explicit EmulatedMouse(MouseVariant variant, std::uint16_t firmware = 0);

    MouseVariant variant() const { return variant_; }
    std::uint16_t firmware() const { return firmware_; }
    HidDevicePtr commandInterface() const { return command_; }
    HidDevicePtr notificationInterface() const { return notification_; }

    // The mouse's own DPI button: stores the stage and sends 04 01 00 s.
    void InjectStageChange(std::uint8_t stage);
    // Every later report fails and blocked reads return an error.
    void Unplug();
    // A fault for tests and demonstrations: the mouse takes this many more
    // reports (features set or asked for, chunks written) and is unplugged at
    // the next one, as a cable pulled in the middle of an Apply.
    void UnplugAfter(int reports);

    struct State {
        std::array<std::uint8_t, 4> deviceState{0x02, 0x01, 0x00, 0x00};
        std::uint8_t currentStage = 0;
        std::array<std::uint8_t, 64> lightBlock{};
        std::array<std::uint8_t, 64> buttonMap{};
        std::array<std::uint8_t, 64> dpiColours{};
        std::map<int, std::vector<std::uint8_t>> macros; // slot -> 192 bytes
        std::array<std::uint8_t, 8> lastBlock{};
        std::vector<std::array<std::uint8_t, 8>> unknownBlocks;
        bool unplugged = false;
    };
    State Snapshot() const;

private:
    class Command;
    class Notification;
    friend class Command;

    // False when the mouse is unplugged, or is unplugged now by UnplugAfter.
    bool TakeReport();
    bool HandleFeature(std::span<const std::uint8_t> report);
    bool AnswerFeature(std::span<std::uint8_t> report);
    bool HandleChunk(std::span<const std::uint8_t> report);
    void FinishTransfer();

    MouseVariant variant_;
    std::uint16_t firmware_;
    mutable std::mutex mutex_;
    State state_;
    std::array<std::uint8_t, 8> answer_{};
    int reportsBeforeUnplug_ = -1; // -1: no unplug planned
    std::uint8_t transferCode_ = 0;
    std::uint8_t transferIndex_ = 0;
    std::size_t chunksExpected_ = 0;
    std::vector<std::uint8_t> transferData_;
    std::shared_ptr<InputQueue> commandInput_;
    std::shared_ptr<InputQueue> notificationInput_;
    HidDevicePtr command_;
    HidDevicePtr notification_;
};

class EmulatedPad final : public HidDevice {
public:
    bool SetFeature(std::span<const std::uint8_t> report) override;
    bool GetFeature(std::span<std::uint8_t> report) override;
    bool Write(std::span<const std::uint8_t>) override { return false; }
    int Read(std::span<std::uint8_t>) override { return -1; }
    void CancelRead() override {}
    void ResetCancel() override {}
    // The frames received, in order.
    std::vector<std::vector<std::uint8_t>> Frames() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::vector<std::uint8_t>> frames_;
};

// The interfaces of the plugged emulated devices, as discovery sees them.
class EmulatedBackend final : public HidBackend {
public:
    void Plug(std::shared_ptr<EmulatedMouse> mouse);
    void Plug(std::shared_ptr<EmulatedPad> pad);
    void UnplugMouse(MouseVariant variant);
    void UnplugPad();

    std::vector<HidInterfaceInfo> Enumerate() override;
    OpenResult Open(const HidInterfaceInfo& info, OpenMode mode) override;

    // The udev path of a device's HID node, as an add or remove event names it.
    static std::string EventPath(std::uint16_t product);

private:
    std::mutex mutex_;
    std::map<MouseVariant, std::shared_ptr<EmulatedMouse>> mice_;
    std::shared_ptr<EmulatedPad> pad_;
};

// Report lengths of the emulated interfaces.
HidCaps EmulatedCommandCaps();
HidCaps EmulatedNotificationCaps();
HidCaps EmulatedPadCaps();

} // namespace qv530
