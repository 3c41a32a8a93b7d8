#pragma once
// The pointer speed page: the level 1..11 the desktop's pointer speed is made from.
#include "pages/CSpeedDialPage.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {

class CDlgMouseSpeed : public CSpeedDialPage {
    Q_OBJECT
public:
    explicit CDlgMouseSpeed(ProfileEditor& editor, QWidget* parent = nullptr)
        : CSpeedDialPage(editor, field::kPointerSpeed, &SetPointerSpeed, false, parent) {
        setObjectName("mouseSpeedPage");
    }
};

} // namespace qv530
