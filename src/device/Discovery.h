#pragma once
// Finding and opening the interfaces of the mice and the pad. Each finder
// runs one pass over the present HID interfaces for one role:
//
//   role               product  usage page  usage   length condition
//   notification       mouse    FF02        0001    input report length not 0
//   command            mouse    FF01        0001    feature report length 9
//   pad                A1C9     FF00        FF00    feature report length 9
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "platform/HidDevice.h"

namespace qv530 {

// Usage pages and usages of the three interface kinds.
inline constexpr std::uint16_t kPageCommand = 0xFF01;
inline constexpr std::uint16_t kPageNotification = 0xFF02;
inline constexpr std::uint16_t kPagePad = 0xFF00;
inline constexpr std::uint16_t kUsageMouse = 0x0001;
inline constexpr std::uint16_t kUsagePad = 0xFF00;

// The largest notification report the reader threads take.
inline constexpr std::uint16_t kReaderBufferSize = 80;
// Command interfaces must carry a whole chunk report and fit the chunk buffer.
inline constexpr std::uint16_t kMinChunkReport = 65;
inline constexpr std::uint16_t kMaxChunkReport = 280;
inline constexpr std::uint16_t kCommandFeatureLength = 9;

inline constexpr const char* kUdevRuleName = "70-qv530-10800rad.rules";

enum class InterfaceRole { Reader, Command, Pad };

// The role of one top-level collection of our vendor's interface, if it has
// one. A role whose lengths the program cannot use is refused with a reason.
struct Recognition {
    std::optional<InterfaceRole> role;
    MouseVariant variant = MouseVariant::A11D;
    const char* refusal = nullptr;
};
Recognition RecogniseInterface(std::uint16_t product, const HidCaps& caps);
const char* RoleName(InterfaceRole role);

class Discovery {
public:
    Discovery(HidBackend& backend, DeviceLink& link) : backend_(backend), link_(link) {}

    bool FindReader(MouseVariant variant);
    bool FindCommand(MouseVariant variant);
    bool FindPad();
    // Both finders of a mouse, the command finder only after the reader finder.
    bool FindMouse(MouseVariant variant) { return FindReader(variant) && FindCommand(variant); }

    // Called when a notification interface was opened (wakes its reader).
    std::function<void(MouseVariant)> onReaderOpened;
    // Called once per node that could not be opened for lack of permission.
    std::function<void(const std::string& message)> onAccessDenied;

    // Permission messages given so far, one per node.
    const std::vector<std::string>& accessMessages() const { return accessMessages_; }

private:
    bool Pass(InterfaceRole role, std::uint16_t product, MouseVariant variant);
    void ReportDenied(const HidInterfaceInfo& info);

    HidBackend& backend_;
    DeviceLink& link_;
    std::set<std::string> deniedNodes_;
    std::vector<std::string> accessMessages_;
};

// The permission message for a node that could not be opened.
std::string AccessDeniedMessage(const std::string& node, std::uint16_t product);

} // namespace qv530
