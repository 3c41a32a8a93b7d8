#pragma once
// The key capture dialog: while it is open it holds the keyboard (on X11 no
// other program receives a key), shows the last key pressed or released by
// its catalogue name, and closes only through its close, OK and Cancel
// pictures. The caller reads keyName() after OK.
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

#include "controls/BackgroundDrag.h"
#include <optional>

class QLabel;

namespace qv530 {

class ProfileEditor;

class CSingleDialog : public QDialog {
    Q_OBJECT
public:
    // Control id of the key-name field.
    static constexpr int kKeyNameControl = 502;

    CSingleDialog(ProfileEditor& editor, const QString& presetKey, QWidget* parent = nullptr);
    ~CSingleDialog() override;

    // Runs the dialog: the skin and the keyboard grab first; a failure shows
    // its message and ends with Rejected.
    int exec() override;

    QString keyName() const { return keyName_; }
    bool keyboardHeld() const { return grabbed_; }

    // One key transition as the keyboard delivers it (also for tests): the
    // virtual key, the scan code and the flags (0x01 extended, 0x80 up).
    void OnKeyEvent(std::uint16_t virtualKey, std::uint32_t scanCode, std::uint32_t flags);

    // Replaced by tests: shows a message box (text, caption).
    std::function<void(const QString&, const QString&)> showMessage;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Part { None, Close, Ok, Cancel };
    Part PartAt(const QPoint& at) const;
    void TryHoldKeyboard();
    bool HoldKeyboard();
    void ReleaseKeyboard();

    QImage background_, closeNormal_, closeOver_, buttonNormal_, buttonOver_;
    QFont font_;
    QString okText_, cancelText_, promptText_;
    QString keyName_;
    QLabel* keyField_ = nullptr;
    Part hovered_ = Part::None;
    BackgroundDrag drag_;
    bool grabbed_ = false;
    int grabTries_ = 0;
};

} // namespace qv530
