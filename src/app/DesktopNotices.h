#pragma once
// The desktop's notification service (org.freedesktop.Notifications on the
// session bus): where the notices go on a desktop without a tray. Each
// notice carries the program's name and icon, its title and text, its
// display time and a default action that opens the window; DPI notices
// replace each other.
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>

#include "app/NoticeRoute.h"

namespace qv530 {

class DesktopNotices : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotices(QObject* parent = nullptr);

    // The label of the default action ("Open" until set).
    void SetOpenText(QString text) { openText_ = std::move(text); }

    // Whether the session bus has a notification service, running or
    // started on demand. Asked again on every call.
    bool Available();
    // Sends the notice; replaceable ones replace the previous replaceable one.
    void Show(const Notice& notice, bool replaceable);

signals:
    // The user chose a notice's default action.
    void openRequested();

private slots:
    void OnActionInvoked(uint id, const QString& action);

private:
    void Send(const OutgoingNotice& outgoing);
    void Remember(std::uint32_t id);

    QString openText_ = QStringLiteral("Open");
    bool listening_ = false;
    DesktopNoticeQueue queue_;
    std::deque<std::uint32_t> ours_; // ids of our recent notices
};

} // namespace qv530
