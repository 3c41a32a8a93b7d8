#pragma once
// The DPI stages as the DPI page and qv530ctl edit them: the stage codes of
// the two mouse variants, the typed-value commit rule, the on/off flags and
// the stage colours.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/MouseSettings.h"

namespace qv530 {

// Which stage codes are meant: A (DpiStageA) for the A11D mouse, B
// (DpiStageB) for the A1DC mouse. A wins whenever an A11D mouse is connected.
enum class StageTable { A, B };

inline constexpr int kDpiStages = static_cast<int>(field::kStageCount);
inline constexpr int kStageCodeMin = 1;
inline constexpr int kStageCodeMaxA = 180;
inline constexpr int kStageCodeMaxB = 120;
// The DPI box holds at most this many digits.
inline constexpr std::size_t kDpiBoxDigits = 5;

// Highest stage code of the table (the slider's maximum).
int StageCodeMax(StageTable table);
// DPI of a stage code of the table.
int DpiOfCode(StageTable table, int code);
// The stored code of a stage (0..6), as stored.
int StageCode(const MouseSettings& settings, StageTable table, int stage);
// The code the page shows: the stored one kept to 1..StageCodeMax, so a
// stray 0 or 200 in a file shows the nearest stage without being changed.
int StageCodeShown(const MouseSettings& settings, StageTable table, int stage);
int StageDpiShown(const MouseSettings& settings, StageTable table, int stage);

// The DPI box's commit rule: the typed DPI rounded down to the table's step
// and kept to the table's range (A: 75 -> 1, 7250 -> 144, 9999 -> 171,
// 12000 -> 180; B: 50 -> 1, 1250 -> 12, 12345 -> 120).
int CommitCode(StageTable table, int typedDpi);
// The leading decimal number of a text (no digits give 0); saturates.
int LeadingDecimal(std::string_view text);

// ---- edits (false and nothing changed for a stage outside 0..6) ----
// The slider: stores the code (kept to the table's range) and switches the stage on.
bool SetStageFromMarker(MouseSettings& settings, StageTable table, int stage, int code);
// A typed DPI: stores CommitCode; the on/off flag is not touched.
bool SetStageDpi(MouseSettings& settings, StageTable table, int stage, int dpi);
// 0 becomes 1, anything else 0. No minimum number of enabled stages.
bool ToggleStageOn(MouseSettings& settings, int stage);
bool SetStageOn(MouseSettings& settings, int stage, bool on);
bool StageOn(const MouseSettings& settings, int stage);
// The colour chooser opens only for a stage whose flag is exactly 1.
bool StageColourEditable(const MouseSettings& settings, int stage);
bool SetStageColour(MouseSettings& settings, int stage, Rgb colour);
Rgb StageColour(const MouseSettings& settings, int stage);

// The text of the last commit of each stage: a commit whose text equals its
// own stage's last one is skipped, so the same number typed into two stages
// in a row changes both.
class DpiCommitMemory {
public:
    // True (and the text remembered) when the text differs from the stage's last commit.
    bool TakeIfChanged(int stage, const std::string& text);
    void Forget(int stage);

private:
    std::array<std::string, field::kStageCount> last_{};
};

} // namespace qv530
