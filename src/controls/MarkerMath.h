#pragma once
// Arithmetic of the slider markers: how much of the filled picture shows,
// and which value a pointer position means. All divisions truncate toward zero.

namespace qv530 {

// Length of the filled part for a track of `extent` pixels:
// extent * (value - minimum) / (maximum - minimum - 1), between 0 and extent.
// The bar is full one step before the maximum.
int MarkerFillLength(int extent, int value, int minimum, int maximum);

// Value under a pointer `offset` pixels from the low end of a track of
// `extent` pixels (horizontal: x - left; vertical: bottom - y):
// minimum + (maximum - minimum) * offset / extent, clamped to the range.
// A negative offset counts as 0.
int MarkerValueAt(int offset, int extent, int minimum, int maximum);

// SetPos: a value outside the range shows the minimum.
int MarkerSetPosValue(int value, int minimum, int maximum);
// SetPosClamped: the nearest end of the range.
int MarkerClampedValue(int value, int minimum, int maximum);

}  // namespace qv530
