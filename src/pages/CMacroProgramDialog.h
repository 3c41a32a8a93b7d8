#pragma once
// The macro manager: a modal, skinned dialog in which the user creates,
// names, records, edits and deletes the macros of record.ini. Every edit is
// in the store at once; OK hands back the twelve rebuilt macro images, which
// the window copies into the record. The rules live in MacroManagerModel;
// this class shows its state and forwards the user's clicks.
#include <QDialog>
#include <QFont>
#include <QImage>

#include <functional>
#include <memory>
#include <optional>

#include "controls/BackgroundDrag.h"
#include "macros/MacroManagerModel.h"
#include "macros/MacroManagerTexts.h"

class QKeyEvent;
class QLineEdit;

namespace qv530 {

class CBitmapBtn;
class CListBoxPro;
class ProfileEditor;

class CMacroProgramDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMacroListId = 151;
    static constexpr int kItemListId = 1006;
    static constexpr int kLoopEditId = 149;
    // Commands of the item list's menu.
    static constexpr int kMenuDeleteItem = 32771;
    static constexpr int kMenuInsertLeft = 32772;
    static constexpr int kMenuInsertMiddle = 32773;
    static constexpr int kMenuInsertRight = 32774;
    static constexpr int kMenuInsertDelay = 32786;

    // hook: how a recording takes the keyboard; by default an X11 keyboard
    // grab on this dialog.
    explicit CMacroProgramDialog(ProfileEditor& editor, QWidget* parent = nullptr,
                                 std::unique_ptr<KeyboardHook> hook = nullptr);
    ~CMacroProgramDialog() override;

    // The twelve images built by OK.
    const MacroImages& images() const { return model_->images(); }
    MacroManagerModel& model() { return *model_; }
    MacroRecorder& recorder() { return *recorder_; }
    CListBoxPro* macroList() const { return macroList_; }
    CListBoxPro* itemList() const { return itemList_; }
    QLineEdit* loopEdit() const { return loopEdit_; }
    CBitmapBtn* recordButton() const { return record_; }

    // The user's commands, as the buttons and the menu run them.
    void ToggleRecording();
    void NewMacro();
    void DeleteMacro();
    void RunItemCommand(int command);
    void BeginRename(int index);

    // Shows a message box; tests replace it.
    std::function<void(const QString& caption, const QString& text)> showMessage;
    // Runs the item list's menu at a global position and returns the chosen
    // command (0 for none); tests replace it.
    std::function<int(const QPoint& globalPos)> runItemMenu;

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    CBitmapBtn* MakeButton(const QRect& where, const char* normal, const char* over, std::string_view caption);
    int ExecItemMenu(const QPoint& globalPos);
    void OnItemPressed(int index);
    bool ListKey(QObject* watched, const QKeyEvent& key);
    void OnMacroEditEnded(int index);
    void OnItemEditEnded(int index);
    void OnRightButton(int index);
    void ShowNames();
    void ShowMacro();
    void ShowItems(std::optional<int> select = std::nullopt);
    void ShowSwitches();
    void ShowRecordCaption();
    QString Text(std::string_view text) const { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

    ProfileEditor& editor_;
    const MacroManagerTexts& texts_;
    std::unique_ptr<MacroStore> store_;
    std::unique_ptr<KeyboardHook> hook_;
    std::unique_ptr<MacroRecorder> recorder_;
    std::unique_ptr<MacroManagerModel> model_;

    QImage background_;
    QFont font_;
    CListBoxPro* macroList_ = nullptr;
    CListBoxPro* itemList_ = nullptr;
    QLineEdit* loopEdit_ = nullptr;
    CBitmapBtn* record_ = nullptr;
    CBitmapBtn* new_ = nullptr;
    CBitmapBtn* delete_ = nullptr;
    CBitmapBtn* ok_ = nullptr;
    CBitmapBtn* cancel_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    CBitmapBtn* delayTick_ = nullptr;
    CBitmapBtn* loopTick_ = nullptr;
    BackgroundDrag drag_;
    bool showing_ = false;  // the widgets are being filled from the model
};

} // namespace qv530
