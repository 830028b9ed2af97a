#include "app/AboutPage.h"
#include "platform/UrlOpener.h"
#include "support/Caption.h"
#include "widgets/FancyButton.h"
#include "widgets/LinkLabel.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

// Stands in for the browser.
class RecordingOpener final : public UrlOpener {
public:
    void openUrl(const QUrl& url) override { opened << url; }
    QList<QUrl> opened;
};

} // namespace

class TestAboutPage : public QObject {
    Q_OBJECT

private slots:
    void init() { UrlOpener::setInstance(&m_opener); }
    void cleanup() {
        UrlOpener::setInstance(nullptr);
        m_opener.opened.clear();
    }

    void linksOpenTheWebSite();
    void backByButtonAndEscape();

private:
    RecordingOpener m_opener;
};

void TestAboutPage::linksOpenTheWebSite() {
    AboutPage page;
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    const QUrl site = AboutPage::websiteUrl();
    QCOMPARE(Caption::shown(page.WebsiteLink->text()), QStringLiteral("Website: ") + site.toString());
    QCOMPARE(Caption::shown(page.SupportLink->text()), QStringLiteral("Get Support"));
    QCOMPARE(page.findChild<QLabel*>(QStringLiteral("myaSuperLabel21"))->text(), QStringLiteral("Version 3.3"));

    QTest::mouseClick(page.WebsiteLink, Qt::LeftButton);
    // A focused link opens on Enter as well.
    page.SupportLink->setFocus();
    QTest::keyClick(page.SupportLink, Qt::Key_Return);

    QCOMPARE(m_opener.opened, (QList<QUrl>{site, QUrl(QStringLiteral("https://www.zentick.example/support.html"))}));
}

void TestAboutPage::backByButtonAndEscape() {
    AboutPage page;
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QSignalSpy back(&page, &AboutPage::backClicked);
    QCOMPARE(Caption::shown(page.DsFancyButton30->text()), QStringLiteral("<<Back"));
    QTest::mouseClick(page.DsFancyButton30, Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    QTest::keyClick(&page, Qt::Key_Escape);
    QTRY_COMPARE(back.count(), 2);
    QVERIFY(m_opener.opened.isEmpty());
}

QTEST_MAIN(TestAboutPage)
#include "tst_AboutPage.moc"
