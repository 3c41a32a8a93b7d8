#include "macros/MacroRecorder.h"

#include "buttons/KeyCatalogue.h"
#include "macros/MacroItem.h"

namespace qv530 {
namespace {
// Virtual keys are one byte; anything larger has no name.
constexpr std::uint32_t kLargestVirtualKey = 0xFF;
} // namespace

MacroRecorder::MacroRecorder(KeyboardHook& hook, MacroStore& store, Post post, TickCount tickCount,
                             Listener listener)
    : hook_(hook), store_(store), post_(std::move(post)), tickCount_(std::move(tickCount)),
      listener_(std::move(listener)) {}

void MacroRecorder::Notify(const std::function<void()>& callback) const {
    if (callback) callback();
}

bool MacroRecorder::Start(std::string macroName, std::vector<std::string> names, std::string loopText) {
    if (macroName.empty()) {
        return false;
    }
    eventCount_ = 0;
    if (hookInstalled_) {
        hook_.Remove();
        hookInstalled_ = false;
    }
    // A recording that still ran is abandoned: its items are replaced.
    recording_ = false;
    state_ = RecordingState::Stopped;
    macroName_ = std::move(macroName);
    names_ = std::move(names);
    loopText_ = std::move(loopText);
    items_.clear();
    Notify(listener_.itemsChanged);

    if (const int error = hook_.Install(); error != 0) {
        if (listener_.hookFailed) {
            listener_.hookFailed("JournalRecordHook Install error code :" + std::to_string(error) + "\n");
        }
        return false;
    }
    hookInstalled_ = true;
    state_ = RecordingState::Started;
    timed_ = false;
    recording_ = true;
    if (listener_.recordingChanged) listener_.recordingChanged(true);
    return true;
}

void MacroRecorder::Stop() {
    if (!recording_) {
        return;
    }
    hook_.Remove();
    hookInstalled_ = false;
    recording_ = false;
    state_ = RecordingState::Stopped;
    store_.WriteMacroNames(names_);
    store_.WriteMacro(macroName_, recordDelays_ ? 1 : 0, loopText_, items_);
    if (listener_.recordingChanged) listener_.recordingChanged(false);
}

bool MacroRecorder::OnHookEvent(int hookCode, std::uint32_t virtualKey, std::uint32_t flags) {
    if (hookCode > 0 || !recording_) {
        return false;
    }
    flags &= hookflag::kMask;
    // The keypad Enter is Enter with the extended bit. It is renamed before
    // the repeat check, so its auto-repeat is dropped like any other key's.
    if (virtualKey == kVkEnter && (flags & hookflag::kExtended) != 0) {
        virtualKey = kVkNumEnter;
    }
    if (virtualKey == lastVk_ && flags == lastFlags_) {
        return false;  // auto-repeat of a held key passes on unrecorded
    }
    lastVk_ = virtualKey;
    lastFlags_ = flags;
    RecordedKey key;
    if (virtualKey <= kLargestVirtualKey) {
        key.name = KeyNameFromVirtualKey(static_cast<std::uint16_t>(virtualKey));
    }
    key.release = flags > hookflag::kReleaseAbove;
    key.number = ++eventCount_;
    post_(std::move(key));
    return true;
}

void MacroRecorder::OnRecordedKey(const RecordedKey& key) {
    if (!recording_) {
        return;  // posted before the recording stopped
    }
    if (key.number > kMaxEvents) {
        Stop();
        return;
    }
    const std::uint32_t now = tickCount_();
    const std::string delay = DelayItem(static_cast<std::uint32_t>(now - lastTime_));
    if (key.release) {
        // A release before anything else of this recording (a key held when
        // Start was pressed) has no previous event to measure from.
        if (recordDelays_ && timed_) items_.push_back(delay);
        items_.push_back(ReleaseItem(key.name));
    } else {
        if (recordDelays_ && state_ == RecordingState::Pressed) items_.push_back(delay);
        items_.push_back(PressItem(key.name));
        state_ = RecordingState::Pressed;
    }
    lastTime_ = now;
    timed_ = true;
    Notify(listener_.itemsChanged);
}

} // namespace qv530
