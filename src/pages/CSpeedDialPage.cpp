#include "pages/CSpeedDialPage.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/CFocusItem.h"
#include "controls/SkinLoader.h"
#include "platform/DebugLog.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {
namespace {

constexpr int kFontHeight = 13;
constexpr int kSlotSlow = 44;
constexpr int kSlotFast = 45;
constexpr int kCaptionGap = 4;
constexpr int kCaptionHeight = 16;

} // namespace

CSpeedDialPage::CSpeedDialPage(ProfileEditor& editor, std::size_t levelOffset, LevelEdit edit, bool traceAngle,
                               int nameSlot, QWidget* parent)
    : CDlgPage(editor, "Skins\\MouseAttribute\\BK_MouseAttribute.png", skin::kMouseAttributePage, parent),
      levelOffset_(levelOffset), edit_(edit), traceAngle_(traceAngle), font_(PageFont(kFontHeight)) {
    for (int level = 1; level <= skin::kSpeedLevels; ++level)
        dials_[static_cast<std::size_t>(level - 1)] = SkinLoader::Load(QString("Skins/MouseAttribute/Speed/%1.png").arg(level));
    using namespace skin;
    auto* gauge = new CFocusItem(this, QRect(kSpeedDialOrigin.x, kSpeedDialOrigin.y, kSpeedDial.width, kSpeedDial.height),
                                 QAccessible::Slider, "speedGauge");
    gauge->name = [this, nameSlot] { return editor_.Text(nameSlot).trimmed(); };
    gauge->range = CFocusItem::Range{1, kSpeedLevels};
    gauge->value = [this] { return levelShown(); };
    gauge->valueText = [this] { return QString::number(levelShown()); };
    gauge->upIsMore = true;
    gauge->setValue = [this](int level) {
        editor_.Edit(edit_, level);
        update();
    };
    gauge->step = [this, gauge](KeyStep step) { gauge->setValue(SteppedValue(levelShown(), 1, kSpeedLevels, step)); };
}

int CSpeedDialPage::levelShown() const { return LevelShown(settings().at(levelOffset_)); }

void CSpeedDialPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    const SpeedDialClick click = SpeedDialAt(p.x() - skin::kSpeedDialCentre.x, p.y() - skin::kSpeedDialCentre.y);
    if (!click.reacts) return;
    if (click.level) {
        if (traceAngle_) DebugPrintf("angle/18:angle=%f,angle/18=%d\n", click.angle, click.angleSteps);
        editor_.Edit(edit_, *click.level);
    }
    update();
}

void CSpeedDialPage::paintEvent(QPaintEvent*) {
    using namespace skin;
    QPainter painter(this);
    PaintBackground(painter);
    DrawPicture(painter, QPoint(kSpeedDialOrigin.x, kSpeedDialOrigin.y),
                dials_[static_cast<std::size_t>(levelShown() - 1)]);
    // "Slow" and "Fast" just under the gauge's two ends: "Slow" ends at the
    // left end's inner edge, "Fast" starts at the right end's inner edge.
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const int captionTop = kSpeedDialOrigin.y + kSpeedDial.height;
    const int leftInner = kSpeedDialCentre.x - kSpeedRingInner;
    const int rightInner = kSpeedDialCentre.x + kSpeedRingInner;
    DrawFittedText(painter, QRect(kCaptionGap, captionTop, leftInner - kCaptionGap, kCaptionHeight),
                   Qt::AlignRight | Qt::AlignVCenter, editor_.Text(kSlotSlow));
    DrawFittedText(painter, QRect(rightInner, captionTop, width() - kCaptionGap - rightInner, kCaptionHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, editor_.Text(kSlotFast));
    PaintDesktopStatus(painter);
}

} // namespace qv530
