#include "ScrollBarGeometry.h"

#include <algorithm>

namespace qv530 {

namespace {
std::int64_t RangeCount(const ScrollState& s) { return std::int64_t{s.rangeMax} - s.rangeMin + 1; }
std::int64_t Span(const ScrollState& s) { return RangeCount(s) - s.page; }
}  // namespace

ScrollGeometry ComputeScrollGeometry(int length, int cell, const ScrollState& state, int position) {
    ScrollGeometry g;
    g.length = std::max(length, 0);
    cell = std::max(cell, 0);
    g.arrow = (g.length - 2 * cell > 0) ? cell : g.length / 2;
    g.track = std::max(0, g.length - 2 * cell);
    const std::int64_t span = Span(state);
    g.span = static_cast<int>(std::clamp<std::int64_t>(span, -0x7fffffffLL, 0x7fffffffLL));
    if (span <= 0 || g.track < kMinThumbLength || state.page < 0) {
        g.thumbLength = 0;
    } else {
        const std::int64_t th = std::int64_t{g.track} * state.page / RangeCount(state);
        g.thumbLength = static_cast<int>(std::clamp<std::int64_t>(th, kMinThumbLength, g.track));
    }
    const int free = g.track - g.thumbLength;
    if (span > 0) {
        const std::int64_t counted = std::int64_t{position} - state.rangeMin;
        const std::int64_t off = counted * free / span;
        g.thumbOffset = static_cast<int>(std::clamp<std::int64_t>(off, 0, free));
    } else {
        g.thumbOffset = free / 2;
    }
    return g;
}

ScrollPart HitTestScrollBar(const ScrollGeometry& g, int c) {
    if (c < 0 || c >= g.length) return ScrollPart::None;
    if (c < g.arrow) return ScrollPart::LineUp;
    if (c >= g.length - g.arrow) return ScrollPart::LineDown;
    if (c < g.thumbStart()) return ScrollPart::PageUp;
    if (c < g.thumbEnd()) return ScrollPart::Thumb;
    return ScrollPart::PageDown;
}

int ScrollMaxPosition(const ScrollState& s) {
    const std::int64_t last = std::int64_t{s.rangeMin} + std::max<std::int64_t>(Span(s), 0);
    return static_cast<int>(std::clamp<std::int64_t>(last, s.rangeMin, std::max(s.rangeMin, s.rangeMax)));
}

int ScrollDragPosition(const ScrollGeometry& g, const ScrollState& s, int dragStartPos, int distance) {
    const int free = g.track - g.thumbLength;
    std::int64_t pos = dragStartPos;
    if (free != 0 && g.span > 0) pos += std::int64_t{distance} * g.span / free;
    if (pos < s.rangeMin) return s.rangeMin;
    return static_cast<int>(std::min<std::int64_t>(pos, ScrollMaxPosition(s)));
}

RepeatStep NextRepeatStep(ScrollPart pressed, const ScrollState& s, bool outsidePressed,
                          ScrollPart under) {
    if (pressed == ScrollPart::Thumb || pressed == ScrollPart::None) return RepeatStep::Stop;
    if (outsidePressed) return RepeatStep::Skip;
    switch (pressed) {
    case ScrollPart::LineUp:
        if (s.pos <= s.rangeMin) return RepeatStep::Stop;
        break;
    case ScrollPart::LineDown:
        if (s.pos >= ScrollMaxPosition(s)) return RepeatStep::Stop;
        break;
    case ScrollPart::PageUp:
    case ScrollPart::PageDown:
        if (under == ScrollPart::Thumb) return RepeatStep::Stop;
        break;
    case ScrollPart::Thumb:
    case ScrollPart::None:
        return RepeatStep::Stop;
    }
    return RepeatStep::Send;
}

void RepeatSchedule::Start(std::int64_t nowMs) {
    active_ = true;
    repeating_ = false;
    due_ = nowMs + kFirstDelayMs;
}

void RepeatSchedule::Stop() {
    active_ = false;
    repeating_ = false;
}

std::int64_t RepeatSchedule::WaitMs(std::int64_t nowMs) const { return std::max<std::int64_t>(0, due_ - nowMs); }

int RepeatSchedule::TakeDueTicks(std::int64_t nowMs) {
    int ticks = 0;
    while (active_ && nowMs >= due_) {
        ++ticks;
        repeating_ = true;
        due_ += kRepeatMs;
    }
    return ticks;
}

}  // namespace qv530
