#pragma once
// A painted part of a page (a radio icon, a dial quarter, a swatch, a gauge)
// made reachable by the keyboard and visible to assistive technology: an
// invisible child laid just around the part. Clicks go through it to the
// page as before; with the keyboard focus it draws the focus mark, Space
// (and Enter where allowed) runs `activate`, the arrows, Page Up/Down,
// Home and End run `step`, F2 runs `edit`. Its accessible object reports
// the role, the name, the value and the state the owner's callbacks give.
#include <QAccessible>
#include <QWidget>

#include <functional>
#include <optional>

#include "FocusMark.h"
#include "KeySteps.h"

namespace qv530 {

class CFocusItem : public QWidget {
    Q_OBJECT
public:
    // Pixels between the part and the focus mark.
    static constexpr int kMarkMargin = 2;

    // area: the painted part in the parent's coordinates.
    CFocusItem(QWidget* parent, const QRect& area, QAccessible::Role role, const char* objectName);

    void SetArea(const QRect& area);
    QAccessible::Role Role() const { return role_; }

    std::function<QString()> name;
    // The value as the page shows it ("2400 DPI"); none when empty.
    std::function<QString()> valueText;
    // Set for a checkable part: whether it is checked now.
    std::function<bool()> checked;
    // Set for a part with a value (a gauge): its range and current value.
    struct Range {
        int minimum = 0;
        int maximum = 0;
    };
    std::optional<Range> range;
    std::function<int()> value;
    // Where the part lets the user set a value directly (assistive technology).
    std::function<void(int)> setValue;
    std::function<void()> activate;
    std::function<void(KeyStep)> step;
    std::function<void()> edit;
    bool upIsMore = false;     // Up raises the value (gauges) instead of going back (choices)
    bool enterPresses = false; // Enter does what Space does (in dialogs)
    bool hasPopup = false;     // activating opens a chooser or a menu

    // Tells assistive technology what changed since the last call (state,
    // value, name); cheap when none listens.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    FocusMarkState mark_;
    QAccessible::Role role_;
    bool lastChecked_ = false;
    int lastValue_ = 0;
    QString lastName_;
};

// Refresh of every focus item under `root`.
void RefreshFocusItems(QWidget* root);

// QWidget::setTabOrder along the list, which skips null entries.
void SetTabChain(std::initializer_list<QWidget*> widgets);
void SetTabChain(const QList<QWidget*>& widgets);

}  // namespace qv530
