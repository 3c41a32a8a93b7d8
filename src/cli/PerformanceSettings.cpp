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
    if (EqualsIgnoringCase(text, "on")) on = true;
    else if (EqualsIgnoringCase(text, "off")) on = false;
    else return false;
    return true;
}

// ---- dpi STAGE DPI [--variant a11d|a1dc] ----
void GetDpi(const CliProfile& profile, std::ostream& out) {
    for (const StageTable table : {StageTable::A, StageTable::B})
        for (int stage = 0; stage < kDpiStages; ++stage)
            out << "dpi " << stage + 1 << " " << StageDpiShown(profile.settings, table, stage) << " --variant "
                << VariantName(table) << "\n";
}

int SetDpi(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    const auto usage = [&] {
        err << "qv530ctl: dpi takes a stage 1..7 and a DPI of up to " << kDpiBoxDigits
            << " digits, then optionally --variant a11d|a1dc\n";
        return kSetBadInput;
    };
    int stage = 0;
    int dpi = 0;
    if ((values.size() != 2 && values.size() != 4) || !ParseStage(values[0], stage) ||
        values[1].size() > kDpiBoxDigits || !ParseNumber(values[1], 0, 99999, dpi))
        return usage();
    std::optional<StageTable> table;
    if (values.size() == 4) {
        if (values[2] != "--variant") return usage();
        if (EqualsIgnoringCase(values[3], "a11d")) table = StageTable::A;
        else if (EqualsIgnoringCase(values[3], "a1dc")) table = StageTable::B;
        else return usage();
    }
    SetStageDpi(profile.settings, table ? *table : ConnectedTable(), stage, dpi);
    return kSetDone;
}

// ---- dpi-stage STAGE on|off ----
void GetDpiStage(const CliProfile& profile, std::ostream& out) {
    for (int stage = 0; stage < kDpiStages; ++stage)
        out << "dpi-stage " << stage + 1 << " " << (StageOn(profile.settings, stage) ? "on" : "off") << "\n";
}

int SetDpiStage(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int stage = 0;
    bool on = false;
    if (values.size() != 2 || !ParseStage(values[0], stage) || !ParseOnOff(values[1], on)) {
        err << "qv530ctl: dpi-stage takes a stage 1..7 and on or off\n";
        return kSetBadInput;
    }
    SetStageOn(profile.settings, stage, on);
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
    out << "rate " << ReportRateHz(ReportRateCodeShown(profile.settings.at(field::kReportRate))) << "\n";
}

int SetRate(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int hz = 0;
    std::optional<int> code;
    if (values.size() == 1 && ParseNumber(values[0], 1, 1000, hz)) code = ReportRateCodeOfHz(hz);
    if (!code) {
        err << "qv530ctl: rate takes 1000, 500, 250 or 125\n";
        return kSetBadInput;
    }
    SetReportRateCode(profile.settings, *code);
    return kSetDone;
}

// ---- angle-snap on|off ----
void GetAngleSnap(const CliProfile& profile, std::ostream& out) {
    out << "angle-snap " << (AngleSnapOn(profile.settings) ? "on" : "off") << "\n";
}

int SetAngleSnapping(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    bool on = false;
    if (values.size() != 1 || !ParseOnOff(values[0], on)) {
        err << "qv530ctl: angle-snap takes on or off\n";
        return kSetBadInput;
    }
    SetAngleSnap(profile.settings, on);
    return kSetDone;
}

// ---- pointer-speed N, double-click N ----
template <std::size_t offset>
void GetLevel(const CliProfile& profile, std::ostream& out) {
    out << (offset == field::kPointerSpeed ? "pointer-speed " : "double-click ") << LevelShown(profile.settings.at(offset))
        << "\n";
}

template <std::size_t offset>
int SetLevelOf(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int level = 0;
    if (values.size() != 1 || !ParseNumber(values[0], kMinLevel, kMaxLevel, level)) {
        err << "qv530ctl: " << (offset == field::kPointerSpeed ? "pointer-speed" : "double-click")
            << " takes a level from " << kMinLevel << " to " << kMaxLevel << "\n";
        return kSetBadInput;
    }
    if (offset == field::kPointerSpeed) SetPointerSpeed(profile.settings, level);
    else SetDoubleClickLevel(profile.settings, level);
    return kSetDone;
}

// ---- wheel N | wheel page ----
void GetWheel(const CliProfile& profile, std::ostream& out) {
    if (WheelPageScroll(profile.settings)) out << "wheel page\n";
    else out << "wheel " << WheelLinesShown(profile.settings.at(field::kWheelLines)) << "\n";
}

int SetWheel(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int lines = 0;
    if (values.size() == 1 && EqualsIgnoringCase(values[0], "page")) {
        SetWheelPageScroll(profile.settings, true);
        return kSetDone;
    }
    if (values.size() != 1 || !ParseNumber(values[0], kWheelLinesMin, kWheelLinesMax, lines)) {
        err << "qv530ctl: wheel takes lines per notch " << kWheelLinesMin << ".." << kWheelLinesMax
            << " or page\n";
        return kSetBadInput;
    }
    SetWheelLines(profile.settings, lines);
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
    {"wheel", "wheel N (1..100) | wheel page", GetWheel, SetWheel},
};

} // namespace

std::span<const SettingCommand> PerformanceSettingCommands() { return kPerformanceCommands; }

} // namespace qv530::cli
