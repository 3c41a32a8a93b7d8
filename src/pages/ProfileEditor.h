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

class QFileSystemWatcher;
class QTimer;

#include <functional>
#include <array>
#include <optional>
#include <vector>
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

    // ---- profiles (the profile dialog); each that loads ends with recordReplaced ----
    // The profile the record belongs to; -1 once its entry was deleted.
    int currentProfile() const { return profile_.state.currentProfile; }
    // Switch: nothing when index is current already (false), else it is loaded
    // (strict IsDefault rule), saved with its captions, and nothing is sent.
    bool SwitchProfile(int index);
    // Create: the factory files and the defaults become profile index.
    void CreateProfile(int index);
    // Load: a profile file into the record and captions of profile index, saved there by the next Apply.
    ConfigFiles::ImportResult ImportProfile(int index, const std::string& path);
    // Save of the edited record (unapplied edits included; the saved profile is read again).
    ConfigFiles::ExportResult ExportCurrentProfile(const std::string& path);
    // Save of another profile's stored files; the record is untouched.
    ConfigFiles::ExportResult ExportStoredProfile(int position, const std::string& path);
    // The list was saved: the edited profile's files now sit at position
    // (-1: it was deleted), and a pending import (importPosition >= 0) is
    // saved by the next Apply at the position its entry has now. ids: the
    // identities of the saved list. The record and unapplied edits stay.
    void ProfilesMoved(int position, int importPosition, const std::vector<std::string>& ids);
    // The import waiting for Apply lost its entry: the profile is read again.
    void DropImport();
    // The identity of the profile the record belongs to.
    const std::string& profileId() const { return profile_.profileId; }
    // Another program deleted the profile: Apply sends but saves nothing.
    bool profileDeleted() const { return profile_.profileId.empty(); }
    // Unapplied edits: the record is not the one last applied or loaded.
    bool HasUnappliedEdits() const;

    // ---- the data folder beside the window ----
    // Starts watching the data folder for changes other programs make.
    void WatchFolder();
    // Looks at the folder now: follows the profile when it moved, reloads it
    // when another program saved it and there are no unapplied edits, and
    // says what it kept otherwise (profileNotice).
    void FollowFolder();

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
    // The seven button captions as the macro manager reads them.
    std::array<std::string, field::kSentButtons> ButtonLabels() const;
    // The macro store's list changed under the buttons (the manager deleted
    // or renamed a macro, already written to record.ini): captions naming a
    // renamed macro follow it, and every macro button points again at its
    // macro's slot, in the edited record, the last-applied copy and the saved
    // configuration file (the store cannot go back on Cancel). Changed
    // captions are written at once.
    void FollowMacroStore(const std::vector<std::string>& names, const std::string& renamedFrom = {},
                          const std::string& renamedTo = {});
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
    // Something about the profile the user should read, in English.
    void profileNotice(const QString& text);
    void recordReplaced();
    void recordEdited();
    void dpiVariantChanged();
    void padPresentChanged(bool present);
    void busyChanged(bool busy);
    // Something in the watched data folder changed (another program's save,
    // or our own): readers of other files there look again.
    void folderChanged();

private:
    // After a load by name: the record belongs to the profile it was read
    // from, and its identity and stored files are taken from the folder.
    void TrackLoadedProfile();
    // The bytes of the profile's two files as last loaded or saved here; a
    // difference on disk is another program's save.
    void RememberStoredFiles();
    std::string StoredConfig() const;
    void WatchProfileFiles();

    ProfileSnapshot profile_;
    UiStrings texts_;
    std::string language_;
    bool busy_ = false;
    std::optional<StageTable> dpiVariant_;
    bool padPresent_ = false;
    std::vector<std::string> problems_;
    std::string knownConfig_;
    std::string knownSide_;
    std::string knownCurrentName_;
    bool followPending_ = false;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* followTimer_ = nullptr;
};

} // namespace qv530
