#pragma once
// The polling-rate page: a four-position dial; a click on its ring chooses
// the quadrant's rate (upper right 1000, lower right 500, lower left 250,
// upper left 125 Hz). Each quarter is a focus item: Space chooses it, the
// arrows go round the dial.
#include <array>

#include "pages/CDlgPage.h"

namespace qv530 {

class CFocusItem;

class CDlgUSBReportRate : public CDlgPage {
    Q_OBJECT
public:
    explicit CDlgUSBReportRate(ProfileEditor& editor, QWidget* parent = nullptr);
    // A stored rate 0 becomes 500 Hz, as the page has always shown it.
    void RefreshFromSettings() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<QImage, 4> dials_;  // by the index of the code in kReportRateCodes
    std::array<CFocusItem*, 4> items_{};
};

} // namespace qv530
