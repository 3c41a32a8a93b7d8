#include "macros/MacroManagerModel.h"

#include <algorithm>

#include "macros/BigEndian.h"
#include "macros/LeadingNumber.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroItem.h"
#include "macros/MacroNames.h"
#include "macros/MacroReadRules.h"

namespace qv530 {
namespace {

constexpr std::string_view kClickSuffix = " Click";

std::string ButtonClickText(InsertedButton button) {
    switch (button) {
    case InsertedButton::Left: return "L-Button Click";
    case InsertedButton::Middle: return "M-Button Click";
    case InsertedButton::Right: return "R-Button Click";
    }
    return {};
}

// " Click" replaced by the given suffix.
std::string ClickAs(InsertedButton button, std::string_view suffix) {
    std::string text = ButtonClickText(button);
    text.replace(text.find(kClickSuffix), kClickSuffix.size(), suffix);
    return text;
}

bool IsDelay(const std::string& item) { return ClassifyMacroItem(item) == MacroItemKind::Delay; }

bool InRange(int index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) < size; }

} // namespace

void CopyMacroImages(MouseSettings& settings, const MacroImages& images) {
    std::copy(images.begin(), images.end(), settings.MacroSlot(0));
}

std::string InsertedButtonPress(InsertedButton button) { return ClickAs(button, kPressSuffix); }
std::string InsertedButtonRelease(InsertedButton button) { return ClickAs(button, kReleaseSuffix); }

std::optional<int> InsertButtonItems(std::vector<std::string>& items, int selected, InsertedButton button) {
    if (items.empty()) {
        items = {InsertedButtonPress(button), InsertedButtonRelease(button)};
        return 1;
    }
    if (!InRange(selected, items.size())) return std::nullopt;
    const auto at = items.begin() + selected + 1;
    items.insert(at, {InsertedButtonPress(button), InsertedButtonRelease(button)});
    return IsDelay(items[static_cast<std::size_t>(selected)]) ? selected + 1 : selected + 2;
}

std::optional<int> InsertDelayItem(std::vector<std::string>& items, int selected) {
    if (selected <= 0 || !InRange(selected, items.size())) return std::nullopt;
    const auto b = static_cast<std::size_t>(selected);
    if (IsDelay(items[b - 1]) || IsDelay(items[b])) return std::nullopt;
    items.insert(items.begin() + selected, DelayItem(kDefaultDelayMs));
    return selected + 1;
}

std::string TypedDelayItem(std::string_view typed) {
    const std::int64_t value = std::clamp<std::int64_t>(LeadingNumber(typed), 0, macroslot::kMaxDelayMs);
    return DelayItem(value);
}

std::string CorrectedLoopText(std::string_view typed) {
    const std::int64_t value = LeadingNumber(typed);
    if (value < kMinLoopCount || value > kMaxLoopCount) return std::to_string(kMinLoopCount);
    return std::string(typed);
}

MacroManagerModel::MacroManagerModel(MacroStore& store, MacroRecorder& recorder, std::string language,
                                     ButtonCaptions buttonLabels, const MacroImages& currentImages)
    : store_(store), recorder_(recorder), language_(std::move(language)), buttonLabels_(std::move(buttonLabels)),
      images_(currentImages) {
    recorder_.SetRecordDelays(false);
}

std::string MacroManagerModel::SelectedName() const {
    return InRange(selected_, names_.size()) ? names_[static_cast<std::size_t>(selected_)] : std::string{};
}

void MacroManagerModel::Open() {
    StopRecording();
    names_.clear();
    items_.clear();
    selected_ = -1;
    loopText_.clear();
    loopEnabled_ = false;
    recorder_.SetRecordDelays(false);
    // Each macro in turn sets the switches; the selection below settles them.
    for (NamedMacro& macro : store_.ReadAllMacros()) {
        loopText_ = macro.macro.loopText;
        loopEnabled_ = LoopCountFromText(loopText_) > kMinLoopCount;
        recorder_.SetRecordDelays(DelayFlagOnLoad(macro.macro.delayFlagText));
        names_.push_back(std::move(macro.name));
    }
    if (!names_.empty()) Select(0);
}

void MacroManagerModel::Select(int index) {
    StopRecording();
    if (!InRange(index, names_.size())) return;
    selected_ = index;
    lastClickedItem_ = -1;
    LoadSelected();
}

void MacroManagerModel::LoadSelected() {
    const StoredMacro macro = store_.ReadMacro(SelectedName());
    // The edit corrects what it is given the way it corrects what is typed.
    loopText_ = CorrectedLoopText(macro.loopText);
    items_ = macro.items;
    recorder_.SetRecordDelays(DelayFlagOnSelect(macro.delayFlagText, recorder_.recordDelays()));
    loopEnabled_ = LoopCountFromText(loopText_) > kMinLoopCount;
}

void MacroManagerModel::Save() {
    if (!InRange(selected_, names_.size())) return;
    store_.WriteMacroNames(names_);
    store_.WriteMacro(SelectedName(), recordDelays() ? 1 : 0, loopText_, items_);
}

void MacroManagerModel::StopRecording() {
    if (!recorder_.recording()) return;
    recorder_.Stop();
    items_ = recorder_.items();
}

bool MacroManagerModel::StartRecording() {
    if (!InRange(selected_, names_.size())) return false;
    StopRecording();
    items_.clear();
    lastClickedItem_ = -1;
    return recorder_.Start(SelectedName(), names_, loopText_);
}

void MacroManagerModel::TakeRecordedItems() {
    if (InRange(selected_, names_.size())) items_ = recorder_.items();
}

std::string MacroManagerModel::EditLoopText(std::string_view typed) {
    loopText_ = CorrectedLoopText(typed);
    const std::uint16_t value = LoopCountFromText(loopText_);
    SetLoopInImage(value);
    if (InRange(selected_, names_.size())) store_.WriteLoopTimes(SelectedName(), value);
    return loopText_;
}

void MacroManagerModel::SetLoopInImage(std::uint16_t value) {
    if (!InRange(selected_, macroslot::kCount)) return;
    const std::size_t base = macroslot::kSize * static_cast<std::size_t>(selected_) + macroslot::kLoopCount;
    PutBigEndian16(std::span<std::uint8_t, 2>(images_.data() + base, 2), value);
}

void MacroManagerModel::ToggleRecordDelays() {
    StopRecording();
    recorder_.SetRecordDelays(!recorder_.recordDelays());
}

void MacroManagerModel::ToggleLoopEnabled() {
    StopRecording();
    loopEnabled_ = !loopEnabled_;
}

MacroManagerModel::NewResult MacroManagerModel::New() {
    StopRecording();
    Save();
    if (names_.size() >= store::kMaxMacros) return NewResult::LimitReached;
    names_.push_back(NewMacroName(names_, language_));
    items_.clear();
    loopText_ = std::to_string(kMinLoopCount);
    Select(static_cast<int>(names_.size()) - 1);
    return NewResult::Added;
}

std::optional<MacroManagerModel::Removal> MacroManagerModel::Delete() {
    StopRecording();
    if (!InRange(selected_, names_.size())) return std::nullopt;
    const std::string name = SelectedName();
    if (IsMacroInUse(name, buttonLabels_)) return std::nullopt;
    const int index = selected_;
    names_.erase(names_.begin() + index);
    items_.clear();
    selected_ = std::min(index, static_cast<int>(names_.size()) - 1);
    store_.WriteMacroNames(names_);
    // A broken store may list two names of one section: the other keeps it.
    const bool shared = std::any_of(names_.begin(), names_.end(),
                                    [&](const std::string& other) { return ShareMacroSection(other, name); });
    if (!shared) store_.DeleteMacroSection(name);
    lastClickedItem_ = -1;
    if (selected_ >= 0) LoadSelected();
    return Removal{name, index};
}

void MacroManagerModel::BeginRename(int index) {
    StopRecording();
    if (!InRange(index, names_.size())) return;
    if (index != selected_) Select(index);
    renaming_ = index;
}

std::optional<MacroManagerModel::Rename> MacroManagerModel::EndRename(std::string_view typed) {
    const int index = renaming_;
    renaming_ = -1;
    if (!InRange(index, names_.size())) return std::nullopt;
    const std::string oldName = names_[static_cast<std::size_t>(index)];
    if (typed == oldName || !IsAcceptedRename(names_, static_cast<std::size_t>(index), typed)) return std::nullopt;
    names_[static_cast<std::size_t>(index)] = std::string(typed);
    // The old section goes only now that the new one is certain, so a rename
    // that is dropped (or never ends) loses nothing.
    store_.DeleteMacroSection(oldName);
    // A macro without items has no section of its own.
    if (items_.empty()) store_.WriteMacroNames(names_);
    else store_.WriteRenamedMacro(names_, typed, recordDelays() ? 1 : 0, loopText_, items_);
    return Rename{oldName, std::string(typed)};
}

bool MacroManagerModel::ClickItem(int index) {
    const bool again = index == lastClickedItem_;
    lastClickedItem_ = index;
    return again && InRange(index, items_.size()) &&
           items_[static_cast<std::size_t>(index)].find(kDelaySuffix) != std::string::npos;
}

std::optional<int> MacroManagerModel::EditDelay(int index, std::string_view typed) {
    StopRecording();
    if (!InRange(index, items_.size())) return std::nullopt;
    items_[static_cast<std::size_t>(index)] = TypedDelayItem(typed);
    Save();
    return index;
}

std::optional<int> MacroManagerModel::DeleteItem(int index) {
    StopRecording();
    if (!InRange(index, items_.size())) return std::nullopt;
    items_.erase(items_.begin() + index);
    lastClickedItem_ = -1;
    Save();
    return -1;
}

std::optional<int> MacroManagerModel::InsertButton(int selectedItem, InsertedButton button) {
    StopRecording();
    if (!InRange(selected_, names_.size())) return std::nullopt;
    const auto selection = InsertButtonItems(items_, selectedItem, button);
    if (selection) Save();
    lastClickedItem_ = -1;
    return selection;
}

std::optional<int> MacroManagerModel::InsertDelay(int selectedItem) {
    StopRecording();
    const auto selection = InsertDelayItem(items_, selectedItem);
    if (selection) Save();
    lastClickedItem_ = -1;
    return selection;
}

const MacroImages& MacroManagerModel::Finish() {
    StopRecording();
    Save();
    BuildMacroSlots(store_, macroslot::kLeadFromManager, MacroAreaSpan(images_));
    return images_;
}

void MacroManagerModel::Abandon() { StopRecording(); }

} // namespace qv530
