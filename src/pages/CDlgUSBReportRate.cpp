#include "pages/CDlgUSBReportRate.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "controls/CFocusItem.h"
#include "controls/SkinLoader.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {

CDlgUSBReportRate::CDlgUSBReportRate(ProfileEditor& editor, QWidget* parent)
    : CDlgPage(editor, "Skins\\USBReportRate\\BK_USBReportRate.png", skin::kReportRatePage, parent) {
    setObjectName("reportRatePage");
    for (std::size_t i = 0; i < kReportRateCodes.size(); ++i)
        dials_[i] = SkinLoader::Load(QString("Skins/USBReportRate/%1HZ.png").arg(ReportRateHz(kReportRateCodes[i])));
    // The four quarters of the ring, clockwise from the upper right as the
    // codes go: 1000, 500, 250, 125 Hz.
    using namespace skin;
    constexpr int r = kRateRingOuter;
    const QPoint c(kRateDialCentre.x, kRateDialCentre.y);
    const std::array<QRect, 4> quarters{QRect(c.x() + 1, c.y() - r, r, r), QRect(c.x() + 1, c.y() + 1, r, r),
                                        QRect(c.x() - r, c.y() + 1, r, r), QRect(c.x() - r, c.y() - r, r, r)};
    for (std::size_t i = 0; i < kReportRateCodes.size(); ++i) {
        auto* item = new CFocusItem(this, quarters[i], QAccessible::RadioButton, "rateItem");
        const int code = kReportRateCodes[i];
        item->name = [code] { return QStringLiteral("%1 Hz").arg(ReportRateHz(code)); };
        item->checked = [this, code] { return ReportRateCodeShown(settings().at(field::kReportRate)) == code; };
        item->activate = [this, code] {
            editor_.Edit(SetReportRateCode, code);
            update();
        };
        item->step = [this, i](KeyStep step) {
            const int next = SteppedChoice(static_cast<int>(i), static_cast<int>(items_.size()), step);
            editor_.Edit(SetReportRateCode, kReportRateCodes[static_cast<std::size_t>(next)]);
            items_[static_cast<std::size_t>(next)]->setFocus(Qt::OtherFocusReason);
            update();
        };
        items_[i] = item;
    }
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
