#include "pages/CDlgUSBReportRate.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "controls/SkinLoader.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {

CDlgUSBReportRate::CDlgUSBReportRate(ProfileEditor& editor, QWidget* parent)
    : CDlgPage(editor, "Skins\\USBReportRate\\BK_USBReportRate.png", skin::kReportRatePage, parent) {
    setObjectName("reportRatePage");
    for (std::size_t i = 0; i < kReportRateCodes.size(); ++i)
        dials_[i] = SkinLoader::Load(QString("Skins/USBReportRate/%1HZ.png").arg(ReportRateHz(kReportRateCodes[i])));
    RefreshFromSettings();
}

void CDlgUSBReportRate::RefreshFromSettings() {
    editor_.Edit(NormaliseReportRate);
    update();
}

void CDlgUSBReportRate::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    if (const auto code = RateCodeAtDial(p.x() - skin::kRateDialCentre.x, p.y() - skin::kRateDialCentre.y))
        editor_.Edit(SetReportRateCode, *code);
    update();
}

void CDlgUSBReportRate::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackground(painter);
    const int code = ReportRateCodeShown(settings().at(field::kReportRate));
    const auto at = std::find(kReportRateCodes.begin(), kReportRateCodes.end(), code);
    DrawPicture(painter, QPoint(skin::kRateDialOrigin.x, skin::kRateDialOrigin.y),
                dials_[static_cast<std::size_t>(at - kReportRateCodes.begin())]);
}

} // namespace qv530
