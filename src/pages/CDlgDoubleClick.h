#pragma once
// The double-click speed page: the level 1..11 the desktop's double-click
// time is made from; each click on the ring writes its angle to the debug output.
#include "pages/CSpeedDialPage.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {

class CDlgDoubleClick : public CSpeedDialPage {
    Q_OBJECT
public:
    explicit CDlgDoubleClick(ProfileEditor& editor, QWidget* parent = nullptr)
        : CSpeedDialPage(editor, field::kDoubleClickLevel, &SetDoubleClickLevel, true, parent) {
        setObjectName("doubleClickPage");
    }
};

} // namespace qv530
