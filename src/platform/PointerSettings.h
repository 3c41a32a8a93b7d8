#pragma once
// The desktop's pointer settings that a profile carries: pointer speed and
// acceleration, wheel lines and double-click time. ApplyPointerSettings hands
// them to a backend as the four Windows SystemParametersInfo calls would set
// them; the desktop backend carries them over to GNOME where it can.
#include <array>
#include <memory>
#include <string>
#include <vector>


namespace qv530 {

// The flags the Windows calls are made with.
inline constexpr unsigned kUpdateIniFile = 0x01; // SPIF_UPDATEINIFILE: kept in the user's profile
inline constexpr unsigned kSendChange = 0x02;    // SPIF_SENDCHANGE: other programs are told
// Wheel lines meaning "one screen per notch" (WHEEL_PAGESCROLL).
inline constexpr int kWheelScrollPage = -1;

// Mouse acceleration: the two thresholds and the acceleration level.
using MouseAcceleration = std::array<int, 3>;
inline constexpr MouseAcceleration kPrecisionOn{6, 10, 1};
inline constexpr MouseAcceleration kPrecisionOff{0, 0, 0};

// Receives the four settings, each as its Windows call; each returns whether
// the setting was taken.
class PointerSettingsBackend {
public:
    virtual ~PointerSettingsBackend() = default;
    // SPI_SETMOUSE.
    virtual bool SetMouse(const MouseAcceleration& acceleration, unsigned flags) = 0;
    // SPI_SETMOUSESPEED; speed 1..20, 10 is the desktop's neutral speed.
    virtual bool SetMouseSpeed(int speed, unsigned flags) = 0;
    // SPI_SETWHEELSCROLLLINES; lines per notch, or kWheelScrollPage.
    virtual bool SetWheelScrollLines(int lines, unsigned flags) = 0;
    // SPI_SETDOUBLECLICKTIME; milliseconds.
    virtual bool SetDoubleClickTime(int milliseconds, unsigned flags) = 0;
    // Where the last call put its value, or why it was not taken; empty when
    // the backend does not say.
    virtual std::string Note() const { return {}; }
};

// The four settings as the desktop takes them.
struct PointerValues {
    bool precision = false; // enhanced pointer precision
    int speed = 10;         // 1..20
    int wheelLines = 3;     // lines per notch, or kWheelScrollPage
    int doubleClickMs = 500;
};

// Sends the pointer settings: acceleration, speed, wheel lines,
// double-click time, in that order. A refused setting writes its debug line
// and the others are still sent. The values are sent as they are, in range
// or not; the backend decides what it takes.
void ApplyPointerSettings(const PointerValues& values, PointerSettingsBackend& backend);

// Keeps every call in order, and takes them all unless told to refuse one.
class RecordingPointerSettings final : public PointerSettingsBackend {
public:
    enum class Call { SetMouse, SetMouseSpeed, SetWheelScrollLines, SetDoubleClickTime };
    struct Record {
        Call call;
        std::vector<int> values; // three for SetMouse, else one
        unsigned flags;
        friend bool operator==(const Record&, const Record&) = default;
    };

    bool SetMouse(const MouseAcceleration& acceleration, unsigned flags) override;
    bool SetMouseSpeed(int speed, unsigned flags) override;
    bool SetWheelScrollLines(int lines, unsigned flags) override;
    bool SetDoubleClickTime(int milliseconds, unsigned flags) override;

    // Every call so far.
    const std::vector<Record>& calls() const { return calls_; }
    // One line per call: "SETMOUSE 6 10 1 flags=02".
    std::vector<std::string> Lines() const;
    void Clear() { calls_.clear(); }
    // Makes every later call of this kind report a failure.
    void Refuse(Call call) { refused_.push_back(call); }

private:
    bool Take(Call call, std::vector<int> values, unsigned flags);
    std::vector<Record> calls_;
    std::vector<Call> refused_;
};

// The GNOME pointer speed (-1..1) for a speed 1..20 of the Windows scale:
// piecewise linear through 1 -> -1, 10 -> 0 (both desktops' neutral speed)
// and 20 -> 1.
double GnomeSpeedFromSpeed(int speed);

// The GNOME backend through GIO's GSettings, schema
// org.gnome.desktop.peripherals.mouse: acceleration on (a non-zero
// acceleration level) is the 'adaptive' accel-profile, off is 'flat'; speed
// 1..20 goes through GnomeSpeedFromSpeed to "speed"; the double-click time
// to "double-click" as it is (positive values only). GNOME has no
// wheel-lines setting, so that call is always refused. When gnomeDesktop is
// false or the schema is missing every call is refused; a value outside the
// key's range or a key that cannot be written is refused too. Every refusal
// leaves a debug line and its Note.
std::unique_ptr<PointerSettingsBackend> MakeGioPointerSettings(bool gnomeDesktop);

// Whether an XDG_CURRENT_DESKTOP value names GNOME or a desktop built on it
// ("GNOME", "ubuntu:GNOME", "Budgie:GNOME").
bool IsGnomeDesktop(const char* currentDesktop);

// The backend for this session's desktop (see DesktopPointerSettings.h):
// GNOME through GSettings, KDE Plasma through its files and the session bus;
// on any other desktop every call is refused and its Note says so.
std::unique_ptr<PointerSettingsBackend> MakeDesktopPointerSettings();

} // namespace qv530
