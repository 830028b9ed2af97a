#include "dbus/ZentickBus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QJsonObject>

ZentickBus::ZentickBus(Backend backend, QObject* parent)
    : QObject(parent)
    , m_backend(std::move(backend)) {
    qDBusRegisterMetaType<QList<QStringList>>();
}

bool ZentickBus::registerOn(QDBusConnection connection) {
    if (!connection.isConnected())
        return false;
    if (!connection.registerObject(QLatin1String(Path), this,
                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals))
        return false;
    if (!connection.registerService(QLatin1String(Service))) {
        connection.unregisterObject(QLatin1String(Path));
        return false;
    }
    return true;
}

Script::Reply ZentickBus::perform(const Script::Request& request) {
    return answer(m_backend.perform
                      ? m_backend.perform(request)
                      : Script::Reply::failed(QCoreApplication::translate("Script", "Zentick is not ready.")));
}

Script::Reply ZentickBus::answer(const Script::Reply& reply) {
    if (reply.status != Script::Done && calledFromDBus()) {
        const QString name =
            QLatin1String(Interface) +
            (reply.status == Script::Refused ? QStringLiteral(".Error.Refused") : QStringLiteral(".Error.Failed"));
        sendErrorReply(name, reply.error);
    }
    return reply;
}

QString ZentickBus::AddAlarm(const QString& text, const QString& at, int repeatCount, const QString& repeatUnit,
                             bool sound, const QString& category) {
    Script::Request request;
    request.action = Script::Action::AddAlarm;
    request.text = text;
    request.at = at;
    request.repeatCount = repeatCount;
    request.sound = sound;
    request.category = category;
    if (repeatCount != 0) {
        const std::optional<int> unit = Script::unitFromName(repeatUnit);
        if (!unit) {
            answer(Script::Reply::refused(
                QCoreApplication::translate("Script",
                                            "Unknown unit \"%1\": use minutes, hours, days, weeks, months or years.")
                    .arg(repeatUnit)));
            return {};
        }
        request.repeatUnit = *unit;
    }
    return QString::fromUtf8(perform(request).section);
}

QString ZentickBus::AddBirthday(const QString& name, const QString& born, int noticeDays, bool sound) {
    Script::Request request;
    request.action = Script::Action::AddBirthday;
    request.name = name;
    request.born = born;
    request.notice = noticeDays;
    request.sound = sound;
    return QString::fromUtf8(perform(request).section);
}

QList<QStringList> ZentickBus::List() {
    Script::Request request;
    request.action = Script::Action::List;
    request.json = true;
    QList<QStringList> events;
    for (const QJsonValue& value : perform(request).events) {
        const QJsonObject e = value.toObject();
        events.append({e.value(QLatin1String("section")).toString(), e.value(QLatin1String("kind")).toString(),
                       e.value(QLatin1String("next")).toString(), e.value(QLatin1String("text")).toString()});
    }
    return events;
}

void ZentickBus::Delete(const QString& section) {
    Script::Request request;
    request.action = Script::Action::Delete;
    request.section = section.toUtf8();
    perform(request);
}

void ZentickBus::ShowMainWindow() {
    if (m_backend.showMainWindow)
        m_backend.showMainWindow();
}
