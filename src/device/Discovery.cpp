#include "device/Discovery.h"

#include <cerrno>
#include <cstdio>

#include "platform/DebugLog.h"

namespace qv530 {
namespace {

bool InRange(std::uint16_t length, std::uint16_t low, std::uint16_t high) { return length >= low && length <= high; }

} // namespace

Recognition RecogniseInterface(std::uint16_t product, const HidCaps& caps) {
    Recognition result;
    bool mouse = false;
    for (const Product& known : kProducts)
        if (known.mouse && known.productId == product) {
            mouse = true;
            result.variant = known.variant;
        }
    if (mouse && caps.usagePage == kPageNotification && caps.usage == kUsageMouse && caps.inputReportLength != 0) {
        result.role = InterfaceRole::Reader;
        if (caps.inputReportLength > kReaderBufferSize)
            result.refusal = "Notification interface refused: input report longer than the reader buffer.\n";
    } else if (mouse && caps.usagePage == kPageCommand && caps.usage == kUsageMouse &&
               caps.featureReportLength == kCommandFeatureLength) {
        result.role = InterfaceRole::Command;
        if (!InRange(caps.inputReportLength, kMinChunkReport, kMaxChunkReport) ||
            !InRange(caps.outputReportLength, kMinChunkReport, kMaxChunkReport))
            result.refusal = "Command interface refused: chunk report length outside 65..280.\n";
    } else if (product == kProductPad && caps.usagePage == kPagePad && caps.usage == kUsagePad &&
               caps.featureReportLength == kCommandFeatureLength) {
        result.role = InterfaceRole::Pad;
    }
    return result;
}

const char* RoleName(InterfaceRole role) {
    switch (role) {
    case InterfaceRole::Reader: return "notification";
    case InterfaceRole::Command: return "command";
    case InterfaceRole::Pad: return "pad";
    }
    return "";
}

std::string AccessDeniedMessage(const std::string& node, std::uint16_t product) {
    char id[16];
    std::snprintf(id, sizeof id, "%04X:%04X", kVendorId, product);
    return "Permission denied opening " + node + " (" + id + "). Install the udev rule " + kUdevRuleName +
           " into /etc/udev/rules.d/ and run: udevadm control --reload && udevadm trigger";
}

void Discovery::ReportDenied(const HidInterfaceInfo& info) {
    if (!deniedNodes_.insert(info.path).second) return;
    const std::string message = AccessDeniedMessage(info.path, info.productId);
    DebugWrite(message + "\n");
    accessMessages_.push_back(message);
    if (onAccessDenied) onAccessDenied(message);
}

bool Discovery::Pass(InterfaceRole role, std::uint16_t product, MouseVariant variant) {
    for (const HidInterfaceInfo& info : backend_.Enumerate()) {
        link_.devicePath = info.path;
        DebugPrintf("PID:%04x,VID:%04x,VersionNumber:%04x\n", info.productId, info.vendorId, info.version);
        if (info.vendorId != kVendorId || info.productId != product) continue;
        if (role == InterfaceRole::Pad) {
            DebugWrite("Find our pad hid device.Success\n");
        } else {
            (variant == MouseVariant::A11D ? link_.a11dFirmware : link_.a1dcFirmware) = info.version;
            DebugWrite("Find our hid device.Success\n");
        }
        if (!info.descriptorRead) {
            DebugWrite("HidD_GetPreparsedData failed.\n");
            return false;
        }
        if (info.collections.empty()) {
            DebugWrite("HidP_GetCaps failed.");
            return false;
        }
        for (const HidCaps& caps : info.collections) {
            DebugPrintf("DevicePath:%s,Usage:0x%04x,UsagePage:0x%04x,FeatureReportByteLength:0x%04x,"
                        "InputReportByteLength:0x%x,OutputReportByteLength:0x%x\n",
                        info.path.c_str(), caps.usage, caps.usagePage, caps.featureReportLength,
                        caps.inputReportLength, caps.outputReportLength);
            const Recognition recognised = RecogniseInterface(info.productId, caps);
            if (recognised.role == role && recognised.refusal != nullptr) DebugWrite(recognised.refusal);
            const bool matches = recognised.role == role && recognised.refusal == nullptr;
            if (!matches) continue;

            OpenResult opened = backend_.Open(info, role == InterfaceRole::Reader ? OpenMode::ReadOnly : OpenMode::ReadWrite);
            if (!opened.device) {
                if (opened.error == EACCES || opened.error == EPERM) {
                    ReportDenied(info);
                    continue;
                }
                return false;
            }
            switch (role) {
            case InterfaceRole::Reader: {
                SharedHandle& reader = link_.Reader(variant);
                HidDevicePtr old = reader.Get();
                reader.Set(opened.device);
                if (old && old != opened.device) old->CancelRead();
                link_.ReaderInputLength(variant) = caps.inputReportLength;
                if (onReaderOpened) onReaderOpened(variant);
                break;
            }
            case InterfaceRole::Command:
                link_.Command(variant).Set(opened.device);
                link_.featureReportLength = caps.featureReportLength;
                link_.inputReportLength = caps.inputReportLength;
                link_.outputReportLength = caps.outputReportLength;
                link_.Connected(variant) = 1;
                break;
            case InterfaceRole::Pad:
                link_.pad.Set(opened.device);
                link_.padFeatureReportLength = caps.featureReportLength;
                link_.padConnected = 1;
                break;
            }
            return true;
        }
    }
    DebugWrite("SetupDiEnumDeviceInterfaces failed.\n");
    return false;
}

bool Discovery::FindReader(MouseVariant variant) {
    return Pass(InterfaceRole::Reader, ProductIdOf(variant), variant);
}

bool Discovery::FindCommand(MouseVariant variant) {
    return Pass(InterfaceRole::Command, ProductIdOf(variant), variant);
}

bool Discovery::FindPad() { return Pass(InterfaceRole::Pad, kProductPad, MouseVariant::A11D); }

} // namespace qv530
