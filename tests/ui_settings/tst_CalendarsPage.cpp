#include "fakes/FakeSync.h"
#include "ui_editors/EditorFixture.h"
#include "ui_editors/EditorTestSupport.h"
#include "ui_settings/AnsweringChooser.h"

#include "app/SyncController.h"
#include "calendar/CalendarExchange.h"
#include "context/PageIndex.h"
#include "context/SettingsKeys.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"
#include "ui/personal/DiaryNotes.h"
#include "ui/settings/CalendarsPage.h"
#include "ui/settings/SettingsPage.h"

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using EditorTest::click;
using EditorTest::fileBytes;

namespace {

namespace K = EventRecord::Key;

const QDateTime march5(QDate(2024, 3, 5), QTime(10, 0));

AnsweringChooser* g_chooser = nullptr;

// Files of this process grow no larger than bytes while it lives, as on a full disk (negative: no limit).
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes) {
        if (bytes < 0)
            return;
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_set = true;
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails rather than ending the process
        rlimit limit = m_before;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        if (m_set)
            setrlimit(RLIMIT_FSIZE, &m_before);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    bool m_set = false;
};

// One of each kind the stores hold, so a file carries all of them.
void fillStores(TForm1& form) {
    TXMLIniFile& events = form.eventStore();
    {
        TXMLIniFile::Batch batch(events);
        events.WriteString("0", K::AlType, EventRecord::KindAlarm);
        events.WriteDouble("0", K::Date, DayCount::fromDateTime(march5.addDays(1)));
        events.WriteFlag("0", K::Bypass, false);
        events.WriteFlag("0", K::Repeat, true);
        events.WriteInt("0", K::RepVal, 2);
        events.WriteInt("0", K::RepType, int(EventRecord::AlarmUnit::Days));
        events.WriteFlag("0", K::AllDays, true);
        events.WriteFlag("0", K::AllMonths, true);
        events.WriteFlag("0", K::Sound, true);
        events.WriteString("0", K::Category, "General");
        EventRecord::writeTextBlock(events, "0", {u"Water the plants"_s, u"the ones upstairs too"_s});
        events.WriteString("1", K::AlType, EventRecord::KindBirth);
        events.WriteDouble("1", K::BirthDate, DayCount::fromDate(QDate(1980, 5, 10)));
        events.WriteDouble("1", K::Date, DayCount::fromDate(QDate(2024, 5, 7))); // the notice, three days before
        events.WriteString("1", K::Name, "Ann");
        events.WriteFlag("1", K::Sound, false);
        events.WriteInt("1", K::Before, 3);
        events.WriteString("2", K::AlType, EventRecord::KindShut);
        events.WriteDouble("2", K::Date, DayCount::fromDateTime(march5.addDays(2)));
        events.WriteInt("2", K::ShutType, 1);
        events.WriteFlag("2", K::Repeat, false);
        batch.commit();
    }
    DiaryNotes::write(form.diaryStore(), QDate(2024, 3, 7), {u"Piano lesson"_s});
}

// Every key of every section but the UID an import adds, sorted: what the records are, whatever their sections.
QStringList recordsOf(const TXMLIniFile& store, const QByteArray& leaveOutKind = {}) {
    QStringList out;
    for (const QByteArray& section : store.ReadSections()) {
        if (!leaveOutKind.isEmpty() && store.ReadString(section, K::AlType, {}) == leaveOutKind)
            continue;
        QStringList keys;
        for (const QByteArray& key : store.ReadSection(section))
            if (key != CalendarExchange::UidKey)
                keys << QString::fromUtf8(key + '=' + store.ReadString(section, key, {}));
        keys.sort();
        out << keys.join(u';');
    }
    out.sort();
    return out;
}

void eraseAll(TXMLIniFile& store) {
    TXMLIniFile::Batch batch(store);
    for (const QByteArray& section : store.ReadSections())
        store.EraseSection(section);
    batch.commit();
}

// As the user gets there: the settings page, then its button.
CalendarsPage* openCalendars(EditorFixture& f) {
    f.show(SetTab);
    click(f.page<SettingsPage>(SetTab)->calendarsButton);
    [&f] {
        QCOMPARE(f.current(), int(CalendarsTab));
    }();
    return f.page<CalendarsPage>(CalendarsTab);
}

} // namespace

// Calendar files written and read through the page's buttons; the sync's account and its schedule.
class TestCalendarsPage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void exportThenImportGivesTheSameRecords_data();
    void exportThenImportGivesTheSameRecords();
    void exportIsWholeOrNothing_data();
    void exportIsWholeOrNothing();
    void damagedImportChangesNothing_data();
    void damagedImportChangesNothing();
    void accountAndSyncNow();
    void withoutSyncThePageSaysSo_data();
    void withoutSyncThePageSaysSo();
};

void TestCalendarsPage::init() {
    g_chooser = new AnsweringChooser;
    FileChooser::setInstance(g_chooser);
}

void TestCalendarsPage::cleanup() {
    FileChooser::setInstance(nullptr);
    delete g_chooser;
}

void TestCalendarsPage::exportThenImportGivesTheSameRecords_data() {
    QTest::addColumn<bool>("powerActions");
    QTest::newRow("power actions stay here") << false;
    QTest::newRow("power actions asked for") << true;
}

void TestCalendarsPage::exportThenImportGivesTheSameRecords() {
    QFETCH(bool, powerActions);
    EditorFixture f(march5);
    fillStores(f.form());
    const QStringList events = recordsOf(f.form().eventStore(), EventRecord::KindShut);
    const QStringList notes = recordsOf(f.form().diaryStore());
    QTemporaryDir out;
    const QString file = out.filePath(u"backup.ics"_s);

    CalendarsPage* page = openCalendars(f);
    if (powerActions)
        click(page->powerActionsChoice);
    QCOMPARE(page->powerActionsChoice->isChosen(), powerActions);
    g_chooser->saveFile = file;
    click(page->exportButton);
    const QByteArray text = fileBytes(file);
    QVERIFY(text.startsWith("BEGIN:VCALENDAR"));
    QCOMPARE(text.contains("X-ZENTICK-KIND:power"), powerActions);
    QCOMPARE(f.messages().size(), 1);
    QVERIFY2(f.messages().first().contains(file), qPrintable(f.messages().first()));
    // Nothing in the folder but the file: the temporary one it was written as is gone.
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"backup.ics"_s});

    // A computer that has none of them.
    eraseAll(f.form().eventStore());
    eraseAll(f.form().diaryStore());
    f.setSchedulerInterval(60'000);
    g_chooser->file = file;
    click(page->importButton);
    QCOMPARE(recordsOf(f.form().eventStore()), events);
    QCOMPARE(recordsOf(f.form().diaryStore()), notes);
    QCOMPARE(f.messages().size(), 2);
    QVERIFY2(f.messages().last().startsWith(u"Imported 2 event(s) and 1 diary note(s)"_s),
             qPrintable(f.messages().last()));
    if (powerActions)
        QVERIFY2(f.messages().last().contains(u"power"_s), qPrintable(f.messages().last()));
    QCOMPARE(f.schedulerInterval(), 50);

    // The same file again adds nothing.
    click(page->importButton);
    QCOMPARE(recordsOf(f.form().eventStore()), events);
    QVERIFY2(f.messages().last().startsWith(u"Imported 0 event(s) and 0 diary note(s)"_s),
             qPrintable(f.messages().last()));
}

void TestCalendarsPage::exportIsWholeOrNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("folder missing") << u"missing/backup.ics"_s << false;
    QTest::newRow("disk full over an earlier backup") << u"backup.ics"_s << true;
}

// A file that cannot be written whole leaves the one there as it was, and no part of the new one beside it.
void TestCalendarsPage::exportIsWholeOrNothing() {
    QFETCH(QString, name);
    QFETCH(bool, diskFull);
    EditorFixture f(march5);
    fillStores(f.form());
    QTemporaryDir out;
    const QString file = out.filePath(name);
    const QByteArray earlier = "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n";
    if (diskFull) {
        QFile write(file);
        QVERIFY(write.open(QIODevice::WriteOnly) && write.write(earlier) == earlier.size());
    }
    CalendarsPage* page = openCalendars(f);
    g_chooser->saveFile = file;
    {
        // The disk fills after a few hundred bytes: the process may write no file larger than that.
        const FileSizeLimit limit(diskFull ? 300 : -1);
        click(page->exportButton);
    }
    QCOMPARE(f.messages().size(), 1);
    QVERIFY2(f.messages().first().contains(u"Nothing was written"_s), qPrintable(f.messages().first()));
    QCOMPARE(fileBytes(file), diskFull ? earlier : QByteArray());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
             diskFull ? QStringList{u"backup.ics"_s} : QStringList());
}

void TestCalendarsPage::damagedImportChangesNothing_data() {
    QTest::addColumn<QByteArray>("text");
    const QByteArray event = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\n"
                             "UID:one@test\r\nDTSTAMP:20240301T100000Z\r\nDTSTART:20240310T090000\r\n"
                             "SUMMARY:Dentist\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    QTest::newRow("cut off") << event.left(event.size() / 2);
    QTest::newRow("zero byte") << QByteArray(event).insert(80, '\0');
    QTest::newRow("no calendar") << QByteArray("<?xml version=\"1.0\"?>\n<list/>\nEND:VCALENDAR\n");
    QTest::newRow("broken property") << QByteArray(event).replace("DTSTART:20240310T090000", "DTSTART:2024-99");
}

void TestCalendarsPage::damagedImportChangesNothing() {
    QFETCH(QByteArray, text);
    EditorFixture f(march5);
    fillStores(f.form());
    const QByteArray events = fileBytes(f.dataFile(u"Alarms.xml"_s));
    const QByteArray diary = fileBytes(f.dataFile(u"Calendar.xml"_s));
    QTemporaryDir in;
    const QString file = in.filePath(u"damaged.ics"_s);
    QFile write(file);
    QVERIFY(write.open(QIODevice::WriteOnly) && write.write(text) == text.size());
    write.close();

    CalendarsPage* page = openCalendars(f);
    g_chooser->file = file;
    f.setSchedulerInterval(60'000);
    click(page->importButton);
    QCOMPARE(f.messages().size(), 1);
    QVERIFY2(f.messages().first().contains(u"was not imported"_s), qPrintable(f.messages().first()));
    QCOMPARE(fileBytes(f.dataFile(u"Alarms.xml"_s)), events);
    QCOMPARE(fileBytes(f.dataFile(u"Calendar.xml"_s)), diary);
    QCOMPARE(f.schedulerInterval(), 60'000);
}

namespace {

// A sync made by the main window, as the program will plug one in; the test ends each sync.
struct SyncPlugs {
    FakeCredentialStore credentials;
    QPointer<FakeSyncRunner> runner;
    std::function<void(AppContext&)> adjust(bool withRunner) {
        return [this, withRunner](AppContext& context) {
            context.credentials = &credentials;
            if (withRunner)
                context.makeSyncRunner = [this](DataStores&) {
                    auto made = std::make_unique<FakeSyncRunner>();
                    runner = made.get();
                    return std::unique_ptr<SyncRunner>(std::move(made));
                };
        };
    }
};

void type(QLineEdit* edit, const QString& text) {
    click(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Every file the program wrote, anywhere in its folders.
QByteArray everyFileUnder(const QString& folder) {
    QByteArray all;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        all += fileBytes(it.next());
    return all;
}

} // namespace

// The address and the user go into the settings as typed, the password to the secret store alone; "Sync Now"
// syncs with them, and the page shows the end; conflicts come to the message window once.
void TestCalendarsPage::accountAndSyncNow() {
    SyncPlugs plugs;
    EditorFixture f(march5, plugs.adjust(true));
    CalendarsPage* page = openCalendars(f);
    QVERIFY(plugs.runner);
    QVERIFY(!page->syncNowButton->isEnabled());
    QVERIFY2(page->syncStatus->text().contains(u"address"_s), qPrintable(page->syncStatus->text()));

    const QString password = u"pa55-Word!"_s;
    type(page->urlEdit, u"https://dav.example/ann/"_s);
    type(page->userEdit, u"ann"_s);
    type(page->passwordEdit, password);
    QVERIFY(page->syncNowButton->isEnabled());
    click(page->syncNowButton);
    QTRY_COMPARE(plugs.runner->accounts.size(), 1);
    const SyncAccount account = plugs.runner->accounts.first();
    QCOMPARE(account.url, QUrl(u"https://dav.example/ann/"_s));
    QCOMPARE(account.user, u"ann"_s);
    QCOMPARE(account.password, password);
    QCOMPARE(plugs.credentials.secrets.value(QLatin1String(CredentialStore::SyncPasswordKey)), password);
    const QByteArray settings = fileBytes(f.form().exeFolder() + u"/Settings.xml"_s);
    QVERIFY(settings.contains("https://dav.example/ann/") && settings.contains("syncuser"));
    QVERIFY(!everyFileUnder(f.form().exeFolder()).contains(password.toUtf8()));
    QVERIFY(!everyFileUnder(f.form().exeFolder()).contains("pa55"));
    QCOMPARE(page->syncStatus->text(), u"Syncing…"_s);
    QVERIFY(!page->syncNowButton->isEnabled());

    SyncOutcome outcome;
    outcome.ok = true;
    outcome.status = u"Sent 2 records, received 1."_s;
    outcome.conflicts = {u"Alarm \"Dentist\""_s};
    outcome.storesChanged = true;
    outcome.finishedAt = march5.addSecs(30);
    f.setSchedulerInterval(60'000);
    plugs.runner->finish(outcome);
    QVERIFY2(page->syncStatus->text().startsWith(u"Last sync 05/03/2024 10:00:30: Sent 2 records"_s),
             qPrintable(page->syncStatus->text()));
    QCOMPARE(f.schedulerInterval(), 50);
    QTRY_COMPARE(f.messages().size(), 1);
    QVERIFY2(f.messages().first().contains(u"Dentist"_s), qPrintable(f.messages().first()));

    // The page shown again keeps the account and shows no password.
    f.show(SetTab);
    click(f.page<SettingsPage>(SetTab)->calendarsButton);
    QCOMPARE(page->urlEdit->text(), u"https://dav.example/ann/"_s);
    QCOMPARE(page->userEdit->text(), u"ann"_s);
    QVERIFY(page->passwordEdit->text().isEmpty());
}

void TestCalendarsPage::withoutSyncThePageSaysSo_data() {
    QTest::addColumn<bool>("withRunner");
    QTest::addColumn<QString>("says");
    QTest::newRow("no sync built in") << false << u"no calendar sync built in"_s;
    QTest::newRow("no account") << true << u"Type the address of your CalDAV server"_s;
}

void TestCalendarsPage::withoutSyncThePageSaysSo() {
    QFETCH(bool, withRunner);
    QFETCH(QString, says);
    SyncPlugs plugs;
    EditorFixture f(march5, plugs.adjust(withRunner));
    CalendarsPage* page = openCalendars(f);
    QVERIFY2(page->syncStatus->text().contains(says), qPrintable(page->syncStatus->text()));
    QVERIFY(!page->syncNowButton->isEnabled());
    f.clock().advance(16 * 60'000);
    f.form().syncController().tick();
    QCoreApplication::processEvents();
    QCOMPARE(plugs.credentials.reads, 0);
    QVERIFY(!plugs.runner || plugs.runner->accounts.isEmpty());
}

QTEST_MAIN(TestCalendarsPage)
#include "tst_CalendarsPage.moc"
