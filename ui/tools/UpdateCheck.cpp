#include "ui/tools/UpdateCheck.h"

#include "ProductIdentity.h"
#include "context/SettingsKeys.h"
#include "store/XMLIniFile.h"

#include <QList>
#include <QUrlQuery>

namespace UpdateCheck {

namespace {

QUrl underSite(const QUrl& site, const QString& file) {
    if (!site.isValid() || (site.scheme() != QLatin1String("https") && site.scheme() != QLatin1String("http")) ||
        site.host().isEmpty())
        return {};
    QUrl folder = site;
    folder.setQuery(QString());
    folder.setFragment(QString());
    // "https://host/dir" names a folder here, not a file to be replaced.
    if (!folder.path().endsWith(u'/'))
        folder.setPath(folder.path() + u'/');
    return folder.resolved(QUrl(file));
}

QList<QByteArray> lines(QByteArray body) {
    body.replace("\r\n", "\n");
    body.replace('\r', '\n');
    QList<QByteArray> result = body.split('\n');
    // The line end after the last line starts no line of its own.
    if (result.size() > 1 && result.last().isEmpty())
        result.removeLast();
    return result;
}

// What may stand on the status line: printable characters on one line, cut to length.
QString versionText(const QByteArray& line) {
    QString text;
    for (const QChar c : QString::fromUtf8(line))
        text += c.isPrint() ? c : QChar(u' ');
    text = text.simplified();
    if (text.size() > MaxVersionLength) {
        int cut = MaxVersionLength;
        if (text.at(cut - 1).isHighSurrogate())
            --cut;
        text.truncate(cut);
    }
    return text;
}

} // namespace

Config Config::fromSettings(const TXMLIniFile& settings) {
    Config config;
    const QByteArray own = settings.ReadString(SettingsKey::Section, SettingsKey::UpdateUrl, QByteArray());
    config.site = QUrl(QString::fromUtf8(own.trimmed().isEmpty() ? QByteArray(ProductIdentity::Site) : own.trimmed()));
    return config;
}

QUrl queryUrl(const QUrl& site) {
    QUrl url = underSite(site, QStringLiteral("update.php"));
    if (url.isEmpty())
        return url;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("progname"), QStringLiteral("Zentick"));
    query.addQueryItem(QStringLiteral("version"), QString::number(QueryVersion));
    url.setQuery(query);
    return url;
}

QUrl productPage(const QUrl& site) {
    return underSite(site, QStringLiteral("zentick.html"));
}

Answer read(const QByteArray& body) {
    if (body.isEmpty() || body.size() > MaxBodyBytes)
        return {};
    const QList<QByteArray> parts = lines(body);
    bool number = false;
    const int code = parts.first().trimmed().toInt(&number);
    if (!number)
        return {};
    switch (code) {
    case 0:
        return {};
    case 1:
        if (parts.size() < 3 || versionText(parts.at(2)).isEmpty())
            return {};
        return {Status::Available, versionText(parts.at(2))};
    case 2:
        return {Status::UpToDate, QString()};
    default:
        return {Status::Unknown, QString()};
    }
}

} // namespace UpdateCheck
