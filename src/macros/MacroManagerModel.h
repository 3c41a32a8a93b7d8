#pragma once
// What the macro manager does, without its window: the macro list and the
// selected macro's items, loop count and switches, and every user action on
// them, each written to the store at once. A running recording is stopped
// (and saved) before any other action. The dialog shows this state and
// forwards the user's clicks.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroRecorder.h"
#include "macros/MacroReferences.h"
#include "macros/MacroSlotLayout.h"
#include "macros/MacroStore.h"

namespace qv530 {

using MacroImages = std::array<std::uint8_t, macroslot::kAreaSize>;

// The manager's images into the record's twelve macro slots (slot i to slot i).
void CopyMacroImages(MouseSettings& settings, const MacroImages& images);

// Mouse buttons the item list's menu inserts.
enum class InsertedButton { Left, Middle, Right };

// The press and release a menu insertion adds ("L-Button   Dn", "L-Button   Up").
std::string InsertedButtonPress(InsertedButton button);
std::string InsertedButtonRelease(InsertedButton button);

// Item-list edits on their own: each returns the item to select afterwards,
// or nothing when the list is left as it was.
// Press and release of the button after item `selected` (-1: none); an empty
// list takes them as items 0 and 1; a non-empty list without a selection
// takes nothing.
std::optional<int> InsertButtonItems(std::vector<std::string>& items, int selected, InsertedButton button);
// "50 ms" before item `selected` when it is not the first and neither it nor
// the item before it is a delay.
std::optional<int> InsertDelayItem(std::vector<std::string>& items, int selected);
// The typed value of a delay, limited to 0..65535, as "%d ms".
std::string TypedDelayItem(std::string_view typed);
// The loop-count edit's text after a change: as typed when its leading
// number is 1..65535, else "1".
std::string CorrectedLoopText(std::string_view typed);

class MacroManagerModel {
public:
    // The recorder must use the same store.
    MacroManagerModel(MacroStore& store, MacroRecorder& recorder, std::string language, ButtonCaptions buttonLabels,
                      const MacroImages& currentImages);

    // ---- state shown by the dialog ----
    const std::vector<std::string>& names() const { return names_; }
    int selected() const { return selected_; }
    const std::vector<std::string>& items() const { return items_; }
    const std::string& loopText() const { return loopText_; }
    bool recordDelays() const { return recorder_.recordDelays(); }
    bool loopEnabled() const { return loopEnabled_; }
    bool recording() const { return recorder_.recording(); }
    const MacroImages& images() const { return images_; }
    const ButtonCaptions& buttonLabels() const { return buttonLabels_; }
    void SetButtonLabels(const ButtonCaptions& labels) { buttonLabels_ = labels; }

    // ---- actions ----
    // Loads the store and selects the first macro.
    void Open();
    void Select(int index);
    // Writes the list and the selected macro.
    void Save();
    void StopRecording();
    // Starts recording into the selected macro; false without one, or when
    // the keyboard could not be taken (the recorder reports why).
    bool StartRecording();
    // The loop-count edit changed; returns the text the edit must show.
    std::string EditLoopText(std::string_view typed);
    void ToggleRecordDelays();
    void ToggleLoopEnabled();

    enum class NewResult { Added, LimitReached };
    NewResult New();

    // The removed macro, or nothing when none is selected or a button plays it.
    struct Removal {
        std::string name;
        int index = -1;
    };
    std::optional<Removal> Delete();

    // A rename of macro `index` is about to be typed (it becomes the
    // selected macro).
    void BeginRename(int index);
    // The typed name; rejected (the old name kept) when empty, a duplicate
    // or not storable. The names before and after, when it changed.
    struct Rename {
        std::string oldName;
        std::string newName;
    };
    std::optional<Rename> EndRename(std::string_view typed);
    int renaming() const { return renaming_; }

    // Item edits of the selected macro; each saves. They return the item to
    // select, or nothing when nothing changed.
    std::optional<int> EditDelay(int index, std::string_view typed);
    // A click on item `index`: a second click on the same delay item opens
    // its editor (true); any click remembers the item.
    bool ClickItem(int index);
    std::optional<int> DeleteItem(int index);
    std::optional<int> InsertButton(int selectedItem, InsertedButton button);
    std::optional<int> InsertDelay(int selectedItem);

    // The recording's items replace the selected macro's (the recorder calls
    // back while it runs).
    void TakeRecordedItems();

    // OK: stops a recording, saves, and rebuilds the twelve images from the
    // store with lead byte 0x32.
    const MacroImages& Finish();
    // Cancel or close: stops a recording; what was written stays.
    void Abandon();

private:
    std::string SelectedName() const;
    void LoadSelected();
    void SetLoopInImage(std::uint16_t value);

    MacroStore& store_;
    MacroRecorder& recorder_;
    std::string language_;
    ButtonCaptions buttonLabels_;
    MacroImages images_;

    std::vector<std::string> names_;
    int selected_ = -1;
    std::vector<std::string> items_;
    std::string loopText_;
    bool loopEnabled_ = false;
    int renaming_ = -1;
    int lastClickedItem_ = -1;
};

} // namespace qv530
