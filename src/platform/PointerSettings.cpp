#include "platform/PointerSettings.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/DebugLog.h"
#include "platform/DesktopSession.h"

namespace qv530 {

void ApplyPointerSettings(const PointerValues& values, PointerSettingsBackend& backend) {
    if (!backend.SetMouse(values.precision ? kPrecisionOn : kPrecisionOff, kSendChange))
        DebugWrite("SETMOUSE failed.\n");
    if (!backend.SetMouseSpeed(values.speed, kSendChange)) DebugWrite("SETMOUSESPEED failed.\n");
    if (!backend.SetWheelScrollLines(values.wheelLines, kSendChange)) DebugWrite("SETWHEELSCROLLLINES failed.\n");
    if (!backend.SetDoubleClickTime(values.doubleClickMs, kUpdateIniFile | kSendChange))
        DebugWrite("SPI_SETDOUBLECLICKTIME failed.\n");
}

// ---- recording backend ----

bool RecordingPointerSettings::Take(Call call, std::vector<int> values, unsigned flags) {
    calls_.push_back({call, std::move(values), flags});
    return std::find(refused_.begin(), refused_.end(), call) == refused_.end();
}

bool RecordingPointerSettings::SetMouse(const MouseAcceleration& acceleration, unsigned flags) {
    return Take(Call::SetMouse, {acceleration.begin(), acceleration.end()}, flags);
}

bool RecordingPointerSettings::SetMouseSpeed(int speed, unsigned flags) {
    return Take(Call::SetMouseSpeed, {speed}, flags);
}

bool RecordingPointerSettings::SetWheelScrollLines(int lines, unsigned flags) {
    return Take(Call::SetWheelScrollLines, {lines}, flags);
}

bool RecordingPointerSettings::SetDoubleClickTime(int milliseconds, unsigned flags) {
    return Take(Call::SetDoubleClickTime, {milliseconds}, flags);
}

std::vector<std::string> RecordingPointerSettings::Lines() const {
    std::vector<std::string> lines;
    for (const Record& record : calls_) {
        std::ostringstream line;
        switch (record.call) {
        case Call::SetMouse: line << "SETMOUSE"; break;
        case Call::SetMouseSpeed: line << "SETMOUSESPEED"; break;
        case Call::SetWheelScrollLines: line << "SETWHEELSCROLLLINES"; break;
        case Call::SetDoubleClickTime: line << "SETDOUBLECLICKTIME"; break;
        }
        for (int value : record.values) line << ' ' << value;
        char flags[16];
        std::snprintf(flags, sizeof flags, " flags=%02x", record.flags);
        line << flags;
        lines.push_back(line.str());
    }
    return lines;
}

// ---- GNOME ----

double GnomeSpeedFromSpeed(int speed) {
    speed = std::clamp(speed, 1, 20);
    return speed <= 10 ? (speed - 10) / 9.0 : (speed - 10) / 10.0;
}

bool IsGnomeDesktop(const char* currentDesktop) { return NamesDesktop(currentDesktop, "GNOME"); }

} // namespace qv530
