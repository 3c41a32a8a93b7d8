#pragma once
// What every settings page shares: its background picture (which gives the
// page its size), the page font in the profile's language, the record it
// edits through the ProfileEditor, and the keys it swallows (Enter, Escape,
// Space, F1) so that only the window's own buttons close anything.
#include <QFont>
#include <QImage>
#include <QWidget>

#include <optional>

#include "controls/SkinGeometry.h"
#include "platform/DesktopPointerSettings.h"
#include "pages/ProfileEditor.h"

namespace qv530 {

class CDlgPage : public QWidget {
    Q_OBJECT
public:
    CDlgPage(ProfileEditor& editor, const char* background, skin::Size size, QWidget* parent);

    // Reads the record again (the record was replaced as a whole).
    Q_INVOKABLE virtual void RefreshFromSettings() { update(); }
    // Stores what the user typed into a box of the page that is still open
    // (the user leaves the page, its section closes, or Apply runs).
    virtual void CommitTypedValues() {}
    // Whether a box of the page holds typed text not stored yet.
    virtual bool HasTypedValues() const { return false; }

    static QRect ToQt(const skin::Rect& r) { return {r.x, r.y, r.width, r.height}; }

protected:
    const MouseSettings& settings() const { return editor_.settings(); }
    QFont PageFont(int pixelHeight) const;
    void PaintBackground(QPainter& painter) const;
    static void DrawPicture(QPainter& painter, QPoint at, const QImage& picture);
    // Draws the text with the painter's font, made smaller (down to 8 pixels)
    // when the text would not fit the rectangle's width.
    static void DrawFittedText(QPainter& painter, const QRect& rect, int flags, const QString& text);

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // Pages of the desktop's pointer settings: a band under the page says
    // what this desktop does with the setting (looked up again whenever the
    // page is shown); the page paints it last with PaintDesktopStatus.
    void AddDesktopStatus(PointerSetting setting);
    void PaintDesktopStatus(QPainter& painter) const;

    ProfileEditor& editor_;
    QImage background_;

private:
    void RefreshDesktopStatus();
    QString DesktopStatusText() const;

    std::optional<PointerSetting> statusSetting_;
    PointerRoute::Kind statusKind_ = PointerRoute::Kind::NotThisDesktop;
    DesktopSession statusSession_;
    int contentHeight_ = 0;
};

// Enter, Escape, Space and F1 (key-down and key-up) never reach a page's or
// the panel's default handling.
bool IsPageSwallowedKey(int qtKey);

} // namespace qv530
