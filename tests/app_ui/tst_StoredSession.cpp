// A fixed session of a user, clicked through the real main window on a clock that does not move by itself: alarms,
// a power action and a birthday made, edited, fired and deleted, an address book entry and a diary note written,
// categories and settings changed. Afterwards every store's file must hold exactly the bytes of
// tests/data/session. Whatever the code's structure becomes, what it writes must not change.
//
// After a deliberate change of what is stored, write the files anew and review their diff:
//   ZENTICK_WRITE_SESSION=<folder> build/tests/app_ui/tst_StoredSession

#include "ui_editors/EditorFixture.h"
#include "ui_editors/EditorTestSupport.h"
#include "ui_settings/AnsweringChooser.h"

#include "context/PageIndex.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/BirthdayEditorPage.h"
#include "ui/editors/CategoryPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/PowerActionEditorPage.h"
#include "ui/notify/TForm2.h"
#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"
#include "ui/settings/FileChooser.h"
#include "ui/settings/SettingsPage.h"
#include "ui/views/EventListPage.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/ClickableLabel.h"
#include "widgets/DateField.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"
#include "widgets/MonthCalendar.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTreeWidget>

using EditorTest::click;
using EditorTest::fileBytes;

namespace {

const QDateTime wednesday(QDate(2007, 11, 14), QTime(10, 15));

// The folder of the run stands in the files as this, so they compare from any temporary folder.
const QByteArray FolderMark = "@FOLDER@";

// Every store, by the file's path below the run's folder.
const QStringList storeFiles{u"Settings.xml"_s, u"Alarms Directory/Alarms.xml"_s, u"Alarms Directory/PAlarms.xml"_s,
                             u"Alarms Directory/AddressBook.xml"_s, u"Alarms Directory/Calendar.xml"_s};

QString goldenName(const QString& file) {
    return u"session-"_s + QFileInfo(file).fileName();
}

void confirm(EditorFixture& f) {
    QCOMPARE(f.current(), int(ConfirmTab));
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);
}

// Clicks the row of the record.
bool selectRecord(QTreeWidget* list, const QByteArray& section) {
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (EventListPage::sectionOf(list->topLevelItem(row)) == section) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->topLevelItem(row)).center());
            return true;
        }
    }
    return false;
}

void selectRow(QTableWidget* table, const QString& name) {
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, AddressBookPage::NameColumn)->text() == name) {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(row, 0)).center());
            return;
        }
    }
    QFAIL(qPrintable(name));
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->clear();
    edit->insert(text); // as typed; keyClicks() knows ASCII only
}

} // namespace

class TestStoredSession : public QObject {
    Q_OBJECT
private slots:
    void sessionWritesTheGoldenBytes();
};

void TestStoredSession::sessionWritesTheGoldenBytes() {
    AnsweringChooser chooser;
    FileChooser::setInstance(&chooser);
    auto restoreChooser = qScopeGuard([] { FileChooser::setInstance(nullptr); });
    EditorFixture f(wednesday);
    const QString folder = QFileInfo(f.form().exeFolder()).absoluteFilePath();

    // A category, so the alarm can be filed under it.
    f.openMainMenuEntry(1);
    auto* alarm = f.page<AlarmEditorPage>(AlarmTab);
    click(alarm->myaSuperLabel51);
    auto* categories = f.page<CategoryPage>(CategoryTab);
    QTest::keyClicks(categories->Edit5, u"Health"_s);
    click(categories->DsFancyButton33);
    click(categories->DsFancyButton35);
    click(categories->DsFancyButton32);
    QCOMPARE(f.current(), int(AlarmTab));

    // An alarm on a day and time, every two days, in its category, bypassed when late.
    QTest::keyClicks(alarm->Memo1, u"Dentist"_s);
    QTest::keyClick(alarm->Memo1, Qt::Key_Return);
    QTest::keyClicks(alarm->Memo1, u"bring the card"_s);
    alarm->DateTimePicker1->setDate(QDate(2007, 11, 16));
    alarm->DateTimePicker2->setTime(QTime(11, 30));
    click(alarm->myaSuperLabel9);
    alarm->CSpinEdit3->setValue(2);
    alarm->ComboBox1->setCurrentIndex(2);
    emit alarm->ComboBox1->activated(2);
    alarm->ComboBox2->setCurrentIndex(alarm->ComboBox2->findText(u"Health"_s));
    click(alarm->myaSuperLabel19);
    click(alarm->DsFancyButton2);
    confirm(f);

    // One in 45 minutes, without sound; and one in 5 minutes that is left to fire.
    f.openMainMenuEntry(1);
    QTest::keyClicks(alarm->Memo1, u"Tea"_s);
    click(alarm->myLabel3d6);
    alarm->CSpinEdit2->setValue(45);
    click(alarm->myaSuperLabel6);
    click(alarm->DsFancyButton2);
    confirm(f);
    f.openMainMenuEntry(1);
    QTest::keyClicks(alarm->Memo1, u"Stretch"_s);
    click(alarm->myLabel3d6);
    alarm->CSpinEdit2->setValue(5);
    click(alarm->DsFancyButton2);
    confirm(f);

    // A restart at ten in the evening, every week.
    f.openMainMenuEntry(2);
    auto* power = f.page<PowerActionEditorPage>(ShutTab);
    click(power->myLabel3d10);
    power->DateTimePicker4->setTime(QTime(22, 0));
    click(power->myaSuperLabel15);
    power->ComboBox3->setCurrentIndex(1);
    click(power->DsFancyButton5);
    confirm(f);

    // A birthday, three days' notice.
    f.openMainMenuEntry(3);
    auto* birthday = f.page<BirthdayEditorPage>(BirthTab);
    typeInto(birthday->Edit1, u"Zoë"_s);
    birthday->DateTimePicker6->setDate(QDate(1980, 3, 5));
    birthday->CSpinEdit7->setValue(3);
    click(birthday->DsFancyButton7);
    confirm(f);

    // The first alarm edited from the list: another text, no repetition.
    f.show(ViewTabAl);
    auto* alarms = f.page<EventListPage>(ViewTabAl);
    QCOMPARE(alarms->list()->topLevelItemCount(), 3);
    QVERIFY(selectRecord(alarms->list(), "0"));
    click(alarms->editButton());
    QCOMPARE(f.current(), int(AlarmTab));
    alarm->Memo1->setPlainText(u"Dentist at half past\nbring the card"_s);
    click(alarm->myaSuperLabel9);
    click(alarm->DsFancyButton2);
    confirm(f);

    // "Stretch" fires into the past alarms; "Tea" is deleted from the list, which retires it there too.
    f.clock().advance(5 * 60 * 1000);
    f.scheduler().TimerTimer();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<TForm2*>(window))
            shown->close();
    }
    f.show(ViewTabAl);
    QCOMPARE(alarms->list()->topLevelItemCount(), 2);
    QVERIFY(selectRecord(alarms->list(), "1"));
    click(alarms->deleteButton());
    QCOMPARE(alarms->list()->topLevelItemCount(), 1);

    // The address book: two entries, one changed, one deleted.
    f.show(AddressTab);
    auto* book = f.page<AddressBookPage>(AddressTab);
    auto* entry = f.page<AddressEntryPage>(AddAddressTab);
    click(book->DsFancyButton38);
    typeInto(entry->Edit6, u"Ann"_s);
    typeInto(entry->Edit7, u"Rue de l'église 3"_s);
    typeInto(entry->Edit8, u"0123 456"_s);
    typeInto(entry->Edit9, u"ann@example.org"_s);
    click(entry->DsFancyButton41);
    typeInto(entry->Edit6, u"Bob"_s);
    click(entry->DsFancyButton41);
    click(entry->DsFancyButton42);
    selectRow(book->ListView5, u"Ann"_s);
    click(book->DsFancyButton39);
    typeInto(entry->Edit6, u"Ann Smith"_s);
    typeInto(entry->Edit10, u"piano teacher"_s);
    click(entry->DsFancyButton41);
    click(entry->DsFancyButton42);
    selectRow(book->ListView5, u"Bob"_s);
    click(book->DsFancyButton40);
    QCOMPARE(book->ListView5->rowCount(), 1);

    // A diary note on the 20th.
    f.show(CalendarTab);
    auto* diary = f.page<DiaryPage>(CalendarTab);
    diary->MonthCalendar2->setDate(QDate(2007, 11, 20));
    click(diary->DsFancyButton44);
    QCOMPARE(f.current(), int(EditCalendarTab));
    auto* note = f.page<DiaryNotePage>(EditCalendarTab);
    note->Memo2->setPlainText(u"Piano lesson\nbring the music"_s);
    click(note->DsFancyButton46);

    // Settings: the tray off, a sound of one's own.
    f.show(SetTab);
    auto* settings = f.page<SettingsPage>(SetTab);
    click(settings->myLabel3d13);
    click(settings->myLabel3d23);
    QDir(folder).mkpath(u"sounds"_s);
    chooser.file = folder + u"/sounds/gong.wav"_s;
    QFile sound(chooser.file);
    QVERIFY(sound.open(QIODevice::WriteOnly) && sound.write("RIFF") == 4);
    sound.close();
    click(settings->DsFancyButton49);
    click(settings->DsFancyButton48);
    QVERIFY(f.messages().isEmpty());

    const QByteArray writeTo = qgetenv("ZENTICK_WRITE_SESSION");
    for (const QString& file : storeFiles) {
        QByteArray bytes = fileBytes(folder + u'/' + file);
        QVERIFY2(!bytes.isEmpty(), qPrintable(file));
        bytes.replace(folder.toUtf8(), FolderMark);
        if (!writeTo.isEmpty()) {
            QFile out(QString::fromLocal8Bit(writeTo) + u'/' + goldenName(file));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
            continue;
        }
        QCOMPARE(bytes,
                 EditorTest::fileBytes(qEnvironmentVariable("ZENTICK_TEST_DATA") + u"/session/"_s + goldenName(file)));
    }
}

QTEST_MAIN(TestStoredSession)
#include "tst_StoredSession.moc"
