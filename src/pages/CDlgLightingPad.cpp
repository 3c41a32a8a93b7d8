#include "pages/CDlgLightingPad.h"

namespace qv530 {

CDlgLightingPad::CDlgLightingPad(ProfileEditor& editor, QWidget* parent) : CDlgLightingPage(LightDevice::Pad, editor, parent) {
    setObjectName("padLightingPage");
}

} // namespace qv530
