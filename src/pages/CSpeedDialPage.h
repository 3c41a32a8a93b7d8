#pragma once
// The page of one 1..11 level shown as a half-round gauge (pointer speed,
// double-click speed): a click on the upper half of its ring picks the level
// of the angle, 18 degrees a level, level 11 at the right end. The gauge is
// a focus item: the arrows, Page Up/Down, Home and End change the level.
#include <array>
#include <cstddef>

#include "pages/CDlgPage.h"

namespace qv530 {

class CSpeedDialPage : public CDlgPage {
    Q_OBJECT
public:
    // The record offset of the level, and its edit function.
    using LevelEdit = bool (*)(MouseSettings&, int);
    // nameSlot: the text slot that names the gauge (its section's title).
    CSpeedDialPage(ProfileEditor& editor, std::size_t levelOffset, LevelEdit edit, bool traceAngle, int nameSlot,
                   QWidget* parent);

    int levelShown() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::size_t levelOffset_;
    LevelEdit edit_;
    bool traceAngle_;
    std::array<QImage, 11> dials_;
    QFont font_;
};

} // namespace qv530
