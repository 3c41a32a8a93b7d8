#pragma once
// The program's place in the tray: the icon with its tip, the menu with
// Exit, and the balloons of the notices.
#include <QObject>
#include <QString>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace qv530 {

class TrayPresence : public QObject {
    Q_OBJECT
public:
    TrayPresence(QString toolTip, QString exitText, QObject* parent = nullptr);
    ~TrayPresence() override;

    // Shows or hides the icon (created on first show).
    void SetShown(bool shown);
    bool shown() const;
    // A balloon on the icon; nothing while the icon is hidden.
    void ShowBalloon(const QString& title, const QString& text, int milliseconds);

signals:
    void openRequested();
    void exitRequested();

private:
    QString toolTip_;
    QString exitText_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::unique_ptr<QMenu> menu_;
};

} // namespace qv530
