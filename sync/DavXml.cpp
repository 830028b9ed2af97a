#include "sync/DavXml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace DavXml {

namespace {

const QString Dav = QStringLiteral("DAV:");
const QString CalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");

// Properties whose value is an <href> inside them.
bool holdsHref(QStringView name) {
    return name == u"current-user-principal" || name == u"calendar-home-set" || name == u"principal-URL";
}

// The text of the element the reader stands on, nested elements' text included; the reader ends on its end tag.
QByteArray textOfElement(QXmlStreamReader& xml) {
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        default:
            break;
        }
    }
    return text.toUtf8();
}

struct PropValue {
    QByteArray name;
    QByteArray value;
};

// One property element: its value as Response::props keeps it. The reader ends on its end tag.
PropValue readProperty(QXmlStreamReader& xml) {
    PropValue out{xml.name().toUtf8(), {}};
    if (out.name == "resourcetype") {
        QByteArrayList kinds;
        while (xml.readNextStartElement()) {
            kinds << xml.name().toUtf8();
            xml.skipCurrentElement();
        }
        out.value = kinds.join(' ');
    } else if (holdsHref(xml.name())) {
        while (xml.readNextStartElement()) {
            if (xml.name() == u"href" && out.value.isEmpty())
                out.value = textOfElement(xml).trimmed();
            else
                xml.skipCurrentElement();
        }
    } else {
        out.value = textOfElement(xml);
        if (out.name != "calendar-data")
            out.value = out.value.trimmed();
    }
    return out;
}

void readPropstat(QXmlStreamReader& xml, Response& response) {
    QList<PropValue> found;
    int status = 0;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"prop" && xml.namespaceUri() == Dav) {
            while (xml.readNextStartElement())
                found << readProperty(xml);
        } else if (xml.name() == u"status") {
            status = statusOf(textOfElement(xml));
        } else {
            xml.skipCurrentElement();
        }
    }
    if (status >= 200 && status < 300) {
        for (const PropValue& p : std::as_const(found))
            response.props.insert(p.name, p.value);
    }
}

Response readResponse(QXmlStreamReader& xml) {
    Response response;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"href" && xml.namespaceUri() == Dav)
            response.href = textOfElement(xml).trimmed();
        else if (xml.name() == u"status" && xml.namespaceUri() == Dav)
            response.status = statusOf(textOfElement(xml));
        else if (xml.name() == u"propstat" && xml.namespaceUri() == Dav)
            readPropstat(xml, response);
        else
            xml.skipCurrentElement();
    }
    return response;
}

class Writer {
public:
    explicit Writer(QByteArray& out)
        : m_xml(&out) {
        m_xml.writeStartDocument();
        m_xml.writeNamespace(Dav, QStringLiteral("d"));
        m_xml.writeNamespace(CalDav, QStringLiteral("c"));
    }
    ~Writer() { m_xml.writeEndDocument(); }
    QXmlStreamWriter* operator->() { return &m_xml; }
    void props(std::initializer_list<std::pair<const QString&, const char*>> names) {
        m_xml.writeStartElement(Dav, QStringLiteral("prop"));
        for (const auto& [ns, name] : names)
            m_xml.writeEmptyElement(ns, QLatin1String(name));
        m_xml.writeEndElement();
    }

private:
    QXmlStreamWriter m_xml;
};

} // namespace

bool Response::isCalendar() const {
    return props.value("resourcetype").split(' ').contains("calendar");
}

int statusOf(const QByteArray& line) {
    const QByteArrayList parts = line.simplified().split(' ');
    return parts.size() >= 2 ? parts.at(1).toInt() : 0;
}

Multistatus parse(const QByteArray& body) {
    Multistatus out;
    QXmlStreamReader xml(body);
    if (!xml.readNextStartElement() || xml.name() != u"multistatus" || xml.namespaceUri() != Dav) {
        out.error = xml.hasError() ? xml.errorString() : QStringLiteral("no multistatus");
        return out;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"response" && xml.namespaceUri() == Dav)
            out.responses << readResponse(xml);
        else if (xml.name() == u"sync-token" && xml.namespaceUri() == Dav)
            out.syncToken = textOfElement(xml).trimmed();
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        out.error = xml.errorString();
        out.responses.clear();
        return out;
    }
    out.ok = true;
    return out;
}

QByteArray propfindPrincipal() {
    QByteArray out;
    {
        Writer w(out);
        w->writeStartElement(Dav, QStringLiteral("propfind"));
        w.props({{Dav, "resourcetype"}, {Dav, "current-user-principal"}, {CalDav, "calendar-home-set"}});
        w->writeEndElement();
    }
    return out;
}

QByteArray propfindCalendars() {
    QByteArray out;
    {
        Writer w(out);
        w->writeStartElement(Dav, QStringLiteral("propfind"));
        w.props({{Dav, "resourcetype"}, {Dav, "displayname"}});
        w->writeEndElement();
    }
    return out;
}

QByteArray mkcalendar(const QString& displayName) {
    QByteArray out;
    {
        Writer w(out);
        w->writeStartElement(CalDav, QStringLiteral("mkcalendar"));
        w->writeStartElement(Dav, QStringLiteral("set"));
        w->writeStartElement(Dav, QStringLiteral("prop"));
        w->writeTextElement(Dav, QStringLiteral("displayname"), displayName);
        w->writeStartElement(CalDav, QStringLiteral("supported-calendar-component-set"));
        for (const char* component : {"VEVENT", "VJOURNAL"}) {
            w->writeEmptyElement(CalDav, QStringLiteral("comp"));
            w->writeAttribute(QStringLiteral("name"), QLatin1String(component));
        }
        w->writeEndElement();
        w->writeEndElement();
        w->writeEndElement();
        w->writeEndElement();
    }
    return out;
}

QByteArray syncCollection(const QByteArray& token) {
    QByteArray out;
    {
        Writer w(out);
        w->writeStartElement(Dav, QStringLiteral("sync-collection"));
        w->writeTextElement(Dav, QStringLiteral("sync-token"), QString::fromUtf8(token));
        w->writeTextElement(Dav, QStringLiteral("sync-level"), QStringLiteral("1"));
        w.props({{Dav, "getetag"}});
        w->writeEndElement();
    }
    return out;
}

QByteArray calendarQueryEtags() {
    QByteArray out;
    {
        Writer w(out);
        w->writeStartElement(CalDav, QStringLiteral("calendar-query"));
        w.props({{Dav, "getetag"}});
        w->writeStartElement(CalDav, QStringLiteral("filter"));
        w->writeEmptyElement(CalDav, QStringLiteral("comp-filter"));
        w->writeAttribute(QStringLiteral("name"), QStringLiteral("VCALENDAR"));
        w->writeEndElement();
        w->writeEndElement();
    }
    return out;
}

QByteArray calendarMultiget(const QByteArrayList& hrefs) {
    QByteArray out;
    {
        Writer w(out);
        w->writeStartElement(CalDav, QStringLiteral("calendar-multiget"));
        w.props({{Dav, "getetag"}, {CalDav, "calendar-data"}});
        for (const QByteArray& href : hrefs)
            w->writeTextElement(Dav, QStringLiteral("href"), QString::fromUtf8(href));
        w->writeEndElement();
    }
    return out;
}

} // namespace DavXml
