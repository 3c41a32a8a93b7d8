#include "pages/CSingleDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include "buttons/AssignDialogTexts.h"
#include "buttons/KeyCatalogue.h"
#include "controls/CFocusItem.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "lang/AccessTexts.h"
#include "lang/Language.h"
#include "pages/ProfileEditor.h"
#include "platform/DebugLog.h"
#include "platform/qt/KeyTranslation.h"

namespace qv530 {
namespace {

constexpr const char* kBackground = "skins/single-key.png";
constexpr const char* kLoadFailedText = "error";
constexpr const char* kLoadFailedCaption = "Single Key Dialog Load background image failed!!!";
constexpr const char* kGrabFailedText = "JournalRecordHook Install error code :%1\n";
// The keyboard was not free to take (X11 answers AlreadyGrabbed, GrabFrozen, ...).
constexpr int kGrabRefused = 1;
// A window that is not yet mapped cannot take the keyboard: tries so long.
constexpr int kGrabTries = 40;
constexpr int kGrabRetryMs = 25;
// The flags the debug line shows: extended and key up.
constexpr std::uint32_t kDebugFlagMask = kKeyFlagExtended | kKeyFlagUp;
// X11 keycodes are evdev codes (the PC scan codes of the main keys) plus 8.
constexpr std::uint32_t kX11KeycodeOffset = 8;

QRect ToQt(const skin::Rect& r) { return {r.x, r.y, r.width, r.height}; }

} // namespace

CSingleDialog::CSingleDialog(ProfileEditor& editor, const QString& presetKey, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), keyName_(presetKey) {
    setObjectName("singleKeyDialog");
    setModal(true);
    setMouseTracking(true);
    const std::string& language = editor.language();
    const KeyCaptureTexts texts = KeyCaptureTextsFor(language);
    okText_ = QString::fromUtf8(texts.ok.data(), static_cast<qsizetype>(texts.ok.size()));
    cancelText_ = QString::fromUtf8(texts.cancel.data(), static_cast<qsizetype>(texts.cancel.size()));
    promptText_ = QString::fromUtf8(texts.prompt.data(), static_cast<qsizetype>(texts.prompt.size()));
    font_ = QFont(QString::fromUtf8(FontFace(language).data()));
    font_.setPixelSize(KeyCaptureFontHeight(language));
    font_.setWeight(QFont::Normal);
    setFont(font_);
    setWindowTitle(promptText_);

    showMessage = [this](const QString& text, const QString& caption) {
        QMessageBox::information(parentWidget(), caption, text);
    };

    closeNormal_ = SkinLoader::Load("Skins\\button-close-normal.png");
    closeOver_ = SkinLoader::Load("/button-close-over.png");
    buttonNormal_ = SkinLoader::Load("Skins\\MacroManagement\\button-cancel-normal.png");
    buttonOver_ = SkinLoader::Load("/MacroManagement/button-cancel-over.png");

    keyField_ = new QLabel(keyName_, this);
    keyField_->setObjectName(QString("control%1").arg(kKeyNameControl));
    keyField_->setAlignment(Qt::AlignCenter);
    keyField_->setGeometry(ToQt(skin::kSingleKeyName));
    keyField_->setStyleSheet("QLabel { color: black; background: white; }");
    keyField_->setFont(font_);
    keyField_->setAttribute(Qt::WA_TransparentForMouseEvents);
    keyField_->setAccessibleName(promptText_);
    resize(skin::kSingleKeyDialog.width, skin::kSingleKeyDialog.height);

    // Every key is the key to capture, Tab and Space included, so the painted
    // buttons take no keyboard focus; assistive technology can still press them.
    const QString closeName = QString::fromStdString(AccessTextsFor(editor.language()).close);
    const auto part = [this](const skin::Rect& where, const char* name, QString text, bool ok) {
        auto* item = new CFocusItem(this, ToQt(where), QAccessible::Button, name);
        item->setFocusPolicy(Qt::NoFocus);
        item->name = [text] { return text; };
        item->activate = [this, ok] { ok ? accept() : reject(); };
    };
    part(skin::kSingleKeyOk, "okItem", okText_, true);
    part(skin::kSingleKeyCancel, "cancelItem", cancelText_, false);
    part(skin::kSingleKeyClose, "closeItem", closeName, false);
}

CSingleDialog::~CSingleDialog() { ReleaseKeyboard(); }

int CSingleDialog::exec() {
    background_ = SkinLoader::Load(kBackground);
    if (background_.isNull()) {
        showMessage(kLoadFailedText, kLoadFailedCaption);
        return Rejected;
    }
    setFixedSize(background_.size());
    return QDialog::exec();
}

void CSingleDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The keyboard is taken once the window is on the screen.
    grabTries_ = 0;
    QTimer::singleShot(0, this, &CSingleDialog::TryHoldKeyboard);
}

void CSingleDialog::TryHoldKeyboard() {
    if (!isVisible() || grabbed_ || HoldKeyboard()) return;
    if (++grabTries_ < kGrabTries) {
        QTimer::singleShot(kGrabRetryMs, this, &CSingleDialog::TryHoldKeyboard);
        return;
    }
    showMessage(QString(kGrabFailedText).arg(kGrabRefused), QString());
    reject();
}

void CSingleDialog::hideEvent(QHideEvent* event) {
    ReleaseKeyboard();
    QDialog::hideEvent(event);
}

bool CSingleDialog::HoldKeyboard() {
    QWindow* window = windowHandle();
    if (window == nullptr) return false;
    // On X11 the grab keeps every key from every other program; elsewhere
    // (the tests' offscreen platform) only this program's keys come here.
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !window->setKeyboardGrabEnabled(true))
        return false;
    grabKeyboard();
    grabbed_ = true;
    return true;
}

void CSingleDialog::ReleaseKeyboard() {
    if (!grabbed_) return;
    releaseKeyboard();
    if (QWindow* window = windowHandle()) window->setKeyboardGrabEnabled(false);
    grabbed_ = false;
}

void CSingleDialog::OnKeyEvent(std::uint16_t virtualKey, std::uint32_t scanCode, std::uint32_t flags) {
    DebugPrintf("vk code=%x,scan code=%x,key flag=%x\n", static_cast<unsigned>(virtualKey),
                static_cast<unsigned>(scanCode), static_cast<unsigned>(flags & kDebugFlagMask));
    std::uint16_t key = virtualKey;
    if (key == kVkEnter && (flags & kKeyFlagExtended) != 0) key = kVkNumEnter;
    // Keys outside the catalogue leave the field empty.
    keyName_ = QString::fromStdString(KeyNameFromVirtualKey(key));
    keyField_->setText(keyName_);
}

// Every key goes to the capture and none further: Enter, Esc, Space, F1 and
// the Windows keys close nothing, Tab moves no focus, no shortcut fires.
bool CSingleDialog::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: event->accept(); return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (!keyEvent->isAutoRepeat()) {
            const std::optional<TranslatedKey> key = TranslateKeyEvent(*keyEvent);
            const std::uint32_t native = keyEvent->nativeScanCode();
            const std::uint32_t scanCode = native > kX11KeycodeOffset ? native - kX11KeycodeOffset : 0;
            const std::uint32_t up = event->type() == QEvent::KeyRelease ? kKeyFlagUp : 0;
            if (key) OnKeyEvent(key->virtualKey, scanCode, key->flags);
            else OnKeyEvent(0, scanCode, up);
        }
        event->accept();
        return true;
    }
    default: return QDialog::event(event);
    }
}

CSingleDialog::Part CSingleDialog::PartAt(const QPoint& at) const {
    if (skin::kSingleKeyClose.contains(at.x(), at.y())) return Part::Close;
    if (skin::kSingleKeyOk.contains(at.x(), at.y())) return Part::Ok;
    if (skin::kSingleKeyCancel.contains(at.x(), at.y())) return Part::Cancel;
    return Part::None;
}

void CSingleDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    switch (PartAt(event->position().toPoint())) {
    case Part::Ok: accept(); return;
    case Part::Cancel:
    case Part::Close: reject(); return;
    case Part::None: drag_.Press(*this, *event); return;
    }
}

void CSingleDialog::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.Move(*this, *event)) return;
    const Part part = PartAt(event->position().toPoint());
    if (part != hovered_) {
        hovered_ = part;
        update();
    }
}

void CSingleDialog::mouseReleaseEvent(QMouseEvent*) { drag_.Release(); }

void CSingleDialog::leaveEvent(QEvent*) {
    if (hovered_ == Part::None) return;
    hovered_ = Part::None;
    update();
}

void CSingleDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    painter.drawText(ToQt(skin::kSingleKeyPrompt), Qt::AlignCenter | Qt::TextSingleLine, promptText_);
    const QImage& close = hovered_ == Part::Close ? closeOver_ : closeNormal_;
    painter.drawImage(ToQt(skin::kSingleKeyClose), close);
    const auto button = [&](const skin::Rect& where, Part part, const QString& text) {
        painter.drawImage(ToQt(where), hovered_ == part ? buttonOver_ : buttonNormal_);
        painter.drawText(ToQt(where), Qt::AlignCenter | Qt::TextSingleLine, text);
    };
    button(skin::kSingleKeyOk, Part::Ok, okText_);
    button(skin::kSingleKeyCancel, Part::Cancel, cancelText_);
}

} // namespace qv530
