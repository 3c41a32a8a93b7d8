#include "platform/PointerSettings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "platform/DebugLog.h"
#include "platform/ProcessRunner.h"

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

bool IsGnomeDesktop(const char* currentDesktop) {
    if (currentDesktop == nullptr) return false;
    std::istringstream names(currentDesktop);
    for (std::string name; std::getline(names, name, ':');) {
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
        if (name == "GNOME" || name.starts_with("GNOME-")) return true;
    }
    return false;
}

namespace {

constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";
constexpr int kGsettingsTimeoutMs = 3000;

// What `gsettings range SCHEMA KEY` allows.
struct KeyRange {
    enum class Kind { Any, Range, Enum } kind = Kind::Any;
    double min = 0;
    double max = 0;
    std::vector<std::string> choices; // as printed: 'flat'
};

bool ParseNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// "range d -1.0 1.0", "enum\n'default'\n'flat'\n", "type i"; nothing for
// output of any other shape.
std::optional<KeyRange> ParseRange(const std::string& output) {
    std::istringstream lines(output);
    std::string first;
    if (!std::getline(lines, first)) return std::nullopt;
    std::istringstream words(first);
    std::string kind;
    words >> kind;
    KeyRange range;
    if (kind == "type") return range;
    if (kind == "enum") {
        range.kind = KeyRange::Kind::Enum;
        for (std::string choice; std::getline(lines, choice);)
            if (!choice.empty()) range.choices.push_back(choice);
        return range;
    }
    if (kind == "range") {
        std::string type, low, high;
        words >> type >> low >> high;
        range.kind = KeyRange::Kind::Range;
        if (ParseNumber(low, range.min) && ParseNumber(high, range.max)) return range;
    }
    return std::nullopt;
}

bool Allows(const KeyRange& range, const std::string& value, double number) {
    switch (range.kind) {
    case KeyRange::Kind::Any: return true;
    case KeyRange::Kind::Range: return number >= range.min && number <= range.max;
    case KeyRange::Kind::Enum:
        return std::find(range.choices.begin(), range.choices.end(), value) != range.choices.end();
    }
    return false;
}

// The first line that says something.
std::string FirstLine(const std::string& text) {
    const std::size_t start = std::min(text.size(), text.find_first_not_of("\r\n"));
    return text.substr(start, text.find_first_of("\r\n", start) - start);
}

// Always a decimal point and never the locale's separator: GVariant text.
std::string DoubleText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    return std::string(buffer, result.ptr);
}

class GsettingsPointerSettings final : public PointerSettingsBackend {
public:
    GsettingsPointerSettings(ProcessRunner& runner, bool gnomeDesktop) : runner_(runner), usable_(gnomeDesktop) {}

    bool SetMouse(const MouseAcceleration& acceleration, unsigned) override {
        const std::string profile = acceleration[2] != 0 ? "'adaptive'" : "'flat'";
        return Set("accel-profile", profile, 0);
    }

    bool SetMouseSpeed(int speed, unsigned) override {
        if (speed < 1 || speed > 20) return false;
        const double value = GnomeSpeedFromSpeed(speed);
        return Set("speed", DoubleText(value), value);
    }

    bool SetWheelScrollLines(int, unsigned) override { return false; }

    bool SetDoubleClickTime(int milliseconds, unsigned) override {
        if (milliseconds <= 0) return false;
        return Set("double-click", std::to_string(milliseconds), milliseconds);
    }

private:
    // Runs gsettings; a run that cannot start or does not end turns the
    // backend off for the rest of the run, so no later apply waits again.
    std::optional<ProcessResult> Gsettings(std::vector<std::string> argv) {
        argv.insert(argv.begin(), "gsettings");
        ProcessResult result = runner_.Run(argv, kGsettingsTimeoutMs);
        if (!result.started || result.timedOut) {
            DebugWrite(result.started
                           ? "gsettings did not answer; the desktop's pointer settings are left as they are.\n"
                           : "gsettings not found; the desktop's pointer settings are left as they are.\n");
            usable_ = false;
            return std::nullopt;
        }
        return result;
    }

    bool SchemaPresent() {
        if (!usable_) return false;
        if (keys_) return true;
        const auto result = Gsettings({"list-keys", kMouseSchema});
        if (!result) return false;
        if (!result->ok()) {
            DebugPrintf("gsettings: no schema %s; the desktop's pointer settings are left as they are.\n",
                        kMouseSchema);
            usable_ = false;
            return false;
        }
        keys_.emplace();
        std::istringstream lines(result->out);
        for (std::string key; std::getline(lines, key);)
            if (!key.empty()) keys_->push_back(key);
        return true;
    }

    std::optional<KeyRange> RangeOf(const std::string& key) {
        if (std::find(keys_->begin(), keys_->end(), key) == keys_->end()) return std::nullopt;
        for (const auto& [name, range] : ranges_)
            if (name == key) return range;
        const auto result = Gsettings({"range", kMouseSchema, key});
        if (!result || !result->ok()) return std::nullopt;
        const auto range = ParseRange(result->out);
        if (range) ranges_.emplace_back(key, *range);
        return range;
    }

    bool Set(const std::string& key, const std::string& value, double number) {
        if (!SchemaPresent()) return false;
        const auto range = RangeOf(key);
        if (!range) {
            DebugPrintf("gsettings: %s %s is not available.\n", kMouseSchema, key.c_str());
            return false;
        }
        if (!Allows(*range, value, number)) {
            DebugPrintf("gsettings: %s is outside what %s %s takes.\n", value.c_str(), kMouseSchema, key.c_str());
            return false;
        }
        const auto result = Gsettings({"set", kMouseSchema, key, value});
        if (!result) return false;
        // gsettings ends with 0 even when it could not store the value (no
        // session bus, say); it then says so on stderr.
        if (result->ok() && result->err.empty()) return true;
        DebugPrintf("gsettings set %s %s %s failed: %s\n", kMouseSchema, key.c_str(), value.c_str(),
                    FirstLine(result->err).c_str());
        return false;
    }

    ProcessRunner& runner_;
    bool usable_;
    std::optional<std::vector<std::string>> keys_;
    std::vector<std::pair<std::string, KeyRange>> ranges_;
};

// Outside GNOME nothing is taken: only the debug lines of the refusals remain.
class NoDesktopPointerSettings final : public PointerSettingsBackend {
public:
    bool SetMouse(const MouseAcceleration&, unsigned) override { return false; }
    bool SetMouseSpeed(int, unsigned) override { return false; }
    bool SetWheelScrollLines(int, unsigned) override { return false; }
    bool SetDoubleClickTime(int, unsigned) override { return false; }
};

} // namespace

std::unique_ptr<PointerSettingsBackend> MakeGsettingsPointerSettings(ProcessRunner& runner, bool gnomeDesktop) {
    return std::make_unique<GsettingsPointerSettings>(runner, gnomeDesktop);
}

std::unique_ptr<PointerSettingsBackend> MakeDesktopPointerSettings() {
    if (!IsGnomeDesktop(std::getenv("XDG_CURRENT_DESKTOP"))) return std::make_unique<NoDesktopPointerSettings>();
    return MakeGsettingsPointerSettings(SystemProcessRunner(), true);
}

} // namespace qv530
