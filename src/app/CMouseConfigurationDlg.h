#pragma once
// The main window: borderless, painted from the skins, living in the tray.
// It shows the mouse in three views, the left column (button assignment,
// macro manager, axis sensitivity), the settings panel area and the
// command buttons, and drives Apply, Cancel and Reset.
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

#include "controls/BackgroundDrag.h"
#include "app/AppState.h"
#include "app/DeviceHost.h"
#include "app/ShellLogic.h"

class QProgressBar;
class QLabel;
class QUrl;

namespace qv530 {

class ButtonAssigner;
class CBitmapBtn;
class CConfigDialog;
class CDMarker;
class CDlgadvance;
class DesktopNotices;
class GameWatcher;
struct GameSwitch;
struct WindowActivity;
class TrayPresence;

// The three pictures of the mouse.
enum class MouseView { Front = 1, Side = 2, Back = 3 };

class CMouseConfigurationDlg : public QWidget {
    Q_OBJECT
public:
    explicit CMouseConfigurationDlg(AppState& app, QWidget* parent = nullptr);
    ~CMouseConfigurationDlg() override;

    // The start-up sequence: devices, profile, texts, controls, tray icon,
    // firmware gate, pointer settings. The window stays hidden unless there
    // is no tray to live in. Prepare runs the building steps (devices to
    // controls) while the splash shows; Present the rest at its end.
    void Prepare();
    void Present();
    void Initialise() {
        Prepare();
        Present();
    }

    void ApplySettings();
    // What is still typed into an open box (a DPI stage, a profile name) is
    // stored, as when the user leaves the box. Apply runs it first; Cancel
    // does not, it drops every edit.
    void CommitTypedValues();
    void CancelEdits();
    void ResetToFactory(bool confirmed);
    void SelectView(int view);
    void SetButtonListCollapsed(bool collapsed);
    void SetAxisPanelCollapsed(bool collapsed);
    void ClearButtonSelection();
    // Shows the edited record: sliders, button captions (and the pages).
    void RefreshFromRecord();
    void StoreButtonLabel(int index);
    // A selector was clicked: the left-click rule, then the button's function
    // menu beside the selector; the chosen command follows as AssignFunction.
    void OpenFunctionMenu(int index);
    // A command of the function menu for the button whose menu was opened last.
    void AssignFunction(int command);
    void HideToTray();
    void ShowFromTray();
    // Routed to the tray's balloon, the desktop's notification service or
    // the status line; a DPI notice replaces the previous one.
    void ShowNotice(const Notice& notice, bool replacesPrevious = false);
    void OnDeviceNotice(int kind, int argument);
    // Starts the connected mice's firmware updaters and quits; false (and a
    // message, the program going on) when none of them is installed.
    bool StartFirmwareUpdate();
    // The macro manager, modal; OK copies its twelve images into the record.
    void OpenMacroManager();
    // Ends the program: the tray's Exit (or the help menu's, without a tray).
    void Quit();

    // For tests and the demo.
    int currentView() const { return view_; }
    bool buttonListCollapsed() const { return buttonListCollapsed_; }
    bool axisPanelCollapsed() const { return axisCollapsed_; }
    const QString& lastNoticeText() const { return noticeText_; }
    DeviceHost& devices() { return *devices_; }
    bool trayIconShown() const;
    ProfileEditor& editor() { return *app_.editor; }
    // What the game profiles need to know of the window, and a game's
    // profile made current and applied (or the refusal said).
    WindowActivity GameActivity() const;
    void CarryOutGameSwitch(const GameSwitch& decision);
    GameWatcher* gameWatcher() const { return games_; }
    // The profile dialog (at most one, over the left column), or null.
    CConfigDialog* profileDialog() const;
    void OpenProfileDialog();
    CDlgadvance* settingsPanel() const { return panel_; }
    int selectedButton() const { return selectedButton_; }
    int menuButton() const { return menuButton_; }
    ButtonAssigner& assigner() { return *assigner_; }

    // Answers the firmware question; tests replace it.
    std::function<bool()> askUpdateFirmware;
    // Answers the reset question; tests replace it.
    std::function<bool()> askReset;
    // Whether a top-level window with this title exists (the firmware updater).
    std::function<bool(const std::string&)> windowTitled;
    // Opens a document with the desktop's application; false when none did.
    std::function<bool(const QUrl&)> openUrl;
    // Shows an OK message box (text, caption); tests replace it.
    std::function<void(const QString&, const QString&)> tellUser;

signals:
    void sequenceDone();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadSkins();
    void LoadMousePicture();
    void CreateControls();
    void CreateCommandButtons();
    void CreateLeftColumn();
    void CreateAxisSliders();
    void CreatePanelArea();
    void CreateBusyShield();
    void SetUpKeyboard();
    void NameSelector(std::size_t index);
    void ApplyLayout();
    void UpdateTrayIcon(bool shown);
    void CheckFirmwareGate();
    void ShowPermissionNotice(const std::string& message);
    // A profile that could not be loaded or saved: what happened instead.
    void ShowProfileNotice(const std::string& message);
    void OpenHelpMenu();
    void OnDeviceChanged(const DeviceChangeEffects& effects);
    void OnSequenceFinished(bool reset, int failedReports, bool saved, const QString& failedDevice);
    void BeginBusy();
    void EndBusy();
    void OnProfileDialogClosed(bool profileChanged);
    void ShowSectionHeaders(bool shown);
    QString Text(int slot) const;
    void LoadOverlays();
    void PaintOverlays(QPainter& painter);
    CBitmapBtn* MakeButton(int id, const char* normal, const char* over, const char* leave, const char* disabled,
                           const skin::Rect& rect, int textSlot);

    AppState& app_;
    std::unique_ptr<DeviceHost> devices_;
    QImage background_, logo_, pictureArea_, leftColumn_, lowerLogo_, buttonListBackground_, axisBackground_;
    QImage mousePicture_; // of the current view
    int mousePictureView_ = 0;
    std::array<QImage, 14> overlays_; // the current view's, normal and over per image
    int overlaysView_ = 0;
    CBitmapBtn* apply_ = nullptr;
    CBitmapBtn* cancel_ = nullptr;
    CBitmapBtn* reset_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    CBitmapBtn* minimise_ = nullptr;
    CBitmapBtn* help_ = nullptr;
    CBitmapBtn* profiles_ = nullptr;
    std::array<CBitmapBtn*, 3> views_{};
    CBitmapBtn* buttonHeader_ = nullptr;
    CBitmapBtn* macroHeader_ = nullptr;
    CBitmapBtn* axisHeader_ = nullptr;
    std::array<CBitmapBtn*, field::kSentButtons> selectors_{};
    CDMarker* xSlider_ = nullptr;
    CDMarker* ySlider_ = nullptr;
    CDlgadvance* panel_ = nullptr;
    QWidget* busyShield_ = nullptr;
    QPointer<QWidget> focusBeforeBusy_;
    QProgressBar* progress_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    std::unique_ptr<TrayPresence> tray_;
    QPointer<CConfigDialog> profileDialog_;
    std::unique_ptr<DesktopNotices> desktopNotices_;
    GameWatcher* games_ = nullptr;
    QFont font_;
    int view_ = static_cast<int>(MouseView::Front);
    int selectedButton_ = -1;
    int menuButton_ = -1;
    std::unique_ptr<ButtonAssigner> assigner_;
    bool buttonListCollapsed_ = true;
    bool axisCollapsed_ = true;
    bool prepared_ = false;
    bool initialised_ = false;
    bool quitting_ = false;
    bool showAfterSequence_ = false;
    BackgroundDrag drag_;
    QString noticeText_;
};

} // namespace qv530
