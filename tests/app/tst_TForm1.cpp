#include "FixedClock.h"
#include "StartupFixture.h"

#include "app/PageControl.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "context/PageIndex.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "ui/editors/CategoryPage.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/personal/AddressBookPage.h"
#include "ui/views/EventListPage.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestTForm1 : public QObject {
    Q_OBJECT

private slots:
    void startupFileSet_data();
    void startupFileSet();
    void importSavesEachStoreOncePerFile();
    void createdFilesAreOwnerOnly();
    void title_data();
    void title();
    void initialState();
    void closingOnlyHides();
    void instanceShowBringsTheWindowBack();
    void damagedFilesAreReportedOnceAfterStart();
    void damagedSettingsKeepTheirDataFolder_data();
    void damagedSettingsKeepTheirDataFolder();

private:
    const FixedClock m_clock{QDateTime(QDate(2007, 11, 14), QTime(12, 30, 5))};
};

void TestTForm1::startupFileSet_data() {
    QTest::addColumn<QString>("caseName");
    for (const QString& name : StartupFixture::caseNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestTForm1::startupFileSet() {
    QFETCH(QString, caseName);
    QTemporaryDir exeFolder;
    QVERIFY(exeFolder.isValid());
    StartupFixture::copyBefore(caseName, exeFolder.path());

    std::unique_ptr<TForm1> form;
    QString error;
    try {
        form = std::make_unique<TForm1>(AppContext{exeFolder.path(), &m_clock});
    } catch (const Exception& e) {
        error = e.message();
    }
    QCOMPARE(error, StartupFixture::expectedError(caseName, exeFolder.path()));
    const QString difference = StartupFixture::differenceFromAfter(caseName, exeFolder.path());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestTForm1::importSavesEachStoreOncePerFile() {
    QTemporaryDir exeFolder;
    StartupFixture::copyBefore(QStringLiteral("full-import"), exeFolder.path());
    TForm1 form(AppContext{exeFolder.path(), &m_clock});
    // The settings: once for the copied file, once more for the data folder written after it.
    QCOMPARE(form.settingsStore().saveCount(), 2u);
    for (TXMLIniFile* store :
         {&form.eventStore(), &form.pastAlarmStore(), &form.addressBookStore(), &form.diaryStore()})
        QCOMPARE(store->saveCount(), 1u);
}

void TestTForm1::createdFilesAreOwnerOnly() {
    QTemporaryDir exeFolder;
    StartupFixture::copyBefore(QStringLiteral("full-import"), exeFolder.path());
    const TForm1 form(AppContext{exeFolder.path(), &m_clock});

    const auto ownerOnlyFile = QFile::ReadOwner | QFile::WriteOwner;
    const auto ownerOnlyFolder = ownerOnlyFile | QFile::ExeOwner;
    const auto permissions = [](const QString& path) {
        // ReadUser and friends mirror the owner bits for the current user; only the owner/group/other ones count.
        return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    };
    QCOMPARE(permissions(exeFolder.filePath(QStringLiteral("Settings.xml"))), ownerOnlyFile);
    const QString data = exeFolder.filePath(QStringLiteral("Alarms Directory"));
    QCOMPARE(form.dataFolder(), data);
    QCOMPARE(permissions(data), ownerOnlyFolder);
    for (const char* name : {"Alarms.xml", "PAlarms.xml", "AddressBook.xml", "Calendar.xml"})
        QCOMPARE(permissions(data + QLatin1Char('/') + QLatin1String(name)), ownerOnlyFile);
}

void TestTForm1::title_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("title");
    QTest::newRow("afternoon") << QDateTime(QDate(2007, 11, 14), QTime(12, 30, 5))
                               << QStringLiteral("Morvi© Zentick®  14/11/2007 12:30:05");
    QTest::newRow("midnight leaves the time out")
        << QDateTime(QDate(2007, 11, 14), QTime(0, 0)) << QStringLiteral("Morvi© Zentick®  14/11/2007");
    QTest::newRow("a millisecond past midnight")
        << QDateTime(QDate(2007, 11, 14), QTime(0, 0, 0, 1)) << QStringLiteral("Morvi© Zentick®  14/11/2007 00:00:00");
    QTest::newRow("one-digit hour") << QDateTime(QDate(2008, 1, 2), QTime(9, 5, 7))
                                    << QStringLiteral("Morvi© Zentick®  02/01/2008 09:05:07");
}

void TestTForm1::title() {
    QFETCH(QDateTime, now);
    QFETCH(QString, title);
    QCOMPARE(TForm1::titleText(now), title);

    QTemporaryDir exeFolder;
    const FixedClock clock(now);
    const TForm1 form(AppContext{exeFolder.path(), &clock});
    QCOMPARE(form.windowTitle(), title);
}

void TestTForm1::initialState() {
    QTemporaryDir exeFolder;
    TForm1 form(AppContext{exeFolder.path(), &m_clock, true});
    QCOMPARE(form.schedulerHost().watchdog().lastClockTick, m_clock.now());
    QVERIFY(form.schedulerHost().watchdog().clockWarningArmed);
    QCOMPARE(form.edit().menuChoice, 1);
    QVERIFY(form.startHidden());
    QCOMPARE(form.size(), QSize(410, 322));
    QVERIFY(!form.isVisible());
    // Only the main menu is built at start; every other page waits until it is first needed.
    for (int index = 0; index < PageCount; ++index)
        QCOMPARE(form.PageControl1->isBuilt(index), index == MainTab);
    QVERIFY(form.mainMenu && !form.about);
    // What each page keeps, as a page starts with it.
    const auto sortOf = [&form](int index) {
        return form.PageControl1->page<EventListPage>(index)->sortState();
    };
    QVERIFY(form.edit().allDays && form.edit().allMonths &&
            !form.PageControl1->page<CategoryPage>(CategoryTab)->categoryEditing());
    QCOMPARE(sortOf(ViewTabAl) + sortOf(ViewTabShut) + sortOf(ViewTabBirthDay) + sortOf(ViewTabPast) +
                 form.PageControl1->page<AddressBookPage>(AddressTab)->addressSortKey(),
             5);
}

void TestTForm1::closingOnlyHides() {
    QTemporaryDir exeFolder;
    TForm1 form(AppContext{exeFolder.path(), &m_clock, false, [] {
                               return true;
                           }});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(!form.close());
    QVERIFY(!form.isVisible());
    form.settingsStore().WriteString("settings", "tray", "1");
    QCOMPARE(form.settingsStore().ReadString("settings", "tray", ""), QByteArray("1"));
}

void TestTForm1::instanceShowBringsTheWindowBack() {
    QTemporaryDir exeFolder;
    TForm1 form(AppContext{exeFolder.path(), &m_clock});
    form.handleInstanceMessage(InstanceMessage::Show);
    QVERIFY(form.isVisible());

    form.showMinimized();
    QTRY_VERIFY(form.isMinimized());
    form.handleInstanceMessage(InstanceMessage::Show);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isMinimized());
}

// A garbled "Settings.xml" is saved over at start (the data folder is written into it); a cut-off
// "Alarms.xml" is not, yet is copied aside before anything can replace it.
void TestTForm1::damagedFilesAreReportedOnceAfterStart() {
    QTemporaryDir exeFolder;
    const QString data = exeFolder.filePath(QStringLiteral("Alarms Directory"));
    QVERIFY(QDir().mkpath(data));
    const QString settings = exeFolder.filePath(QStringLiteral("Settings.xml"));
    const QString alarms = data + QStringLiteral("/Alarms.xml");
    const QByteArray garbled("\xff\xfe<\0S\0e\0");
    const QByteArray cutOff("<?xml version = \"1.0\"?><Section-list><Section><SectionData><Data><Ident>date</Ident>");
    for (const auto& [path, bytes] : {std::pair{settings, garbled}, std::pair{alarms, cutOff}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TMsgfrm::setAutoAnswer(true);
    {
        const TForm1 form(AppContext{exeFolder.path(), &m_clock, true});
        const QString day = QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        QTRY_COMPARE(TMsgfrm::autoAnswered().size(), 1);
        const QString text = TMsgfrm::autoAnswered().first();
        for (const QString& path : {settings, alarms})
            QVERIFY2(text.contains(QStringLiteral("\"%1\" was damaged").arg(path)) &&
                         text.contains(QStringLiteral("kept as \"%1%2\"").arg(path, day)),
                     qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("What could be read from it is loaded: 0 records.")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("loaded, but no data folder: \"%1\" is used.").arg(data)),
                 qPrintable(text));
        QCOMPARE(StartupFixture::readAll(settings + day), garbled);
        QCOMPARE(StartupFixture::readAll(alarms + day), cutOff);
        QCOMPARE(StartupFixture::readAll(alarms), cutOff);
        QTest::qWait(50);
        QCOMPARE(TMsgfrm::autoAnswered().size(), 1);
    }
    TMsgfrm::setAutoAnswer(false);
}

// "Settings.xml" names the data folder, and with it where the alarms are. Damaged, it still gives the folder when
// the folder's key could be read: behind zero bytes, or whole before a cut (even one that took the name of its
// section). The user learns which folder is in use.
void TestTForm1::damagedSettingsKeepTheirDataFolder_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("kept");
    QTest::newRow("zero bytes before the settings") << QStringLiteral("zeros") << true;
    QTest::newRow("cut off in the settings section, after the data folder") << QStringLiteral("after") << true;
    QTest::newRow("cut off in the data folder") << QStringLiteral("in") << false;
}

void TestTForm1::damagedSettingsKeepTheirDataFolder() {
    QFETCH(QString, damage);
    QFETCH(bool, kept);
    QTemporaryDir exeFolder;
    const QString own = exeFolder.filePath(QStringLiteral("My Alarms"));
    QVERIFY(QDir().mkpath(own));
    const QString settings = exeFolder.filePath(QStringLiteral("Settings.xml"));
    {
        TXMLIniFile written(settings);
        TXMLIniFile::Batch batch(written);
        written.WriteString("settings", "alpath", own.toUtf8());
        written.WriteString("settings", "tray", "0");
        written.WriteString("settings", "soundpath", "/home/me/bell.wav");
        written.WriteString("categories", "count", "0");
        batch.commit();
    }
    const QByteArray whole = StartupFixture::readAll(settings);
    const QByteArray bytes = damage == QStringLiteral("zeros")   ? QByteArray(4096, '\0') + whole
                             : damage == QStringLiteral("after") ? whole.first(whole.indexOf("bell.wav"))
                                                                 : whole.first(whole.indexOf("My Alarms"));
    {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    TMsgfrm::setAutoAnswer(true);
    {
        const TForm1 form(AppContext{exeFolder.path(), &m_clock, true});
        const QString used = kept ? own : exeFolder.filePath(QStringLiteral("Alarms Directory"));
        QCOMPARE(form.dataFolder(), used);
        QTRY_COMPARE(TMsgfrm::autoAnswered().size(), 1);
        const QString text = TMsgfrm::autoAnswered().first();
        const QString copy = settings + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        QVERIFY2(text.contains(QStringLiteral("\"%1\" was damaged").arg(settings)), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("kept as \"%1\"").arg(copy)), qPrintable(text));
        const QString told = kept ? QStringLiteral("the data folder \"%1\" with it.").arg(used)
                                  : QStringLiteral("but no data folder: \"%1\" is used.").arg(used);
        QVERIFY2(text.contains(told), qPrintable(text));
        QCOMPARE(StartupFixture::readAll(copy), bytes);
        QCOMPARE(TXMLIniFile(settings).ReadString("settings", "alpath", {}), used.toUtf8());
    }
    TMsgfrm::setAutoAnswer(false);
}

QTEST_MAIN(TestTForm1)
#include "tst_TForm1.moc"
