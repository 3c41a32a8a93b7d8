#pragma once
// The settings panel at the right of the window: eight collapsible sections
// (a title bar each, and its page), stacked in a vertically scrolling area
// with a skinned scroll bar. Sections 2 and 3 (the mouse's and the pad's
// lighting) take the page widgets given with SetSectionPage; section 3 is
// there only while a pad is connected.
#include <QWidget>

#include <array>
#include <functional>

#include "pages/PanelLayout.h"
#include "pages/ProfileEditor.h"

namespace qv530 {

class CBitmapBtn;
class CSkinScrollBar;
class CDlgDPISetting;
class CDlgUSBReportRate;
class CDlgAngleSnap;
class CDlgMouseSpeed;
class CDlgDoubleClick;
class CDlgMouseWheelSpeed;

class CDlgadvance : public QWidget {
    Q_OBJECT
public:
    static constexpr int kVerticalBarId = 101;

    explicit CDlgadvance(ProfileEditor& editor, QWidget* parent = nullptr);

    // Puts `page` into a section (kSectionLighting, kSectionPadLighting, ...)
    // in place of what was there; the panel owns it from then on. A page with
    // a RefreshFromSettings() slot is refreshed by RefreshAllPages.
    void SetSectionPage(int section, QWidget* page);
    QWidget* SectionPage(int section) const { return pages_[Index(section)]; }
    CBitmapBtn* TitleBar(int section) const { return titles_[Index(section)]; }

    void SetPadPresent(bool present);
    bool padPresent() const { return padPresent_; }
    // Moves the title bars and pages to their places (after every discovery).
    void Relayout();
    void ToggleSection(int section);
    bool Collapsed(int section) const { return collapsed_[Index(section)]; }
    void CollapseAll();
    // Every page reads the record again (it was replaced as a whole).
    void RefreshAllPages();
    // Every page stores what is still typed into one of its open boxes.
    void CommitTypedValues();
    bool HasTypedValues() const;

    int contentHeight() const { return stack_.contentHeight; }
    int scrollPosition() const { return position_; }
    int clientHeight() const;
    const PanelStack& stack() const { return stack_; }
    CSkinScrollBar* verticalBar() const { return vbar_; }
    void ScrollTo(int position);
    // A scroll-bar code (0/1 line, 2/3 page, 4/5 thumb at `thumbPosition`).
    void Scroll(int code, int thumbPosition);

    CDlgDPISetting* dpiPage() const { return dpi_; }

    // The panel's part of the window's Tab order: each section's title bar,
    // then the controls of its page in the page's own order.
    QList<QWidget*> FocusChain() const;
    // Scrolls so that `widget` (inside the panel) is shown whole.
    void ScrollToShow(QWidget* widget);

    // The desktop's lines per wheel notch (negative: a whole page); tests replace it.
    std::function<int()> wheelLines;

signals:
    // WM_CLEARSELECTION: the window clears its button selection.
    void clearSelection();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::size_t Index(int section) { return static_cast<std::size_t>(section); }
    void UpdateScrollBar();

    ProfileEditor& editor_;
    QWidget* viewport_ = nullptr;
    QWidget* content_ = nullptr;
    CSkinScrollBar* vbar_ = nullptr;
    std::array<CBitmapBtn*, kPanelSections> titles_{};
    std::array<QWidget*, kPanelSections> pages_{};
    std::array<bool, kPanelSections> collapsed_{};
    PanelStack stack_;
    bool padPresent_ = false;
    int position_ = 0;
    CDlgDPISetting* dpi_ = nullptr;
};

} // namespace qv530
