#pragma once
// The mouse's lighting page: standard, breathing, neon, finger tapping, stream.
#include "pages/CDlgLightingPage.h"

namespace qv530 {

class CDlgLighting : public CDlgLightingPage {
    Q_OBJECT
public:
    CDlgLighting(ProfileEditor& editor, QWidget* parent);
};

} // namespace qv530
