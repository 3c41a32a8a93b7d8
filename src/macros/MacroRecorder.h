#pragma once
// Records key transitions into the item list of the selected macro.
//
// The keyboard hook calls OnHookEvent for every transition; accepted events
// are posted (each with its own name and number) and come back, later, to
// OnRecordedKey, which appends the items. Stop saves the macro to the store.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "macros/KeyboardHook.h"
#include "macros/MacroStore.h"

namespace qv530 {

namespace hookflag {
inline constexpr std::uint32_t kExtended = 0x01;
inline constexpr std::uint32_t kKeyUp = 0x80;
inline constexpr std::uint32_t kMask = kExtended | kKeyUp;
// Masked flags above this value carry the key-up bit.
inline constexpr std::uint32_t kReleaseAbove = 2;
} // namespace hookflag

// One key event on its way from the hook to the handler.
struct RecordedKey {
    bool release = false;
    std::string name;
    std::uint32_t number = 0;  // 1 for the first event of the recording
};

enum class RecordingState {
    Started = 0,  // recording, no press yet
    Pressed = 1,  // at least one press recorded
    Stopped = 2,
};

class MacroRecorder {
public:
    using Post = std::function<void(RecordedKey)>;
    using TickCount = std::function<std::uint32_t()>;

    // Most key events one recording holds; the next one stops it.
    static constexpr std::uint32_t kMaxEvents = 62;

    // The manager's side: told when items, the recording state or a hook
    // failure should show.
    struct Listener {
        std::function<void()> itemsChanged;
        std::function<void(bool recording)> recordingChanged;
        std::function<void(const std::string& message)> hookFailed;
    };

    MacroRecorder(KeyboardHook& hook, MacroStore& store, Post post, TickCount tickCount, Listener listener = {});

    // Starts recording into the named macro; the list of all names and the
    // loop text are saved with it. Does nothing without a macro name.
    bool Start(std::string macroName, std::vector<std::string> names, std::string loopText);
    // Removes the hook and saves the macro; does nothing when idle.
    void Stop();

    // Hook procedure: returns true when the event is swallowed.
    bool OnHookEvent(int hookCode, std::uint32_t virtualKey, std::uint32_t flags);
    // Handler of a posted event.
    void OnRecordedKey(const RecordedKey& key);

    void SetRecordDelays(bool on) { recordDelays_ = on; }
    bool recordDelays() const { return recordDelays_; }
    bool recording() const { return recording_; }
    RecordingState state() const { return state_; }
    std::uint32_t eventCount() const { return eventCount_; }
    const std::vector<std::string>& items() const { return items_; }

private:
    void Notify(const std::function<void()>& callback) const;

    KeyboardHook& hook_;
    MacroStore& store_;
    Post post_;
    TickCount tickCount_;
    Listener listener_;

    bool hookInstalled_ = false;
    bool recording_ = false;
    RecordingState state_ = RecordingState::Stopped;
    std::uint32_t eventCount_ = 0;
    std::uint32_t lastVk_ = 0;      // kept across recordings
    std::uint32_t lastFlags_ = 0;
    std::uint32_t lastTime_ = 0;
    bool timed_ = false;            // an event of this recording set lastTime_
    bool recordDelays_ = false;

    std::string macroName_;
    std::vector<std::string> names_;
    std::string loopText_;
    std::vector<std::string> items_;
};

} // namespace qv530
