#pragma once

class QUrl;

// Hands a web or mail address to the user's default program. Tests put a recorder in its place so that
// no browser is ever started by a test run.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void openUrl(const QUrl& url) = 0;

    // The desktop's opener unless a replacement is installed.
    static UrlOpener& instance();
    // The replacement stays owned by the caller; nullptr brings back the desktop's opener.
    static void setInstance(UrlOpener* opener);
};
