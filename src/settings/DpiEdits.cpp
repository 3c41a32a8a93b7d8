#include "settings/DpiEdits.h"

#include <algorithm>
#include <limits>

namespace qv530 {
namespace {

bool ValidStage(int stage) { return stage >= 0 && stage < kDpiStages; }

std::size_t StageOffset(StageTable table, int stage) {
    return (table == StageTable::A ? field::kDpiStageA : field::kDpiStageB) + static_cast<std::size_t>(stage);
}

} // namespace

int StageCodeMax(StageTable table) { return table == StageTable::A ? kStageCodeMaxA : kStageCodeMaxB; }

int DpiOfCode(StageTable table, int code) {
    const auto byte = static_cast<std::uint8_t>(std::clamp(code, 0, 255));
    return table == StageTable::A ? DpiFromCode(byte) : DpiFromCodeB(byte);
}

int StageCode(const MouseSettings& settings, StageTable table, int stage) {
    if (!ValidStage(stage)) return 0;
    return settings.at(StageOffset(table, stage));
}

int StageCodeShown(const MouseSettings& settings, StageTable table, int stage) {
    return std::clamp(StageCode(settings, table, stage), kStageCodeMin, StageCodeMax(table));
}

int StageDpiShown(const MouseSettings& settings, StageTable table, int stage) {
    return DpiOfCode(table, StageCodeShown(settings, table, stage));
}

int CommitCode(StageTable table, int typedDpi) {
    return table == StageTable::A ? CodeFromDpi(typedDpi) : CodeFromDpiB(typedDpi);
}

int LeadingDecimal(std::string_view text) {
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(value);
}

bool SetStageFromMarker(MouseSettings& settings, StageTable table, int stage, int code) {
    if (!ValidStage(stage)) return false;
    settings.at(StageOffset(table, stage)) =
        static_cast<std::uint8_t>(std::clamp(code, kStageCodeMin, StageCodeMax(table)));
    if (settings.DpiStageOn(static_cast<std::size_t>(stage)) == 0) settings.DpiStageOn(static_cast<std::size_t>(stage)) = 1;
    return true;
}

bool SetStageDpi(MouseSettings& settings, StageTable table, int stage, int dpi) {
    if (!ValidStage(stage)) return false;
    settings.at(StageOffset(table, stage)) = static_cast<std::uint8_t>(CommitCode(table, dpi));
    return true;
}

bool ToggleStageOn(MouseSettings& settings, int stage) {
    if (!ValidStage(stage)) return false;
    std::uint8_t& on = settings.DpiStageOn(static_cast<std::size_t>(stage));
    on = on == 0 ? 1 : 0;
    return true;
}

bool SetStageOn(MouseSettings& settings, int stage, bool on) {
    if (!ValidStage(stage)) return false;
    settings.DpiStageOn(static_cast<std::size_t>(stage)) = on ? 1 : 0;
    return true;
}

bool StageOn(const MouseSettings& settings, int stage) {
    return ValidStage(stage) && settings.at(field::kDpiStageOn + static_cast<std::size_t>(stage)) != 0;
}

bool StageColourEditable(const MouseSettings& settings, int stage) {
    return ValidStage(stage) && settings.at(field::kDpiStageOn + static_cast<std::size_t>(stage)) == 1;
}

bool SetStageColour(MouseSettings& settings, int stage, Rgb colour) {
    if (!ValidStage(stage)) return false;
    settings.SetColour(MouseSettings::StageColourOffset(static_cast<std::size_t>(stage)), colour);
    return true;
}

Rgb StageColour(const MouseSettings& settings, int stage) {
    if (!ValidStage(stage)) return {};
    return settings.Colour(MouseSettings::StageColourOffset(static_cast<std::size_t>(stage)));
}

bool DpiCommitMemory::TakeIfChanged(int stage, const std::string& text) {
    if (!ValidStage(stage)) return false;
    std::string& last = last_[static_cast<std::size_t>(stage)];
    if (text == last) return false;
    last = text;
    return true;
}

void DpiCommitMemory::Forget(int stage) {
    if (ValidStage(stage)) last_[static_cast<std::size_t>(stage)].clear();
}

} // namespace qv530
