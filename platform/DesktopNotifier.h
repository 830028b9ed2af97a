#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <utility>

// A notice on the desktop's own notification display, beside a window that may have opened unseen: behind
// others, under a full-screen program or on a locked screen, where a background program cannot raise a window.
// The notice stays until it is closed (by its owner, or by destroying it); the user may answer it with one of
// its actions.
//
//   actionInvoked(key)   the user chose the action of that key on the notice
class DesktopNotice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Takes the notice off the desktop; nothing when it is gone already.
    virtual void close() = 0;

signals:
    void actionInvoked(const QString& key);
};

// Sends notices to the desktop. Without a notification service the notice is simply not seen: no error, no
// message, because the window it accompanies is there anyway.
class DesktopNotifier {
public:
    // An action's key (what actionInvoked() reports) and its caption on the notice.
    using Action = std::pair<QString, QString>;

    virtual ~DesktopNotifier() = default;
    // An urgent notice in plain text; destroying the returned object closes it.
    virtual std::unique_ptr<DesktopNotice> notify(const QString& summary, const QString& body,
                                                  const QList<Action>& actions) = 0;
};
