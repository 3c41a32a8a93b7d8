#pragma once
// The opened interfaces of the two mouse variants and the pad, with the
// connected flags, report lengths and firmware versions found by the last
// discovery. Flags and handles are shared with the reader threads.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "device/HidPort.h"
#include "platform/HidDevice.h"

namespace qv530 {

#include <array>
#include <string_view>

inline constexpr std::uint16_t kVendorId = 0x04D9;
inline constexpr std::uint16_t kProductA11D = 0xA11D;
inline constexpr std::uint16_t kProductA1DC = 0xA1DC;
inline constexpr std::uint16_t kProductPad = 0xA1C9;

enum class MouseVariant { A11D, A1DC };

// Our products: the one table discovery, the plug events and the emulator use.
struct Product {
    std::uint16_t productId;
    std::string_view kernelName; // as the kernel's HID device name carries it, upper case
    bool mouse;
    MouseVariant variant;        // mice only
};
inline constexpr std::array<Product, 3> kProducts{{
    {kProductA11D, "04D9:A11D", true, MouseVariant::A11D},
    {kProductA1DC, "04D9:A1DC", true, MouseVariant::A1DC},
    {kProductPad, "04D9:A1C9", false, MouseVariant::A11D},
}};
constexpr std::uint16_t ProductIdOf(MouseVariant variant) {
    for (const Product& product : kProducts)
        if (product.mouse && product.variant == variant) return product.productId;
    return 0;
}

// A handle the main thread replaces while a reader thread may be using it.
class SharedHandle {
public:
    HidDevicePtr Get() const { return handle_.load(); }
    void Set(HidDevicePtr device) { handle_.store(std::move(device)); }
    explicit operator bool() const { return Get() != nullptr; }

private:
    std::atomic<HidDevicePtr> handle_;
};

struct DeviceLink {
    SharedHandle a11dCommand, a1dcCommand;
    SharedHandle a11dReader, a1dcReader;
    SharedHandle pad;
    std::atomic<int> a11dConnected{0}, a1dcConnected{0}, padConnected{0};
    // Lengths of the most recently opened mouse command interface (the pad uses the feature length too).
    std::atomic<std::uint16_t> featureReportLength{0}, inputReportLength{0}, outputReportLength{0};
    std::atomic<std::uint16_t> a11dReaderInputLength{0}, a1dcReaderInputLength{0};
    // The pad's own feature length: with the pad alone no mouse length exists.
    std::atomic<std::uint16_t> padFeatureReportLength{0};
    std::atomic<std::uint32_t> a11dFirmware{0}, a1dcFirmware{0};
    std::string devicePath; // the interface being examined (main thread only)

    SharedHandle& Command(MouseVariant v) { return v == MouseVariant::A11D ? a11dCommand : a1dcCommand; }
    SharedHandle& Reader(MouseVariant v) { return v == MouseVariant::A11D ? a11dReader : a1dcReader; }
    std::atomic<int>& Connected(MouseVariant v) { return v == MouseVariant::A11D ? a11dConnected : a1dcConnected; }
    std::atomic<std::uint16_t>& ReaderInputLength(MouseVariant v) {
        return v == MouseVariant::A11D ? a11dReaderInputLength : a1dcReaderInputLength;
    }
    ReportLengths Lengths() const { return {featureReportLength.load(), inputReportLength.load(), outputReportLength.load()}; }
    bool AnyMouse() const { return a11dConnected.load() == 1 || a1dcConnected.load() == 1; }

    // Closes every handle (at the end of the program).
    void CloseAll();
};

// Trace and debug name of a device: "a11d", "a1dc", "pad".
const char* DeviceName(MouseVariant variant);
inline constexpr const char* kPadName = "pad";

} // namespace qv530
