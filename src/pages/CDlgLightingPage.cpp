#include "pages/CDlgLightingPage.h"

#include <QColorDialog>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "controls/CDMarker.h"
#include "controls/CFocusItem.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "lang/AccessTexts.h"
#include "lang/Language.h"
#include "pages/ProfileEditor.h"

namespace qv530 {
namespace {

// Slider control IDs: 2036 + effect number (2037..2040 for effects 1..4, 2045 for stream).
constexpr int kSliderIdBase = 2036;
// The caption slot of effect m is 490 + m; the colour row's caption is slot 509.
constexpr int kEffectCaptionSlotBase = 490;
constexpr int kColourCaptionSlot = 509;
constexpr int kFontHeight = 11;
constexpr int kFrameGap = 1;    // between the swatch and the frame
constexpr int kFrameWidth = 2;
constexpr int kRowHotHeight = 16;  // the radio icon and its caption answer clicks
constexpr int kScaleLabelWidth = 30;
constexpr int kScaleLabelHeight = 10;
constexpr qreal kDisabledSliderOpacity = 0.4; // a slider that takes no input shows dimmed
constexpr int kScaleSteps = 4;     // five labels under each slider

QRect ToQt(const skin::Rect& r) { return QRect(r.x, r.y, r.width, r.height); }

skin::Size PageSize(LightDevice device) { return device == LightDevice::Pad ? skin::kPadLightingPage : skin::kLightingPage; }

const char* BackgroundName(LightDevice device) {
    return device == LightDevice::Pad ? "Skins\\Lighting\\BK_PADLighting.png" : "Skins\\Lighting\\BK_Lighting.png";
}

QColor ToQt(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

} // namespace

CDlgLightingPage::CDlgLightingPage(LightDevice device, ProfileEditor& editor, QWidget* parent)
    : QWidget(parent), device_(device), editor_(editor) {
    const auto offered = OfferedEffects(device);
    effects_.assign(offered.begin(), offered.end());
    const skin::Size size = PageSize(device);
    setFixedSize(size.width, size.height);
    // A click gives the page the keyboard; Tab goes to its parts instead.
    setFocusPolicy(Qt::ClickFocus);

    background_ = SkinLoader::Load(BackgroundName(device));
    radioOn_ = SkinLoader::Load("Skins/Enable.png");
    radioOff_ = SkinLoader::Load("Skins/Disable.png");
    colourCycle_ = SkinLoader::LoadResource(skin::kColourCycleResource);
    font_ = QFont(QString::fromUtf8(FontFace(editor.language()).data()));
    font_.setPixelSize(kFontHeight);

    const QImage track = SkinLoader::Load("\\skins\\StageSlider\\1.png");
    const QImage filled = SkinLoader::Load("\\skins\\StageSlider\\10.png");
    for (std::size_t row = 0; row < effects_.size(); ++row) {
        const int id = kSliderIdBase + static_cast<int>(effects_[row]);
        auto* slider = new CDMarker(ToQt(skin::LightingSlider(static_cast<int>(row))), this, id);
        slider->setObjectName(QStringLiteral("lightSlider%1").arg(id));
        slider->SetRange(kMinLightLevel, kMaxLightLevel);
        slider->SetImages(skin::kStageSliderCut.x, skin::kStageSliderCut.y, skin::kStageSliderCut.right(),
                          skin::kStageSliderCut.bottom(), track, filled);
        connect(slider, &CDMarkerBase::markerChanged, this, [this](int value, int controlId) {
            editor_.Edit(SetLightLevel, device_, static_cast<LightEffect>(controlId - kSliderIdBase), value);
        });
        slider->setAccessibleName(editor.Text(kEffectCaptionSlotBase + static_cast<int>(effects_[row])).trimmed());
        sliders_.push_back(slider);
    }
    CreateFocusItems();
    chooseColour = [](QWidget* owner) -> std::optional<QColor> {
        QColorDialog dialog(Qt::black, owner);
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.selectedColor();
    };
    SelectMode(StoredEffect(editor.settings(), device));
}

// The radio icon of each effect (before its slider in the Tab order) and the
// six colour squares: Space chooses as a click does, the arrows choose the
// neighbour, F2 on a colour opens the chooser as a double-click does.
void CDlgLightingPage::CreateFocusItems() {
    const AccessTexts access = AccessTextsFor(editor_.language());
    std::vector<CFocusItem*> radios;
    for (int row = 0; row < RowCount(); ++row) {
        auto* item = new CFocusItem(this, QRect(skin::kLightingIconX, skin::LightingRowTop(row), skin::kRadioIcon.width,
                                                skin::kRadioIcon.height),
                                    QAccessible::RadioButton, "lightEffectItem");
        const int slot = kEffectCaptionSlotBase + static_cast<int>(effects_[static_cast<std::size_t>(row)]);
        item->name = [this, slot] { return editor_.Text(slot).trimmed(); };
        item->checked = [this, row] {
            const std::optional<int> live = RowOfEffect(device_, StoredEffect(editor_.settings(), device_));
            return live && *live == row;
        };
        item->activate = [this, row] { PickRow(row); };
        // Before the row's slider: Tab reads the caption, then its level.
        QWidget::setTabOrder(item, Slider(row));
        if (row > 0) QWidget::setTabOrder(Slider(row - 1), item);
        radios.push_back(item);
    }
    for (std::size_t row = 0; row < radios.size(); ++row) {
        radios[row]->step = [this, radios, row](KeyStep step) {
            const auto next = static_cast<std::size_t>(SteppedChoice(static_cast<int>(row), RowCount(), step));
            PickRow(static_cast<int>(next));
            radios[next]->setFocus(Qt::OtherFocusReason);
        };
    }
    std::vector<CFocusItem*> swatches;
    for (int swatch = 0; swatch < kSwatchCount; ++swatch) {
        auto* item = new CFocusItem(this, SwatchRect(swatch), QAccessible::RadioButton, "lightColourItem");
        const QString name = swatch == kColourCycleSwatch
                                 ? QString::fromStdString(access.colourCycle)
                                 : QString::fromStdString(access.colourNumber).arg(swatch + 1);
        item->name = [name] { return name; };
        if (swatch != kColourCycleSwatch)
            item->valueText = [this, swatch] {
                return ToQt(StoredPaletteEntry(editor_.settings(), device_, swatch)).name();
            };
        item->checked = [this, swatch] {
            const MouseSettings& settings = editor_.settings();
            const int stored = StoredEffect(settings, device_);
            const std::optional<int> framed = FramedSwatch(stored, StoredColour(settings, device_));
            return framed && *framed == swatch;
        };
        item->activate = [this, swatch] { ChooseSwatch(swatch); };
        item->edit = [this, swatch] { OpenChooser(swatch); };
        if (!swatches.empty()) QWidget::setTabOrder(swatches.back(), item);
        else if (!sliders_.empty()) QWidget::setTabOrder(sliders_.back(), item);
        swatches.push_back(item);
    }
    for (std::size_t swatch = 0; swatch < swatches.size(); ++swatch) {
        swatches[swatch]->step = [this, swatches, swatch](KeyStep step) {
            const auto next = static_cast<std::size_t>(SteppedChoice(static_cast<int>(swatch), kSwatchCount, step));
            ChooseSwatch(static_cast<int>(next));
            swatches[next]->setFocus(Qt::OtherFocusReason);
        };
    }
    connect(&editor_, &ProfileEditor::recordEdited, this, [this] { RefreshFocusItems(this); });
    connect(&editor_, &ProfileEditor::recordReplaced, this, [this] { RefreshFocusItems(this); });
}

void CDlgLightingPage::SelectMode(int mode) {
    // Refused only while a sequence runs; the page still shows the record.
    editor_.Edit(SelectLightMode, device_, mode);
    ShowRecord();
}

void CDlgLightingPage::RefreshFromSettings() { SelectMode(StoredEffect(editor_.settings(), device_)); }

void CDlgLightingPage::ShowRecord() {
    const MouseSettings& settings = editor_.settings();
    const int stored = StoredEffect(settings, device_);
    for (int row = 0; row < RowCount(); ++row) {
        CDMarker* slider = Slider(row);
        const bool live = SliderEnabled(device_, stored, row);
        slider->setEnabled(live);
        if (!live && slider->graphicsEffect() == nullptr) {
            auto* dim = new QGraphicsOpacityEffect(slider);
            dim->setOpacity(kDisabledSliderOpacity);
            slider->setGraphicsEffect(dim);
        } else if (live) {
            slider->setGraphicsEffect(nullptr);
        }
        slider->SetPos(StoredLevel(settings, device_, effects_[static_cast<std::size_t>(row)]));
    }
    update();
}

QRect CDlgLightingPage::RadioRect(int row) const {
    return QRect(skin::kLightingIconX, skin::LightingRowTop(row), width() - 2 * skin::kLightingIconX, kRowHotHeight);
}

QRect CDlgLightingPage::SwatchRect(int swatch) const { return ToQt(skin::LightingSwatch(RowCount(), swatch)); }

int CDlgLightingPage::RowAt(QPoint point) const {
    for (int row = 0; row < RowCount(); ++row)
        if (RadioRect(row).contains(point)) return row;
    return -1;
}

int CDlgLightingPage::SwatchAt(QPoint point) const {
    for (int swatch = 0; swatch < kSwatchCount; ++swatch)
        if (SwatchRect(swatch).contains(point)) return swatch;
    return -1;
}

void CDlgLightingPage::PickRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    if (editor_.Edit(PickLightEffect, device_, effects_[static_cast<std::size_t>(row)])) ShowRecord();
}

void CDlgLightingPage::ChooseSwatch(int swatch) {
    if (editor_.Edit(ClickLightSwatch, device_, swatch)) update();
}

void CDlgLightingPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = event->position().toPoint();
    if (const int row = RowAt(point); row >= 0) PickRow(row);
    else if (const int swatch = SwatchAt(point); swatch >= 0) ChooseSwatch(swatch);
}

void CDlgLightingPage::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = event->position().toPoint();
    const int swatch = SwatchAt(point);
    // The double-click stands in for the second press: it chooses like one.
    mousePressEvent(event);
    if (swatch >= 0) OpenChooser(swatch);
}

void CDlgLightingPage::OpenChooser(int swatch) {
    if (!SwatchOpensChooser(StoredEffect(editor_.settings(), device_), swatch) || !chooseColour) return;
    const std::optional<QColor> colour = chooseColour(this);
    if (!colour || !colour->isValid()) return;
    const Rgb rgb{static_cast<std::uint8_t>(colour->red()), static_cast<std::uint8_t>(colour->green()),
                  static_cast<std::uint8_t>(colour->blue())};
    if (editor_.Edit(SetLightPaletteEntry, device_, swatch, rgb)) update();
}

// Keyboard: Up and Down pick the effect above or below, Left and Right move
// the live slider, 1..5 choose a swatch and 6 the colour cycle (as clicks would),
// Ctrl+1..5 open the colour chooser for that swatch. Enter, Escape, Space and F1
// stop here, as on every page.
void CDlgLightingPage::keyPressEvent(QKeyEvent* event) {
    const MouseSettings& settings = editor_.settings();
    const int stored = StoredEffect(settings, device_);
    const std::optional<int> row = RowOfEffect(device_, stored);
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int step = key == Qt::Key_Up ? -1 : 1;
        PickRow(row ? std::clamp(*row + step, 0, RowCount() - 1) : 0);
    } else if ((key == Qt::Key_Left || key == Qt::Key_Right) && row) {
        const LightEffect effect = effects_[static_cast<std::size_t>(*row)];
        // From the level shown (a stored level outside 1..6 shows as 1).
        const int level = Slider(*row)->Pos() + (key == Qt::Key_Left ? -1 : 1);
        if (editor_.Edit(SetLightLevel, device_, effect, level)) Slider(*row)->SetPos(level);
    } else if (key >= Qt::Key_1 && key <= Qt::Key_6) {
        const int swatch = key - Qt::Key_1;
        if (event->modifiers() & Qt::ControlModifier) OpenChooser(swatch);
        else ChooseSwatch(swatch);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space ||
               key == Qt::Key_F1) {
        // Swallowed: only the window's own buttons close it.
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CDlgLightingPage::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void CDlgLightingPage::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void CDlgLightingPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!background_.isNull()) p.drawImage(QPoint(0, 0), background_);
    p.setFont(font_);
    p.setPen(Qt::white);
    const MouseSettings& settings = editor_.settings();
    const int stored = StoredEffect(settings, device_);
    const std::optional<int> liveRow = RowOfEffect(device_, stored);

    for (int row = 0; row < RowCount(); ++row) {
        const LightEffect effect = effects_[static_cast<std::size_t>(row)];
        const int top = skin::LightingRowTop(row);
        const bool live = liveRow && *liveRow == row;
        const QImage& radio = live ? radioOn_ : radioOff_;
        if (!radio.isNull()) p.drawImage(QPoint(skin::kLightingIconX, top), radio);
        p.drawText(QRect(skin::kLightingCaptionX, top, width() - skin::kLightingCaptionX - skin::kLightingIconX,
                         skin::kRadioIcon.height),
                   Qt::AlignLeft | Qt::AlignVCenter, editor_.Text(kEffectCaptionSlotBase + static_cast<int>(effect)));
        if (live && hasFocus()) {
            // Where the arrow keys act.
            p.save();
            p.setPen(QPen(QColor(skin::kThemeHighlight.r, skin::kThemeHighlight.g, skin::kThemeHighlight.b), 1, Qt::DotLine));
            p.drawRect(RadioRect(row).adjusted(-2, -1, 1, 0));
            p.restore();
        }
        const QRect slider = ToQt(skin::LightingSlider(row));
        for (int step = 0; step <= kScaleSteps; ++step) {
            const QString label = effect == LightEffect::Standard
                                      ? QStringLiteral("%1%").arg(step * 100 / kScaleSteps)
                                      : QString::number(step + 1);
            const int x = slider.x() + slider.width() * step / kScaleSteps;
            p.drawText(QRect(x - kScaleLabelWidth / 2, top + skin::kLightingScaleDy, kScaleLabelWidth, kScaleLabelHeight),
                       Qt::AlignCenter, label);
        }
    }

    const int rows = RowCount();
    p.drawText(QRect(skin::kLightingSwatchX, skin::LightingColourTop(rows), width() - 2 * skin::kLightingSwatchX,
                     skin::kLightingSwatchDy - skin::kLightingColourCaptionDy - 2),
               Qt::AlignLeft | Qt::AlignVCenter, editor_.Text(kColourCaptionSlot));
    for (int swatch = 0; swatch < kEditableColours; ++swatch)
        p.fillRect(SwatchRect(swatch), ToQt(StoredPaletteEntry(settings, device_, swatch)));
    if (!colourCycle_.isNull()) p.drawImage(SwatchRect(kColourCycleSwatch).topLeft(), colourCycle_);

    if (const std::optional<int> framed = FramedSwatch(stored, StoredColour(settings, device_))) {
        // Two pixels wide, one pixel clear of the swatch.
        const QRect outer = SwatchRect(*framed).adjusted(-kFrameGap - kFrameWidth, -kFrameGap - kFrameWidth,
                                                          kFrameGap + kFrameWidth, kFrameGap + kFrameWidth);
        const QRect inner = outer.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
        p.fillRect(QRect(outer.left(), outer.top(), outer.width(), kFrameWidth), Qt::white);
        p.fillRect(QRect(outer.left(), inner.bottom() + 1, outer.width(), kFrameWidth), Qt::white);
        p.fillRect(QRect(outer.left(), inner.top(), kFrameWidth, inner.height()), Qt::white);
        p.fillRect(QRect(inner.right() + 1, inner.top(), kFrameWidth, inner.height()), Qt::white);
    }
}

} // namespace qv530
