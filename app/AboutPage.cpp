#include "app/AboutPage.h"

#include "ProductIdentity.h"

#include "app/ClaimedKeys.h"
#include "platform/UrlOpener.h"
#include "widgets/FancyButton.h"
#include "widgets/IconLabel.h"
#include "widgets/Icons.h"
#include "widgets/LinkLabel.h"
#include "widgets/ShadowLabel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

AboutPage::AboutPage(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("AboutTab"));
    setAccessibleName(tr("About"));

    myaSuperLabel19 = new ShadowLabel(tr("About"), this);
    myaSuperLabel19->setObjectName(QStringLiteral("myaSuperLabel19"));

    Image1 = new IconLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setIcons(Icons::application());
    Image1->setIconSize(QSize(88, 88));
    Image1->setHoverLight(false);
    Image1->setFocusPolicy(Qt::NoFocus);
    Image1->setAccessibleName(QStringLiteral("Zentick"));

    myaSuperLabel20 = new ShadowLabel(this);
    myaSuperLabel20->setObjectName(QStringLiteral("myaSuperLabel20"));
    myaSuperLabel20->setScale(2.0);

    myaSuperLabel21 = new QLabel(tr("Version %1").arg(QLatin1String(ProductIdentity::ShortVersion)), this);
    myaSuperLabel21->setObjectName(QStringLiteral("myaSuperLabel21"));

    myaSuperLabel23 = new QLabel(this);
    myaSuperLabel23->setObjectName(QStringLiteral("myaSuperLabel23"));
    myaSuperLabel23->setForegroundRole(QPalette::PlaceholderText);

    WebsiteLink = new LinkLabel(tr("&Website: %1").arg(websiteUrl().toString()), this);
    WebsiteLink->setObjectName(QStringLiteral("WebsiteLink"));
    WebsiteLink->setAccessibleName(tr("Open the web site"));
    connect(WebsiteLink, &LinkLabel::clicked, this, &AboutPage::WebsiteLinkClick);

    SupportLink = new LinkLabel(tr("Get &Support"), this);
    SupportLink->setObjectName(QStringLiteral("SupportLink"));
    SupportLink->setAccessibleName(tr("Get support on the web site"));
    connect(SupportLink, &LinkLabel::clicked, this, &AboutPage::SupportLinkClick);

    DsFancyButton30 = new FancyButton(tr("<<&Back"), this);
    DsFancyButton30->setObjectName(QStringLiteral("DsFancyButton30"));
    DsFancyButton30->setAccessibleName(tr("Back to the main menu"));
    DsFancyButton30->addShortcut(QKeySequence(Qt::Key_Escape));
    connect(DsFancyButton30, &FancyButton::clicked, this, &AboutPage::DsFancyButton30Click);

    auto* facts = new QVBoxLayout;
    facts->setSpacing(4);
    facts->addWidget(myaSuperLabel20);
    facts->addWidget(myaSuperLabel21);
    facts->addWidget(myaSuperLabel23);
    facts->addSpacing(10);
    facts->addWidget(WebsiteLink, 0, Qt::AlignLeft);
    facts->addWidget(SupportLink, 0, Qt::AlignLeft);

    auto* body = new QHBoxLayout;
    body->setSpacing(18);
    body->addWidget(Image1, 0, Qt::AlignTop);
    body->addLayout(facts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton30);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->addWidget(myaSuperLabel19);
    layout->addStretch(1);
    layout->addLayout(body);
    layout->addStretch(2);
    layout->addLayout(buttons);

    // The main menu's Enter stays active on this page; a focused link or button keeps the key for itself.
    ClaimedKeys::claimActivation(WebsiteLink);
    ClaimedKeys::claimActivation(SupportLink);
    ClaimedKeys::claimActivation(DsFancyButton30);

    setTabOrder(WebsiteLink, SupportLink);
    setTabOrder(SupportLink, DsFancyButton30);
    setFocusProxy(DsFancyButton30);
}

QString AboutPage::productName() {
    return QStringLiteral("Zentick®");
}

QString AboutPage::companyName() {
    return QStringLiteral("Morvi Software");
}

QUrl AboutPage::websiteUrl() {
    return QUrl(QString::fromLatin1(ProductIdentity::Site));
}

QUrl AboutPage::supportUrl() {
    return websiteUrl().resolved(QUrl(QStringLiteral("support.html")));
}

void AboutPage::WebsiteLinkClick() {
    UrlOpener::instance().openUrl(websiteUrl());
}

void AboutPage::SupportLinkClick() {
    UrlOpener::instance().openUrl(supportUrl());
}

void AboutPage::DsFancyButton30Click() {
    emit backClicked();
}
