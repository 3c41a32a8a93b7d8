#pragma once
// The pointer speed page: the level 1..11 the desktop's pointer speed is made from.
#include "pages/CSpeedDialPage.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {

class CDlgMouseSpeed : public CSpeedDialPage {
    Q_OBJECT
public:
    static constexpr int kTitleSlot = 23;  // "Mouse Speed", the gauge's name
    explicit CDlgMouseSpeed(ProfileEditor& editor, QWidget* parent = nullptr)
        : CSpeedDialPage(editor, field::kPointerSpeed, &SetPointerSpeed, false, kTitleSlot, parent) {
        setObjectName("mouseSpeedPage");
        AddDesktopStatus(PointerSetting::Speed);
    }
};

} // namespace qv530
