#include "pages/ProfileEditor.h"

#include "profiles/ProfileSwitch.h"
#include "macros/MacroReferences.h"
#include "profiles/SavedMacroReferences.h"
#include "profiles/StartupProfile.h"

#include <QFileSystemWatcher>
#include <QTimer>

#include <cstring>
#include <utility>

#include "macros/MacroRebuild.h"
#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "profiles/ProfileBook.h"
#include "profiles/ProfileStore.h"
#include "settings/IniFile.h"

namespace qv530 {
namespace {

// The identity of a profile another program deleted: no position has it,
// so an Apply sends but saves nothing.
constexpr const char* kDeletedProfile = "deleted";
// How long the window waits for the folder lock before it looks again later.
constexpr std::chrono::milliseconds kFollowLockWait{300};
constexpr int kFollowDelayMs = 250;

std::string ListPath(const ConfigFiles& files) { return files.dataFolder() + "str.ini"; }

} // namespace

ProfileEditor::ProfileEditor(std::string dataFolder, QObject* parent)
    : QObject(parent), profile_{MouseSettings{}, MouseSettings{}, DeviceState{}, ConfigFiles(std::move(dataFolder)), {}} {}

QString ProfileEditor::Caption(int index) const {
    if (index < 0 || index >= static_cast<int>(kCaptionCount)) return {};
    return QString::fromStdString(profile_.files.side.captions[static_cast<std::size_t>(index)]);
}

void ProfileEditor::LoadAtStartUp() {
    std::string notice;
    language_ = LoadProfileAtStartUp(profile_.files, profile_.settings, profile_.state, profile_.sent, texts_, &notice);
    if (!notice.empty()) problems_.push_back(std::move(notice));
    TrackLoadedProfile();
    emit recordReplaced();
}

void ProfileEditor::ReloadCurrentProfile() {
    if (busy_) return;
    const StoreSession session(profile_.files.dataFolder());
    for (const std::string& note : session.notes()) problems_.push_back(note);
    if (ProfileLoad load = profile_.files.LoadCurrentProfile(profile_.settings, profile_.state); !load.notice.empty())
        problems_.push_back(std::move(load.notice));
    profile_.files.ReadSideFile();
    TrackLoadedProfile();
    emit recordReplaced();
}

void ProfileEditor::ReloadAfterPlug() {
    if (busy_) return;
    ReloadProfileAfterPlug(profile_.files, profile_.settings, profile_.state);
    TrackLoadedProfile();
    emit recordReplaced();
}

void ProfileEditor::RestoreLastApplied() {
    if (busy_) return;
    CopySettings(profile_.sent, profile_.settings);
    emit recordReplaced();
}

void ProfileEditor::TakeSnapshot(ProfileSnapshot snapshot) {
    profile_ = std::move(snapshot);
    RememberStoredFiles();
    emit recordReplaced();
}

bool ProfileEditor::SwitchProfile(int index) {
    if (busy_ || (index == profile_.state.currentProfile && profile_.profileId != kDeletedProfile)) return false;
    const StoreSession session(profile_.files.dataFolder());
    if (std::string damage = SwitchToProfile(index, profile_.files, profile_.settings, profile_.state); !damage.empty())
        problems_.push_back(std::move(damage));
    CopySettings(profile_.settings, profile_.sent);
    TrackLoadedProfile();
    emit recordReplaced();
    return true;
}

void ProfileEditor::CreateProfile(int index) {
    if (busy_) return;
    const StoreSession session(profile_.files.dataFolder());
    CreateProfileAt(index, profile_.files, profile_.settings, profile_.state);
    TrackLoadedProfile();
    emit recordReplaced();
}

ConfigFiles::ImportResult ProfileEditor::ImportProfile(int index, const std::string& path) {
    if (busy_) return ConfigFiles::ImportResult::Missing;
    const auto result = ImportIntoProfile(index, path, profile_.files, profile_.settings, profile_.state);
    if (result == ConfigFiles::ImportResult::Imported) emit recordReplaced();
    return result;
}

ConfigFiles::ExportResult ProfileEditor::ExportCurrentProfile(const std::string& path) {
    if (busy_) return {path, false, "a sequence is running"};
    const auto result = profile_.files.ExportProfile(path, profile_.settings, profile_.state);
    profile_.files.ReadSideFile();
    RememberStoredFiles();
    emit recordReplaced();
    return result;
}

ConfigFiles::ExportResult ProfileEditor::ExportStoredProfile(int position, const std::string& path) {
    if (busy_) return {path, false, "a sequence is running"};
    return qv530::ExportStoredProfile(position, path, profile_.files);
}

void ProfileEditor::ProfilesMoved(int position, int importPosition, const std::vector<std::string>& ids) {
    profile_.state.currentProfile = position;
    const int owner = importPosition >= 0 ? importPosition : position;
    if (owner >= 0) {
        profile_.state.profileFileIndex = static_cast<std::uint8_t>(owner);
        profile_.files.PointAt(owner);
        if (owner < static_cast<int>(ids.size())) profile_.profileId = ids[static_cast<std::size_t>(owner)];
    }
    RememberStoredFiles();
}

void ProfileEditor::DropImport() {
    CopySettings(profile_.sent, profile_.settings);
    ReloadCurrentProfile();
}

bool ProfileEditor::HasUnappliedEdits() const {
    return std::memcmp(profile_.settings.data(), profile_.sent.data(), kMouseSettingsSize) != 0;
}

void ProfileEditor::TrackLoadedProfile() {
    profile_.state.currentProfile = profile_.state.profileFileIndex;
    const StoreSession session(profile_.files.dataFolder(), kFollowLockWait);
    profile_.profileId = ProfileIdAt(session, profile_.state.profileFileIndex);
    RememberStoredFiles();
}

std::string ProfileEditor::StoredConfig() const {
    return ReadWholeFile(profile_.files.configPath()).value_or(std::string());
}

void ProfileEditor::RememberStoredFiles() {
    knownConfig_ = StoredConfig();
    knownSide_ = ReadWholeFile(profile_.files.sideFilePath()).value_or(std::string());
    knownCurrentName_ = ReadProfileString(ListPath(profile_.files), "Profile", "CurProfileName");
    WatchProfileFiles();
}

void ProfileEditor::WatchFolder() {
    if (watcher_ != nullptr) return;
    watcher_ = new QFileSystemWatcher(this);
    followTimer_ = new QTimer(this);
    followTimer_->setSingleShot(true);
    followTimer_->setInterval(kFollowDelayMs);
    // Several changes of one save come as one look.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, followTimer_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::fileChanged, followTimer_, qOverload<>(&QTimer::start));
    connect(followTimer_, &QTimer::timeout, this, &ProfileEditor::FollowFolder);
    connect(followTimer_, &QTimer::timeout, this, &ProfileEditor::folderChanged);
    WatchProfileFiles();
}

void ProfileEditor::WatchProfileFiles() {
    if (watcher_ == nullptr) return;
    // A file replaced by a rename is a new file: the folder and the files are
    // watched anew after every look.
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    const std::string& folder = profile_.files.dataFolder();
    if (watcher_->directories().isEmpty() && !folder.empty()) watcher_->addPath(QString::fromStdString(folder));
    QStringList files;
    for (const std::string& path : {ListPath(profile_.files), profile_.files.macroStorePath(),
                                    profile_.files.configPath(), profile_.files.sideFilePath()})
        if (FileExists(path)) files << QString::fromStdString(path);
    if (!files.isEmpty()) watcher_->addPaths(files);
}

void ProfileEditor::FollowFolder() {
    if (busy_) {
        followPending_ = true; // looked at when the sequence ends
        return;
    }
    const StoreSession session(profile_.files.dataFolder(), kFollowLockWait);
    if (!session.ok()) {
        if (followTimer_ != nullptr) followTimer_->start(); // another program is saving: look again soon
        return;
    }
    for (const std::string& note : session.notes()) emit profileNotice(QString::fromStdString(note));
    DebugWrite("Profile folder changed\n");
    const bool edits = HasUnappliedEdits();

    // Where the profile is now (its identity is taken now when the lock was
    // not to be had when it was loaded).
    if (profile_.profileId.empty()) profile_.profileId = ProfileIdAt(session, profile_.state.profileFileIndex);
    if (profile_.profileId != kDeletedProfile && !profile_.profileId.empty()) {
        const int position = PositionOfProfileId(session, profile_.profileId);
        if (position < 0) {
            profile_.profileId = kDeletedProfile;
            profile_.state.currentProfile = -1;
            RememberStoredFiles();
            emit profileNotice(tr("Another program deleted this profile. Apply sends these settings to the mouse "
                                  "but saves nothing until you choose a profile with Config."));
            return;
        }
        if (position != profile_.state.profileFileIndex) {
            DebugPrintf("Profile moved from %d to %d\n", profile_.state.profileFileIndex, position);
            if (profile_.state.currentProfile == profile_.state.profileFileIndex) profile_.state.currentProfile = position;
            profile_.state.profileFileIndex = static_cast<std::uint8_t>(position);
            profile_.files.PointAt(position);
            knownConfig_ = StoredConfig();
            knownSide_ = ReadWholeFile(profile_.files.sideFilePath()).value_or(std::string());
        }
    }

    // Another program made another profile current.
    const std::string current = ReadProfileString(ListPath(profile_.files), "Profile", "CurProfileName");
    if (current != knownCurrentName_) {
        knownCurrentName_ = current;
        if (!edits) {
            ReloadCurrentProfile();
            CopySettings(profile_.settings, profile_.sent);
            return;
        }
        emit profileNotice(tr("Another program made profile %1 current; your unapplied changes are kept.")
                               .arg(QString::fromStdString(current)));
    }

    // Another program saved this profile.
    const std::string config = StoredConfig();
    const std::string side = ReadWholeFile(profile_.files.sideFilePath()).value_or(std::string());
    if (profile_.profileId != kDeletedProfile && (config != knownConfig_ || side != knownSide_)) {
        if (!edits) {
            DebugWrite("Profile reloaded after another program's change\n");
            ReloadCurrentProfile();
            CopySettings(profile_.settings, profile_.sent);
            return;
        }
        emit profileNotice(tr("Another program changed this profile; your unapplied changes are kept, and Apply "
                              "saves them over it."));
    }
    RememberStoredFiles();
}

void ProfileEditor::SetCaption(int index, const QString& caption) {
    if (busy_ || index < 0 || index >= static_cast<int>(kWrittenCaptions)) return;
    profile_.files.side.captions[static_cast<std::size_t>(index)] = caption.toStdString();
}

void ProfileEditor::WriteCaptions() {
    const StoreSession session(profile_.files.dataFolder());
    if (!session.ok()) {
        problems_.push_back(session.refusal() + "; the captions were not saved");
        return;
    }
    profile_.files.WriteCaptions();
    RememberStoredFiles();
}

std::array<std::string, field::kSentButtons> ProfileEditor::ButtonLabels() const {
    std::array<std::string, field::kSentButtons> captions;
    for (std::size_t i = 0; i < captions.size(); ++i) captions[i] = profile_.files.side.captions[i];
    return captions;
}

void ProfileEditor::FollowMacroStore(const std::vector<std::string>& names, const std::string& renamedFrom,
                                     const std::string& renamedTo) {
    if (busy_) return;
    const StoreSession session(profile_.files.dataFolder());
    qv530::ButtonCaptions captions = ButtonLabels();
    bool captionsChanged = false;
    if (!renamedFrom.empty()) {
        captionsChanged = !RenameMacroInCaptions(profile_.settings, captions, renamedFrom, renamedTo).empty();
        if (captionsChanged)
            for (std::size_t i = 0; i < captions.size(); ++i) profile_.files.side.captions[i] = captions[i];
    }
    PointMacroButtonsAtSlots(profile_.settings, captions, names);
    PointMacroButtonsAtSlots(profile_.sent, captions, names);
    PointSavedMacroButtons(profile_.files.configPath(), captions, names);
    FollowMacroStoreInOtherProfiles(profile_.files, names, renamedFrom, renamedTo);
    if (captionsChanged) WriteCaptions();
    RememberStoredFiles();
    emit recordEdited();
}

std::vector<std::string> ProfileEditor::TakeProblems() {
    std::vector<std::string> problems = std::exchange(problems_, {});
    for (std::string& failure : profile_.files.TakeWriteFailures()) problems.push_back(std::move(failure));
    for (std::string& note : profile_.files.TakeNotes()) problems.push_back(std::move(note));
    return problems;
}

void ProfileEditor::NoteProblem(std::string message) { problems_.push_back(std::move(message)); }

void ProfileEditor::SetBusy(bool busy) {
    if (busy_ == busy) return;
    busy_ = busy;
    emit busyChanged(busy);
    if (!busy_ && std::exchange(followPending_, false) && followTimer_ != nullptr) followTimer_->start();
}

void ProfileEditor::SetDpiVariant(std::optional<StageTable> table) {
    if (!table || table == dpiVariant_) return;
    dpiVariant_ = table;
    emit dpiVariantChanged();
}

void ProfileEditor::SetPadPresent(bool present) {
    if (padPresent_ == present) return;
    padPresent_ = present;
    emit padPresentChanged(present);
}

} // namespace qv530
