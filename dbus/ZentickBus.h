#pragma once

#include "scripting/ScriptActions.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

#include <functional>

// The running instance on the session bus: org.zentick.Zentick1 (org.zentick.Zentick1.xml, installed under
// share/dbus-1/interfaces). Its methods are script requests like those of the command line, carried out by the
// same code and refused with the same messages.
class ZentickBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zentick.Zentick1")

public:
    static constexpr char Service[] = "org.zentick.Zentick";
    static constexpr char Path[] = "/org/zentick/Zentick";
    static constexpr char Interface[] = "org.zentick.Zentick1";

    struct Backend {
        std::function<Script::Reply(const Script::Request&)> perform;
        std::function<void()> showMainWindow;
    };

    explicit ZentickBus(Backend backend, QObject* parent = nullptr);

    // Registers the object and takes the service name; false when either is taken (another instance on
    // this bus) or there is no bus.
    bool registerOn(QDBusConnection connection);

public slots:
    QString AddAlarm(const QString& text, const QString& at, int repeatCount, const QString& repeatUnit, bool sound,
                     const QString& category);
    QString AddBirthday(const QString& name, const QString& born, int noticeDays, bool sound);
    QList<QStringList> List();
    void Delete(const QString& section);
    void ShowMainWindow();

signals:
    void EventFired(const QString& section, const QString& kind, const QString& scheduled);

private:
    Script::Reply perform(const Script::Request& request);
    // Sends the refusal or failure as the D-Bus error of the call being served.
    Script::Reply answer(const Script::Reply& reply);

    Backend m_backend;
};
