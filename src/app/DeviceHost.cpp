#include "app/DeviceHost.h"

#include <QMetaObject>
#include <QPointer>
#include <future>

#include "platform/DebugLog.h"
#include "settings/PointerValues.h"

namespace qv530 {
namespace {
// Pauses of one full send to a mouse and of the pad's lighting, for the progress bar.
constexpr long long kMousePausesMs = 5350;
constexpr long long kPadPausesMs = 250;
} // namespace

DeviceHost::DeviceHost(AppState& app, QObject* parent) : QObject(parent), app_(app) {
    qRegisterMetaType<qv530::DeviceChangeEffects>();
    session_ = std::make_unique<DeviceSession>(app.runtime->backend(), app.link, app.editor->recordForDiscovery(),
                                               app.editor->stateForDiscovery(),
                                               [this](int kind, int stage) { Deliver(kind, stage); });
}

DeviceHost::~DeviceHost() { Shutdown(); }

void DeviceHost::Start() {
    if (!app_.options.demo) {
        if (monitor_.Open()) {
            notifier_ = std::make_unique<QSocketNotifier>(monitor_.fd(), QSocketNotifier::Read);
            connect(notifier_.get(), &QSocketNotifier::activated, this, &DeviceHost::OnUdevReadable);
        } else {
            // The program goes on; only plugging and unplugging go unseen.
            DebugWrite("RegisterDeviceNotification failed!!!");
        }
    }
    session_->DiscoverAll();
    session_->StartReaders();
    app_.editor->SetDpiVariant(session_->DpiTable());
    app_.editor->SetPadPresent(app_.link.padConnected.load() == 1);
}

void DeviceHost::Shutdown() {
    closing_ = true;
    if (worker_.joinable()) {
        // A chunk read the mouse never answers must not keep the program from ending.
        for (SharedHandle* command : {&app_.link.a11dCommand, &app_.link.a1dcCommand})
            if (HidDevicePtr device = command->Get()) device->CancelRead();
        worker_.join();
    }
    notifier_.reset();
    monitor_.Close();
    if (session_) session_->Shutdown();
}

// Runs on a reader thread: a blocking call into the GUI thread, given up
// when the program is closing so that the reader can be joined.
void DeviceHost::Deliver(int kind, int stage) {
    if (closing_) return;
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> shown = done->get_future();
    QPointer<DeviceHost> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, done, kind, stage] {
            if (self) emit self->stageNotice(kind, stage);
            done->set_value();
        },
        Qt::QueuedConnection);
    while (shown.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
        if (closing_) return;
}

void DeviceHost::OnUdevReadable() {
    while (auto event = monitor_.Receive()) {
        const int code = DeviceChangeEventCode(*event);
        if (code != 0) HandleEvent(code, event->devpath);
    }
}

void DeviceHost::HandleEvent(int code, const std::string& path) {
    if (busy()) {
        // The sequence is using the handles: rediscover when it has ended.
        deferred_.emplace_back(code, path);
        return;
    }
    const DeviceChangeEffects effects = session_->OnDeviceChange(code, path);
    if (!effects.handled) return;
    if (effects.reloadProfile) app_.editor->ReloadAfterPlug();
    app_.editor->SetDpiVariant(effects.dpiTable);
    if (effects.padChanged) app_.editor->SetPadPresent(app_.link.padConnected.load() == 1);
    emit deviceChanged(effects);
}

double DeviceHost::Progress() const {
    if (!progress_) return 0.0;
    return std::min(1.0, static_cast<double>(progress_->done()) / static_cast<double>(expectedMs_));
}

void DeviceHost::Run(Sequence sequence) {
    if (busy()) return;
    const int mice = (app_.link.a11dConnected.load() == 1) + (app_.link.a1dcConnected.load() == 1);
    expectedMs_ = std::max<long long>(1, mice * kMousePausesMs + (app_.link.padConnected.load() == 1) * kPadPausesMs);
    progress_ = std::make_unique<ProgressSleeper>(app_.runtime->sleeper());
    const bool reset = sequence == Sequence::Reset;
    // The worker has its own copy of the profile; the editor takes it back on
    // the GUI thread, so no record is written by two threads.
    workerProfile_ = std::make_unique<ProfileSnapshot>(app_.editor->Snapshot());
    app_.editor->SetBusy(true);
    worker_ = std::thread([this, reset] {
        ProfileSnapshot& profile = *workerProfile_;
        PointerSettingsBackend& pointer = app_.runtime->pointer();
        ApplyContext context{profile.settings, profile.sent, profile.state, profile.files, app_.link, *progress_,
                             app_.runtime->trace(),
                             [&pointer](const MouseSettings& applied) { ApplyPointerSettings(applied, pointer); },
                             profile.profileId};
        const ApplyResult result = reset ? ResetAndApply(context) : ApplySettings(context);
        QMetaObject::invokeMethod(
            this,
            [this, reset, result] {
                if (worker_.joinable()) worker_.join();
                app_.editor->SetBusy(false);
                app_.editor->TakeSnapshot(std::move(*workerProfile_));
                workerProfile_.reset();
                if (!result.refused.empty()) app_.editor->NoteProblem(result.refused);
                if (!result.notSaved.empty()) app_.editor->NoteProblem(result.notSaved);
                for (const std::string& warning : result.warnings) app_.editor->NoteProblem(warning);
                if (closing_) return;
                const QString failedDevice = result.failedDevices.empty()
                                                 ? QString()
                                                 : QString::fromStdString(result.failedDevices.front().device);
                emit sequenceFinished(reset, result.failedReports, result.saved, failedDevice);
                while (!deferred_.empty() && !busy()) {
                    auto [code, path] = deferred_.front();
                    deferred_.pop_front();
                    HandleEvent(code, path);
                }
            },
            Qt::QueuedConnection);
    });
}

} // namespace qv530
