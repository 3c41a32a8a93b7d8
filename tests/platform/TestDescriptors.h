#pragma once
// Report descriptors written out byte by byte, shared by the parser and the
// sysfs scan tests.
#include <cstdint>
#include <vector>

namespace qv530::test {

using DescriptorBytes = std::vector<std::uint8_t>;

// Mouse command interface: vendor page 0xFF01, usage 1; unnumbered 8-byte
// feature report and 64-byte input and output reports.
inline const DescriptorBytes kMouseCommandDescriptor = {
    0x06, 0x01, 0xFF, //  Usage Page (0xFF01)
    0x09, 0x01,       //  Usage (1)
    0xA1, 0x01,       //  Collection (Application)
    0x15, 0x00,       //    Logical Minimum (0)
    0x26, 0xFF, 0x00, //    Logical Maximum (255)
    0x75, 0x08,       //    Report Size (8)
    0x95, 0x08,       //    Report Count (8)
    0x09, 0x02,       //    Usage (2)
    0xB1, 0x02,       //    Feature (Data, Var, Abs)
    0x95, 0x40,       //    Report Count (64)
    0x09, 0x03,       //    Usage (3)
    0x81, 0x02,       //    Input (Data, Var, Abs)
    0x09, 0x04,       //    Usage (4)
    0x91, 0x02,       //    Output (Data, Var, Abs)
    0xC0,             //  End Collection
};

// Mouse notification interface: vendor page 0xFF02, usage 1; report ID 4
// with 8 data bytes of input.
inline const DescriptorBytes kMouseNotificationDescriptor = {
    0x06, 0x02, 0xFF, //  Usage Page (0xFF02)
    0x09, 0x01,       //  Usage (1)
    0xA1, 0x01,       //  Collection (Application)
    0x85, 0x04,       //    Report ID (4)
    0x15, 0x00,       //    Logical Minimum (0)
    0x26, 0xFF, 0x00, //    Logical Maximum (255)
    0x75, 0x08,       //    Report Size (8)
    0x95, 0x08,       //    Report Count (8)
    0x09, 0x01,       //    Usage (1)
    0x81, 0x02,       //    Input (Data, Var, Abs)
    0xC0,             //  End Collection
};

// RGB pad: vendor page 0xFF00, usage 0xFF00; unnumbered 8-byte feature report.
inline const DescriptorBytes kPadDescriptor = {
    0x06, 0x00, 0xFF, //  Usage Page (0xFF00)
    0x0A, 0x00, 0xFF, //  Usage (0xFF00)
    0xA1, 0x01,       //  Collection (Application)
    0x15, 0x00,       //    Logical Minimum (0)
    0x26, 0xFF, 0x00, //    Logical Maximum (255)
    0x75, 0x08,       //    Report Size (8)
    0x95, 0x08,       //    Report Count (8)
    0x09, 0x01,       //    Usage (1)
    0xB1, 0x02,       //    Feature (Data, Var, Abs)
    0xC0,             //  End Collection
};

// The boot keyboard of the HID class definition: 8-byte input (modifiers,
// reserved byte, six keys), 1-byte output (five LEDs and three bits padding).
inline const DescriptorBytes kBootKeyboardDescriptor = {
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x06,       // Usage (Keyboard)
    0xA1, 0x01,       // Collection (Application)
    0x05, 0x07,       //   Usage Page (Key Codes)
    0x19, 0xE0,       //   Usage Minimum (224)
    0x29, 0xE7,       //   Usage Maximum (231)
    0x15, 0x00,       //   Logical Minimum (0)
    0x25, 0x01,       //   Logical Maximum (1)
    0x75, 0x01,       //   Report Size (1)
    0x95, 0x08,       //   Report Count (8)
    0x81, 0x02,       //   Input (Data, Var, Abs): modifiers
    0x95, 0x01,       //   Report Count (1)
    0x75, 0x08,       //   Report Size (8)
    0x81, 0x01,       //   Input (Const): reserved byte
    0x95, 0x05,       //   Report Count (5)
    0x75, 0x01,       //   Report Size (1)
    0x05, 0x08,       //   Usage Page (LEDs)
    0x19, 0x01,       //   Usage Minimum (1)
    0x29, 0x05,       //   Usage Maximum (5)
    0x91, 0x02,       //   Output (Data, Var, Abs): LEDs
    0x95, 0x01,       //   Report Count (1)
    0x75, 0x03,       //   Report Size (3)
    0x91, 0x01,       //   Output (Const): padding
    0x95, 0x06,       //   Report Count (6)
    0x75, 0x08,       //   Report Size (8)
    0x15, 0x00,       //   Logical Minimum (0)
    0x25, 0x65,       //   Logical Maximum (101)
    0x05, 0x07,       //   Usage Page (Key Codes)
    0x19, 0x00,       //   Usage Minimum (0)
    0x29, 0x65,       //   Usage Maximum (101)
    0x81, 0x00,       //   Input (Data, Array): keys
    0xC0,             // End Collection
};

// A mouse with numbered reports: ID 1 buttons and 8-bit motion (4 bytes),
// ID 2 16-bit motion (8 bytes), ID 3 a 2-byte vendor feature.
inline const DescriptorBytes kNumberedMouseDescriptor = {
    0x05, 0x01,             // Usage Page (Generic Desktop)
    0x09, 0x02,             // Usage (Mouse)
    0xA1, 0x01,             // Collection (Application)
    0x85, 0x01,             //   Report ID (1)
    0x09, 0x01,             //   Usage (Pointer)
    0xA1, 0x00,             //   Collection (Physical)
    0x05, 0x09,             //     Usage Page (Buttons)
    0x19, 0x01,             //     Usage Minimum (1)
    0x29, 0x05,             //     Usage Maximum (5)
    0x15, 0x00,             //     Logical Minimum (0)
    0x25, 0x01,             //     Logical Maximum (1)
    0x95, 0x05,             //     Report Count (5)
    0x75, 0x01,             //     Report Size (1)
    0x81, 0x02,             //     Input (Data, Var, Abs)
    0x95, 0x01,             //     Report Count (1)
    0x75, 0x03,             //     Report Size (3)
    0x81, 0x03,             //     Input (Const): padding
    0x05, 0x01,             //     Usage Page (Generic Desktop)
    0x09, 0x30,             //     Usage (X)
    0x09, 0x31,             //     Usage (Y)
    0x09, 0x38,             //     Usage (Wheel)
    0x15, 0x81,             //     Logical Minimum (-127)
    0x25, 0x7F,             //     Logical Maximum (127)
    0x75, 0x08,             //     Report Size (8)
    0x95, 0x03,             //     Report Count (3)
    0x81, 0x06,             //     Input (Data, Var, Rel)
    0xC0,                   //   End Collection
    0x85, 0x02,             //   Report ID (2)
    0x09, 0x30,             //   Usage (X)
    0x09, 0x31,             //   Usage (Y)
    0x16, 0x00, 0x80,       //   Logical Minimum (-32768)
    0x26, 0xFF, 0x7F,       //   Logical Maximum (32767)
    0x75, 0x10,             //   Report Size (16)
    0x95, 0x04,             //   Report Count (4)
    0x81, 0x06,             //   Input (Data, Var, Rel)
    0x85, 0x03,             //   Report ID (3)
    0x06, 0x00, 0xFF,       //   Usage Page (0xFF00)
    0x09, 0x05,             //   Usage (5)
    0x75, 0x08,             //   Report Size (8)
    0x95, 0x02,             //   Report Count (2)
    0xB1, 0x02,             //   Feature (Data, Var, Abs)
    0xC0,                   // End Collection
};

// Two top-level collections in one descriptor: a keyboard (ID 1, 8 bytes of
// input) and a consumer control (ID 2, one 16-bit usage).
inline const DescriptorBytes kKeyboardAndConsumerDescriptor = {
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x06,       // Usage (Keyboard)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x01,       //   Report ID (1)
    0x05, 0x07,       //   Usage Page (Key Codes)
    0x19, 0xE0,       //   Usage Minimum (224)
    0x29, 0xE7,       //   Usage Maximum (231)
    0x15, 0x00,       //   Logical Minimum (0)
    0x25, 0x01,       //   Logical Maximum (1)
    0x75, 0x01,       //   Report Size (1)
    0x95, 0x08,       //   Report Count (8)
    0x81, 0x02,       //   Input (Data, Var, Abs)
    0x95, 0x07,       //   Report Count (7)
    0x75, 0x08,       //   Report Size (8)
    0x81, 0x01,       //   Input (Const)
    0xC0,             // End Collection
    0x05, 0x0C,       // Usage Page (Consumer)
    0x09, 0x01,       // Usage (Consumer Control)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x02,       //   Report ID (2)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x03, //   Logical Maximum (1023)
    0x19, 0x00,       //   Usage Minimum (0)
    0x2A, 0xFF, 0x03, //   Usage Maximum (1023)
    0x75, 0x10,       //   Report Size (16)
    0x95, 0x01,       //   Report Count (1)
    0x81, 0x00,       //   Input (Data, Array)
    0xC0,             // End Collection
};

} // namespace qv530::test
