#pragma once
// The one writer of the edited profile while the window runs: the record,
// the last-applied copy, the device-state values, the profile's files and
// the seven button captions. The window, its pages and dialogs read through
// it and change the record only through its typed edits, which run the
// Qt-free edit functions qv530ctl uses too. Whoever replaces the record
// (start-up, Cancel, Reset, a reload, a sequence's result) goes through it,
// so recordReplaced is the one signal every view refreshes on.
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "device/MouseCommands.h"
#include "lang/UiStrings.h"
#include "profiles/ConfigFiles.h"
#include "settings/RecordEdits.h"
#include "usecases/ApplyUseCase.h"

namespace qv530 {

class ProfileEditor : public QObject {
    Q_OBJECT
public:
    explicit ProfileEditor(std::string dataFolder, QObject* parent = nullptr);

    const MouseSettings& settings() const { return profile_.settings; }
    const MouseSettings& sent() const { return profile_.sent; }
    const DeviceState& state() const { return profile_.state; }
    const ConfigFiles& files() const { return profile_.files; }
    const UiStrings& texts() const { return texts_; }
    const std::string& language() const { return language_; }
    QString Text(int slot) const { return QString::fromStdString(texts_.UiString(slot)); }
    // Caption of button index (0..7) as the side file holds it.
    QString Caption(int index) const;

    // ---- replacing the record; each ends with recordReplaced ----
    // The start-up load: current profile, language and texts, captions, the IsDefault rule.
    void LoadAtStartUp();
    // The current profile and its side file read again (the window is opened).
    void ReloadCurrentProfile();
    // A mouse was plugged in: the profile is read again, nothing is sent.
    void ReloadAfterPlug();
    // Cancel: the last applied record comes back.
    void RestoreLastApplied();
    // A copy for a worker thread, and the worker's result taken back.
    ProfileSnapshot Snapshot() const { return profile_; }
    void TakeSnapshot(ProfileSnapshot snapshot);

    // ---- edits; refused (false) while a sequence runs or when the value is ----
    // Runs a Qt-free edit function of the core on the record:
    //   editor.Edit(SetSensitivity, Axis::X, 5)
    template <typename Fn, typename... Args>
    bool Edit(Fn&& edit, Args&&... args) {
        if (busy_) return false;
        bool taken = true;
        if constexpr (std::is_void_v<std::invoke_result_t<Fn, MouseSettings&, Args...>>)
            std::forward<Fn>(edit)(profile_.settings, std::forward<Args>(args)...);
        else
            taken = std::forward<Fn>(edit)(profile_.settings, std::forward<Args>(args)...);
        if (taken) emit recordEdited();
        return taken;
    }
    bool SetSensitivity(Axis axis, int level) { return Edit(qv530::SetSensitivity, axis, level); }
    // The caption of button index (0..6); kept in memory until saved.
    void SetCaption(int index, const QString& caption);
    // Writes the captions into the current side file.
    void WriteCaptions();
    // What went wrong since the last call, one English message each: a
    // profile loaded from elsewhere than the list names (or the defaults
    // shown instead), refused sequences, and every failed write with its
    // file and reason.
    std::vector<std::string> TakeProblems();
    void NoteProblem(std::string message);

    // ---- the devices ----
    void SetBusy(bool busy);
    bool busy() const { return busy_; }
    // The stage table of the connected mice (A11D wins when both are present).
    void SetDpiVariant(std::optional<StageTable> table);
    std::optional<StageTable> dpiVariant() const { return dpiVariant_; }
    void SetPadPresent(bool present);
    bool padPresent() const { return padPresent_; }
    // The record and device-state values the device session clears when a
    // mouse is found (GUI thread only, never while busy).
    MouseSettings& recordForDiscovery() { return profile_.settings; }
    DeviceState& stateForDiscovery() { return profile_.state; }

signals:
    void recordReplaced();
    void recordEdited();
    void dpiVariantChanged();
    void padPresentChanged(bool present);
    void busyChanged(bool busy);

private:
    ProfileSnapshot profile_;
    UiStrings texts_;
    std::string language_;
    bool busy_ = false;
    std::optional<StageTable> dpiVariant_;
    bool padPresent_ = false;
    std::vector<std::string> problems_;
};

} // namespace qv530
