#pragma once
// The window's side of the devices: the device session with its reader
// threads, the udev monitor on the Qt loop, and the apply and reset
// sequences, which run off the GUI thread so the window keeps painting.
// A sequence works on a copy of the profile that the editor takes back when
// it ends; plug events update the editor (profile reload, DPI variant, pad).
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <atomic>
#include <deque>
#include <memory>
#include <thread>

#include "app/AppState.h"
#include "device/DeviceSession.h"
#include "usecases/ApplyUseCase.h"
#include "platform/UdevMonitor.h"

namespace qv530 {

// Counts the pauses already waited, for the progress bar.
class ProgressSleeper final : public Sleeper {
public:
    explicit ProgressSleeper(Sleeper& inner) : inner_(inner) {}
    void SleepMs(int milliseconds) override {
        inner_.SleepMs(milliseconds);
        done_ += milliseconds;
    }
    long long done() const { return done_.load(); }

private:
    Sleeper& inner_;
    std::atomic<long long> done_{0};
};

class DeviceHost : public QObject {
    Q_OBJECT
public:
    explicit DeviceHost(AppState& app, QObject* parent = nullptr);
    ~DeviceHost() override;

    // Start-up: monitor first, then discovery, so no plug is missed; then the readers.
    void Start();
    void Shutdown();
    DeviceSession& session() { return *session_; }
    bool busy() const { return worker_.joinable(); }

    enum class Sequence { Apply, Reset };
    // Runs the sequence on a worker thread; finished() follows.
    void Run(Sequence sequence);
    // Share of the sequence done, 0..1.
    double Progress() const;

signals:
    // A device notice from a reader thread (kind 0 or 1 and the stage).
    void stageNotice(int kind, int stage);
    void deviceChanged(const qv530::DeviceChangeEffects& effects);
    // failedDevice: the trace name ("a11d", "a1dc", "pad") of the first device
    // that did not take every report, or empty.
    void sequenceFinished(bool reset, int failedReports, bool saved, const QString& failedDevice);

private:
    void OnUdevReadable();
    void HandleEvent(int code, const std::string& path);
    void Deliver(int kind, int stage);

    AppState& app_;
    std::unique_ptr<DeviceSession> session_;
    UdevMonitor monitor_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::deque<std::pair<int, std::string>> deferred_; // plug events that came during a sequence
    std::thread worker_;
    std::unique_ptr<ProgressSleeper> progress_;
    long long expectedMs_ = 1;
    std::atomic<bool> closing_{false};
    // The profile the worker works on; the GUI thread hands it over and takes it back.
    std::unique_ptr<ProfileSnapshot> workerProfile_;
};

} // namespace qv530

Q_DECLARE_METATYPE(qv530::DeviceChangeEffects)
