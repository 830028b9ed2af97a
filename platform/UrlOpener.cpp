#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

class DesktopUrlOpener final : public UrlOpener {
public:
    void openUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

UrlOpener* g_replacement = nullptr;

} // namespace

UrlOpener& UrlOpener::instance() {
    static DesktopUrlOpener desktop;
    return g_replacement ? *g_replacement : desktop;
}

void UrlOpener::setInstance(UrlOpener* opener) {
    g_replacement = opener;
}
