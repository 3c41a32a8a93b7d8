#include "app/PagePreview.h"

#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "controls/SkinGeometry.h"
#include "pages/CDlgLighting.h"
#include "pages/CDlgLightingPad.h"
#include "pages/ProfileEditor.h"

namespace qv530 {

void ShowPagePreview(QWidget* window, ProfileEditor& editor) {
    const char* preview = std::getenv("QV530_PAGE_PREVIEW");
    if (preview == nullptr || std::strcmp(preview, "lighting") != 0) return;
    auto* area = new QWidget(window);
    area->setObjectName("pagePreview");
    area->setGeometry(skin::kSettingsPanel.x, skin::kSettingsPanel.y, skin::kSettingsPanel.width,
                      skin::kSettingsPanel.height);
    auto* mouse = new CDlgLighting(editor, area);
    mouse->move(skin::kPanelTitleLeft, skin::kPanelTitleTop);
    auto* pad = new CDlgLightingPad(editor, area);
    pad->move(skin::kPanelTitleLeft, mouse->geometry().bottom() + 1 + skin::kPanelTitleTop);
    pad->setVisible(editor.padPresent());
    QObject::connect(&editor, &ProfileEditor::recordReplaced, area, [mouse, pad] {
        mouse->RefreshFromSettings();
        pad->RefreshFromSettings();
    });
    QObject::connect(&editor, &ProfileEditor::padPresentChanged, pad, &QWidget::setVisible);
    area->show();
    area->raise();
}

} // namespace qv530
