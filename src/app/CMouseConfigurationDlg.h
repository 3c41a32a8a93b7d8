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

#include "app/AppState.h"
#include "app/DeviceHost.h"
#include "app/ShellLogic.h"

class QProgressBar;
class QLabel;

namespace qv530 {

class CBitmapBtn;
class CDMarker;
class TrayPresence;

// The three pictures of the mouse.
enum class MouseView { Front = 1, Side = 2, Back = 3 };

class CMouseConfigurationDlg : public QWidget {
    Q_OBJECT
public:
    explicit CMouseConfigurationDlg(AppState& app, QWidget* parent = nullptr);
    ~CMouseConfigurationDlg() override;

    // The start-up sequence (after the splash): devices, profile, texts,
    // controls, tray icon, firmware gate, pointer settings. The window stays
    // hidden unless there is no tray to live in.
    void Initialise();

    void ApplySettings();
    void CancelEdits();
    void ResetToFactory(bool confirmed);
    void SelectView(int view);
    void SetButtonListCollapsed(bool collapsed);
    void SetAxisPanelCollapsed(bool collapsed);
    void ClearButtonSelection();
    // Shows the edited record: sliders, button captions (and the pages).
    void RefreshFromRecord();
    void StoreButtonLabel(int index);
    void HideToTray();
    void ShowFromTray();
    void ShowNotice(const Notice& notice);
    void OnDeviceNotice(int kind, int argument);

    // For tests and the demo.
    int currentView() const { return view_; }
    bool buttonListCollapsed() const { return buttonListCollapsed_; }
    bool axisPanelCollapsed() const { return axisCollapsed_; }
    const QString& lastNoticeText() const { return noticeText_; }
    DeviceHost& devices() { return *devices_; }
    bool trayIconShown() const;
    ProfileEditor& editor() { return *app_.editor; }

    // Answers the firmware question; tests replace it.
    std::function<bool()> askUpdateFirmware;
    // Answers the reset question; tests replace it.
    std::function<bool()> askReset;
    // Whether a top-level window with this title exists (the firmware updater).
    std::function<bool(const std::string&)> windowTitled;

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
    void CreateControls();
    void CreateCommandButtons();
    void CreateLeftColumn();
    void CreateAxisSliders();
    void CreatePanelArea();
    void CreateBusyShield();
    void ApplyLayout();
    void UpdateTrayIcon(bool shown);
    void CheckFirmwareGate();
    void ShowPermissionNotice(const std::string& message);
    // A profile that could not be loaded or saved: what happened instead.
    void ShowProfileNotice(const std::string& message);
    void StartFirmwareUpdate();
    void OpenHelpMenu();
    void OnDeviceChanged(const DeviceChangeEffects& effects);
    void OnSequenceFinished(bool reset, int failedReports, bool saved);
    void BeginBusy();
    void EndBusy();
    void Quit();
    QString Text(int slot) const;
    void PaintOverlays(QPainter& painter);
    CBitmapBtn* MakeButton(int id, const char* normal, const char* over, const char* leave, const char* disabled,
                           const skin::Rect& rect, int textSlot);

    AppState& app_;
    std::unique_ptr<DeviceHost> devices_;
    QImage background_, logo_, pictureArea_, leftColumn_, lowerLogo_, buttonListBackground_, axisBackground_;
    std::array<QImage, 3> mousePictures_;
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
    QWidget* panel_ = nullptr;
    QWidget* busyShield_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    std::unique_ptr<TrayPresence> tray_;
    QFont font_;
    int view_ = static_cast<int>(MouseView::Front);
    int selectedButton_ = -1;
    bool buttonListCollapsed_ = true;
    bool axisCollapsed_ = true;
    bool initialised_ = false;
    bool quitting_ = false;
    bool showAfterSequence_ = false;
    std::optional<QPoint> dragOffset_;
    QString noticeText_;
};

} // namespace qv530
