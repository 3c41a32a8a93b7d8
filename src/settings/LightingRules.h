#pragma once
// The lighting pages' rules, for the mouse and for the pad: which effects a
// page offers, which slider is live, what a click on a swatch does, where the
// white frame sits, and the edits that the pages and qv530ctl share. A
// stored effect the page cannot offer (0, 5..8, and 4 on the pad) is shown
// with no radio lit and every slider off, and its byte is kept until the
// user picks an effect.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "settings/MouseSettings.h"

namespace qv530 {

enum class LightDevice { Mouse, Pad };

// Where one device's lighting lives in the record.
struct LightFields {
    std::size_t mode;    // effect number; the level of effect m is at mode + m
    std::size_t palette; // 8 colours of 3 bytes
    std::size_t colour;  // selected palette entry, or kColourCycleIndex
};
LightFields FieldsOf(LightDevice device);

inline constexpr int kMinLightLevel = 1;
inline constexpr int kMaxLightLevel = 6;
inline constexpr int kEditableColours = 5;  // palette entries 0..4
inline constexpr int kColourCycleSwatch = field::kColourCycleIndex;  // the sixth swatch
inline constexpr int kSwatchCount = kEditableColours + 1;

// The effects a page offers, top to bottom: one row (radio, caption, slider) each.
std::span<const LightEffect> OfferedEffects(LightDevice device);
// The row of an effect number, or nothing when the page does not offer it.
std::optional<int> RowOfEffect(LightDevice device, int effect);
// The stored effect number and its level.
int StoredEffect(const MouseSettings& settings, LightDevice device);
int StoredLevel(const MouseSettings& settings, LightDevice device, LightEffect effect);
int StoredColour(const MouseSettings& settings, LightDevice device);
Rgb StoredPaletteEntry(const MouseSettings& settings, LightDevice device, int entry);

// The slider of row `row` takes input only while its effect is the stored one.
bool SliderEnabled(LightDevice device, int storedEffect, int row);
// Whether a click on swatch j (0..4, or 5 the colour cycle) chooses it:
// j 0..4 in standard, j 0..5 in breathing, nothing in any other effect.
bool SwatchClickChooses(int storedEffect, int swatch);
// Whether a double-click on swatch j opens the colour chooser: 0..4 in standard and breathing.
bool SwatchOpensChooser(int storedEffect, int swatch);
// The swatch the white frame surrounds: the chosen one in standard and
// breathing (the colour cycle for entry 5), the colour cycle otherwise.
// Nothing when standard or breathing holds a colour index the page has no swatch for.
std::optional<int> FramedSwatch(int storedEffect, int storedColour);

// ---- edits (the page and qv530ctl) ----
// The page's SelectMode: stores the effect number as given (any byte; false
// for a number that is none), and in standard a colour cycle becomes palette entry 0.
bool SelectLightMode(MouseSettings& settings, LightDevice device, int effect);
// A user's pick: only an offered effect; false (nothing changed) otherwise.
bool PickLightEffect(MouseSettings& settings, LightDevice device, LightEffect effect);
// The level of one offered effect, 1..6.
bool SetLightLevel(MouseSettings& settings, LightDevice device, LightEffect effect, int level);
// A click on swatch j under the stored effect (SwatchClickChooses).
bool ClickLightSwatch(MouseSettings& settings, LightDevice device, int swatch);
// The colour index as qv530ctl sets it: 0..4 in any effect (standard and
// breathing use it), the colour cycle in any effect but standard.
bool SetLightColourIndex(MouseSettings& settings, LightDevice device, int colour);
// Palette entry 0..4.
bool SetLightPaletteEntry(MouseSettings& settings, LightDevice device, int entry, Rgb colour);

} // namespace qv530
