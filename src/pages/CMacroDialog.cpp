#include "pages/CMacroDialog.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <functional>

#include "buttons/AssignDialogTexts.h"
#include "controls/CFocusItem.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "lang/AccessTexts.h"
#include "lang/Language.h"
#include "macros/MacroStore.h"
#include "pages/ProfileEditor.h"

namespace qv530 {
namespace {

constexpr int kFontHeight = 13;
constexpr int kListRowHeight = 18;
constexpr int kListMaxRows = 6;
// Text of an option: right of its tick, up to two lines.
constexpr int kOptionTextGap = 8;
constexpr int kOptionTextHeight = 30;

QRect ToQt(const skin::Rect& r) { return {r.x, r.y, r.width, r.height}; }
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The part of the dialog an option covers: its tick and its text.
QRect OptionRow(std::size_t mode) {
    const skin::Rect& tick = skin::kMacroKeyOptions[mode];
    return {tick.x, tick.y + tick.height / 2 - kOptionTextHeight / 2, skin::kMacroKeyDialog.width - 2 * tick.x,
            kOptionTextHeight};
}

QRect OptionText(std::size_t mode) {
    const skin::Rect& tick = skin::kMacroKeyOptions[mode];
    const QRect row = OptionRow(mode);
    return row.adjusted(tick.width + kOptionTextGap, 0, 0, 0);
}

} // namespace

CMacroDialog::CMacroDialog(ProfileEditor& editor, const MacroPreset& preset, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), macroIndex_(preset.number),
      runMode_(preset.runMode), macroName_(QString::fromStdString(preset.name)) {
    setObjectName("macroDialog");
    setModal(true);
    setMouseTracking(true);
    const std::string& language = editor.language();
    const MacroAssignTexts texts = MacroAssignTextsFor(language);
    hintText_ = FromUtf8(texts.hint);
    okText_ = FromUtf8(texts.ok);
    cancelText_ = FromUtf8(texts.cancel);
    for (std::size_t k = 0; k < modeTexts_.size(); ++k) modeTexts_[k] = FromUtf8(texts.runModes[k]);
    font_ = QFont(FromUtf8(FontFace(language)));
    font_.setPixelSize(kFontHeight);
    setFont(font_);
    setWindowTitle(hintText_);

    for (const std::string& name : MacroStore(editor.files().macroStorePath()).ReadMacroNames())
        names_ << QString::fromStdString(name);

    background_ = SkinLoader::Load("/macro-key.png");
    tickOff_ = SkinLoader::Load("/Pane.png");
    tickOn_ = SkinLoader::Load("/PaneMakingTick.png");
    closeNormal_ = SkinLoader::Load("/button-close-normal.png");
    closeOver_ = SkinLoader::Load("/button-close-over.png");
    buttonNormal_ = SkinLoader::Load("/MacroManagement/button-new-normal.png");
    buttonOver_ = SkinLoader::Load("/MacroManagement/button-new-over.png");
    if (!background_.isNull()) setFixedSize(background_.size());
    else setFixedSize(skin::kMacroKeyDialog.width, skin::kMacroKeyDialog.height);
    CreateFocusItems(QString::fromStdString(AccessTextsFor(language).close));
}

// The painted parts as focus items, in reading order: the macro selector
// (Space opens its list), the three run modes, OK, Cancel and close.
void CMacroDialog::CreateFocusItems(const QString& closeName) {
    selectorItem_ = new CFocusItem(this, ToQt(skin::kMacroKeySelector), QAccessible::ComboBox, "macroSelectorItem");
    selectorItem_->name = [this] { return hintText_; };
    selectorItem_->valueText = [this] { return macroName_; };
    selectorItem_->hasPopup = true;
    selectorItem_->enterPresses = true;
    selectorItem_->activate = [this] { ToggleList(); };
    std::array<CFocusItem*, 3> modes{};
    for (std::size_t k = 0; k < modes.size(); ++k) {
        auto* item = new CFocusItem(this, ToQt(skin::kMacroKeyOptions[k]), QAccessible::RadioButton, "runModeItem");
        item->name = [this, k] { return modeTexts_[k]; };
        item->checked = [this, k] { return runMode_ == k; };
        item->enterPresses = true;
        item->activate = [this, k] { ChooseRunMode(static_cast<std::uint8_t>(k)); };
        modes[k] = item;
    }
    for (std::size_t k = 0; k < modes.size(); ++k) {
        modes[k]->step = [this, modes, k](KeyStep step) {
            const auto next = static_cast<std::size_t>(SteppedChoice(static_cast<int>(k), 3, step));
            ChooseRunMode(static_cast<std::uint8_t>(next));
            modes[next]->setFocus(Qt::OtherFocusReason);
        };
    }
    const auto button = [this](const skin::Rect& where, const char* name, std::function<QString()> text,
                               std::function<void()> press) {
        auto* item = new CFocusItem(this, ToQt(where), QAccessible::Button, name);
        item->name = std::move(text);
        item->enterPresses = true;
        item->activate = std::move(press);
        return item;
    };
    button(skin::kMacroKeyOk, "okItem", [this] { return okText_; }, [this] { accept(); });
    button(skin::kMacroKeyCancel, "cancelItem", [this] { return cancelText_; }, [this] { reject(); });
    button(skin::kMacroKeyClose, "closeItem", [closeName] { return closeName; }, [this] { reject(); });
}

void CMacroDialog::ToggleList() {
    if (list_ != nullptr) {
        CloseList();
        return;
    }
    const QRect selector = ToQt(skin::kMacroKeySelector);
    list_ = new QListWidget(this);
    list_->setObjectName(QString("control%1").arg(kMacroListControl));
    list_->setFont(font_);
    list_->addItems(names_);
    const int rows = std::clamp(static_cast<int>(names_.size()), 1, kListMaxRows);
    list_->setGeometry(selector.x(), selector.bottom() + 1, selector.width(), rows * kListRowHeight + 4);
    list_->setStyleSheet("QListWidget { background: rgb(20,8,9); color: white; border: 1px solid rgb(143,32,32); }"
                         "QListWidget::item { height: 18px; }"
                         "QListWidget::item:selected { background: rgb(143,32,32); color: white; }");
    const int current = static_cast<int>(names_.indexOf(macroName_));
    if (current >= 0) list_->setCurrentRow(current);
    // A click or a double-click chooses; moving with the arrow keys only marks.
    const auto choose = [this, list = list_](QListWidgetItem* item) { ChooseMacro(list->row(item)); };
    connect(list_, &QListWidget::itemClicked, this, choose);
    connect(list_, &QListWidget::itemActivated, this, choose);
    list_->show();
    list_->setFocus();
}

void CMacroDialog::CloseList() {
    if (list_ == nullptr) return;
    // The keyboard goes back to the selector.
    if (list_->hasFocus() && selectorItem_) selectorItem_->setFocus(Qt::ActiveWindowFocusReason);
    QObject::disconnect(list_, nullptr, this, nullptr);
    list_->hide();
    list_->deleteLater();
    list_ = nullptr;
    update();
}

void CMacroDialog::ChooseMacro(int index) {
    if (index < 0 || index >= static_cast<int>(names_.size())) return;
    macroName_ = names_[index];
    macroIndex_ = index;
    runMode_ = kMacroRunOnce;
    CloseList();
    update();
    RefreshFocusItems(this);
}

void CMacroDialog::ChooseRunMode(std::uint8_t mode) {
    if (mode >= kMacroRunModes) return;
    runMode_ = mode;
    update();
    RefreshFocusItems(this);
}

CMacroDialog::Part CMacroDialog::PartAt(const QPoint& at) const {
    const auto in = [&](const skin::Rect& r) { return r.contains(at.x(), at.y()); };
    if (in(skin::kMacroKeyClose)) return Part::Close;
    if (in(skin::kMacroKeyOk)) return Part::Ok;
    if (in(skin::kMacroKeyCancel)) return Part::Cancel;
    if (in(skin::kMacroKeySelector)) return Part::Selector;
    for (std::size_t k = 0; k < skin::kMacroKeyOptions.size(); ++k)
        if (OptionRow(k).contains(at)) return static_cast<Part>(static_cast<int>(Part::Mode0) + static_cast<int>(k));
    return Part::None;
}

void CMacroDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Part part = PartAt(event->position().toPoint());
    // A click anywhere but on the selector closes an open list.
    if (part != Part::Selector) CloseList();
    switch (part) {
    case Part::Close:
    case Part::Cancel: reject(); return;
    case Part::Ok: accept(); return;
    case Part::Selector: ToggleList(); return;
    case Part::Mode0: ChooseRunMode(0); return;
    case Part::Mode1: ChooseRunMode(1); return;
    case Part::Mode2: ChooseRunMode(2); return;
    case Part::None: drag_.Press(*this, *event); return;
    }
}

void CMacroDialog::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.Move(*this, *event)) return;
    const Part part = PartAt(event->position().toPoint());
    if (part != hovered_) {
        hovered_ = part;
        update();
    }
}

void CMacroDialog::mouseReleaseEvent(QMouseEvent*) { drag_.Release(); }

void CMacroDialog::leaveEvent(QEvent*) {
    if (hovered_ == Part::None) return;
    hovered_ = Part::None;
    update();
}

// Enter, Space and F1 close nothing: only the pictures (and their focus
// items) end the dialog. Escape closes an open list, else cancels.
bool CMacroDialog::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && event->type() == QEvent::KeyPress) {
            if (list_ != nullptr) {
                if (selectorItem_) selectorItem_->setFocus(Qt::OtherFocusReason);
                CloseList();
            } else {
                reject();
            }
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space ||
            key == Qt::Key_F1) {
            event->accept();
            return true;
        }
    }
    return QDialog::event(event);
}

void CMacroDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
    else painter.fillRect(rect(), QColor(skin::kThemeDark.r, skin::kThemeDark.g, skin::kThemeDark.b));
    painter.setFont(font_);
    painter.setPen(Qt::white);
    painter.drawText(ToQt(skin::kMacroKeyHint), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, hintText_);

    // The selector: the chosen name and a drop arrow.
    const QRect selector = ToQt(skin::kMacroKeySelector);
    painter.drawText(selector.adjusted(6, 0, -22, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     macroName_);
    const int cx = selector.right() - 10;
    const int cy = selector.center().y();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(hovered_ == Part::Selector ? QColor(skin::kThemeHighlight.r, skin::kThemeHighlight.g,
                                                         skin::kThemeHighlight.b)
                                                : QColor(Qt::white));
    painter.drawPolygon(QPolygon({QPoint(cx - 5, cy - 2), QPoint(cx + 5, cy - 2), QPoint(cx, cy + 4)}));
    painter.restore();

    for (std::size_t k = 0; k < skin::kMacroKeyOptions.size(); ++k) {
        painter.drawImage(ToQt(skin::kMacroKeyOptions[k]), runMode_ == k ? tickOn_ : tickOff_);
        painter.drawText(OptionText(k), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, modeTexts_[k]);
    }

    painter.drawImage(ToQt(skin::kMacroKeyClose), hovered_ == Part::Close ? closeOver_ : closeNormal_);
    const auto button = [&](const skin::Rect& where, Part part, const QString& text) {
        painter.drawImage(ToQt(where), hovered_ == part ? buttonOver_ : buttonNormal_);
        painter.drawText(ToQt(where), Qt::AlignCenter | Qt::TextSingleLine, text);
    };
    button(skin::kMacroKeyOk, Part::Ok, okText_);
    button(skin::kMacroKeyCancel, Part::Cancel, cancelText_);
}

} // namespace qv530
