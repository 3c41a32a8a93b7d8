#include "pages/CMacroProgramDialog.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTimer>

#include <chrono>

#include "macros/MacroNames.h"
#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "controls/CLBEditorWnd.h"
#include "controls/CListBoxPro.h"
#include "controls/CFocusItem.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "lang/AccessTexts.h"
#include "lang/Language.h"
#include "macros/MacroEncoder.h"
#include "pages/ProfileEditor.h"
#include "pages/X11KeyboardGrab.h"

namespace qv530 {
namespace {

constexpr int kFontHeight = 13;
constexpr int kLoopFontHeight = 12;
constexpr int kItemHeight = 16;
constexpr int kSwitchTextGap = 6;
const QColor kTextColour(255, 255, 255);
const char* const kLoopFontFace = "Arial";

QRect ToQt(const skin::Rect& r) { return {r.x, r.y, r.width, r.height}; }

// Keys that would close the dialog or press a button: swallowed.
bool IsSwallowedKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
    case Qt::Key_F1:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

// Milliseconds of a clock that never goes back, for the recorded delays.
std::uint32_t MonotonicMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

MacroImages CurrentImages(const MouseSettings& settings) {
    MacroImages images{};
    const std::uint8_t* area = settings.MacroSlot(0);
    std::copy(area, area + images.size(), images.begin());
    return images;
}

QRect DelaySwitchText() {
    using namespace skin;
    const int left = kMacroDelayTick.right() + kSwitchTextGap;
    return {left, kMacroDelayTick.y - 2, kMacroRecord.right() - left, kMacroLoopTick.y - kMacroDelayTick.y - 6};
}

QRect LoopSwitchText() {
    using namespace skin;
    const int left = kMacroLoopTick.right() + kSwitchTextGap;
    return {left, kMacroLoopTick.y - 3, kMacroRecord.right() - left, kMacroLoopTick.height + 6};
}

} // namespace

CMacroProgramDialog::CMacroProgramDialog(ProfileEditor& editor, QWidget* parent, std::unique_ptr<KeyboardHook> hook)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), editor_(editor),
      texts_(MacroManagerTextsFor(editor.language())),
      store_(std::make_unique<MacroStore>(editor.files().macroStorePath())), hook_(std::move(hook)) {
    setObjectName("macroManager");
    setModal(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (!hook_) {
        hook_ = std::make_unique<X11KeyboardGrab>(
            this, [this](std::uint32_t virtualKey, std::uint32_t flags) { recorder_->OnHookEvent(0, virtualKey, flags); });
    }
    MacroRecorder::Listener listener;
    listener.itemsChanged = [this] {
        model_->TakeRecordedItems();
        ShowItems(static_cast<int>(model_->items().size()) - 1);
    };
    listener.recordingChanged = [this](bool) {
        if (!model_) return;
        model_->TakeRecordedItems();
        ShowItems(static_cast<int>(model_->items().size()) - 1);
        ShowRecordCaption();
    };
    listener.hookFailed = [this](const std::string& message) {
        // Shown once the click that started it has been handled.
        QTimer::singleShot(0, this, [this, text = QString::fromStdString(message)] { showMessage(Text(texts_.title), text); });
    };
    recorder_ = std::make_unique<MacroRecorder>(
        *hook_, *store_,
        [this](RecordedKey key) {
            // Each event carries its own name to the handler.
            QMetaObject::invokeMethod(this, [this, key] { recorder_->OnRecordedKey(key); }, Qt::QueuedConnection);
        },
        MonotonicMilliseconds, std::move(listener));
    model_ = std::make_unique<MacroManagerModel>(*store_, *recorder_, editor.language(), editor.ButtonLabels(),
                                                 CurrentImages(editor.settings()));

    showMessage = [this](const QString& caption, const QString& text) { QMessageBox::warning(this, caption, text); };
    runItemMenu = [this](const QPoint& at) { return ExecItemMenu(at); };

    background_ = SkinLoader::Load("/MacroManagement/MacroManagement.png");
    if (background_.isNull()) {
        QTimer::singleShot(0, this, [this] {
            showMessage("Macro Manager Dialog Load background image failed!!!", "error");
        });
        setFixedSize(skin::kMacroManager.width, skin::kMacroManager.height);
    } else {
        setFixedSize(background_.size());
    }
    font_ = QFont(Text(FontFace(editor.language())));
    font_.setPixelSize(kFontHeight);
    font_.setWeight(QFont::Normal);
    setFont(font_);
    setWindowTitle(Text(texts_.title));

    CreateControls();
    model_->Open();
    ShowNames();
    ShowMacro();

    if (parent) {
        move(parent->window()->geometry().center() - QPoint(width() / 2, height() / 2));
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

CMacroProgramDialog::~CMacroProgramDialog() {
    // The keyboard is never left taken.
    if (model_) model_->StopRecording();
    // The controls go while the model lives: an editor that ends as it is
    // destroyed still reports to it.
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) delete control;
}

CBitmapBtn* CMacroProgramDialog::MakeButton(const QRect& where, const char* normal, const char* over,
                                           std::string_view caption) {
    auto* button = new CBitmapBtn(this);
    const QImage normalImage = SkinLoader::Load(normal);
    const QImage overImage = SkinLoader::Load(over);
    button->SetImages(0, 0, where.width(), where.height(), normalImage, overImage, overImage, normalImage);
    button->setGeometry(where);
    button->fontFace = font_.family();
    button->fontHeight = kFontHeight;
    button->alignment = 0;
    button->SetCaption(Text(caption));
    button->enterPresses = true;
    return button;
}

void CMacroProgramDialog::CreateControls() {
    using namespace skin;
    macroList_ = new CListBoxPro(this, kMacroListId);
    macroList_->setObjectName("macroList");
    macroList_->setGeometry(ToQt(kMacroList));
    macroList_->setFont(font_);
    macroList_->SetItemHeight(kItemHeight);
    macroList_->viewport()->installEventFilter(this);
    macroList_->installEventFilter(this);

    itemList_ = new CListBoxPro(this, kItemListId);
    itemList_->setObjectName("itemList");
    itemList_->setGeometry(ToQt(kMacroItemList));
    itemList_->setFont(font_);
    itemList_->SetItemHeight(kItemHeight);
    itemList_->viewport()->installEventFilter(this);
    itemList_->installEventFilter(this);

    loopEdit_ = new QLineEdit(this);
    loopEdit_->setObjectName("loopCount");
    loopEdit_->setGeometry(ToQt(kMacroLoopEdit));
    loopEdit_->setAlignment(Qt::AlignCenter);
    loopEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), loopEdit_));
    QFont loopFont(kLoopFontFace);
    loopFont.setPixelSize(kLoopFontHeight);
    loopEdit_->setFont(loopFont);
    loopEdit_->setFrame(false);
    loopEdit_->setStyleSheet("QLineEdit { background: rgb(145,145,145); color: black; }"
                             "QLineEdit:disabled { background: rgb(90,60,60); color: rgb(170,170,170); }");
    loopEdit_->installEventFilter(this);

    record_ = MakeButton(ToQt(kMacroRecord), "\\skins/MacroManagement/Record-normal.png",
                         "\\skins/MacroManagement/Record-over.png", texts_.startRecording);
    record_->setObjectName("record");
    record_->alignment = 1;
    record_->textIndent = kMacroRecordCaptionLeft;
    record_->fontHeight = kLoopFontHeight;  // "Aufzeichnung beenden" fits beside the dot
    new_ = MakeButton(ToQt(kMacroNew), "/MacroManagement/button-new-normal.png", "/MacroManagement/button-new-over.png",
                      texts_.newMacro);
    new_->setObjectName("new");
    delete_ = MakeButton(ToQt(kMacroDelete), "/MacroManagement/button-new-normal.png",
                         "/MacroManagement/button-new-over.png", texts_.deleteMacro);
    delete_->setObjectName("delete");
    ok_ = MakeButton(ToQt(kMacroOk), "/MacroManagement/button-cancel-normal.png",
                     "/MacroManagement/button-cancel-over.png", texts_.ok);
    ok_->setObjectName("ok");
    cancel_ = MakeButton(ToQt(kMacroCancel), "/MacroManagement/button-cancel-normal.png",
                         "/MacroManagement/button-cancel-over.png", texts_.cancel);
    cancel_->setObjectName("cancel");
    close_ = MakeButton(ToQt(kMacroClose), "/macro-button-close-normal.png", "/macro-button-close-over.png", {});
    close_->setObjectName("close");
    const QImage off = SkinLoader::Load("/MacroManagement/Pane.png");
    const QImage on = SkinLoader::Load("/MacroManagement/PaneMakingTick.png");
    for (CBitmapBtn** tick : {&delayTick_, &loopTick_}) {
        const Rect where = tick == &delayTick_ ? kMacroDelayTick : kMacroLoopTick;
        *tick = new CBitmapBtn(this);
        (*tick)->SetImages(0, 0, where.width, where.height, off, off, on, off);
        (*tick)->setGeometry(ToQt(where));
        (*tick)->SetCheckBox(true);
    }
    delayTick_->setObjectName("delaySwitch");
    loopTick_->setObjectName("loopSwitch");

    // Names for assistive technology, and Tab in reading order.
    macroList_->setAccessibleName(Text(texts_.macroListLabel));
    itemList_->setAccessibleName(Text(texts_.itemListLabel));
    delayTick_->accessRole = QAccessible::CheckBox;
    delayTick_->setAccessibleName(Text(texts_.delaySwitch));
    delayTick_->enterPresses = true;
    loopTick_->accessRole = QAccessible::CheckBox;
    loopTick_->setAccessibleName(Text(texts_.loopSwitch));
    loopTick_->enterPresses = true;
    loopEdit_->setAccessibleName(Text(texts_.loopSwitch));
    close_->setAccessibleName(QString::fromStdString(AccessTextsFor(editor_.language()).close));
    SetTabChain({macroList_, new_, delete_, itemList_, record_, delayTick_, loopTick_, loopEdit_, ok_, cancel_, close_});

    connect(macroList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (showing_ || row < 0 || row == model_->selected()) return;
        model_->Select(row);
        ShowMacro();
    });
    connect(macroList_, &CListBoxPro::editEnded, this, [this](int, int index) { OnMacroEditEnded(index); });
    connect(itemList_, &CListBoxPro::editEnded, this, [this](int, int index) { OnItemEditEnded(index); });
    connect(itemList_, &CListBoxPro::rightButtonReleased, this, [this](int index, int) { OnRightButton(index); });
    connect(loopEdit_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        const QString shown = QString::fromStdString(model_->EditLoopText(typed.toStdString()));
        if (shown != typed) loopEdit_->setText(shown);
    });
    connect(record_, &QAbstractButton::clicked, this, &CMacroProgramDialog::ToggleRecording);
    connect(new_, &QAbstractButton::clicked, this, &CMacroProgramDialog::NewMacro);
    connect(delete_, &QAbstractButton::clicked, this, &CMacroProgramDialog::DeleteMacro);
    connect(ok_, &QAbstractButton::clicked, this, [this] {
        CLBEditorWnd::AcceptAllIn(this);  // a delay or a name still being typed
        model_->Finish();
        accept();
    });
    connect(cancel_, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(close_, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(delayTick_, &QAbstractButton::clicked, this, [this] {
        model_->ToggleRecordDelays();
        ShowSwitches();
        ShowItems();
    });
    connect(loopTick_, &QAbstractButton::clicked, this, [this] {
        model_->ToggleLoopEnabled();
        ShowSwitches();
        ShowItems();
    });
}

// ---------------------------------------------------------------- showing the model

void CMacroProgramDialog::ShowNames() {
    showing_ = true;
    macroList_->clear();
    for (const std::string& name : model_->names()) macroList_->addItem(QString::fromStdString(name));
    macroList_->setCurrentRow(model_->selected());
    showing_ = false;
}

void CMacroProgramDialog::ShowMacro() {
    showing_ = true;
    if (macroList_->currentRow() != model_->selected()) macroList_->setCurrentRow(model_->selected());
    loopEdit_->setText(QString::fromStdString(model_->loopText()));
    showing_ = false;
    ShowItems();
    ShowSwitches();
    ShowRecordCaption();
}

void CMacroProgramDialog::ShowItems(std::optional<int> select) {
    showing_ = true;
    const int keep = itemList_->currentRow();
    itemList_->clear();
    for (const std::string& item : model_->items()) itemList_->addItem(QString::fromStdString(item));
    const int row = select.value_or(keep);
    if (row >= 0 && row < itemList_->count()) {
        itemList_->setCurrentRow(row);
        itemList_->scrollToItem(itemList_->item(row));
    }
    showing_ = false;
}

void CMacroProgramDialog::ShowSwitches() {
    delayTick_->SetChecked(model_->recordDelays());
    loopTick_->SetChecked(model_->loopEnabled());
    loopEdit_->setEnabled(model_->loopEnabled());
}

void CMacroProgramDialog::ShowRecordCaption() {
    record_->SetCaption(Text(model_->recording() ? texts_.stopRecording : texts_.startRecording));
    record_->update();
}

// ---------------------------------------------------------------- commands

void CMacroProgramDialog::ToggleRecording() {
    if (model_->recording()) {
        model_->StopRecording();
    } else {
        model_->StartRecording();
    }
    ShowItems();
    ShowRecordCaption();
}

void CMacroProgramDialog::NewMacro() {
    if (model_->New() == MacroManagerModel::NewResult::LimitReached) {
        ShowMacro();
        showMessage(Text(texts_.limitCaption), Text(texts_.limitMessage));
        return;
    }
    ShowNames();
    ShowMacro();
}

void CMacroProgramDialog::DeleteMacro() {
    if (model_->Delete()) {
        // The macros after it moved one slot down: the buttons follow them.
        editor_.FollowMacroStore(model_->names());
    }
    ShowNames();
    ShowMacro();
}

void CMacroProgramDialog::BeginRename(int index) {
    if (index < 0 || index >= macroList_->count()) return;
    model_->BeginRename(index);
    ShowMacro();
    macroList_->SetEditMode(ListEditMode::MacroName);
    auto* editor = new CLBEditorWnd(macroList_);
    editor->setObjectName("macroNameEditor");
    editor->BeginEdit(index, false);
}

void CMacroProgramDialog::OnMacroEditEnded(int index) {
    if (index < 0 || index >= macroList_->count() || model_->renaming() != index) return;
    const std::string typed = macroList_->item(index)->text().toStdString();
    const auto rename = model_->EndRename(typed);
    // A name the store cannot keep is refused with the reason; an empty or
    // taken one keeps the old name silently.
    if (!rename && !MacroSectionName(typed).empty())
        if (const std::string refusal = MacroNameRefusal(typed); !refusal.empty())
            showMessage("QV530-10800rad", QString::fromStdString(refusal));
    if (rename) {
        editor_.FollowMacroStore(model_->names(), rename->oldName, rename->newName);
        model_->SetButtonLabels(editor_.ButtonLabels());
    }
    ShowNames();
}

void CMacroProgramDialog::OnItemPressed(int index) {
    if (index < 0 || !model_->ClickItem(index)) return;
    model_->StopRecording();
    itemList_->SetEditMode(ListEditMode::Delay);
    auto* editor = new CLBEditorWnd(itemList_);
    editor->setObjectName("delayEditor");
    editor->BeginEdit(index, true);
}

void CMacroProgramDialog::OnItemEditEnded(int index) {
    if (index < 0 || index >= itemList_->count()) return;
    const auto selection = model_->EditDelay(index, itemList_->item(index)->text().toStdString());
    ShowItems(selection);
}

void CMacroProgramDialog::OnRightButton(int index) {
    (void)index;
    // The menu needs a selected item, except in an empty list, where it is
    // the only way to put a mouse button into it.
    const bool pointerOverList = itemList_->rect().contains(itemList_->mapFromGlobal(QCursor::pos()));
    if (!pointerOverList || (itemList_->currentRow() < 0 && itemList_->count() > 0)) return;
    model_->StopRecording();
    ShowItems();
    ShowRecordCaption();
    RunItemCommand(runItemMenu(QCursor::pos()));
}

int CMacroProgramDialog::ExecItemMenu(const QPoint& globalPos) {
    CExMenu menu(&font_, this);
    menu.setObjectName("itemMenu");
    CExMenu mouseEvents(&font_, &menu);
    mouseEvents.setObjectName("mouseEventsMenu");
    mouseEvents.AppendItem(kMenuInsertLeft, Text(texts_.insertLeft));
    mouseEvents.AppendItem(kMenuInsertMiddle, Text(texts_.insertMiddle));
    mouseEvents.AppendItem(kMenuInsertRight, Text(texts_.insertRight));
    menu.AppendItem(kMenuDeleteItem, Text(texts_.deleteMacro));
    menu.AppendItem(0x1000, Text(texts_.mouseEvents), &mouseEvents);
    menu.AppendItem(kMenuInsertDelay, Text(texts_.insertDelay));
    return menu.Exec(globalPos);
}

void CMacroProgramDialog::RunItemCommand(int command) {
    const int row = itemList_->currentRow();
    std::optional<int> selection;
    switch (command) {
    case kMenuDeleteItem: selection = model_->DeleteItem(row); break;
    case kMenuInsertLeft: selection = model_->InsertButton(row, InsertedButton::Left); break;
    case kMenuInsertMiddle: selection = model_->InsertButton(row, InsertedButton::Middle); break;
    case kMenuInsertRight: selection = model_->InsertButton(row, InsertedButton::Right); break;
    case kMenuInsertDelay: selection = model_->InsertDelay(row); break;
    default: return;
    }
    if (!selection) return;
    ShowItems(selection);
    if (*selection < 0) itemList_->setCurrentRow(-1);
}

void CMacroProgramDialog::done(int result) {
    // OK has saved already; Cancel and close keep what was written.
    model_->Abandon();
    ShowRecordCaption();
    QDialog::done(result);
}

// ---------------------------------------------------------------- painting and input

void CMacroProgramDialog::paintEvent(QPaintEvent*) {
    using namespace skin;
    QPainter painter(this);
    if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
    else painter.fillRect(rect(), QColor(kThemeDark.r, kThemeDark.g, kThemeDark.b));
    painter.setFont(font_);
    painter.setPen(kTextColour);
    const int line = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(ToQt(kMacroTitle), line, Text(texts_.title));
    painter.drawText(ToQt(kMacroListLabel), line, Text(texts_.macroListLabel));
    painter.drawText(ToQt(kMacroItemLabel), line, Text(texts_.itemListLabel));
    painter.drawText(ToQt(kMacroOptionsLabel), line, Text(texts_.optionsLabel));
    painter.drawText(DelaySwitchText(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text(texts_.delaySwitch));
    painter.drawText(LoopSwitchText(), line, Text(texts_.loopSwitch));
}

void CMacroProgramDialog::mousePressEvent(QMouseEvent* event) {
    // No caption bar: the surface moves the window.
    drag_.Press(*this, *event);
}

void CMacroProgramDialog::mouseMoveEvent(QMouseEvent* event) {
    drag_.Move(*this, *event);
}

void CMacroProgramDialog::mouseReleaseEvent(QMouseEvent*) { drag_.Release(); }

void CMacroProgramDialog::keyPressEvent(QKeyEvent* event) {
    // Escape closes the dialog as its close button does, except while recording.
    if (event->key() == Qt::Key_Escape && !model_->recording()) reject();
    if (IsSwallowedKey(event->key())) event->accept();
    else QDialog::keyPressEvent(event);
}

// The keys of the lists: F2 renames a macro or edits a delay (as the
// double-click and the second click do), the menu key opens the item menu.
bool CMacroProgramDialog::ListKey(QObject* watched, const QKeyEvent& key) {
    const int k = key.key();
    if (k == Qt::Key_Escape && !model_->recording()) {
        reject();
        return true;
    }
    if (watched == macroList_ && k == Qt::Key_F2) {
        BeginRename(macroList_->currentRow());
        return true;
    }
    if (watched == itemList_ && k == Qt::Key_F2) {
        const int row = itemList_->currentRow();
        model_->ClickItem(row);
        OnItemPressed(row);
        return true;
    }
    if (watched == itemList_ && (k == Qt::Key_Menu || (k == Qt::Key_F10 && (key.modifiers() & Qt::ShiftModifier)))) {
        if (itemList_->currentRow() < 0 && itemList_->count() > 0) return true;
        model_->StopRecording();
        ShowItems();
        ShowRecordCaption();
        const QListWidgetItem* item = itemList_->currentItem();
        const QRect at = item ? itemList_->visualItemRect(item) : QRect();
        RunItemCommand(runItemMenu(itemList_->viewport()->mapToGlobal(at.center())));
        return true;
    }
    return false;
}

void CMacroProgramDialog::keyReleaseEvent(QKeyEvent* event) {
    if (IsSwallowedKey(event->key())) event->accept();
    else QDialog::keyReleaseEvent(event);
}

bool CMacroProgramDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride) &&
        (watched == macroList_ || watched == itemList_ || watched == loopEdit_)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (type == QEvent::KeyPress && watched != loopEdit_ && ListKey(watched, *key)) return true;
        if (type == QEvent::KeyPress && watched == loopEdit_ && key->key() == Qt::Key_Escape && !model_->recording()) {
            reject();
            return true;
        }
        // The lists and the loop count never pass these keys on to the dialog.
        if (IsSwallowedKey(key->key())) return true;
    }
    if (type == QEvent::MouseButtonDblClick && watched == macroList_->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = macroList_->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid()) BeginRename(index.row());
        return true;
    }
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && watched == itemList_->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex index = itemList_->indexAt(mouse->position().toPoint());
            const int row = index.isValid() ? index.row() : -1;
            // After the list has taken the click and moved its selection.
            QTimer::singleShot(0, this, [this, row] { OnItemPressed(row); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qv530
