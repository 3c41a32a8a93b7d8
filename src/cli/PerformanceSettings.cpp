// get/set names of the DPI stages, the report rate, angle snapping and the
// desktop pointer settings: the rules of their pages.
#include <optional>
#include <sstream>

#include "cli/SettingCommands.h"
#include "device/DeviceSession.h"
#include "settings/DpiEdits.h"
#include "settings/PerformanceEdits.h"
#include "settings/RecordEdits.h"
#include "usecases/DeviceRuntime.h"

namespace qv530::cli {
namespace {

const char* VariantName(StageTable table) { return table == StageTable::A ? "a11d" : "a1dc"; }

// The stage table of the connected mouse (A11D wins), else A.
StageTable ConnectedTable() {
    DeviceRuntime runtime(RuntimeOptions{});
    DeviceLink link;
    MouseSettings scratch;
    DeviceState state;
    DeviceSession session(runtime.backend(), link, scratch, state, nullptr);
    session.DiscoverAll();
    return session.DpiTable().value_or(StageTable::A);
}

bool ParseStage(const std::string& text, int& stage) {
    int number = 0;
    if (!ParseNumber(text, 1, kDpiStages, number)) return false;
    stage = number - 1;
    return true;
}

bool ParseOnOff(const std::string& text, bool& on) {
    if (EqualsIgnoringAsciiCase(text, "on")) on = true;
    else if (EqualsIgnoringAsciiCase(text, "off")) on = false;
    else return false;
    return true;
}

// ---- dpi STAGE DPI|code N [--variant a11d|a1dc] ----
std::uint8_t& StoredStageCode(MouseSettings& settings, StageTable table, int stage) {
    const auto index = static_cast<std::size_t>(stage);
    return table == StageTable::A ? settings.DpiStageA(index) : settings.DpiStageB(index);
}

void GetDpi(const CliProfile& profile, std::ostream& out) {
    for (const StageTable table : {StageTable::A, StageTable::B})
        for (int stage = 0; stage < kDpiStages; ++stage) {
            const int code = StageCode(profile.settings, table, stage);
            out << "dpi " << stage + 1 << " ";
            if (code >= kStageCodeMin && code <= StageCodeMax(table)) out << DpiOfCode(table, code);
            else out << CodeWords(code);
            out << " --variant " << VariantName(table) << "\n";
        }
}

int SetDpi(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    const auto usage = [&] {
        err << "qv530ctl: dpi takes a stage 1..7 and a DPI of up to " << kDpiBoxDigits
            << " digits (or code N, a stored code as get prints it), then optionally --variant a11d|a1dc\n";
        return kSetBadInput;
    };
    int stage = 0;
    if (values.size() < 2 || !ParseStage(values[0], stage)) return usage();
    // The value: one number, or "code N".
    const bool raw = EqualsIgnoringAsciiCase(values[1], kCodeWord);
    const std::size_t valueWords = raw ? 2 : 1;
    int value = 0;
    if (values.size() < 1 + valueWords) return usage();
    if (raw ? !ParseCode(values.subspan(1, 2), value)
            : values[1].size() > kDpiBoxDigits || !ParseNumber(values[1], 0, 99999, value))
        return usage();
    const std::span<const std::string> rest = values.subspan(1 + valueWords);
    std::optional<StageTable> table;
    if (!rest.empty()) {
        if (rest.size() != 2 || rest[0] != "--variant") return usage();
        if (EqualsIgnoringAsciiCase(rest[1], "a11d")) table = StageTable::A;
        else if (EqualsIgnoringAsciiCase(rest[1], "a1dc")) table = StageTable::B;
        else return usage();
    }
    const StageTable chosen = table ? *table : ConnectedTable();
    if (raw) StoredStageCode(profile.settings, chosen, stage) = static_cast<std::uint8_t>(value);
    else SetStageDpi(profile.settings, chosen, stage, value);
    return kSetDone;
}

// on|off for a stored 0 or 1, "code N" for any other byte.
std::string OnOffWords(std::uint8_t stored) {
    if (stored <= 1) return stored ? "on" : "off";
    return CodeWords(stored);
}

// on, off or "code N" into a byte.
bool ParseOnOffOrCode(std::span<const std::string> words, std::uint8_t& stored) {
    int code = 0;
    bool on = false;
    if (ParseCode(words, code)) stored = static_cast<std::uint8_t>(code);
    else if (words.size() == 1 && ParseOnOff(words[0], on)) stored = on ? 1 : 0;
    else return false;
    return true;
}

// ---- dpi-stage STAGE on|off ----
void GetDpiStage(const CliProfile& profile, std::ostream& out) {
    for (int stage = 0; stage < kDpiStages; ++stage)
        out << "dpi-stage " << stage + 1 << " "
            << OnOffWords(profile.settings.at(field::kDpiStageOn + static_cast<std::size_t>(stage))) << "\n";
}

int SetDpiStage(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int stage = 0;
    std::uint8_t stored = 0;
    if (values.size() < 2 || !ParseStage(values[0], stage) || !ParseOnOffOrCode(values.subspan(1), stored)) {
        err << "qv530ctl: dpi-stage takes a stage 1..7 and on or off\n";
        return kSetBadInput;
    }
    profile.settings.at(field::kDpiStageOn + static_cast<std::size_t>(stage)) = stored;
    return kSetDone;
}

// ---- dpi-color STAGE RRGGBB ----
void GetDpiColour(const CliProfile& profile, std::ostream& out) {
    for (int stage = 0; stage < kDpiStages; ++stage)
        out << "dpi-color " << stage + 1 << " " << FormatColour(StageColour(profile.settings, stage)) << "\n";
}

int SetDpiColour(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int stage = 0;
    Rgb colour;
    if (values.size() != 2 || !ParseStage(values[0], stage) || !ParseColour(values[1], colour)) {
        err << "qv530ctl: dpi-color takes a stage 1..7 and a colour RRGGBB\n";
        return kSetBadInput;
    }
    SetStageColour(profile.settings, stage, colour);
    return kSetDone;
}

// ---- rate 1000|500|250|125 ----
void GetRate(const CliProfile& profile, std::ostream& out) {
    const std::uint8_t code = profile.settings.at(field::kReportRate);
    if (IsReportRateCode(code)) out << "rate " << ReportRateHz(code) << "\n";
    else out << "rate " << CodeWords(code) << "\n";
}

int SetRate(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int hz = 0;
    int raw = 0;
    std::optional<int> code;
    if (ParseCode(values, raw)) code = raw;
    else if (values.size() == 1 && ParseNumber(values[0], 1, 1000, hz)) code = ReportRateCodeOfHz(hz);
    if (!code) {
        err << "qv530ctl: rate takes 1000, 500, 250 or 125\n";
        return kSetBadInput;
    }
    profile.settings.at(field::kReportRate) = static_cast<std::uint8_t>(*code);
    return kSetDone;
}

// ---- angle-snap on|off ----
void GetAngleSnap(const CliProfile& profile, std::ostream& out) {
    out << "angle-snap " << OnOffWords(profile.settings.at(field::kAngleSnapOn)) << "\n";
}

int SetAngleSnapping(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    std::uint8_t stored = 0;
    if (!ParseOnOffOrCode(values, stored)) {
        err << "qv530ctl: angle-snap takes on or off\n";
        return kSetBadInput;
    }
    profile.settings.at(field::kAngleSnapOn) = stored;
    return kSetDone;
}

// ---- pointer-speed N, double-click N ----
template <std::size_t offset>
void GetLevel(const CliProfile& profile, std::ostream& out) {
    out << (offset == field::kPointerSpeed ? "pointer-speed " : "double-click ")
        << LevelWords(profile.settings.at(offset)) << "\n";
}

template <std::size_t offset>
int SetLevelOf(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int level = 0;
    if (!ParseLevelOrCode(values, level)) {
        err << "qv530ctl: " << (offset == field::kPointerSpeed ? "pointer-speed" : "double-click")
            << " takes a level from " << kMinLevel << " to " << kMaxLevel << "\n";
        return kSetBadInput;
    }
    profile.settings.at(offset) = static_cast<std::uint8_t>(level);
    return kSetDone;
}

// ---- wheel N | wheel page [N] ----
// The line count is printed in both modes, so the one-screen mode keeps it.
std::string WheelLineWords(std::uint8_t lines) {
    if (lines >= kWheelLinesMin && lines <= kWheelLinesMax) return std::to_string(lines);
    return CodeWords(lines);
}

void GetWheel(const CliProfile& profile, std::ostream& out) {
    const std::uint8_t page = profile.settings.at(field::kWheelPageScroll);
    const std::string lines = WheelLineWords(profile.settings.at(field::kWheelLines));
    if (page == 0) out << "wheel " << lines << "\n";
    else if (page == 1) out << "wheel page " << lines << "\n";
    else out << "wheel page " << lines << " " << CodeWords(page) << "\n";
}

// Lines as get prints them at the front of `words`: a number or "code N";
// the number of words taken, 0 for none.
std::size_t ReadWheelLines(std::span<const std::string> words, int& lines) {
    if (!words.empty() && EqualsIgnoringAsciiCase(words[0], kCodeWord))
        return words.size() >= 2 && ParseCode(words.first(2), lines) ? 2 : 0;
    return !words.empty() && ParseNumber(words[0], kWheelLinesMin, kWheelLinesMax, lines) ? 1 : 0;
}

int SetWheel(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    const auto usage = [&] {
        err << "qv530ctl: wheel takes lines per notch " << kWheelLinesMin << ".." << kWheelLinesMax
            << ", or page and optionally the line count it keeps\n";
        return kSetBadInput;
    };
    const bool page = !values.empty() && EqualsIgnoringAsciiCase(values[0], "page");
    std::span<const std::string> rest = values.subspan(page ? 1 : 0);
    int lines = profile.settings.at(field::kWheelLines);
    const std::size_t taken = ReadWheelLines(rest, lines);
    if (taken == 0 && (!page || !rest.empty())) return usage();
    rest = rest.subspan(taken);
    // The one-screen flag as stored, when get printed it as a code.
    int flag = page ? 1 : 0;
    if (!rest.empty() && (!page || !ParseCode(rest, flag) || flag == 0)) return usage();
    profile.settings.at(field::kWheelPageScroll) = static_cast<std::uint8_t>(flag);
    profile.settings.at(field::kWheelLines) = static_cast<std::uint8_t>(lines);
    return kSetDone;
}

const SettingCommand kPerformanceCommands[] = {
    {"dpi", "dpi STAGE DPI [--variant a11d|a1dc]", GetDpi, SetDpi},
    {"dpi-stage", "dpi-stage STAGE on|off", GetDpiStage, SetDpiStage},
    {"dpi-color", "dpi-color STAGE RRGGBB", GetDpiColour, SetDpiColour},
    {"rate", "rate 1000|500|250|125", GetRate, SetRate},
    {"angle-snap", "angle-snap on|off", GetAngleSnap, SetAngleSnapping},
    {"pointer-speed", "pointer-speed N (1..11)", GetLevel<field::kPointerSpeed>, SetLevelOf<field::kPointerSpeed>},
    {"double-click", "double-click N (1..11)", GetLevel<field::kDoubleClickLevel>,
     SetLevelOf<field::kDoubleClickLevel>},
    {"wheel", "wheel N (1..100) | wheel page [N]", GetWheel, SetWheel},
};

} // namespace

std::span<const SettingCommand> PerformanceSettingCommands() { return kPerformanceCommands; }

} // namespace qv530::cli
