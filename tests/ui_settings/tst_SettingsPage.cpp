#include "fakes/FailingFileOperations.h"
#include "fakes/FakePlatform.h"
#include "support/Caption.h"
#include "ui_editors/EditorFixture.h"
#include "ui_editors/EditorTestSupport.h"
#include "ui_settings/AnsweringChooser.h"

#include "app/TrayController.h"
#include "context/PageIndex.h"
#include "context/SettingsKeys.h"
#include "platform/Autostart.h"
#include "store/XMLIniFile.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/TForm2.h"
#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryNotes.h"
#include "ui/personal/DiaryPage.h"
#include "ui/settings/FileChooser.h"
#include "ui/settings/SettingsPage.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/ClickableLabel.h"
#include "widgets/MonthCalendar.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTableWidget>

using EditorTest::click;
using EditorTest::fileBytes;

// The settings page: its states from the stored keys, the tray label, the sound and folder choosers, and
// "Apply" with the move of the data folder, as the user meets them.
class TestSettingsPage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startStates_data();
    void startStates();
    void trayLabelNamesTheNextSwitch();
    void startAtLoginBothWays_data();
    void startAtLoginBothWays();
    void startAtLoginRefused();
    void desktopNoticesSwitch_data();
    void desktopNoticesSwitch();
    void soundFileIsWrittenAtOnce();
    void folderChoice_data();
    void folderChoice();
    void applyWithUnchangedFolderWritesOnlyTheSound();
    void moveToAnEmptyFolder();
    void moveThatLeavesFiles_data();
    void moveThatLeavesFiles();
    void moveThatCannotBeWholeChangesNothing_data();
    void moveThatCannotBeWholeChangesNothing();
    void folderWhoseParentIsMissing();
};

namespace {

const QDateTime march5(QDate(2024, 3, 5), QTime(10, 0));
const QStringList dataFiles{u"Alarms.xml"_s, u"PAlarms.xml"_s, u"AddressBook.xml"_s, u"Calendar.xml"_s};

AnsweringChooser* g_chooser = nullptr;
FailingFileOperations* g_operations = nullptr;

SettingsPage* openSettings(EditorFixture& f) {
    f.show(SetTab);
    return qobject_cast<SettingsPage*>(f.form().PageControl1->widget(SetTab));
}

QByteArray setting(EditorFixture& f, const char* key) {
    return f.form().settingsStore().ReadString(SettingsKey::Section, key, "(missing)");
}

QString touch(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("MThd");
    return path;
}

// One record in each of the four stores, so each has its file.
void fillStores(TForm1& form) {
    form.eventStore().WriteString("0", "text", "Dentist");
    form.pastAlarmStore().WriteString("0", "text", "Long gone");
    form.addressBookStore().WriteString("0", "name", "Ann");
    DiaryNotes::write(form.diaryStore(), QDate(2024, 3, 7), {u"Piano lesson"_s});
}

} // namespace

void TestSettingsPage::init() {
    g_chooser = new AnsweringChooser;
    FileChooser::setInstance(g_chooser);
    g_operations = new FailingFileOperations;
    FileOperations::setInstance(g_operations);
}

void TestSettingsPage::cleanup() {
    FileChooser::setInstance(nullptr);
    FileOperations::setInstance(nullptr);
    delete g_chooser;
    delete g_operations;
}

void TestSettingsPage::startStates_data() {
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<QByteArray>("defaultSound"); // empty: no key
    QTest::addColumn<bool>("custom");
    QTest::addColumn<QByteArray>("soundPathAfter");
    QTest::newRow("file, no choice stored") << true << QByteArray() << false << QByteArray("file");
    QTest::newRow("file, default chosen") << true << QByteArray("1") << false << QByteArray("file");
    QTest::newRow("file, custom chosen") << true << QByteArray("0") << true << QByteArray("file");
    QTest::newRow("file gone") << false << QByteArray("0") << false << QByteArray();
}

void TestSettingsPage::startStates() {
    QFETCH(bool, fileThere);
    QFETCH(QByteArray, defaultSound);
    QFETCH(bool, custom);
    QFETCH(QByteArray, soundPathAfter);
    EditorFixture f(march5);
    QTemporaryDir sounds;
    const QString file = sounds.filePath(u"bells.mid"_s);
    if (fileThere)
        touch(file);
    TXMLIniFile& settings = f.form().settingsStore();
    settings.WriteString(SettingsKey::Section, SettingsKey::SoundPath, file.toUtf8());
    if (!defaultSound.isEmpty())
        settings.WriteString(SettingsKey::Section, SettingsKey::DefaultSound, defaultSound);

    SettingsPage* page = openSettings(f);
    QCOMPARE(page->myLabel3d23->isChosen(), custom);
    QCOMPARE(page->myLabel3d22->isChosen(), !custom);
    QCOMPARE(page->myLabel3d23->captionColour(), custom ? Theme::chosenColour() : Theme::unchosenColour());
    QCOMPARE(page->DsFancyButton49->isEnabled(), custom);
    QCOMPARE(page->Edit11->text(), fileThere ? file : QString());
    QCOMPARE(setting(f, SettingsKey::SoundPath), soundPathAfter == "file" ? file.toUtf8() : soundPathAfter);
    QVERIFY(!page->DsFancyButton48->isEnabled());
    QCOMPARE(page->Edit12->text(), f.form().dataFolder());

    // Showing it again with nothing to clear writes nothing.
    const quint64 saves = settings.saveCount();
    openSettings(f);
    QCOMPARE(settings.saveCount(), saves);
}

void TestSettingsPage::trayLabelNamesTheNextSwitch() {
    EditorFixture f(march5);
    SettingsPage* page = openSettings(f);
    QCOMPARE(Caption::shown(page->myLabel3d13->text()), u"Disable Tray"_s);
    click(page->myLabel3d13);
    QCOMPARE(Caption::shown(page->myLabel3d13->text()), u"Enable Tray"_s);
    QCOMPARE(page->myLabel3d13->captionColour(), Theme::unchosenColour());
    QCOMPARE(setting(f, SettingsKey::Tray), QByteArray("0"));
    QVERIFY(!f.form().tray->isIconShown());
    click(page->myLabel3d13);
    QCOMPARE(Caption::shown(page->myLabel3d13->text()), u"Disable Tray"_s);
    QCOMPARE(page->myLabel3d13->captionColour(), Theme::chosenColour());
    QCOMPARE(setting(f, SettingsKey::Tray), QByteArray("1"));
    QVERIFY(f.form().tray->isIconShown());
    // The tray menu's own switch shows on the page at once.
    f.form().tray->DisableTray1->trigger();
    QCOMPARE(Caption::shown(page->myLabel3d13->text()), u"Enable Tray"_s);
}

namespace {

QString autostartEntry(EditorFixture& f) {
    return Autostart(f.form().autostartFolder(), QString()).filePath();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// The choice shows the desktop's entry as it is, writes it or takes it away, and never touches "Settings.xml".
void TestSettingsPage::startAtLoginBothWays_data() {
    QTest::addColumn<bool>("folderThere");
    QTest::addColumn<QByteArray>("entryBefore"); // empty: none
    QTest::addColumn<bool>("onBefore");
    const QByteArray entry = "[Desktop Entry]\nType=Application\nExec=zentick -h\n";
    QTest::newRow("no autostart folder yet") << false << QByteArray() << false;
    QTest::newRow("folder without an entry") << true << QByteArray() << false;
    QTest::newRow("entry there") << true << entry << true;
    QTest::newRow("entry switched off by the desktop") << true << entry + "Hidden=true\n" << false;
}

void TestSettingsPage::startAtLoginBothWays() {
    QFETCH(bool, folderThere);
    QFETCH(QByteArray, entryBefore);
    QFETCH(bool, onBefore);
    EditorFixture f(march5);
    const QString folder = f.form().autostartFolder();
    const QString entry = autostartEntry(f);
    QVERIFY(!QFileInfo::exists(folder));
    if (folderThere)
        QVERIFY(QDir().mkpath(folder));
    if (!entryBefore.isEmpty())
        QVERIFY(writeBytes(entry, entryBefore));
    TXMLIniFile& settings = f.form().settingsStore();
    SettingsPage* page = openSettings(f);
    const QByteArray settingsBefore = settings.GetXML();
    const quint64 saves = settings.saveCount();
    QVERIFY(page->autostartLabel->isVisible());
    QCOMPARE(page->autostartLabel->text(), u"Start Zentick when I log in"_s);
    QCOMPARE(page->autostartLabel->isChosen(), onBefore);

    for (const bool on : {!onBefore, onBefore, !onBefore}) {
        click(page->autostartLabel);
        QCOMPARE(page->autostartLabel->isChosen(), on);
        QCOMPARE(page->autostartLabel->captionColour(), on ? Theme::chosenColour() : Theme::unchosenColour());
        QCOMPARE(QFileInfo::exists(entry), on);
        if (on) {
            const QByteArray written = fileBytes(entry);
            QVERIFY2(written.contains("\nExec=") && written.contains(" -h\n"), written.constData());
            QVERIFY(!written.contains("Hidden=true"));
        }
    }
    QVERIFY(f.messages().isEmpty());
    QCOMPARE(settings.saveCount(), saves);
    QCOMPARE(settings.GetXML(), settingsBefore);

    // Whatever the desktop's session settings did meanwhile is what the page shows next time.
    click(page->DsFancyButton47);
    QVERIFY(QFile::remove(entry) || !QFileInfo::exists(entry));
    QVERIFY(!openSettings(f)->autostartLabel->isChosen());
}

// Root may write anywhere, so the autostart folder is blocked by a file of its name.
void TestSettingsPage::startAtLoginRefused() {
    EditorFixture f(march5);
    const QString folder = f.form().autostartFolder();
    QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
    QVERIFY(writeBytes(folder, "not a folder"));
    SettingsPage* page = openSettings(f);
    QVERIFY(!page->autostartLabel->isChosen());
    click(page->autostartLabel);
    QCOMPARE(f.messages().size(), 1);
    const QString message = f.messages().first();
    QVERIFY2(message.startsWith(u"Zentick cannot be set to start when you log in."_s) && message.contains(folder),
             qPrintable(message));
    QVERIFY(!page->autostartLabel->isChosen());
    QCOMPARE(fileBytes(folder), QByteArray("not a folder"));
}

// The switch shows the key, flips it, and the next alarm window follows it.
void TestSettingsPage::desktopNoticesSwitch_data() {
    QTest::addColumn<QByteArray>("stored"); // empty: no key
    QTest::addColumn<bool>("onBefore");
    QTest::newRow("never set") << QByteArray() << true;
    QTest::newRow("on") << QByteArray("1") << true;
    QTest::newRow("off") << QByteArray("0") << false;
}

void TestSettingsPage::desktopNoticesSwitch() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, onBefore);
    EditorFixture f(march5);
    FakeDesktopNotifier notifier;
    PlatformServices platform;
    platform.notifier = &notifier;
    f.form().schedulerHost().attachPlatform(platform);
    if (!stored.isEmpty())
        f.form().settingsStore().WriteString(SettingsKey::Section, SettingsKey::DesktopNotices, stored);
    SettingsPage* page = openSettings(f);
    QCOMPARE(page->noticesLabel->isChosen(), onBefore);
    QCOMPARE(setting(f, SettingsKey::DesktopNotices), stored.isEmpty() ? QByteArray("(missing)") : stored);

    click(page->noticesLabel);
    QCOMPARE(page->noticesLabel->isChosen(), !onBefore);
    QCOMPARE(setting(f, SettingsKey::DesktopNotices), QByteArray(onBefore ? "0" : "1"));

    AlarmNotice notice;
    notice.section = "0";
    notice.header = u"This Alarm scheduled for:\n05/03/2024 10:00:00"_s;
    notice.lines = {u"Call the dentist."_s};
    f.form().schedulerHost().notificationWindows().showAlarm(notice);
    QCOMPARE(notifier.notices.size(), onBefore ? 0 : 1);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TForm2*>(window))
            window->deleteLater();
}

void TestSettingsPage::soundFileIsWrittenAtOnce() {
    EditorFixture f(march5);
    QTemporaryDir sounds;
    SettingsPage* page = openSettings(f);
    click(page->myLabel3d23);
    QVERIFY(page->DsFancyButton48->isEnabled());

    // Cancelled: nothing changes.
    const quint64 saves = f.form().settingsStore().saveCount();
    click(page->DsFancyButton49);
    QCOMPARE(f.form().settingsStore().saveCount(), saves);
    QCOMPARE(g_chooser->askedFilter, SettingsPage::soundFilter());
    QVERIFY(g_chooser->askedFilter.startsWith(u"All (*.mp3 *.wave *.wav *.mid *.wma);;"_s));

    g_chooser->file = touch(sounds.filePath(u"gong.wav"_s));
    click(page->DsFancyButton49);
    QCOMPARE(page->Edit11->text(), g_chooser->file);
    QCOMPARE(f.form().settingsStore().saveCount(), saves + 1);
    QCOMPARE(setting(f, SettingsKey::DefaultSound), QByteArray("0"));
    QCOMPARE(setting(f, SettingsKey::SoundPath), g_chooser->file.toUtf8());
    click(page->DsFancyButton47);
    QCOMPARE(f.current(), int(MainTab));
    QCOMPARE(setting(f, SettingsKey::DefaultSound), QByteArray("0"));
    QCOMPARE(openSettings(f)->Edit11->text(), g_chooser->file);
    QCOMPARE(g_chooser->askedInitial, QString());
    click(page->DsFancyButton49);
    QCOMPARE(g_chooser->askedInitial, g_chooser->file);
}

void TestSettingsPage::folderChoice_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a folder") << u"/home/ann/Data"_s << u"/home/ann/Data/Alarms Directory"_s;
    QTest::newRow("the data folder itself") << u"/home/ann/Alarms Directory"_s << u"/home/ann/Alarms Directory"_s;
    QTest::newRow("the root") << u"/"_s << u"/Alarms Directory"_s;
    QTest::newRow("a name that only ends like it")
        << u"/x/My Alarms Directory"_s << u"/x/My Alarms Directory/Alarms Directory"_s;
}

void TestSettingsPage::folderChoice() {
    QFETCH(QString, chosen);
    QFETCH(QString, shown);
    EditorFixture f(march5);
    SettingsPage* page = openSettings(f);
    g_chooser->folder = chosen;
    const QByteArray before = f.form().settingsStore().GetXML();
    click(page->DsFancyButton50);
    QCOMPARE(g_chooser->askedTitle, u"Alarms Directory"_s);
    QCOMPARE(page->Edit12->text(), shown);
    QVERIFY(page->DsFancyButton48->isEnabled());
    QCOMPARE(f.form().settingsStore().GetXML(), before);
}

void TestSettingsPage::applyWithUnchangedFolderWritesOnlyTheSound() {
    EditorFixture f(march5);
    fillStores(f.form());
    QTemporaryDir sounds;
    const QString folder = f.form().dataFolder();
    SettingsPage* page = openSettings(f);
    g_chooser->file = touch(sounds.filePath(u"gong.wav"_s));
    click(page->myLabel3d23);
    click(page->DsFancyButton49);
    QFile::remove(g_chooser->file); // gone by the time of "Apply": the default sound it is
    const quint64 saves = f.form().settingsStore().saveCount();
    click(page->DsFancyButton48);
    QVERIFY(!page->DsFancyButton48->isEnabled());
    QCOMPARE(f.form().settingsStore().saveCount(), saves + 1);
    QCOMPARE(setting(f, SettingsKey::DefaultSound), QByteArray("1"));
    QCOMPARE(f.form().dataFolder(), folder);
    for (const QString& name : dataFiles)
        QVERIFY(QFileInfo::exists(folder + u'/' + name));
    QVERIFY(f.messages().isEmpty());
}

void TestSettingsPage::moveToAnEmptyFolder() {
    EditorFixture f(march5);
    fillStores(f.form());
    const QString oldFolder = f.form().dataFolder();
    QMap<QString, QByteArray> bytes;
    for (const QString& name : dataFiles)
        bytes[name] = fileBytes(oldFolder + u'/' + name);
    QTemporaryDir target;
    SettingsPage* page = openSettings(f);
    g_chooser->folder = target.path();
    click(page->DsFancyButton50);
    click(page->DsFancyButton48);

    const QString newFolder = target.filePath(u"Alarms Directory"_s);
    QVERIFY(f.messages().isEmpty());
    QVERIFY(!QFileInfo::exists(oldFolder));
    for (const QString& name : dataFiles)
        QCOMPARE(fileBytes(newFolder + u'/' + name), bytes[name]);
    QCOMPARE(setting(f, SettingsKey::DataFolder), newFolder.toUtf8());
    // The record that lets the next start finish a move a kill cut short is gone with the move's end.
    QVERIFY(!fileBytes(f.form().exeFolder() + u"/Settings.xml"_s).contains(SettingsKey::DataFolderMovingFrom));
    QCOMPARE(f.form().dataFolder(), newFolder);

    // Every page and the scheduler go on with the stores in the new folder, without a restart.
    QCOMPARE(f.form().eventStore().ReadString("0", "text", ""), QByteArray("Dentist"));
    f.show(CalendarTab);
    f.page<DiaryPage>(CalendarTab)->MonthCalendar2->setDate(QDate(2024, 3, 7));
    f.show(CalendarTab);
    QVERIFY(f.page<DiaryPage>(CalendarTab)->MonthCalendar2->indexOfMark(QDate(2024, 3, 7)) >= 0);
    f.show(AddressTab);
    QCOMPARE(f.page<AddressBookPage>(AddressTab)->ListView5->rowCount(), 1);
    f.form().addressBookStore().WriteString("1", "name", "Bob");
    QVERIFY(fileBytes(newFolder + u"/AddressBook.xml"_s).contains("Bob"));
    QVERIFY(!QFileInfo::exists(oldFolder));
    QVERIFY(!page->DsFancyButton48->isEnabled());
}

void TestSettingsPage::moveThatLeavesFiles_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("why");
    QTest::newRow("target holds Calendar.xml") << u"exists"_s << QStringList{u"Calendar.xml"_s} << u"already holds"_s;
    QTest::newRow("across file systems") << u"exdev"_s << QStringList() << QString();
}

void TestSettingsPage::moveThatLeavesFiles() {
    QFETCH(QString, failure);
    QFETCH(QStringList, left);
    QFETCH(QString, why);
    EditorFixture f(march5);
    fillStores(f.form());
    const QString oldFolder = f.form().dataFolder();
    QTemporaryDir target;
    const QString newFolder = target.filePath(u"Alarms Directory"_s);
    QVERIFY(QDir().mkdir(newFolder));
    QMap<QString, QByteArray> bytes;
    for (const QString& name : dataFiles)
        bytes[name] = fileBytes(oldFolder + u'/' + name);
    QByteArray waiting = "<?xml version = \"1.0\"?>";
    if (failure == u"exists") {
        QFile file(newFolder + u"/Calendar.xml"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(waiting);
    } else {
        g_operations->otherDeviceFolder = oldFolder;
        if (failure == u"full")
            g_operations->diskFullFor.insert(u"AddressBook.xml"_s);
    }

    SettingsPage* page = openSettings(f);
    g_chooser->folder = newFolder;
    click(page->DsFancyButton50);
    click(page->DsFancyButton48);

    // No record is lost: each file is whole in one of the folders, and what stayed is named with its reason.
    for (const QString& name : dataFiles) {
        if (left.contains(name)) {
            QCOMPARE(fileBytes(oldFolder + u'/' + name), bytes[name]);
        } else {
            QCOMPARE(fileBytes(newFolder + u'/' + name), bytes[name]);
            QVERIFY(!QFileInfo::exists(oldFolder + u'/' + name));
        }
    }
    QCOMPARE(QFileInfo::exists(oldFolder), !left.isEmpty());
    QCOMPARE(f.form().dataFolder(), newFolder);
    if (left.isEmpty()) {
        QVERIFY(f.messages().isEmpty());
        return;
    }
    QCOMPARE(f.messages().size(), 1);
    const QString message = f.messages().first();
    QVERIFY2(message.contains(oldFolder) && message.contains(left.first()) && message.contains(why),
             qPrintable(message));
    if (failure == u"exists")
        QCOMPARE(fileBytes(newFolder + u"/Calendar.xml"_s), waiting);
    QCOMPARE(QDir(newFolder).entryList(QDir::Files | QDir::Hidden).size(), dataFiles.size());
}

void TestSettingsPage::moveThatCannotBeWholeChangesNothing_data() {
    QTest::addColumn<bool>("targetThere");
    QTest::addColumn<bool>("calendarThere");
    QTest::addColumn<int>("testFileError");
    QTest::addColumn<qint64>("available");
    QTest::addColumn<QString>("fullFor");
    QTest::addColumn<QString>("why");
    QTest::newRow("read-only target that holds the folder")
        << true << false << int(EROFS) << qint64(-1) << QString() << u"Read-only file system"_s;
    QTest::newRow("too little room for the four files")
        << false << false << 0 << qint64(100) << QString() << u"No space left on device"_s;
    QTest::newRow("target fills up after the first file")
        << false << false << 0 << qint64(-1) << u"PAlarms.xml"_s << u"No space left on device"_s;
    QTest::newRow("fills up, target holds Calendar.xml")
        << true << true << 0 << qint64(-1) << u"AddressBook.xml"_s << u"No space left on device"_s;
}

// A move that cannot take every file along moves none: "alpath" stays, the stores open on the old folder again,
// and the user learns what failed and that nothing changed.
void TestSettingsPage::moveThatCannotBeWholeChangesNothing() {
    QFETCH(bool, targetThere);
    QFETCH(bool, calendarThere);
    QFETCH(int, testFileError);
    QFETCH(qint64, available);
    QFETCH(QString, fullFor);
    QFETCH(QString, why);
    EditorFixture f(march5);
    fillStores(f.form());
    const QString oldFolder = f.form().dataFolder();
    const QByteArray storedBefore = setting(f, SettingsKey::DataFolder);
    QMap<QString, QByteArray> bytes;
    for (const QString& name : dataFiles)
        bytes[name] = fileBytes(oldFolder + u'/' + name);
    QTemporaryDir target;
    const QString newFolder = target.filePath(u"Alarms Directory"_s);
    if (targetThere)
        QVERIFY(QDir().mkdir(newFolder));
    const QByteArray waiting = "<?xml version = \"1.0\"?>";
    if (calendarThere) {
        QFile file(newFolder + u"/Calendar.xml"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(waiting);
    }
    g_operations->otherDeviceFolder = oldFolder;
    g_operations->testFileError = testFileError;
    g_operations->available = available;
    if (!fullFor.isEmpty())
        g_operations->diskFullFor.insert(fullFor);

    SettingsPage* page = openSettings(f);
    g_chooser->folder = target.path();
    click(page->DsFancyButton50);
    QCOMPARE(page->Edit12->text(), newFolder);
    click(page->DsFancyButton48);

    for (const QString& name : dataFiles)
        QCOMPARE(fileBytes(oldFolder + u'/' + name), bytes[name]);
    QCOMPARE(QFileInfo::exists(newFolder), targetThere);
    if (targetThere)
        QCOMPARE(QDir(newFolder).entryList(QDir::Files | QDir::Hidden),
                 calendarThere ? QStringList{u"Calendar.xml"_s} : QStringList());
    if (calendarThere)
        QCOMPARE(fileBytes(newFolder + u"/Calendar.xml"_s), waiting);
    QCOMPARE(setting(f, SettingsKey::DataFolder), storedBefore);
    QVERIFY(!fileBytes(f.form().exeFolder() + u"/Settings.xml"_s).contains(SettingsKey::DataFolderMovingFrom));
    QCOMPARE(f.form().dataFolder(), oldFolder);
    QCOMPARE(page->Edit12->text(), oldFolder);
    QCOMPARE(f.form().eventStore().ReadString("0", "text", ""), QByteArray("Dentist"));

    QCOMPARE(f.messages().size(), 1);
    const QString message = f.messages().first();
    QVERIFY2(message.contains(why) && message.contains(u"Nothing changed"_s) && message.contains(oldFolder) &&
                 (fullFor.isEmpty() || message.contains(fullFor)),
             qPrintable(message));
}

void TestSettingsPage::folderWhoseParentIsMissing() {
    EditorFixture f(march5);
    fillStores(f.form());
    const QString oldFolder = f.form().dataFolder();
    QTemporaryDir target;
    SettingsPage* page = openSettings(f);
    g_chooser->folder = target.filePath(u"not/there"_s);
    click(page->DsFancyButton50);
    click(page->DsFancyButton48);
    QCOMPARE(f.messages(), QStringList{u"Failed to Create the Directory"_s});
    QCOMPARE(page->Edit12->text(), oldFolder);
    QCOMPARE(f.form().dataFolder(), oldFolder);
    QCOMPARE(setting(f, SettingsKey::DataFolder), oldFolder.toUtf8());
    for (const QString& name : dataFiles)
        QVERIFY(QFileInfo::exists(oldFolder + u'/' + name));
}

QTEST_MAIN(TestSettingsPage)
#include "tst_SettingsPage.moc"
