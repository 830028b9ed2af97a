#pragma once

#include "app/AppOnly.h"

#include <QWidget>

class FancyButton;
class IconLabel;
class LinkLabel;
class ShadowLabel;
class QLabel;
class QUrl;

// Who made the program and where to find help. The product and company names are put in at start-up by the
// main window; the links open the user's browser through UrlOpener.
class AboutPage final : public QWidget {
    Q_OBJECT
public:
    explicit AboutPage(QWidget* parent = nullptr);

    static QString productName(); // "Zentick®"
    static QString companyName();
    static QUrl websiteUrl();
    static QUrl supportUrl(); // "support.html" on the web site

    ShadowLabel* myaSuperLabel19 = nullptr; // "About"
    IconLabel* Image1 = nullptr;            // the program's picture
    ShadowLabel* myaSuperLabel20 = nullptr; // product name
    QLabel* myaSuperLabel21 = nullptr;      // "Version 3.3"
    QLabel* myaSuperLabel23 = nullptr;      // company name
    LinkLabel* WebsiteLink = nullptr;       // "Website: " and the address
    LinkLabel* SupportLink = nullptr;       // "Get Support"
    FancyButton* DsFancyButton30 = nullptr; // "<<Back", also Escape

    void WebsiteLinkClick();
    void SupportLinkClick();
    void DsFancyButton30Click();

signals:
    void backClicked();
};
