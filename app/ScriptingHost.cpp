#include "app/ScriptingHost.h"

#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "platform/SingleInstance.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"

#include <QJsonDocument>

ScriptingHost::ScriptingHost(TForm1& form, SingleInstance& instance, const SchedulerClock& clock)
    : m_form(form)
    , m_clock(clock)
    , m_bus({[this](const Script::Request& request) { return perform(request); },
             [this] {
                 m_form.handleInstanceMessage(InstanceMessage::Show);
             }}) {
    instance.setRequestHandler([this](const QByteArray& payload) { return answer(payload); });
    connect(&form.schedulerHost().scheduler(), &Scheduler::eventFired, &m_bus,
            [this](const QByteArray& section, const QByteArray& kind, double scheduled) {
                const QString name = kind == "birth"  ? QStringLiteral("birthday")
                                     : kind == "shut" ? QStringLiteral("power action")
                                                      : QStringLiteral("alarm");
                emit m_bus.EventFired(QString::fromUtf8(section), name,
                                      DayCount::toDateTime(scheduled).toString(Qt::ISODate));
            });
}

bool ScriptingHost::offerOn(const QDBusConnection& bus) {
    return m_bus.registerOn(bus);
}

Script::Reply ScriptingHost::perform(const Script::Request& request) {
    const Script::Stores stores{&m_form.eventStore(), &m_form.pastAlarmStore(), &m_form.settingsStore(),
                                &m_form.diaryStore()};
    const QLocale locale = request.locale.isEmpty() ? QLocale::system() : QLocale(request.locale);
    Script::Reply reply = Script::perform(request, stores, m_clock.now(), locale);
    if (reply.changed)
        m_form.schedulerHost().scheduler().setInterval(Scheduler::MinInterval);
    return reply;
}

QByteArray ScriptingHost::answer(const QByteArray& payload) {
    const QJsonDocument document = QJsonDocument::fromJson(payload);
    const Script::Reply reply = document.isObject()
                                    ? perform(Script::Request::fromJson(document.object()))
                                    : Script::Reply::refused(QStringLiteral("The request was not understood."));
    return QJsonDocument(reply.toJson()).toJson(QJsonDocument::Compact);
}
