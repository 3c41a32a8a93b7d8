#pragma once
// One reader per mouse variant: waits for the mouse's notification reports
// and hands each DPI-stage change (04 01 xx s) to the main window. It
// starts held until its mouse is found, sleeps while the mouse is absent,
// and is stopped and joined when the program ends.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <thread>

#include "device/DeviceLink.h"

namespace qv530 {

// Notice kinds of the main window's device notices.
namespace notice {
enum Kind : int {
    kA11DStage = 0,       // the A11D mouse's DPI stage changed (argument: the stage)
    kA1DCStage = 1,       // the A1DC mouse's
    kMacroNotice = 9,     // a macro notice (the window's balloon of kind 9)
    kMouseConnected = 14, // a mouse was plugged in
    kLastMouseGone = 15,  // the last mouse was unplugged
};
} // namespace notice

// A notification report read: report ID 4, event 1 (stage change), stage in byte 3.
struct StageChange {
    bool recognised = false;
    std::uint8_t stage = 0;
};
StageChange RecogniseNotification(std::span<const std::uint8_t> report, int bytesRead);

class ReaderThread {
public:
    // deliver(kind, stage) runs on the reader thread and may block until
    // the main window has shown the notice.
    using Deliver = std::function<void(int kind, int stage)>;

    ReaderThread(DeviceLink& link, MouseVariant variant, Deliver deliver);
    ~ReaderThread();
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;

    // Creates the thread, held until Resume; false (with the debug line) when it cannot be created.
    bool Start();
    // Lets a held thread run; no effect on a running one.
    void Resume();
    // The reader's event: a new notification handle was opened.
    void Wake();
    // Stops the thread and joins it.
    void Stop();

private:
    void Run();
    bool WaitForWake(); // false when stopping

    DeviceLink& link_;
    MouseVariant variant_;
    Deliver deliver_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool resumed_ = false;
    bool woken_ = false;
    bool stopping_ = false;
    HidDevicePtr reading_; // the handle a read is blocked on, for Stop
};

} // namespace qv530
