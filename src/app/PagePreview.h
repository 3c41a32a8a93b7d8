#pragma once
// Until the settings panel hosts them, QV530_PAGE_PREVIEW=lighting shows the
// two lighting pages where the panel sits, for screenshots and the end-to-end
// test. Without the variable nothing changes.
class QWidget;

namespace qv530 {

class ProfileEditor;

void ShowPagePreview(QWidget* window, ProfileEditor& editor);

} // namespace qv530
