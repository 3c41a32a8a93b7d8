#include "pages/CDlgAngleSnap.h"

#include <QMouseEvent>
#include <QPainter>

#include <array>

#include "controls/CFocusItem.h"
#include "controls/SkinLoader.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {
namespace {

constexpr int kFontHeight = 13;
constexpr int kCaptionGap = 5;
constexpr int kSlotOff = 602;
constexpr int kSlotOn = 603;

// The caption beside an icon: from 5 pixels right of it up to the next icon (or the page's edge).
QRect CaptionRect(const skin::Rect& icon, int rightLimit) {
    const int left = icon.right() + kCaptionGap;
    return {left, icon.y - 3, rightLimit - left, icon.height + 6};
}

} // namespace

CDlgAngleSnap::CDlgAngleSnap(ProfileEditor& editor, QWidget* parent)
    : CDlgPage(editor, "Skins\\AngleSnap\\BK_AngleSnap.png", skin::kAngleSnapPage, parent),
      enabled_(SkinLoader::Load("Skins\\Enable.png")), disabled_(SkinLoader::Load("Skins\\Disable.png")),
      font_(PageFont(kFontHeight)) {
    setObjectName("angleSnapPage");
    AddDesktopStatus(PointerSetting::AngleSnap);
    // OFF and ON as a pair of radio items: Space chooses, an arrow goes to the other one.
    std::array<CFocusItem*, 2> items{};
    for (const bool on : {false, true}) {
        auto* item = new CFocusItem(this, ToQt(on ? skin::kAngleOnIcon : skin::kAngleOffIcon), QAccessible::RadioButton,
                                    on ? "angleOnItem" : "angleOffItem");
        item->name = [this, on] { return editor_.Text(on ? kSlotOn : kSlotOff).trimmed(); };
        item->checked = [this, on] { return AngleSnapOn(settings()) == on; };
        item->activate = [this, on] {
            editor_.Edit(SetAngleSnap, on);
            update();
        };
        items[on ? 1 : 0] = item;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->step = [this, items, i](KeyStep step) {
            const auto next = static_cast<std::size_t>(SteppedChoice(static_cast<int>(i), 2, step));
            editor_.Edit(SetAngleSnap, next == 1);
            items[next]->setFocus(Qt::OtherFocusReason);
            update();
        };
    }
}

void CDlgAngleSnap::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    if (skin::kAngleOffIcon.contains(p.x(), p.y())) editor_.Edit(SetAngleSnap, false);
    if (skin::kAngleOnIcon.contains(p.x(), p.y())) editor_.Edit(SetAngleSnap, true);
    update();
}

void CDlgAngleSnap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackground(painter);
    const bool on = AngleSnapOn(settings());
    DrawPicture(painter, ToQt(skin::kAngleOffIcon).topLeft(), on ? disabled_ : enabled_);
    DrawPicture(painter, ToQt(skin::kAngleOnIcon).topLeft(), on ? enabled_ : disabled_);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    DrawFittedText(painter, CaptionRect(skin::kAngleOffIcon, skin::kAngleOnIcon.x - kCaptionGap),
                     Qt::AlignLeft | Qt::AlignVCenter, editor_.Text(kSlotOff));
    DrawFittedText(painter, CaptionRect(skin::kAngleOnIcon, width() - kCaptionGap), Qt::AlignLeft | Qt::AlignVCenter,
                     editor_.Text(kSlotOn));
    PaintDesktopStatus(painter);
}

} // namespace qv530
