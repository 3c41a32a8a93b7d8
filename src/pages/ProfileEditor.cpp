#include "pages/ProfileEditor.h"

#include "profiles/ProfileSwitch.h"
#include "macros/MacroReferences.h"
#include "profiles/SavedMacroReferences.h"
#include "profiles/StartupProfile.h"

#include <utility>

namespace qv530 {

ProfileEditor::ProfileEditor(std::string dataFolder, QObject* parent)
    : QObject(parent), profile_{MouseSettings{}, MouseSettings{}, DeviceState{}, ConfigFiles(std::move(dataFolder))} {}

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
    emit recordReplaced();
}

bool ProfileEditor::SwitchProfile(int index) {
    if (busy_ || index == profile_.state.currentProfile) return false;
    SwitchToProfile(index, profile_.files, profile_.settings, profile_.state);
    emit recordReplaced();
    return true;
}

void ProfileEditor::CreateProfile(int index) {
    if (busy_) return;
    CreateProfileAt(index, profile_.files, profile_.settings, profile_.state);
    emit recordReplaced();
}

ConfigFiles::ImportResult ProfileEditor::ImportProfile(int index, const std::string& path) {
    if (busy_) return ConfigFiles::ImportResult::Missing;
    const auto result = ImportIntoProfile(index, path, profile_.files, profile_.settings, profile_.state);
    if (result == ConfigFiles::ImportResult::Imported) emit recordReplaced();
    return result;
}

ConfigFiles::ExportResult ProfileEditor::ExportCurrentProfile(const std::string& path) {
    if (busy_) return {path, false};
    const auto result = profile_.files.ExportProfile(path, profile_.settings, profile_.state);
    profile_.files.ReadSideFile();
    emit recordReplaced();
    return result;
}

ConfigFiles::ExportResult ProfileEditor::ExportStoredProfile(int position, const std::string& path) {
    if (busy_) return {path, false};
    return qv530::ExportStoredProfile(position, path, profile_.files);
}

void ProfileEditor::ProfilesMoved(int position, bool importPending) {
    profile_.state.currentProfile = position;
    if (position >= 0 && !importPending) profile_.state.profileFileIndex = static_cast<std::uint8_t>(position);
}

void ProfileEditor::SetCaption(int index, const QString& caption) {
    if (busy_ || index < 0 || index >= static_cast<int>(kWrittenCaptions)) return;
    profile_.files.side.captions[static_cast<std::size_t>(index)] = caption.toStdString();
}

void ProfileEditor::WriteCaptions() { profile_.files.WriteCaptions(); }

std::array<std::string, field::kSentButtons> ProfileEditor::ButtonLabels() const {
    std::array<std::string, field::kSentButtons> captions;
    for (std::size_t i = 0; i < captions.size(); ++i) captions[i] = profile_.files.side.captions[i];
    return captions;
}

void ProfileEditor::FollowMacroStore(const std::vector<std::string>& names, const std::string& renamedFrom,
                                     const std::string& renamedTo) {
    if (busy_) return;
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
    emit recordEdited();
}

std::vector<std::string> ProfileEditor::TakeProblems() {
    std::vector<std::string> problems = std::exchange(problems_, {});
    for (std::string& failure : profile_.files.TakeWriteFailures()) problems.push_back(std::move(failure));
    return problems;
}

void ProfileEditor::NoteProblem(std::string message) { problems_.push_back(std::move(message)); }

void ProfileEditor::SetBusy(bool busy) {
    if (busy_ == busy) return;
    busy_ = busy;
    emit busyChanged(busy);
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
