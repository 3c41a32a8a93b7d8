#pragma once
// The double-click speed page: the level 1..11 the desktop's double-click
// time is made from; each click on the ring writes its angle to the debug output.
#include "pages/CSpeedDialPage.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {

class CDlgDoubleClick : public CSpeedDialPage {
    Q_OBJECT
public:
    static constexpr int kTitleSlot = 24;  // "Double-Click Speed", the gauge's name
    explicit CDlgDoubleClick(ProfileEditor& editor, QWidget* parent = nullptr)
        : CSpeedDialPage(editor, field::kDoubleClickLevel, &SetDoubleClickLevel, true, kTitleSlot, parent) {
        setObjectName("doubleClickPage");
        AddDesktopStatus(PointerSetting::DoubleClick);
    }
};

} // namespace qv530
