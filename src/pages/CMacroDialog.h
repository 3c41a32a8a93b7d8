#pragma once
// The macro assignment dialog: a drop-down list of the store's macros and
// the three run modes. The caller reads macroIndex(), runMode() and
// macroName() after OK; a negative index means no macro was chosen.
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

#include "controls/BackgroundDrag.h"
#include "buttons/ButtonAssignment.h"

class QListWidget;

namespace qv530 {

class CFocusItem;
class ProfileEditor;

class CMacroDialog : public QDialog {
    Q_OBJECT
public:
    // Control id of the drop-down list.
    static constexpr int kMacroListControl = 593;

    CMacroDialog(ProfileEditor& editor, const MacroPreset& preset, QWidget* parent = nullptr);

    int macroIndex() const { return macroIndex_; }
    std::uint8_t runMode() const { return runMode_; }
    QString macroName() const { return macroName_; }
    bool listOpen() const { return list_ != nullptr; }
    const QStringList& macroNames() const { return names_; }

    // The actions of the dialog's parts (the mouse handlers call them; tests too).
    void ToggleList();
    void ChooseMacro(int index);
    void ChooseRunMode(std::uint8_t mode);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Part { None, Close, Ok, Cancel, Selector, Mode0, Mode1, Mode2 };
    Part PartAt(const QPoint& at) const;
    void CloseList();
    void CreateFocusItems(const QString& closeName);

    QImage background_, tickOff_, tickOn_, closeNormal_, closeOver_, buttonNormal_, buttonOver_;
    QFont font_;
    QString hintText_, okText_, cancelText_;
    std::array<QString, 3> modeTexts_;
    QStringList names_;
    int macroIndex_ = -1;
    std::uint8_t runMode_ = 0;
    QString macroName_;
    QListWidget* list_ = nullptr;
    CFocusItem* selectorItem_ = nullptr;
    Part hovered_ = Part::None;
    BackgroundDrag drag_;
};

} // namespace qv530
