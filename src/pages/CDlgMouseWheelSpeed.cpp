#include "pages/CDlgMouseWheelSpeed.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <array>

#include "controls/CFocusItem.h"
#include "controls/SkinLoader.h"
#include "settings/PerformanceEdits.h"

namespace qv530 {
namespace {

constexpr int kFontHeight = 13;
constexpr int kSlotLines = 46;
constexpr int kSlotScreen = 47;
constexpr int kCaptionGap = 5;
constexpr int kBoxDigits = 3;

} // namespace

CDlgMouseWheelSpeed::CDlgMouseWheelSpeed(ProfileEditor& editor, QWidget* parent)
    : CDlgPage(editor, "Skins\\MouseAttribute\\BK_ScrollSpeed.png", skin::kScrollSpeedPage, parent),
      enabled_(SkinLoader::Load("Skins\\MouseAttribute\\ScrollSpeed\\Enable.png")),
      disabled_(SkinLoader::Load("Skins\\MouseAttribute\\ScrollSpeed\\Disable.png")),
      arrows_(SkinLoader::Load("Skins\\MouseAttribute\\ScrollSpeed\\ScrollLines.png")), font_(PageFont(kFontHeight)) {
    setObjectName("wheelPage");
    AddDesktopStatus(PointerSetting::Wheel);
    box_ = new QLineEdit(this);
    box_->setObjectName("wheelLines");
    box_->setGeometry(ToQt(skin::kWheelLinesEdit));
    box_->setAlignment(Qt::AlignCenter);
    box_->setMaxLength(kBoxDigits);
    box_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box_));
    box_->setFont(font_);
    box_->setStyleSheet("QLineEdit { color: white; background: rgb(40,40,40); border: 1px solid rgb(143,32,32); }"
                        "QLineEdit:focus { border: 1px dotted rgb(255,237,0); }"
                        "QLineEdit:disabled { color: rgb(150,150,150); }");
    // Only what the user types counts: the box's own "0" in the one-screen
    // mode must not turn into a line count.
    connect(box_, &QLineEdit::textEdited, this, &CDlgMouseWheelSpeed::OnBoxEdited);
    box_->setAccessibleName(editor.Text(kSlotLines).trimmed());
    // Up and Down in the box do what the arrows beside it do.
    box_->installEventFilter(this);

    // Lines or one screen: a pair of radio items ahead of the box.
    std::array<CFocusItem*, 2> items{};
    for (const bool page : {false, true}) {
        auto* item = new CFocusItem(this, ToQt(page ? skin::kWheelScreenIcon : skin::kWheelLinesIcon),
                                    QAccessible::RadioButton, page ? "wheelScreenItem" : "wheelLinesItem");
        item->name = [this, page] { return editor_.Text(page ? kSlotScreen : kSlotLines).trimmed(); };
        item->checked = [this, page] { return WheelPageScroll(settings()) == page; };
        item->activate = [this, page] { ChooseScreen(page); };
        items[page ? 1 : 0] = item;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->step = [this, items, i](KeyStep step) {
            const auto next = static_cast<std::size_t>(SteppedChoice(static_cast<int>(i), 2, step));
            ChooseScreen(next == 1);
            items[next]->setFocus(Qt::OtherFocusReason);
        };
    }
    QWidget::setTabOrder(items[0], box_);
    QWidget::setTabOrder(box_, items[1]);
    FillBox();
}

void CDlgMouseWheelSpeed::ChooseScreen(bool page) {
    editor_.Edit(SetWheelPageScroll, page);
    if (page) box_->setEnabled(false);
    else FillBox();
    update();
}

bool CDlgMouseWheelSpeed::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && !WheelPageScroll(settings())) {
            editor_.Edit(StepWheelLines, key == Qt::Key_Up ? 1 : -1);
            FillBox();
            box_->selectAll();
            update();
            return true;
        }
    }
    return CDlgPage::eventFilter(watched, event);
}

void CDlgMouseWheelSpeed::FillBox() {
    const bool page = WheelPageScroll(settings());
    box_->setEnabled(!page);
    box_->setText(page ? QStringLiteral("0") : QString::number(WheelLinesShown(settings().at(field::kWheelLines))));
}

void CDlgMouseWheelSpeed::RefreshFromSettings() {
    FillBox();
    update();
}

void CDlgMouseWheelSpeed::OnBoxEdited(const QString& text) {
    const WheelBoxValue value = WheelBoxRule(text.toStdString());
    if (value.replaceText) box_->setText(QStringLiteral("1"));
    editor_.Edit(SetWheelLines, value.lines);
}

void CDlgMouseWheelSpeed::mousePressEvent(QMouseEvent* event) {
    using namespace skin;
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    if (kWheelLinesIcon.contains(p.x(), p.y())) {
        ChooseScreen(false);
    } else if (kWheelScreenIcon.contains(p.x(), p.y())) {
        ChooseScreen(true);
    } else if (kWheelArrows.contains(p.x(), p.y()) && !WheelPageScroll(settings())) {
        const bool up = p.y() < kWheelArrows.y + kWheelArrowSplit;
        editor_.Edit(StepWheelLines, up ? 1 : -1);
        FillBox();
    }
    update();
}

void CDlgMouseWheelSpeed::paintEvent(QPaintEvent*) {
    using namespace skin;
    QPainter painter(this);
    PaintBackground(painter);
    const bool page = WheelPageScroll(settings());
    DrawPicture(painter, ToQt(kWheelLinesIcon).topLeft(), page ? disabled_ : enabled_);
    DrawPicture(painter, ToQt(kWheelScreenIcon).topLeft(), page ? enabled_ : disabled_);
    DrawPicture(painter, ToQt(kWheelArrows).topLeft(), arrows_);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const int captionLeft = kWheelLinesIcon.right() + kCaptionGap;
    DrawFittedText(painter, QRect(captionLeft, kWheelLinesIcon.y - 3, kWheelLinesEdit.x - kCaptionGap - captionLeft,
                           kWheelLinesIcon.height + 6),
                     Qt::AlignLeft | Qt::AlignVCenter, editor_.Text(kSlotLines));
    DrawFittedText(painter, QRect(captionLeft, kWheelScreenIcon.y - 3, width() - kCaptionGap - captionLeft,
                           kWheelScreenIcon.height + 6),
                     Qt::AlignLeft | Qt::AlignVCenter, editor_.Text(kSlotScreen));
    PaintDesktopStatus(painter);
}

} // namespace qv530
