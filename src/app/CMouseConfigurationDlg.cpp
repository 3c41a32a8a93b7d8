#include "app/CMouseConfigurationDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <filesystem>
#include <malloc.h>

#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "controls/CExMenu.h"
#include "controls/CFocusItem.h"
#include "controls/CLBEditorWnd.h"
#include "controls/ControlAccessibility.h"
#include "controls/SkinLoader.h"
#include "controls/SkinPath.h"
#include "app/DesktopLanguage.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgadvance.h"
#include "pages/CDlgLighting.h"
#include "pages/CDlgLightingPad.h"
#include "app/DesktopNotices.h"
#include "app/GameWatcher.h"
#include "app/NoticeRoute.h"
#include "app/TrayPresence.h"
#include "pages/CConfigDialog.h"
#include "pages/ButtonAssigner.h"
#include "pages/FunctionMenu.h"
#include "buttons/ButtonAssignment.h"
#include "buttons/LeftClickRule.h"
#include "device/FirmwareGate.h"
#include "lang/AccessTexts.h"
#include "lang/GameTexts.h"
#include "lang/Language.h"
#include "pages/CMacroProgramDialog.h"
#include "macros/MacroRebuild.h"
#include "platform/DebugLog.h"
#include "profiles/GameBindings.h"
#include "profiles/ProfileList.h"
#include "settings/PointerValues.h"

namespace qv530 {
namespace {

// How long a game's notice stands in the tray's balloon.
constexpr int kGameNoticeMs = 5000;
constexpr int kHeapReleaseAfterHideMs = 1000;

// Text slots of the window.
constexpr int kSlotTitle = 6;
constexpr int kSlotReset = 9;
constexpr int kSlotCancel = 10;
constexpr int kSlotApply = 11;
constexpr int kSlotProfiles = 12;
constexpr int kSlotFrontView = 13;
constexpr int kSlotButtonHeader = 16;
constexpr int kSlotMacroHeader = 17;
constexpr int kSlotAxisHeader = 18;
constexpr int kSlotXAxis = 27;
constexpr int kSlotYAxis = 28;
constexpr int kSlotButton1 = 29;
constexpr int kSlotUpdate = 538;
constexpr int kSlotExit = 560;
constexpr int kSlotResetQuestion = 591;
constexpr int kSlotResetCaption = 592;
constexpr int kSlotNote = 601;

// Command identifiers of the help menu.
constexpr int kHelpGuide = 1001;
constexpr int kHelpUpdate = 1002;
constexpr int kHelpVersion = 1003;
constexpr int kHelpExit = 1004;
constexpr const char* kVersionText = "Version:2.1";
constexpr const char* kUpdaterTitle = "Programmer";

// The function menu opens this far right of its selector.
constexpr int kFunctionMenuGap = 5;
// The drop arrow at the right end of a selector.
constexpr int kDropdownArrowWidth = 16;

constexpr const char* kProgramCaption = "QV530-10800rad";
constexpr int kFontHeight = 13;
constexpr int kSmallFontHeight = 10;
const QColor kWhite(255, 255, 255);

const char* const kViewFolders[3] = {"Skins\\Mouse\\Front\\", "Skins\\Mouse\\Side\\", "Skins\\Mouse\\Back\\"};
const char* const kViewLetters[3] = {"F", "S", "B"};

QRect ToQt(const skin::Rect& r) { return {r.x, r.y, r.width, r.height}; }

// Laid over the window while a sequence runs: takes every click, and with
// the keyboard focus every key, Tab included, so nothing is pressed meanwhile.
class BusyShield : public QWidget {
public:
    explicit BusyShield(QWidget* parent) : QWidget(parent) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
            event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

CMouseConfigurationDlg::CMouseConfigurationDlg(AppState& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), app_(app),
      devices_(std::make_unique<DeviceHost>(app)) {
    setObjectName("mainWindow");
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A frame named by its title for assistive technology.
    SetAccessibleRole(this, QAccessible::Window);
    askUpdateFirmware = [this] {
        return QMessageBox::question(this, kFirmwareCaption, QString::fromUtf8(kFirmwareMessage),
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::No;
    };
    askReset = [this] {
        return QMessageBox::question(this, Text(kSlotResetCaption), Text(kSlotResetQuestion),
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    windowTitled = [](const std::string&) { return false; };
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    tellUser = [this](const QString& text, const QString& caption) {
        QMessageBox::information(this, caption, text, QMessageBox::Ok);
    };
    assigner_ = std::make_unique<ButtonAssigner>(*app_.editor, this);
    connect(devices_.get(), &DeviceHost::stageNotice, this, &CMouseConfigurationDlg::OnDeviceNotice);
    connect(devices_.get(), &DeviceHost::deviceChanged, this, &CMouseConfigurationDlg::OnDeviceChanged);
    connect(devices_.get(), &DeviceHost::sequenceFinished, this, &CMouseConfigurationDlg::OnSequenceFinished);
}

CMouseConfigurationDlg::~CMouseConfigurationDlg() {
    devices_->Shutdown();
}

QString CMouseConfigurationDlg::Text(int slot) const { return app_.editor->Text(slot); }

bool CMouseConfigurationDlg::trayIconShown() const { return tray_ && tray_->shown(); }

void CMouseConfigurationDlg::Prepare() {
    if (prepared_) return;
    prepared_ = true;
    // Several sizes: a window manager takes the one it needs, and the full
    // 256-pixel picture alone is more than the X server takes in one property.
    QIcon icon;
    const QImage picture = SkinLoader::LoadResource(skin::kIconResource);
    for (int size : {16, 24, 32, 48, 64, 128})
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    setWindowIcon(icon);
    setWindowTitle("QV530-10800rad");

    // Without a tray the notices go to the desktop's notification service.
    desktopNotices_ = std::make_unique<DesktopNotices>();
    connect(desktopNotices_.get(), &DesktopNotices::openRequested, this, &CMouseConfigurationDlg::ShowFromTray);
    // A mouse whose nodes may not be opened is told about once, with the fix.
    devices_->session().discovery().onAccessDenied = [this](const std::string& message) { ShowPermissionNotice(message); };
    devices_->Start();
    app_.editor->LoadAtStartUp();
    const std::string_view open = OpenActionText(app_.editor->language());
    desktopNotices_->SetOpenText(QString::fromUtf8(open.data(), static_cast<qsizetype>(open.size())));
    InstallLanguageFonts();
    InstallQtTranslations(app_.editor->language());
    // Said once the window may be up, so the notice stands above it.
    for (const std::string& problem : app_.editor->TakeProblems())
        QTimer::singleShot(0, this, [this, problem] { ShowProfileNotice(problem); });

    LoadSkins();
    font_ = QFont(QString::fromUtf8(FontFace(app_.editor->language()).data()));
    font_.setPixelSize(kFontHeight);

    CreateControls();
    SetButtonListCollapsed(true);
    SetAxisPanelCollapsed(true);
    SelectView(static_cast<int>(MouseView::Front));
    LoadOverlays();
    RefreshFromRecord();
    connect(app_.editor.get(), &ProfileEditor::recordReplaced, this, &CMouseConfigurationDlg::RefreshFromRecord);
    // Changes another program (qv530ctl, a second window) makes in the data
    // folder are followed; what could not be followed is said in the status line.
    connect(app_.editor.get(), &ProfileEditor::profileNotice, this, [this](const QString& text) {
        DebugPrintf("Profile notice: %s\n", text.toStdString().c_str());
        if (statusLine_) statusLine_->setText(text);
    });
    app_.editor->WatchFolder();

    // Game profiles: the bindings are read again whenever the folder changes,
    // and a switch that had to wait is made when the sequence ends.
    games_ = new GameWatcher(app_.editor->files().dataFolder(), std::make_unique<ProcProcessTable>(), this);
    games_->activity = [this] { return GameActivity(); };
    games_->carryOut = [this](const GameSwitch& decision) { CarryOutGameSwitch(decision); };
    connect(app_.editor.get(), &ProfileEditor::folderChanged, games_, &GameWatcher::Reload);
    connect(this, &CMouseConfigurationDlg::sequenceDone, games_, &GameWatcher::Tick);

    tray_ = std::make_unique<TrayPresence>(Text(kSlotTitle), Text(kSlotExit));
    connect(tray_.get(), &TrayPresence::openRequested, this, &CMouseConfigurationDlg::ShowFromTray);
    connect(tray_.get(), &TrayPresence::exitRequested, this, &CMouseConfigurationDlg::Quit);
}

void CMouseConfigurationDlg::Present() {
    Prepare();
    UpdateTrayIcon(app_.link.AnyMouse());
    initialised_ = true;
    CheckFirmwareGate();
    if (quitting_) return;
    ApplyPointerSettings(app_.editor->settings(), app_.runtime->pointer());

    // A desktop without a tray has no place to open the window from.
    if (app_.options.demo || !QSystemTrayIcon::isSystemTrayAvailable()) ShowFromTray();
    games_->Reload();
}

void CMouseConfigurationDlg::LoadSkins() {
    background_ = SkinLoader::Load("/skins/main.png");
    if (!background_.isNull()) setFixedSize(background_.size());
    else setFixedSize(skin::kMainWindow.width, skin::kMainWindow.height);
    logo_ = SkinLoader::Load("Skins\\Logo.png");
    pictureArea_ = SkinLoader::Load("Skins\\BK_MainMid.png");
    LoadMousePicture();
    leftColumn_ = SkinLoader::Load("/Skins/BK_MainLeft.png");
    lowerLogo_ = SkinLoader::Load("Skins\\MLogo.png");
    buttonListBackground_ = SkinLoader::Load("/Skins/ButtonAssignment/BK_ButtonAssignment.png");
    axisBackground_ = SkinLoader::Load("/Skins/XYSensitivity/BK_XYSensSetting.png");
}

CBitmapBtn* CMouseConfigurationDlg::MakeButton(int id, const char* normal, const char* over, const char* leave,
                                               const char* disabled, const skin::Rect& rect, int textSlot) {
    auto* button = new CBitmapBtn(this, id);
    const QImage normalImage = SkinLoader::Load(normal);
    const QImage overImage = over ? SkinLoader::Load(over) : normalImage;
    const QImage leaveImage = leave ? SkinLoader::Load(leave) : normalImage;
    const QImage disabledImage = disabled ? SkinLoader::Load(disabled) : normalImage;
    button->SetImages(0, 0, rect.width, rect.height, normalImage, overImage, leaveImage, disabledImage);
    button->setGeometry(ToQt(rect));
    button->fontFace = font_.family();
    button->fontHeight = kFontHeight;
    button->alignment = 0;
    if (textSlot >= 0) button->SetCaption(Text(textSlot));
    return button;
}

void CMouseConfigurationDlg::CreateControls() {
    CreateCommandButtons();
    CreateLeftColumn();
    CreateAxisSliders();
    CreatePanelArea();
    CreateBusyShield();
    SetUpKeyboard();
}

// Tab goes in reading order: the left column's headers with their open
// content, the views, Config, the panel's sections with their open pages,
// the command buttons and the title bar. The buttons without a caption are
// named for assistive technology.
void CMouseConfigurationDlg::SetUpKeyboard() {
    const AccessTexts access = AccessTextsFor(app_.editor->language());
    help_->setAccessibleName(QString::fromStdString(access.help));
    minimise_->setAccessibleName(QString::fromStdString(access.minimise));
    close_->setAccessibleName(QString::fromStdString(access.close));
    help_->hasPopup = true;
    macroHeader_->hasPopup = true;
    profiles_->hasPopup = true;
    for (CBitmapBtn* view : views_) view->accessRole = QAccessible::RadioButton;
    for (CBitmapBtn* selector : selectors_) {
        selector->accessRole = QAccessible::ButtonMenu;
        selector->hasPopup = true;
    }
    xSlider_->setAccessibleName(Text(kSlotXAxis).trimmed());
    ySlider_->setAccessibleName(Text(kSlotYAxis).trimmed());

    QList<QWidget*> chain{buttonHeader_};
    for (CBitmapBtn* selector : selectors_) chain << selector;
    chain << macroHeader_ << axisHeader_ << xSlider_ << ySlider_;
    for (CBitmapBtn* view : views_) chain << view;
    chain << profiles_;
    chain << panel_->FocusChain();
    chain << apply_ << cancel_ << reset_ << help_ << minimise_ << close_;
    SetTabChain(chain);
}

// "Button 3: Scroll": the row's label and the function its selector shows.
void CMouseConfigurationDlg::NameSelector(std::size_t index) {
    CBitmapBtn* selector = selectors_[index];
    selector->setAccessibleName(Text(kSlotButton1 + static_cast<int>(index)).trimmed() + QStringLiteral(": ") +
                                selector->GetCaption().trimmed());
}

// Apply, Cancel, Reset, the title-bar buttons, Config and the three views.
void CMouseConfigurationDlg::CreateCommandButtons() {
    using namespace skin;
    const char* cancelNormal = "\\skins\\button-cancel-normal.png";
    const char* cancelOver = "\\skins\\button-cancel-over.png";
    const char* cancelLeave = "\\skins\\button-cancel-leave.png";
    const char* saveLeave = "\\skins\\button-save-leave.png";
    apply_ = MakeButton(1, cancelNormal, cancelOver, cancelLeave, saveLeave, kApplyButton, kSlotApply);
    cancel_ = MakeButton(2, cancelNormal, cancelOver, cancelLeave, saveLeave, kCancelButton, kSlotCancel);
    reset_ = MakeButton(3, cancelNormal, cancelOver, cancelLeave, saveLeave, kResetButton, kSlotReset);
    apply_->setObjectName("apply");
    cancel_->setObjectName("cancel");
    reset_->setObjectName("reset");
    close_ = MakeButton(4, "\\skins\\button-close-normal.png", "\\skins\\button-close-over.png", nullptr, nullptr,
                        kCloseButton, -1);
    close_->setObjectName("close");
    minimise_ = MakeButton(5, "\\skins\\button-min-normal.png", "\\skins\\button-min-over.png", nullptr, nullptr,
                           kMinimiseButton, -1);
    help_ = MakeButton(6, "\\skins\\button-help-normal.png", "\\skins\\button-help-over.png", nullptr, nullptr,
                       kHelpButton, -1);
    profiles_ = MakeButton(7, "\\skins\\button-config-normal.png", "\\skins\\button-config-over.png",
                           "\\skins\\button-config-leave.png", "\\skins\\button-config-normal.png", kProfilesButton,
                           kSlotProfiles);
    profiles_->setObjectName("profiles");
    profiles_->textRightReserve = kProfilesMarkWidth;
    for (int v = 0; v < 3; ++v) {
        views_[static_cast<std::size_t>(v)] =
            MakeButton(10 + v, "\\skins\\button-mouse-normal.png", "\\skins\\button-mouse-over.png",
                       "\\skins\\button-mouse-leave.png", "\\skins\\button-mouse-normal.png",
                       kViewButtons[static_cast<std::size_t>(v)], kSlotFrontView + v);
        views_[static_cast<std::size_t>(v)]->setObjectName(QString("view%1").arg(v + 1));
        views_[static_cast<std::size_t>(v)]->fontHeight = kSmallFontHeight; // "Side View" fits 62 pixels
        connect(views_[static_cast<std::size_t>(v)], &QAbstractButton::clicked, this, [this, v] { SelectView(v + 1); });
    }
    connect(apply_, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::ApplySettings);
    connect(cancel_, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::CancelEdits);
    connect(reset_, &QAbstractButton::clicked, this, [this] { ResetToFactory(false); });
    connect(close_, &QAbstractButton::clicked, this, [this] {
        ClearButtonSelection();
        HideToTray();
    });
    connect(minimise_, &QAbstractButton::clicked, this, [this] {
        ClearButtonSelection();
        showMinimized();
    });
    connect(help_, &QAbstractButton::clicked, this, [this] {
        ClearButtonSelection();
        OpenHelpMenu();
    });
    connect(profiles_, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::ClearButtonSelection);
    connect(profiles_, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OpenProfileDialog);
}

// The three section headers and the seven function selectors.
void CMouseConfigurationDlg::CreateLeftColumn() {
    using namespace skin;
    buttonHeader_ = MakeButton(20, "\\skins\\ItemBK.png", nullptr, nullptr, nullptr, kButtonAssignmentHeader,
                               kSlotButtonHeader);
    macroHeader_ = MakeButton(21, "\\skins\\MacroManagementBK.png", nullptr, nullptr, nullptr, kMacroManagerHeader,
                              kSlotMacroHeader);
    axisHeader_ = MakeButton(22, "\\skins\\ItemBK.png", nullptr, nullptr, nullptr, kAxisHeader, kSlotAxisHeader);
    buttonHeader_->setObjectName("buttonHeader");
    macroHeader_->setObjectName("macroHeader");
    axisHeader_->setObjectName("axisHeader");
    for (std::size_t i = 0; i < selectors_.size(); ++i) {
        selectors_[i] = MakeButton(30 + static_cast<int>(i), "\\skins\\ButtonAssignment\\DropdownBox-normal.png",
                                   "\\skins\\ButtonAssignment\\DropdownBox-over.png",
                                   "\\skins\\ButtonAssignment\\DropdownBox-over.png", nullptr,
                                   skin::Rect{0, 0, kDropdownBox.width, kDropdownBox.height}, -1);
        selectors_[i]->alignment = 1;
        selectors_[i]->textIndent = 4;
        selectors_[i]->textRightReserve = kDropdownArrowWidth; // a long caption ends before the arrow
        selectors_[i]->setObjectName(QString("selector%1").arg(i + 1));
        connect(selectors_[i], &QAbstractButton::clicked, this,
                [this, i] { OpenFunctionMenu(static_cast<int>(i)); });
    }
    connect(buttonHeader_, &QAbstractButton::clicked, this, [this] {
        ClearButtonSelection();
        SetButtonListCollapsed(!buttonListCollapsed_);
    });
    connect(macroHeader_, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OpenMacroManager);
    connect(axisHeader_, &QAbstractButton::clicked, this, [this] {
        ClearButtonSelection();
        SetAxisPanelCollapsed(!axisCollapsed_);
    });
}

// The X and Y sensitivity sliders; they edit the record through the editor.
void CMouseConfigurationDlg::CreateAxisSliders() {
    using namespace skin;
    const QImage trackX = SkinLoader::Load("\\skins\\XYSensitivity\\1.png");
    const QImage fillX = SkinLoader::Load("\\skins\\XYSensitivity\\2.png");
    for (CDMarker** slider : {&xSlider_, &ySlider_}) {
        const int id = slider == &xSlider_ ? kSliderIdX : kSliderIdY;
        *slider = new CDMarker(QRect(0, 0, kAxisSliderWindow.width, kAxisSliderWindow.height), this, id);
        (*slider)->SetImages(kAxisSliderCut.x, kAxisSliderCut.y, kAxisSliderCut.right(), kAxisSliderCut.bottom(),
                             trackX, fillX);
        (*slider)->SetRange(kAxisMin, kAxisMax);
        (*slider)->setObjectName(id == kSliderIdX ? "sliderX" : "sliderY");
        connect(*slider, &CDMarkerBase::markerChanged, this, [this](int value, int controlId) {
            app_.editor->SetSensitivity(controlId == kSliderIdX ? Axis::X : Axis::Y, value);
        });
    }
}

// The settings panel with its pages; they edit the record through the editor.
void CMouseConfigurationDlg::CreatePanelArea() {
    using namespace skin;
    panel_ = new CDlgadvance(*app_.editor, this);
    panel_->SetSectionPage(kSectionLighting, new CDlgLighting(*app_.editor, nullptr));
    panel_->SetSectionPage(kSectionPadLighting, new CDlgLightingPad(*app_.editor, nullptr));
    panel_->move(kSettingsPanel.x, kSettingsPanel.y);
    panel_->show();
    if (const auto table = app_.editor->dpiVariant()) panel_->dpiPage()->SetDpiVariant(*table == StageTable::B);
    connect(panel_, &CDlgadvance::clearSelection, this, &CMouseConfigurationDlg::ClearButtonSelection);
    connect(app_.editor.get(), &ProfileEditor::dpiVariantChanged, this, [this] {
        if (const auto table = app_.editor->dpiVariant(); table && panel_->dpiPage())
            panel_->dpiPage()->SetDpiVariant(*table == StageTable::B);
    });
    connect(app_.editor.get(), &ProfileEditor::padPresentChanged, this, [this](bool present) {
        panel_->SetPadPresent(present);
        panel_->Relayout();
    });
}

// Shown while a sequence runs: takes every click and carries the progress bar.
void CMouseConfigurationDlg::CreateBusyShield() {
    using namespace skin;
    busyShield_ = new BusyShield(this);
    busyShield_->setObjectName("busyShield");
    busyShield_->setGeometry(rect());
    busyShield_->hide();
    progress_ = new QProgressBar(busyShield_);
    progress_->setObjectName("progress");
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    // Over the whole command row, so no caption shows around it.
    progress_->setGeometry(kApplyButton.x, kApplyButton.y, kResetButton.right() - kApplyButton.x, kApplyButton.height);
    progress_->setStyleSheet("QProgressBar { background: rgb(40,16,16); border: 1px solid rgb(143,32,32); }"
                             "QProgressBar::chunk { background: rgb(255,237,0); }");
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName("statusLine");
    statusLine_->setGeometry(kMainPictureArea.x, kApplyButton.y + 4, kApplyButton.x - kMainPictureArea.x - 10, 22);
    statusLine_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusLine_->setStyleSheet("color: rgb(255,237,0);");
    statusLine_->setFont(font_);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(50);
    connect(progressTimer_, &QTimer::timeout, this,
            [this] { progress_->setValue(static_cast<int>(devices_->Progress() * 1000)); });
}

void CMouseConfigurationDlg::ApplyLayout() {
    const LeftColumnLayout layout = LayoutLeftColumn(buttonListCollapsed_, axisCollapsed_);
    buttonHeader_->setGeometry(ToQt(layout.buttonHeader));
    macroHeader_->setGeometry(ToQt(layout.macroHeader));
    axisHeader_->setGeometry(ToQt(layout.axisHeader));
    for (std::size_t i = 0; i < selectors_.size(); ++i) {
        selectors_[i]->setGeometry(ToQt(layout.selectors[i]));
        selectors_[i]->setVisible(layout.selectorsVisible);
    }
    xSlider_->setGeometry(ToQt(layout.xSlider));
    ySlider_->setGeometry(ToQt(layout.ySlider));
    xSlider_->setVisible(layout.slidersVisible);
    ySlider_->setVisible(layout.slidersVisible);
    update(ToQt(skin::kMainLeftColumn));
}

void CMouseConfigurationDlg::SetButtonListCollapsed(bool collapsed) {
    buttonListCollapsed_ = collapsed;
    buttonHeader_->SetExpanded(!collapsed);
    ApplyLayout();
}

void CMouseConfigurationDlg::SetAxisPanelCollapsed(bool collapsed) {
    axisCollapsed_ = collapsed;
    axisHeader_->SetExpanded(!collapsed);
    ApplyLayout();
}

// Only the shown view's picture is kept decoded: a megabyte each, and a
// view change decodes the next one in a few milliseconds.
void CMouseConfigurationDlg::LoadMousePicture() {
    if (mousePictureView_ == view_) return;
    static const char* const kPictures[3] = {"Skins\\Mouse\\Front\\MouseFront.png",
                                             "Skins\\Mouse\\Side\\MouseSide.png",
                                             "Skins\\Mouse\\Back\\MouseBack.png"};
    mousePicture_ = SkinLoader::Load(kPictures[static_cast<std::size_t>(view_ - 1)]);
    mousePictureView_ = view_;
}

void CMouseConfigurationDlg::SelectView(int view) {
    if (view < 1 || view > 3) return;
    view_ = view;
    LoadMousePicture();
    for (int v = 0; v < 3; ++v) views_[static_cast<std::size_t>(v)]->SetChecked(v + 1 == view);
    update(ToQt(skin::kMainPictureArea));
}

void CMouseConfigurationDlg::ClearButtonSelection() {
    for (CBitmapBtn* selector : selectors_) selector->SetChecked(false);
    selectedButton_ = -1;
    update(ToQt(skin::kMainPictureArea));
}

void CMouseConfigurationDlg::RefreshFromRecord() {
    const MouseSettings& settings = app_.editor->settings();
    xSlider_->SetPos(SliderPosition(settings.at(field::kSensitivityX)));
    ySlider_->SetPos(SliderPosition(settings.at(field::kSensitivityY)));
    for (std::size_t i = 0; i < selectors_.size(); ++i) {
        selectors_[i]->SetCaption(app_.editor->Caption(static_cast<int>(i)));
        selectors_[i]->setToolTip(selectors_[i]->GetCaption());
        NameSelector(i);
        selectors_[i]->update();
    }
    if (panel_) panel_->RefreshAllPages();
}

void CMouseConfigurationDlg::StoreButtonLabel(int index) {
    if (index < 0 || index >= static_cast<int>(selectors_.size())) return;
    app_.editor->SetCaption(index, selectors_[static_cast<std::size_t>(index)]->GetCaption());
}

void CMouseConfigurationDlg::OpenFunctionMenu(int index) {
    if (index < 0 || index >= static_cast<int>(selectors_.size()) || devices_->busy()) return;
    CBitmapBtn* selector = selectors_[static_cast<std::size_t>(index)];
    ClearButtonSelection();
    selector->SetChecked(true);
    selectedButton_ = index;
    update(ToQt(skin::kMainPictureArea));
    if (IsLastLeftClick(app_.editor->settings(), static_cast<std::size_t>(index))) {
        tellUser(Text(assignslot::kLastLeftClickText), Text(assignslot::kLastLeftClickCaption));
        selector->SetChecked(false);
        selectedButton_ = -1;
        update(ToQt(skin::kMainPictureArea));
        return;
    }
    const QPoint topLeft = selector->mapToGlobal(QPoint(selector->width() + kFunctionMenuGap, 0));
    const int command = RunFunctionMenu(*app_.editor, static_cast<std::size_t>(index), font_, topLeft, this);
    selectedButton_ = -1;
    update(ToQt(skin::kMainPictureArea));
    selector->SetChecked(false);
    menuButton_ = index;
    // The choice is carried out after the menu has gone.
    if (command != 0) QTimer::singleShot(0, this, [this, command] { AssignFunction(command); });
}

void CMouseConfigurationDlg::AssignFunction(int command) {
    if (menuButton_ < 0 || menuButton_ >= static_cast<int>(selectors_.size())) return;
    CBitmapBtn* selector = selectors_[static_cast<std::size_t>(menuButton_)];
    const std::optional<QString> caption =
        assigner_->Assign(static_cast<std::size_t>(menuButton_), command, selector->GetCaption());
    if (!caption) return;
    selector->SetCaption(*caption);
    selector->setToolTip(*caption);
    NameSelector(static_cast<std::size_t>(menuButton_));
    selector->repaint();
    StoreButtonLabel(menuButton_);
}

void CMouseConfigurationDlg::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    apply_->setEnabled(false);
    statusLine_->clear();
    progress_->setValue(0);
    busyShield_->setGeometry(rect());
    busyShield_->show();
    busyShield_->raise();
    // The keyboard waits on the shield and comes back where it was.
    focusBeforeBusy_ = QApplication::focusWidget();
    busyShield_->setFocus(Qt::OtherFocusReason);
    progressTimer_->start();
}

void CMouseConfigurationDlg::EndBusy() {
    progressTimer_->stop();
    busyShield_->hide();
    apply_->setEnabled(true);
    if (focusBeforeBusy_ && focusBeforeBusy_->isVisible() && isActiveWindow()) focusBeforeBusy_->setFocus(Qt::ActiveWindowFocusReason);
    focusBeforeBusy_ = nullptr;
    QApplication::restoreOverrideCursor();
}

void CMouseConfigurationDlg::CommitTypedValues() {
    if (panel_) panel_->CommitTypedValues();
    CLBEditorWnd::AcceptAllIn(this);
}

void CMouseConfigurationDlg::ApplySettings() {
    if (devices_->busy()) return;
    CommitTypedValues();
    ClearButtonSelection();
    BeginBusy();
    devices_->Run(DeviceHost::Sequence::Apply);
}

void CMouseConfigurationDlg::CancelEdits() {
    ClearButtonSelection();
    app_.editor->RestoreLastApplied();
    HideToTray();
}

void CMouseConfigurationDlg::ResetToFactory(bool confirmed) {
    if (devices_->busy()) return;
    if (!confirmed && !askReset()) return;
    ClearButtonSelection();
    BeginBusy();
    devices_->Run(DeviceHost::Sequence::Reset);
}

void CMouseConfigurationDlg::OnSequenceFinished(bool reset, int failedReports, bool saved, const QString& failedDevice) {
    EndBusy();
    if (showAfterSequence_) {
        showAfterSequence_ = false;
        QTimer::singleShot(0, this, &CMouseConfigurationDlg::ShowFromTray);
    }
    if (reset && profileDialog_) {
        // The reset closes the profile dialog without saving its list.
        profileDialog_->deleteLater();
        profileDialog_ = nullptr;
        ShowSectionHeaders(true);
    }
    if (reset) {
        SetButtonListCollapsed(true);
        SetAxisPanelCollapsed(true);
        SelectView(static_cast<int>(MouseView::Front));
        app_.editor->WriteCaptions();
    }
    const std::vector<std::string> problems = app_.editor->TakeProblems();
    if (failedReports > 0) {
        // The mouse (by its product ID) or the pad that a pulled cable kept from the settings.
        statusLine_->setText(failedDevice == kPadName ? Text(kSlotPadMissedSettings)
                                                      : Text(kSlotMouseMissedSettings).arg(failedDevice.toUpper()));
        DebugPrintf("Status: %s\n", statusLine_->text().toUtf8().constData());
    }
    else if (!problems.empty())
        statusLine_->setText(QString::fromStdString(problems.front()));
    else if (!saved)
        statusLine_->setText(tr("Sent, but the profile could not be saved in %1")
                                 .arg(QString::fromStdString(app_.editor->files().dataFolder())));
    // The window takes input again from here; the end-to-end scripts wait for this line.
    DebugPrintf("Sequence done: %s, %d reports failed\n", reset ? "reset" : "apply", failedReports);
    emit sequenceDone();
}

void CMouseConfigurationDlg::OpenMacroManager() {
    if (devices_->busy()) return;
    ClearButtonSelection();
    CMacroProgramDialog dialog(*app_.editor, this);
    if (dialog.exec() == QDialog::Accepted) {
        app_.editor->Edit(CopyMacroImages, dialog.images());
        // The recorder takes more key events than a slot of the mouse plays: said, not dropped silently.
        MouseSettings check = app_.editor->settings();
        const std::vector<std::string> dropped =
            DescribeDroppedEvents(RebuildMacroSlotsFromStore(check, app_.editor->files().macroStorePath()));
        if (!dropped.empty()) statusLine_->setText(QString::fromStdString(dropped.front()));
    }
    // A rename may have changed captions.
    RefreshFromRecord();
}

void CMouseConfigurationDlg::HideToTray() {
    hide();
    // What the pages freed stays in the heap unless it is handed back to the
    // system; a second later, once the last frame is gone, the program then
    // idles in the tray at its smallest.
    QTimer::singleShot(kHeapReleaseAfterHideMs, this, [] { malloc_trim(0); });
}

void CMouseConfigurationDlg::ShowFromTray() {
    if (!initialised_ || !app_.link.AnyMouse() || quitting_) return;
    if (devices_->busy()) {
        // The profile is being sent and saved: reload it when that is done.
        showAfterSequence_ = true;
        return;
    }
    if (isVisible()) {
        // Open already (perhaps minimised): brought back as it is, edits kept.
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        showNormal();
        raise();
        activateWindow();
        return;
    }
    app_.editor->ReloadCurrentProfile();
    if (!background_.isNull()) setFixedSize(background_.size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && PlatformPlacesWindows(QGuiApplication::platformName().toStdString()))
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    SetButtonListCollapsed(true);
    SetAxisPanelCollapsed(true);
    statusLine_->clear();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

CConfigDialog* CMouseConfigurationDlg::profileDialog() const { return profileDialog_; }

void CMouseConfigurationDlg::OpenProfileDialog() {
    if (profileDialog_) return;
    profileDialog_ = new CConfigDialog(*app_.editor, this);
    profileDialog_->move(skin::kMainLeftColumn.x, skin::kMainLeftColumn.y);
    connect(profileDialog_, &CConfigDialog::closed, this, &CMouseConfigurationDlg::OnProfileDialogClosed);
    connect(profileDialog_, &CConfigDialog::gameBindingsChanged, games_, &GameWatcher::Reload);
    ShowSectionHeaders(false);
    // In the Tab order where it lies: after Config, before the panel.
    QList<QWidget*> chain{profiles_};
    chain << profileDialog_->FocusChain() << panel_->FocusChain().value(0);
    SetTabChain(chain);
    profileDialog_->show();
    profileDialog_->raise();
    profileDialog_->setFocus(profiles_->hasFocus() ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

void CMouseConfigurationDlg::OnProfileDialogClosed(bool profileChanged) {
    // A game's start or end that waited for the dialog is taken now.
    QTimer::singleShot(0, games_, &GameWatcher::Tick);
    // The keyboard goes back where it came from.
    if (profileDialog_ && profileDialog_->isAncestorOf(QApplication::focusWidget()))
        profiles_->setFocus(Qt::ActiveWindowFocusReason);
    if (profileDialog_) profileDialog_->deleteLater();
    profileDialog_ = nullptr;
    if (profileChanged) {
        buttonListCollapsed_ = true;
        axisCollapsed_ = true;
    }
    ShowSectionHeaders(true);
}

// While the profile dialog lies over the left column its headers, selectors
// and sliders are hidden.
void CMouseConfigurationDlg::ShowSectionHeaders(bool shown) {
    for (CBitmapBtn* header : {buttonHeader_, macroHeader_, axisHeader_}) header->setVisible(shown);
    if (shown) {
        ApplyLayout();
        return;
    }
    for (CBitmapBtn* selector : selectors_) selector->hide();
    xSlider_->hide();
    ySlider_->hide();
}

void CMouseConfigurationDlg::UpdateTrayIcon(bool shown) {
    if (tray_) tray_->SetShown(shown);
}

void CMouseConfigurationDlg::ShowNotice(const Notice& notice, bool replacesPrevious) {
    if (!notice.text.empty()) noticeText_ = QString::fromStdString(notice.text);
    DebugPrintf("Notice: %s: %s\n", notice.title.c_str(), noticeText_.toStdString().c_str());
    // A tray host may come or go while the program runs: asked for each notice.
    const bool trayHost = QSystemTrayIcon::isSystemTrayAvailable();
    const bool service = !trayHost && desktopNotices_ && desktopNotices_->Available();
    const NoticeRoute route = ChooseNoticeRoute(trayHost, service, isVisible());
    DebugPrintf("Notice route: %s\n", NoticeRouteName(route));
    switch (route) {
    case NoticeRoute::TrayBalloon:
        if (tray_) tray_->ShowBalloon(QString::fromStdString(notice.title), noticeText_, notice.milliseconds);
        break;
    case NoticeRoute::Desktop:
        desktopNotices_->Show(Notice{noticeText_.toStdString(), notice.title, notice.milliseconds}, replacesPrevious);
        break;
    case NoticeRoute::StatusLine:
        if (statusLine_) statusLine_->setText(noticeText_);
        break;
    case NoticeRoute::Dropped: break;
    }
}

WindowActivity CMouseConfigurationDlg::GameActivity() const {
    WindowActivity activity;
    activity.currentProfileId = app_.editor->profileId();
    // A sequence, the profile dialog, a modal dialog or an open menu: the
    // user is in the middle of something the switch would pull away.
    activity.mustWait = !initialised_ || quitting_ || devices_->busy() || profileDialog_ ||
                        QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
    // A value still typed into a box counts as an edit: the switch would drop it.
    bool typing = panel_ && panel_->HasTypedValues();
    for (const CLBEditorWnd* box : findChildren<CLBEditorWnd*>()) typing = typing || box->isVisible();
    activity.unappliedEdits = typing || app_.editor->HasUnappliedEdits();
    return activity;
}

void CMouseConfigurationDlg::CarryOutGameSwitch(const GameSwitch& decision) {
    const std::string& folder = app_.editor->files().dataFolder();
    const std::vector<std::string> ids = ListedProfileIds(folder);
    const auto found = std::find(ids.begin(), ids.end(), decision.profileId);
    if (found == ids.end()) {
        // The profile from before the game was deleted meanwhile: the current one stays.
        DebugPrintf("Game switch: %s: its profile is gone\n", decision.game.c_str());
        return;
    }
    const int position = static_cast<int>(found - ids.begin());
    const std::vector<std::string> names = ProfileNames(LoadIni(app_.editor->files().profileListPath()));
    GameNotice notice;
    notice.game = decision.game;
    notice.profile = position < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(position)] : "";
    notice.back = decision.back;
    notice.refused = decision.kind == GameSwitch::Kind::Refused;
    const std::string text = GameNoticeText(app_.editor->language(), notice);
    DebugPrintf("Game switch: %s\n", text.c_str());
    ShowNotice(Notice{text, "QV530-10800rad", kGameNoticeMs});
    if (notice.refused) return;
    app_.editor->SwitchProfile(position);
    ApplySettings();
}

void CMouseConfigurationDlg::OnDeviceNotice(int kind, int argument) {
    if (const auto notice = NoticeFor(kind, argument, app_.editor->texts(), app_.editor->sent()))
        ShowNotice(*notice, IsDpiNotice(kind));
}

void CMouseConfigurationDlg::OnDeviceChanged(const DeviceChangeEffects& effects) {
    for (int kind : effects.notices)
        QTimer::singleShot(0, this, [this, kind] { OnDeviceNotice(kind, 0); });
    if (effects.hideWindow) HideToTray();
    // Plugged or unplugged while the splash shows: Present takes the devices as they are then.
    if (!initialised_) return;
    if (effects.tray == DeviceChangeEffects::Tray::Add) UpdateTrayIcon(true);
    if (effects.tray == DeviceChangeEffects::Tray::Remove) UpdateTrayIcon(false);
    if (effects.checkFirmware) CheckFirmwareGate();
    if (panel_) {
        panel_->SetPadPresent(app_.editor->padPresent());
        panel_->Relayout();
    }
}

void CMouseConfigurationDlg::ShowPermissionNotice(const std::string& message) {
    // Without a tray the desktop's notification service carries it, and it
    // stays until the user dismisses it (display time 0).
    if (!QSystemTrayIcon::isSystemTrayAvailable() && desktopNotices_ && desktopNotices_->Available()) {
        DebugPrintf("Notice route: %s\n", NoticeRouteName(NoticeRoute::Desktop));
        desktopNotices_->Show(Notice{message, "QV530-10800rad", 0}, false);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, "QV530-10800rad", QString::fromStdString(message), QMessageBox::Ok,
                                isVisible() ? this : nullptr);
    box->setObjectName("permissionNotice");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void CMouseConfigurationDlg::ShowProfileNotice(const std::string& message) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, "QV530-10800rad", QString::fromStdString(message), QMessageBox::Ok, this);
    box->setObjectName("profileNotice");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void CMouseConfigurationDlg::CheckFirmwareGate() {
    const FirmwareDecision decision = CheckFirmware(app_.link, windowTitled(kUpdaterWindowTitle));
    if (!decision.tooOld) return;
    if (askUpdateFirmware()) StartFirmwareUpdate();
    Quit();
}

bool CMouseConfigurationDlg::StartFirmwareUpdate() {
    if (windowTitled(kUpdaterTitle)) return true;
    const std::vector<std::string> updaters =
        FirmwareUpdaters(app_.programFolder, app_.link.a11dConnected.load() == 1, app_.link.a1dcConnected.load() == 1,
                         [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isExecutable(); });
    if (updaters.empty()) {
        // Quitting would leave the user with neither the tool nor an updater.
        tellUser(Text(kSlotNoUpdater), kProgramCaption);
        return false;
    }
    for (const std::string& updater : updaters) QProcess::startDetached(QString::fromStdString(updater), {});
    Quit();
    return true;
}

void CMouseConfigurationDlg::OpenHelpMenu() {
    raise();
    activateWindow();
    CExMenu menu(&font_, this);
    menu.AppendItem(kHelpGuide, Text(kSlotUserGuide));
    menu.AppendItem(kHelpUpdate, Text(kSlotUpdate));
    menu.AppendItem(kHelpVersion, kVersionText);
    if (HelpMenuHasExit(QSystemTrayIcon::isSystemTrayAvailable())) menu.AppendItem(kHelpExit, Text(kSlotExit));
    // Under the "?" when the keyboard opened it, else at the pointer.
    const QPoint at = help_->hasFocus() ? help_->mapToGlobal(QPoint(0, help_->height())) : QCursor::pos();
    switch (menu.Exec(at)) {
    case kHelpGuide: {
        const std::filesystem::path guide = FindProgramData(app_.programFolder, kUserGuidePath);
        const QString shown = QString::fromStdString(guide.empty() ? std::string(kUserGuidePath) : guide.string());
        if (guide.empty() || !openUrl(QUrl::fromLocalFile(shown))) tellUser(Text(kSlotGuideNotOpened) + "\n" + shown, kProgramCaption);
        break;
    }
    case kHelpUpdate: StartFirmwareUpdate(); break;
    case kHelpExit: Quit(); break;
    default: break;
    }
}

void CMouseConfigurationDlg::Quit() {
    if (quitting_) return;
    quitting_ = true;
    hide();
    if (tray_) tray_->SetShown(false);
    devices_->Shutdown();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void CMouseConfigurationDlg::LoadOverlays() {
    // Decoded once per view, not on every paint.
    if (overlaysView_ == view_) return;
    overlaysView_ = view_;
    const auto& positions = view_ == static_cast<int>(MouseView::Front) ? skin::kFrontOverlays
                            : view_ == static_cast<int>(MouseView::Side) ? skin::kSideOverlays
                                                                         : skin::kBackOverlays;
    const std::size_t v = static_cast<std::size_t>(view_ - 1);
    for (std::size_t image = 0; image < positions.size(); ++image) {
        for (std::size_t selected = 0; selected < 2; ++selected) {
            QImage& overlay = overlays_[image * 2 + selected];
            overlay = QImage();
            if (positions[image].x < 0) continue;
            overlay = SkinLoader::Load(QString("%1%2-%3-%4.png")
                                           .arg(kViewFolders[v], kViewLetters[v])
                                           .arg(image + 1)
                                           .arg(selected ? "over" : "normal"));
        }
    }
}

void CMouseConfigurationDlg::PaintOverlays(QPainter& painter) {
    LoadOverlays();
    const auto& positions = view_ == static_cast<int>(MouseView::Front) ? skin::kFrontOverlays
                            : view_ == static_cast<int>(MouseView::Side) ? skin::kSideOverlays
                                                                         : skin::kBackOverlays;
    for (std::size_t button = 0; button < field::kSentButtons; ++button) {
        const int image = skin::kOverlayImageOfButton[button];
        const skin::Point at = positions[static_cast<std::size_t>(image - 1)];
        if (at.x < 0) continue;
        const bool selected = static_cast<int>(button) == selectedButton_;
        const QImage& overlay = overlays_[static_cast<std::size_t>(image - 1) * 2 + (selected ? 1 : 0)];
        if (!overlay.isNull()) painter.drawImage(QPoint(at.x, at.y), overlay);
    }
}

void CMouseConfigurationDlg::paintEvent(QPaintEvent*) {
    using namespace skin;
    QPainter painter(this);
    if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
    else painter.fillRect(rect(), QColor(kThemeDark.r, kThemeDark.g, kThemeDark.b));
    const auto draw = [&](const Rect& where, const QImage& image) {
        if (!image.isNull()) painter.drawImage(QPoint(where.x, where.y), image);
    };
    draw(kMainLogo, logo_);
    draw(kMainPictureArea, pictureArea_);
    draw({kMousePictureOrigin.x, kMousePictureOrigin.y, 0, 0}, mousePicture_);
    PaintOverlays(painter);
    draw(kMainLeftColumn, leftColumn_);
    draw(kMainLowerLogo, lowerLogo_);

    painter.setFont(font_);
    painter.setPen(kWhite);
    const LeftColumnLayout layout = LayoutLeftColumn(buttonListCollapsed_, axisCollapsed_);
    if (!buttonListCollapsed_) {
        draw(layout.buttonListBackground, buttonListBackground_);
        for (std::size_t i = 0; i < field::kSentButtons; ++i) {
            const Rect row{layout.buttonLabels[i].x, layout.buttonLabels[i].y, kDropdownBoxX - kButtonListLabelX,
                           kDropdownBox.height};
            painter.drawText(ToQt(row), Qt::AlignLeft | Qt::AlignVCenter, Text(kSlotButton1 + static_cast<int>(i)));
        }
    }
    if (!axisCollapsed_) {
        draw(layout.axisBackground, axisBackground_);
        const auto title = [&](const Rect& slider, int slot) {
            painter.drawText(QRect(slider.x, slider.y - 20, slider.width, 16), Qt::AlignLeft | Qt::AlignVCenter,
                             Text(slot));
        };
        const auto scale = [&](const Rect& slider) {
            for (int digit = 1; digit <= 10; ++digit)
                painter.drawText(QRect(slider.x + (digit - 1) * kAxisScaleStep - 4, slider.bottom() + 2, 16, 14),
                                 Qt::AlignHCenter | Qt::AlignTop, QString::number(digit));
        };
        title(layout.xSlider, kSlotXAxis);
        title(layout.ySlider, kSlotYAxis);
        scale(layout.xSlider);
        scale(layout.ySlider);
    }
    painter.drawText(ToQt(kMainNote), Qt::AlignLeft | Qt::AlignVCenter, Text(kSlotNote));
}

void CMouseConfigurationDlg::mousePressEvent(QMouseEvent* event) {
    drag_.Press(*this, *event);
}

void CMouseConfigurationDlg::mouseMoveEvent(QMouseEvent* event) {
    drag_.Move(*this, *event);
}

void CMouseConfigurationDlg::mouseReleaseEvent(QMouseEvent*) { drag_.Release(); }

void CMouseConfigurationDlg::keyPressEvent(QKeyEvent* event) {
    if (IsSwallowedKey(event->key())) event->accept();
    else QWidget::keyPressEvent(event);
}

void CMouseConfigurationDlg::keyReleaseEvent(QKeyEvent* event) {
    if (IsSwallowedKey(event->key())) event->accept();
    else QWidget::keyReleaseEvent(event);
}

void CMouseConfigurationDlg::closeEvent(QCloseEvent* event) {
    // Closing from the desktop hides to the tray like the close button;
    // only the tray's Exit ends the program.
    if (quitting_) {
        event->accept();
        return;
    }
    event->ignore();
    HideToTray();
}

} // namespace qv530
