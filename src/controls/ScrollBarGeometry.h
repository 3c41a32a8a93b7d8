#pragma once
// Geometry, hit testing and thumb dragging of the skinned scroll bar, along
// the bar's axis (a horizontal bar uses the same numbers with x and y swapped).
#include <cstdint>

namespace qv530 {

// The standard scroll codes the bar reports to its owner.
enum ScrollCode : int {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
};

// Parts of the bar; the value of a part is the code it sends.
enum class ScrollPart : int {
    None = -1,
    LineUp = kScrollLineUp,
    LineDown = kScrollLineDown,
    PageUp = kScrollPageUp,
    PageDown = kScrollPageDown,
    Thumb = kScrollThumbTrack,
};

struct ScrollState {
    int rangeMin = 0;
    int rangeMax = 0;
    int page = 0;
    int pos = 0;
    friend bool operator==(const ScrollState&, const ScrollState&) = default;
};

inline constexpr int kMinThumbLength = 12;

struct ScrollGeometry {
    int length = 0;       // L: the bar's extent along its axis
    int arrow = 0;        // A: length of each arrow button
    int track = 0;        // T: space between the arrows
    int span = 0;         // S: number of thumb positions
    int thumbLength = 0;  // 0 = no thumb
    int thumbOffset = 0;  // from the end of the first arrow

    int thumbStart() const { return arrow + thumbOffset; }
    int thumbEnd() const { return arrow + thumbOffset + thumbLength; }
};

// `cell` is the skin's cell width W (the bar thickness); `position` is the
// position the thumb shows (the drag position while dragging).
ScrollGeometry ComputeScrollGeometry(int length, int cell, const ScrollState& state, int position);

ScrollPart HitTestScrollBar(const ScrollGeometry& geometry, int coordinate);

// The last position the thumb can reach.
int ScrollMaxPosition(const ScrollState& state);

// Position while the thumb is dragged `distance` pixels from where the drag
// started at `dragStartPos`; kept to rangeMin..the last position.
int ScrollDragPosition(const ScrollGeometry& geometry, const ScrollState& state, int dragStartPos,
                       int distance);

// What one auto-repeat tick does while a part other than the thumb is held.
enum class RepeatStep { Send, Skip, Stop };
// Arrows stop at the ends of the range; track parts stop once the thumb has
// reached the pointer; nothing is sent while the pointer is outside the part.
RepeatStep NextRepeatStep(ScrollPart pressed, const ScrollState& state, bool outsidePressed,
                          ScrollPart partUnderPointer);

// Timing of the auto-repeat: the first repeat 500 ms after the press, then one
// every 100 ms, on a clock given in milliseconds.
class RepeatSchedule {
public:
    static constexpr std::int64_t kFirstDelayMs = 500;
    static constexpr std::int64_t kRepeatMs = 100;

    void Start(std::int64_t nowMs);
    void Stop();
    bool active() const { return active_; }
    // The fast rate has taken over from the initial delay.
    bool repeating() const { return repeating_; }
    std::int64_t dueMs() const { return due_; }
    // Milliseconds from now until the next tick (0 when it is due).
    std::int64_t WaitMs(std::int64_t nowMs) const;
    // Consumes and returns the ticks that are due at nowMs.
    int TakeDueTicks(std::int64_t nowMs);

private:
    bool active_ = false;
    bool repeating_ = false;
    std::int64_t due_ = 0;
};

}  // namespace qv530
