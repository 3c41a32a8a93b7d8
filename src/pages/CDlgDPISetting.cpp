#include "pages/CDlgDPISetting.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "controls/CDMarker.h"
#include "controls/CFocusItem.h"
#include "controls/SkinLoader.h"
#include "lang/AccessTexts.h"

namespace qv530 {
namespace {

constexpr int kValueFontHeight = 10;
constexpr int kEditFontHeight = 10;

std::size_t Index(int stage) { return static_cast<std::size_t>(stage); }

} // namespace

CDlgDPISetting::CDlgDPISetting(ProfileEditor& editor, QWidget* parent)
    : CDlgPage(editor, "Skins\\DPISetting\\BK_DPISetting.png", skin::kDpiPage, parent),
      valueBox_(SkinLoader::Load("Skins\\DPISetting\\BK-DPIValue.png")),
      enabled_(SkinLoader::Load("Skins\\Enable.png")), disabled_(SkinLoader::Load("Skins\\Disable.png")),
      font_(PageFont(kValueFontHeight)) {
    setObjectName("dpiPage");
    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    const QImage track = SkinLoader::Load("\\skins\\DPISetting\\DPIStage\\0.png");
    const QImage fill = SkinLoader::Load("\\skins\\DPISetting\\DPIStage\\82.png");
    const AccessTexts access = AccessTextsFor(editor.language());
    for (int stage = 0; stage < kDpiStages; ++stage) {
        const QString stageName = QString::fromStdString(access.stage).arg(stage + 1);
        valueItems_[Index(stage)] = new CFocusItem(this, ToQt(skin::DpiValueBox(stage)), QAccessible::Button,
                                                   "dpiValueItem");
        valueItems_[Index(stage)]->name = [stageName] { return stageName + QStringLiteral(": DPI"); };
        valueItems_[Index(stage)]->valueText = [this, stage] {
            return QString::number(StageDpiShown(settings(), table_, stage));
        };
        valueItems_[Index(stage)]->activate = [this, stage] { OpenEdit(stage, Qt::TabFocusReason); };
        valueItems_[Index(stage)]->edit = valueItems_[Index(stage)]->activate;
        auto* marker = new CDMarkerV(ToQt(skin::DpiSlider(stage)), this, kFirstMarkerId + stage);
        marker->SetImages(0, 0, skin::kDpiSliderCut.width, skin::kDpiSliderCut.height, track, fill);
        marker->SetRange(kStageCodeMin, StageCodeMax(table_));
        marker->setObjectName(QString("dpiMarker%1").arg(stage + 1));
        connect(marker, &CDMarkerBase::markerChanged, this, &CDlgDPISetting::OnMarkerChanged);
        marker->setAccessibleName(stageName);
        marker->valueText = [this, stage](int) {
            return QStringLiteral("%1 DPI").arg(StageDpiShown(settings(), table_, stage));
        };
        markers_[Index(stage)] = marker;

        auto* box = new QLineEdit(this);
        box->setObjectName(QString("dpiEdit%1").arg(stage + 1));
        box->setGeometry(ToQt(skin::DpiValueBox(stage)));
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(static_cast<int>(kDpiBoxDigits));
        box->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box));
        box->setFrame(false);
        box->setFont(PageFont(kEditFontHeight));
        box->setTextMargins(0, 0, 0, 0);
        box->setStyleSheet("QLineEdit { color: white; background: rgb(40,40,40); border: none; padding: 0px; }");
        box->hide();
        box->setAccessibleName(stageName + QStringLiteral(": DPI"));
        box->installEventFilter(this);
        connect(box, &QLineEdit::returnPressed, this, [this, stage] {
            const bool typed = edits_[Index(stage)]->hasFocus();
            Commit(stage);
            HideEdits();
            update();
            if (typed) valueItems_[Index(stage)]->setFocus(Qt::OtherFocusReason);
        });
        edits_[Index(stage)] = box;

        auto* icon = new CFocusItem(this, ToQt(skin::DpiIcon(stage)), QAccessible::CheckBox, "dpiStageOnItem");
        icon->name = [stageName, on = QString::fromStdString(access.on)] { return stageName + QStringLiteral(": ") + on; };
        icon->checked = [this, stage] { return StageOn(settings(), stage); };
        icon->activate = [this, stage] {
            editor_.Edit(ToggleStageOn, stage);
            update();
        };
        auto* swatch = new CFocusItem(this, ToQt(skin::DpiSwatch(stage)), QAccessible::Button, "dpiColourItem");
        swatch->name = [stageName, colour = QString::fromStdString(access.colour)] {
            return stageName + QStringLiteral(": ") + colour;
        };
        swatch->valueText = [this, stage] {
            const Rgb c = StageColour(settings(), stage);
            return QColor(c.red, c.green, c.blue).name();
        };
        swatch->hasPopup = true;
        swatch->activate = [this, stage] { ChooseStageColour(stage); };
        swatchItems_[Index(stage)] = swatch;
    }
    // A colour square takes the keyboard only while its stage's colour may change.
    connect(&editor, &ProfileEditor::recordEdited, this, [this] {
        for (int stage = 0; stage < kDpiStages; ++stage)
            swatchItems_[Index(stage)]->setEnabled(StageColourEditable(settings(), stage));
    });
    if (const auto variant = editor.dpiVariant()) table_ = *variant;
    SetDpiVariant(table_ == StageTable::B);
}

void CDlgDPISetting::SetDpiVariant(bool a1dc) {
    table_ = a1dc ? StageTable::B : StageTable::A;
    for (CDMarkerV* marker : markers_) marker->SetRange(kStageCodeMin, StageCodeMax(table_));
    RefreshFromSettings();
}

void CDlgDPISetting::RefreshFromSettings() {
    for (int stage = 0; stage < kDpiStages; ++stage) {
        markers_[Index(stage)]->SetPosClamped(StageCode(settings(), table_, stage));
        lastCommit_.Forget(stage);
        if (swatchItems_[Index(stage)]) swatchItems_[Index(stage)]->setEnabled(StageColourEditable(settings(), stage));
    }
    HideEdits();
    update();
}

// No box is open once this returns: the open stage is forgotten before the
// boxes hide, so the focus leaving a hidden box commits nothing.
void CDlgDPISetting::HideEdits() {
    if (openStage_ >= 0) qApp->removeEventFilter(this);
    openStage_ = -1;
    for (QLineEdit* box : edits_) box->hide();
}

void CDlgDPISetting::CommitTypedValues() {
    if (openStage_ < 0) return;
    if (edits_[Index(openStage_)]->isModified()) Commit(openStage_);
    HideEdits();
    update();
}

bool CDlgDPISetting::HasTypedValues() const {
    return openStage_ >= 0 && edits_[Index(openStage_)]->isModified();
}

bool CDlgDPISetting::eventFilter(QObject* watched, QEvent* event) {
    QLineEdit* open = openStage_ >= 0 ? edits_[Index(openStage_)] : nullptr;
    switch (event->type()) {
    case QEvent::KeyPress:
        // Escape drops what was typed into the box it is in.
        if (watched == open && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            const int stage = openStage_;
            HideEdits();
            update();
            valueItems_[Index(stage)]->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    case QEvent::FocusOut: {
        // Another window or a popup taking the focus for a while is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched == open && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CommitTypedValues();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (open != nullptr && watched->isWidgetType()) {
            const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            if (!open->rect().contains(open->mapFromGlobal(at))) CommitTypedValues();
        }
        break;
    default: break;
    }
    return CDlgPage::eventFilter(watched, event);
}

void CDlgDPISetting::OnMarkerChanged(int value, int controlId) {
    const int stage = controlId - kFirstMarkerId;
    CommitTypedValues();
    if (editor_.Edit(SetStageFromMarker, table_, stage, value)) lastCommit_.Forget(stage);
    markers_[Index(stage)]->SetPosClamped(StageCode(settings(), table_, stage));
    update();
}

// The typed DPI becomes the stage's code by the commit rule; the same text
// committed twice in a row into one stage is taken once.
void CDlgDPISetting::Commit(int stage) {
    QLineEdit* box = edits_[Index(stage)];
    const std::string text = box->text().toStdString();
    if (!lastCommit_.TakeIfChanged(stage, text)) return;
    editor_.Edit(SetStageDpi, table_, stage, LeadingDecimal(text));
    box->setText(QString::number(StageDpiShown(settings(), table_, stage)));
    markers_[Index(stage)]->SetPosClamped(StageCode(settings(), table_, stage));
}

void CDlgDPISetting::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        CDlgPage::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    CommitTypedValues();
    for (int stage = 0; stage < kDpiStages; ++stage) {
        if (skin::DpiIcon(stage).contains(p.x(), p.y())) editor_.Edit(ToggleStageOn, stage);
        if (skin::DpiSwatch(stage).contains(p.x(), p.y())) ChooseStageColour(stage);
        if (skin::DpiValueBox(stage).contains(p.x(), p.y())) OpenEdit(stage, Qt::MouseFocusReason);
    }
    update();
}

void CDlgDPISetting::ChooseStageColour(int stage) {
    if (!StageColourEditable(settings(), stage)) return;
    const Rgb now = StageColour(settings(), stage);
    if (const auto chosen = chooseColour(QColor(now.red, now.green, now.blue))) {
        const Rgb colour{static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
                         static_cast<std::uint8_t>(chosen->blue())};
        editor_.Edit(SetStageColour, stage, colour);
    }
    update();
}

void CDlgDPISetting::OpenEdit(int stage, Qt::FocusReason reason) {
    if (openStage_ >= 0 && openStage_ != stage) CommitTypedValues();
    QLineEdit* box = edits_[Index(stage)];
    box->setText(QString::number(StageDpiShown(settings(), table_, stage)));  // not modified yet
    box->show();
    box->setFocus(reason);
    box->selectAll();
    openStage_ = stage;
    // A press anywhere else in the program leaves the box.
    qApp->installEventFilter(this);
}

void CDlgDPISetting::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackground(painter);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    for (int stage = 0; stage < kDpiStages; ++stage) {
        const QRect box = ToQt(skin::DpiValueBox(stage));
        DrawPicture(painter, box.topLeft(), valueBox_);
        painter.drawText(box, Qt::AlignCenter, QString::number(StageDpiShown(settings(), table_, stage)));
        DrawPicture(painter, ToQt(skin::DpiIcon(stage)).topLeft(), StageOn(settings(), stage) ? enabled_ : disabled_);
        const Rgb colour = StageColour(settings(), stage);
        painter.fillRect(ToQt(skin::DpiSwatch(stage)), QColor(colour.red, colour.green, colour.blue));
    }
}

} // namespace qv530
