#pragma once
// The mouse pad's lighting page: standard, breathing, neon, stream (the pad
// has no finger tapping).
#include "pages/CDlgLightingPage.h"

namespace qv530 {

class CDlgLightingPad : public CDlgLightingPage {
    Q_OBJECT
public:
    CDlgLightingPad(ProfileEditor& editor, QWidget* parent);
};

} // namespace qv530
