#include "LoopbackHttpServer.h"

#include "app/FixedClock.h"
#include "app/MainMenuPage.h"
#include "app/TForm1.h"
#include "context/NetModuleLoader.h"
#include "platform/UrlOpener.h"
#include "store/XMLIniFile.h"
#include "ui/tools/TForm8.h"
#include "widgets/ClickableLabel.h"
#include "widgets/IconLabel.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString checking = QStringLiteral("Checking for Updates. Please wait...");
const QString connectionError = QStringLiteral("Connection Error. Try again Later.");
const QString upToDate = QStringLiteral("Your version is up to date");

class RecordingOpener final : public UrlOpener {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    QList<QUrl> opened;
};

// The update window asking a loopback server, with the browser replaced by a recorder.
struct UpdateFixture {
    UpdateFixture() {
        UrlOpener::setInstance(&opener);
        config.site = QUrl(server.site());
    }
    ~UpdateFixture() { UrlOpener::setInstance(nullptr); }

    // One whole check; false when it did not end within the wait.
    bool check() {
        QSignalSpy finished(&window, &TForm8::checkFinished);
        window.Image11Click();
        return finished.count() == 1 || finished.wait(20'000);
    }
    QString status() const { return window.Label1->text(); }
    // What every ended check leaves, whatever the answer.
    bool settled() const {
        return !window.isChecking() && !window.Timer1.isActive() &&
               window.ProgressBar1->value() == window.ProgressBar1->maximum() &&
               QApplication::activeModalWidget() == nullptr;
    }

    LoopbackHttpServer server;
    UpdateCheck::Config config;
    TForm8 window{[this] {
        return config;
    }};
    RecordingOpener opener;
};

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void addresses_data();
    void addresses();
    void queryIsExactlyTheAgreedOne();
    void answers_data();
    void answers();
    void failuresEndAsConnectionError_data();
    void failuresEndAsConnectionError();
    void refusedConnection();
    void silentServerTimesOut();
    void linkOpensTheProductPageAndCloses();
    void secondClickWhileRunningSendsNothing();
    void settingsNameTheSite();
    void missingNetworkPluginIsSaid();
};

// Every check goes through the network plugin, loaded from the build tree as the program loads it from beside
// itself.
void TestUpdateCheck::initTestCase() {
    NetModuleLoader::setExecutableFolder(qEnvironmentVariable("ZENTICK_NET_MODULE_DIR"));
}

// A program installed without its network plugin says so in the window, sends nothing, and checks again once the
// plugin is there.
void TestUpdateCheck::missingNetworkPluginIsSaid() {
    const QTemporaryDir withoutPlugin;
    NetModuleLoader::setExecutableFolder(withoutPlugin.path());
    {
        UpdateFixture f;
        f.server.answerWith("2\n");
        QVERIFY(f.check());
        QCOMPARE(f.status(), QStringLiteral("The network module is missing."));
        QVERIFY2(f.window.Label1->toolTip().contains(withoutPlugin.path()), qPrintable(f.window.Label1->toolTip()));
        QVERIFY(f.settled());
        QVERIFY(f.window.isVisible());
        QVERIFY(f.server.requestLines.isEmpty());

        NetModuleLoader::setExecutableFolder(qEnvironmentVariable("ZENTICK_NET_MODULE_DIR"));
        QVERIFY(f.check());
        QCOMPARE(f.status(), upToDate);
        QVERIFY(f.window.Label1->toolTip().isEmpty());
    }
}

void TestUpdateCheck::addresses_data() {
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("page");
    const QString q = QStringLiteral("update.php?progname=Zentick&version=330");
    QTest::newRow("product site") << "https://www.zentick.example/"
                                  << QStringLiteral("https://www.zentick.example/") + q
                                  << "https://www.zentick.example/zentick.html";
    QTest::newRow("no slash") << "http://127.0.0.1:8080" << QStringLiteral("http://127.0.0.1:8080/") + q
                              << "http://127.0.0.1:8080/zentick.html";
    QTest::newRow("folder") << "https://mirror.example/zentick?x=1#y"
                            << QStringLiteral("https://mirror.example/zentick/") + q
                            << "https://mirror.example/zentick/zentick.html";
    QTest::newRow("local file") << "file:///etc/" << QString() << QString();
    QTest::newRow("ftp") << "ftp://mirror.example/" << QString() << QString();
    QTest::newRow("no host") << "https:///update" << QString() << QString();
}

void TestUpdateCheck::addresses() {
    QFETCH(QString, site);
    QFETCH(QString, query);
    QFETCH(QString, page);
    QCOMPARE(UpdateCheck::queryUrl(QUrl(site)).toString(), query);
    QCOMPARE(UpdateCheck::productPage(QUrl(site)).toString(), page);
}

void TestUpdateCheck::queryIsExactlyTheAgreedOne() {
    UpdateFixture f;
    f.server.answerWith("2\n");
    QVERIFY(f.check());
    QCOMPARE(f.server.requestLines, QList<QByteArray>{"GET /update.php?progname=Zentick&version=330 HTTP/1.1"});
}

void TestUpdateCheck::answers_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("link");
    const auto available = [](const char* version) {
        return QStringLiteral("Zentick %1 is now available! Visit Website.").arg(QLatin1String(version));
    };
    QTest::newRow("up to date") << QByteArray("2\n") << upToDate << false;
    QTest::newRow("available") << QByteArray("1\nanything\n3.4") << available("3.4") << true;
    QTest::newRow("CR LF lines") << QByteArray("1\r\nx\r\n3.5\r\n") << available("3.5") << true;
    QTest::newRow("CR lines") << QByteArray("1\rx\r3.6") << available("3.6") << true;
    QTest::newRow("html stays text") << QByteArray("1\n\n<b>4</b><a href='x'>y</a>")
                                     << available("<b>4</b><a href='x'>y</a>") << true;
    QTest::newRow("long version cut") << QByteArray("1\n\n") + QByteArray(100, 'v') << available(QByteArray(32, 'v'))
                                      << true;
    QTest::newRow("control characters") << QByteArray("1\n\n5.0\t\x01\x1b[31mbeta") << available("5.0 [31mbeta")
                                        << true;
    QTest::newRow("unknown status") << QByteArray("7\n") << checking << false;
}

void TestUpdateCheck::answers() {
    QFETCH(QByteArray, body);
    QFETCH(QString, status);
    QFETCH(bool, link);
    UpdateFixture f;
    f.server.answerWith(body);
    QVERIFY(f.check());
    QCOMPARE(f.status(), status);
    QCOMPARE(f.window.Label1->textFormat(), Qt::PlainText);
    QVERIFY(!f.status().contains(u'\n'));
    QVERIFY(f.settled());
    QCOMPARE(f.window.statusIsLink(), link);
    QCOMPARE(f.window.Label1->font().underline(), link);
    QCOMPARE(f.window.Label1->captionColour(), link ? QColor(110, 168, 255) : QColor(192, 220, 192));
    QCOMPARE(f.window.Label1->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TestUpdateCheck::failuresEndAsConnectionError_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("status 0") << QByteArray("0\n");
    QTest::newRow("garbage first line") << QByteArray("<html>\n1\n3.4");
    QTest::newRow("status 1, two lines") << QByteArray("1\n3.4\n");
    QTest::newRow("status 1, blank version") << QByteArray("1\n\n \t \n");
    QTest::newRow("empty body") << QByteArray();
    QByteArray oversized = "2\n";
    oversized += QByteArray(UpdateCheck::MaxBodyBytes, 'x');
    QTest::newRow("oversized body") << oversized;
}

void TestUpdateCheck::failuresEndAsConnectionError() {
    QFETCH(QByteArray, body);
    UpdateFixture f;
    f.server.answerWith(body);
    QVERIFY(f.check());
    QCOMPARE(f.status(), connectionError);
    QVERIFY(f.settled());
    QVERIFY(!f.window.statusIsLink());
}

void TestUpdateCheck::refusedConnection() {
    UpdateFixture f;
    quint16 closedPort = 0;
    {
        QTcpServer gone;
        QVERIFY(gone.listen(QHostAddress::LocalHost, 0));
        closedPort = gone.serverPort();
    }
    f.config.site = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort));
    QVERIFY(f.check());
    QCOMPARE(f.status(), connectionError);
    QVERIFY(f.settled());
}

void TestUpdateCheck::silentServerTimesOut() {
    UpdateFixture f;
    f.server.keepSilent();
    f.config.timeoutMs = 400;
    QSignalSpy finished(&f.window, &TForm8::checkFinished);
    f.window.Image11Click();
    QVERIFY(f.window.isVisible());
    QCOMPARE(f.status(), checking);
    QCOMPARE(f.window.ProgressBar1->maximum(), 400);
    QCOMPARE(f.window.ProgressBar1->value(), 0);
    QVERIFY(f.window.Timer1.isActive());
    QVERIFY(finished.wait(20'000));
    QCOMPARE(f.server.requestLines.size(), 1);
    QCOMPARE(f.status(), connectionError);
    QVERIFY(f.settled());
}

void TestUpdateCheck::linkOpensTheProductPageAndCloses() {
    UpdateFixture f;
    f.server.answerWith("1\n\n3.4\n");
    QVERIFY(f.check());
    QVERIFY(f.window.isVisible());
    QTest::mouseClick(f.window.Label1, Qt::LeftButton);
    QCOMPARE(f.opener.opened, QList<QUrl>{QUrl(f.server.site() + QStringLiteral("zentick.html"))});
    QVERIFY(!f.window.isVisible());

    // The next check starts from a plain status line, and an answer without an update leaves it plain.
    f.server.answerWith("2\n");
    QVERIFY(f.check());
    QCOMPARE(f.status(), upToDate);
    QVERIFY(!f.window.Label1->font().underline());
    QTest::mouseClick(f.window.Label1, Qt::LeftButton);
    QCOMPARE(f.opener.opened.size(), 1);
    QVERIFY(f.window.isVisible());
}

void TestUpdateCheck::secondClickWhileRunningSendsNothing() {
    UpdateFixture f;
    f.server.keepSilent();
    f.config.timeoutMs = 1500;
    QSignalSpy finished(&f.window, &TForm8::checkFinished);
    f.window.Image11Click();
    QTRY_COMPARE(f.server.requestLines.size(), 1);
    f.window.hide();
    f.window.Image11Click();
    QVERIFY(f.window.isVisible());
    QVERIFY(finished.wait(20'000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(f.server.requestLines.size(), 1);
}

// The running program takes the site from the settings, and the update icon of the main menu starts the check.
void TestUpdateCheck::settingsNameTheSite() {
    QTemporaryDir folder;
    QTemporaryDir otherFolder;
    {
        const TXMLIniFile without(otherFolder.filePath(QStringLiteral("Settings.xml")));
        QCOMPARE(UpdateCheck::Config::fromSettings(without).site, QUrl(QStringLiteral("https://www.zentick.example/")));
        QCOMPARE(UpdateCheck::Config::fromSettings(without).timeoutMs, 12'000);
    }
    LoopbackHttpServer server;
    server.answerWith("2\n");
    {
        TXMLIniFile settings(folder.filePath(QStringLiteral("Settings.xml")));
        settings.WriteString("settings", "updateurl", server.site().toUtf8());
    }
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
    const FixedClock clock(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    TForm1 form(AppContext{folder.path(), &clock, false});
    form.show();
    QTest::mouseClick(form.findChild<IconLabel*>(QStringLiteral("Image11")), Qt::LeftButton);
    auto* window = form.findChild<TForm8*>();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QSignalSpy finished(window, &TForm8::checkFinished);
    QVERIFY(finished.wait(20'000));
    QCOMPARE(server.requestLines.size(), 1);
    QCOMPARE(window->Label1->text(), upToDate);
    QCOMPARE(window->windowTitle(), QStringLiteral("Update Checking"));
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_UpdateCheck.moc"
