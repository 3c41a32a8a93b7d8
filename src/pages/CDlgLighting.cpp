#include "pages/CDlgLighting.h"

namespace qv530 {

CDlgLighting::CDlgLighting(ProfileEditor& editor, QWidget* parent) : CDlgLightingPage(LightDevice::Mouse, editor, parent) {
    setObjectName("lightingPage");
}

} // namespace qv530
