#pragma once
// Edits of the record that the window and qv530ctl share: each checks its
// value and changes nothing when it is refused, so both store the same byte.
#include "settings/MouseSettings.h"

namespace qv530 {

inline constexpr int kMinLevel = 1;  // sensitivity, pointer speed, double-click
inline constexpr int kMaxLevel = 11;

enum class Axis { X, Y };

// Sensitivity level 1..11 of one axis; false (and nothing changed) outside.
bool SetSensitivity(MouseSettings& settings, Axis axis, int level);

} // namespace qv530
