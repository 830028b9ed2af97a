#pragma once

#include "ProductIdentity.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

class TXMLIniFile;

// The update check's question and how its answer is read. The server answers in plain text, one value a line:
// the status (0 error, 1 update available, 2 up to date), a line nobody reads, and with status 1 the new
// version's name. Nothing the server sends is trusted: a body that is not of that form is a failed check.
namespace UpdateCheck {

// The number the update server knows this release by (the About page's "Version 3.3").
inline constexpr int QueryVersion = ProductIdentity::VersionNumber;
inline constexpr int DefaultTimeoutMs = 12'000;
// Larger answers are not read to their end.
inline constexpr qint64 MaxBodyBytes = qint64(64) * 1024;
// The new version's name is shown on one line of a small window.
inline constexpr int MaxVersionLength = 32;

struct Config {
    // The site "update.php" and "zentick.html" are found under; only http and https are asked.
    QUrl site;
    int timeoutMs = DefaultTimeoutMs;

    // The product's own site, or the "updateurl" of the settings when there is one.
    static Config fromSettings(const TXMLIniFile& settings);
};

// "update.php?progname=Zentick&version=330" under the site; invalid when the site is not http or https.
QUrl queryUrl(const QUrl& site);
// "zentick.html" under the site.
QUrl productPage(const QUrl& site);

enum class Status { Failed, Available, UpToDate, Unknown };
struct Answer {
    Status status = Status::Failed;
    QString version; // with Available: plain text, one line, at most MaxVersionLength characters
};
Answer read(const QByteArray& body);

} // namespace UpdateCheck
