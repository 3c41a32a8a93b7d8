#include "pages/ProfileEditor.h"

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
    emit recordReplaced();
}

void ProfileEditor::ReloadCurrentProfile() {
    if (busy_) return;
    if (ProfileLoad load = profile_.files.LoadCurrentProfile(profile_.settings, profile_.state); !load.notice.empty())
        problems_.push_back(std::move(load.notice));
    profile_.files.ReadSideFile();
    emit recordReplaced();
}

void ProfileEditor::ReloadAfterPlug() {
    if (busy_) return;
    ReloadProfileAfterPlug(profile_.files, profile_.settings, profile_.state);
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

void ProfileEditor::SetCaption(int index, const QString& caption) {
    if (busy_ || index < 0 || index >= static_cast<int>(kWrittenCaptions)) return;
    profile_.files.side.captions[static_cast<std::size_t>(index)] = caption.toStdString();
}

void ProfileEditor::WriteCaptions() { profile_.files.WriteCaptions(); }

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
