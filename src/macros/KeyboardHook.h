#pragma once
// The system-wide keyboard watch a recording runs on. The platform layer
// installs it and feeds every key transition to MacroRecorder::OnHookEvent.
namespace qv530 {

class KeyboardHook {
public:
    virtual ~KeyboardHook() = default;
    // Starts delivering key events; returns 0, or the platform's error code.
    virtual int Install() = 0;
    virtual void Remove() = 0;
};

} // namespace qv530
