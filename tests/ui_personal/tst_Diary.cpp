#include "support/PageFixture.h"
#include "ui_editors/EditorFixture.h"
#include "ui_editors/EditorTestSupport.h"

#include "context/PageIndex.h"
#include "store/XMLIniFile.h"
#include "ui/ExceptionMessageBox.h"
#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryNotes.h"
#include "ui/personal/DiaryPage.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/MonthCalendar.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTableView>

using EditorTest::click;
using EditorTest::keysOf;

// The diary: how a typed note becomes lines and keys, the marks of a month, and the two pages as the user
// drives them.
class TestDiary : public QObject {
    Q_OBJECT
private slots:
    void sectionNames_data();
    void sectionNames();
    void lineRules_data();
    void lineRules();
    void saveWritesOnceAndLeavesLongerKeysBehind();
    void emptyTextErasesTheNote();
    void failedSaveKeepsTheTextAndSave();
    void marksAndHintsOfAMonth();
    void deleteKey_data();
    void deleteKey();
    void secondClickOpensTheNote_data();
    void secondClickOpensTheNote();
    void editorDateFieldReloadsAndDropsTyping();
    void anyTextComesBackUnchanged();
    void tabLeavesTheNote();
};

namespace {

const QDateTime march5(QDate(2024, 3, 5), QTime(10, 0));

void writeNote(TXMLIniFile& diary, QDate date, const QByteArrayList& lines) {
    const QByteArray section = DiaryNotes::section(date);
    diary.WriteInt(section, "linecount", int(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        diary.WriteString(section, QByteArray::number(i), lines.at(i));
}

DiaryPage* openDiary(EditorFixture& f) {
    f.show(CalendarTab);
    return f.page<DiaryPage>(CalendarTab);
}

DiaryNotePage* openNote(EditorFixture& f, QDate date) {
    DiaryPage* diary = openDiary(f);
    diary->setCalendarDate(date);
    click(diary->DsFancyButton44);
    return f.page<DiaryNotePage>(EditCalendarTab);
}

void clickDay(MonthCalendar* calendar, QDate date) {
    auto* view = calendar->findChild<QTableView*>();
    const QRect cell = calendar->dayRect(date);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->viewport()->mapFrom(calendar, cell.center()));
}

// The second click of a person's double click: Qt delivers its press as a double-click event, then the release.
void secondClickOfDoubleClick(MonthCalendar* calendar, QDate date) {
    auto* view = calendar->findChild<QTableView*>();
    const QPoint at = view->viewport()->mapFrom(calendar, calendar->dayRect(date).center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

void TestDiary::sectionNames_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QByteArray>("section");
    QTest::newRow("1 January 2008") << QDate(2008, 1, 1) << QByteArray("39448");
    QTest::newRow("day zero") << QDate(1899, 12, 30) << QByteArray("0");
    QTest::newRow("the day before") << QDate(1899, 12, 29) << QByteArray("-1");
    QTest::newRow("1 January 1800") << QDate(1800, 1, 1) << QByteArray("-36522");
}

void TestDiary::sectionNames() {
    QFETCH(QDate, date);
    QFETCH(QByteArray, section);
    QCOMPARE(DiaryNotes::section(date), section);
}

void TestDiary::lineRules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one line") << u"Dentist"_s << QStringList{u"Dentist"_s};
    QTest::newRow("trailing break not counted") << u"a\nb\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("single break is one empty line") << u"\n"_s << QStringList{QString()};
    QTest::newRow("empty line inside") << u"a\n\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty last line kept") << u"a\n\n"_s << QStringList{u"a"_s, QString()};
    QTest::newRow("long line is one line") << QString(3000, u'x') << QStringList{QString(3000, u'x')};
}

void TestDiary::lineRules() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(DiaryNotes::linesOf(text), lines);
    // What the editor shows of stored lines saves as the same lines again.
    QCOMPARE(DiaryNotes::linesOf(DiaryNotes::textOf(lines)), lines);
}

void TestDiary::saveWritesOnceAndLeavesLongerKeysBehind() {
    EditorFixture f(march5);
    const QDate day(2024, 3, 12);
    writeNote(f.form().diaryStore(), day, {"one", "two", "three", "four", "five"});
    DiaryNotePage* note = openNote(f, day);
    QCOMPARE(f.current(), int(EditCalendarTab));
    QCOMPARE(note->Memo2->toPlainText(), u"one\ntwo\nthree\nfour\nfive"_s);
    QVERIFY(!note->DsFancyButton46->isEnabled());

    note->Memo2->selectAll();
    QTest::keyClicks(note->Memo2, u"Call Anna"_s);
    QTest::keyClick(note->Memo2, Qt::Key_Return);
    QTest::keyClicks(note->Memo2, u"bring the book"_s);
    QVERIFY(note->DsFancyButton46->isEnabled());
    const quint64 saves = f.form().diaryStore().saveCount();
    click(note->DsFancyButton46);
    QCOMPARE(f.form().diaryStore().saveCount(), saves + 1);
    QVERIFY(!note->DsFancyButton46->isEnabled());
    QCOMPARE(f.current(), int(EditCalendarTab));

    TXMLIniFile onDisk(f.dataFile(u"Calendar.xml"_s));
    QCOMPARE(keysOf(onDisk, "45363"),
             (QByteArrayList{"linecount=2", "0=Call Anna", "1=bring the book", "2=three", "3=four", "4=five"}));
    click(note->DsFancyButton45);
    QCOMPARE(f.current(), int(CalendarTab));
    // Back from the note keeps the date; only the stored lines count.
    QCOMPARE(f.page<DiaryPage>(CalendarTab)->calendarDate(), day);
    click(f.page<DiaryPage>(CalendarTab)->DsFancyButton44);
    QCOMPARE(note->Memo2->toPlainText(), u"Call Anna\nbring the book"_s);
}

void TestDiary::emptyTextErasesTheNote() {
    EditorFixture f(march5);
    const QDate day(2024, 3, 20);
    writeNote(f.form().diaryStore(), day, {"gone soon"});
    QVERIFY(openDiary(f)->MonthCalendar2->indexOfMark(day) >= 0);
    DiaryNotePage* note = openNote(f, day);
    note->Memo2->selectAll();
    QTest::keyClick(note->Memo2, Qt::Key_Backspace);
    click(note->DsFancyButton46);
    QVERIFY(!f.form().diaryStore().HasSection(DiaryNotes::section(day)));
    click(note->DsFancyButton45);
    QCOMPARE(f.page<DiaryPage>(CalendarTab)->MonthCalendar2->indexOfMark(day), -1);
}

void TestDiary::failedSaveKeepsTheTextAndSave() {
    EditorFixture f(march5);
    QStringList shown;
    ExceptionMessageBox::setObserver([&shown](const QString& message) { shown << message; });
    const QDate day(2024, 3, 12);
    DiaryNotePage* note = openNote(f, day);
    QTest::keyClicks(note->Memo2, u"Call Anna"_s);
    // The file cannot be made: a folder stands where it would go.
    const QString file = f.dataFile(u"Calendar.xml"_s);
    QVERIFY(QDir().mkpath(file + u"/in-the-way"_s));
    click(note->DsFancyButton46);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(file), qPrintable(shown.first()));
    QCOMPARE(note->Memo2->toPlainText(), u"Call Anna"_s);
    QVERIFY(note->DsFancyButton46->isEnabled());
    QCOMPARE(f.current(), int(EditCalendarTab));

    // Mended: the same text saves with the same button.
    QVERIFY(QDir(file).removeRecursively());
    click(note->DsFancyButton46);
    QCOMPARE(shown.size(), 1);
    QVERIFY(!note->DsFancyButton46->isEnabled());
    QCOMPARE(keysOf(TXMLIniFile(file), "45363"), (QByteArrayList{"linecount=1", "0=Call Anna"}));
    ExceptionMessageBox::setObserver({});
}

void TestDiary::marksAndHintsOfAMonth() {
    PageFixture<DiaryPage> f(CalendarTab, &DiaryPage::CalendarTabShow, march5);
    TXMLIniFile& store = f.stores().diaryStore();
    writeNote(store, QDate(2024, 3, 1), {"Rent"});
    writeNote(store, QDate(2024, 3, 9), {"Train to Leeds", "platform 4"});
    writeNote(store, QDate(2024, 3, 15), {"", "after an empty line"});
    writeNote(store, QDate(2024, 3, 16), {""});
    writeNote(store, QDate(2024, 3, 31), {"Clocks go forward"});
    writeNote(store, QDate(2024, 4, 1), {"April: not this month"});
    store.WriteString(DiaryNotes::section(QDate(2024, 3, 22)), "0", "no line count"); // read as one line

    f.show();
    MonthCalendar* calendar = f.page->MonthCalendar2;
    QCOMPARE(calendar->date(), QDate(2024, 3, 5)); // today
    QCOMPARE(calendar->markCount(), 6);
    QCOMPARE(calendar->hint(QDate(2024, 3, 1)), u"\"Rent\""_s);
    QCOMPARE(calendar->hint(QDate(2024, 3, 9)), u"\"Train to Leeds...\""_s);
    QCOMPARE(calendar->hint(QDate(2024, 3, 15)), u"\"...\""_s);
    QCOMPARE(calendar->hint(QDate(2024, 3, 16)), u"\"\""_s);
    QCOMPARE(calendar->hint(QDate(2024, 3, 22)), u"\"no line count\""_s);
    QCOMPARE(calendar->mark(0).colour, QColor(255, 0, 0));
    QCOMPARE(calendar->indexOfMark(QDate(2024, 4, 1)), -1);

    // The calendar's own month navigation rebuilds them; the date field moving to another month does not.
    calendar->showNextMonth();
    QCOMPARE(calendar->markCount(), 1);
    QCOMPARE(calendar->hint(QDate(2024, 4, 1)), u"\"April: not this month\""_s);
    DiaryPage* diary = f.page;
    QCOMPARE(diary->DateTimePicker7->date().month(), 4);
    diary->DateTimePicker7->setDate(QDate(2024, 3, 9));
    QCOMPARE(calendar->date(), QDate(2024, 3, 9));
    QCOMPARE(calendar->indexOfMark(QDate(2024, 3, 9)), -1);
}

void TestDiary::deleteKey_data() {
    QTest::addColumn<bool>("marked");
    QTest::newRow("marked day") << true;
    QTest::newRow("unmarked day") << false;
}

void TestDiary::deleteKey() {
    QFETCH(bool, marked);
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().diaryStore();
    writeNote(store, QDate(2024, 3, 7), {"Other day stays"});
    if (marked)
        writeNote(store, QDate(2024, 3, 5), {"Today's note"});
    DiaryPage* diary = openDiary(f);
    const quint64 saves = store.saveCount();
    const int marks = diary->MonthCalendar2->markCount();
    QTest::keyClick(diary->MonthCalendar2->findChild<QTableView*>(), Qt::Key_Delete);
    QCOMPARE(store.saveCount(), saves + (marked ? 1 : 0));
    QCOMPARE(diary->MonthCalendar2->markCount(), marks - (marked ? 1 : 0));
    QVERIFY(!store.HasSection(DiaryNotes::section(QDate(2024, 3, 5))));
    QVERIFY(store.HasSection(DiaryNotes::section(QDate(2024, 3, 7))));
    QCOMPARE(f.current(), int(CalendarTab));

    // Enter opens the note of the selected day.
    QTest::keyClick(diary->MonthCalendar2->findChild<QTableView*>(), Qt::Key_Return);
    QCOMPARE(f.current(), int(EditCalendarTab));
}

void TestDiary::secondClickOpensTheNote_data() {
    QTest::addColumn<bool>("doubleClick"); // the second click as a double-click event, else a click of its own
    QTest::addColumn<bool>("selectedBefore");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<bool>("opens");
    QTest::newRow("quick, unselected day") << false << false << 150 << true;
    QTest::newRow("quick, selected day") << false << true << 199 << true;
    QTest::newRow("two clicks 50 ms apart, unselected day") << false << false << 50 << true;
    QTest::newRow("two clicks 50 ms apart, selected day") << false << true << 50 << true;
    QTest::newRow("slow, selected day") << false << true << 200 << false;
    QTest::newRow("slow, unselected day") << false << false << 1000 << false;
    QTest::newRow("double click, unselected day") << true << false << 60 << true;
    QTest::newRow("double click, selected day") << true << true << 20 << true;
    QTest::newRow("slow double click") << true << true << 300 << false;
}

void TestDiary::secondClickOpensTheNote() {
    QFETCH(bool, doubleClick);
    QFETCH(bool, selectedBefore);
    QFETCH(int, gapMs);
    QFETCH(bool, opens);
    EditorFixture f(march5);
    DiaryPage* diary = openDiary(f);
    f.clock().advance(5000);
    const QDate day = selectedBefore ? QDate(2024, 3, 5) : QDate(2024, 3, 14);
    clickDay(diary->MonthCalendar2, day);
    QCOMPARE(f.current(), int(CalendarTab));
    QCOMPARE(diary->DateTimePicker7->date(), day);
    f.clock().advance(gapMs);
    if (doubleClick)
        secondClickOfDoubleClick(diary->MonthCalendar2, day);
    else
        clickDay(diary->MonthCalendar2, day);
    QCOMPARE(f.current(), int(opens ? EditCalendarTab : CalendarTab));
    if (opens)
        QCOMPARE(f.page<DiaryNotePage>(EditCalendarTab)->DateTimePicker5->date(), day);
}

void TestDiary::editorDateFieldReloadsAndDropsTyping() {
    EditorFixture f(march5);
    writeNote(f.form().diaryStore(), QDate(2024, 3, 6), {"Wednesday's note"});
    DiaryNotePage* note = openNote(f, QDate(2024, 3, 5));
    QTest::keyClicks(note->Memo2, u"typed, never saved"_s);
    QVERIFY(note->DsFancyButton46->isEnabled());
    note->DateTimePicker5->setFocus();
    note->DateTimePicker5->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(note->DateTimePicker5, Qt::Key_Up);
    QCOMPARE(f.page<DiaryPage>(CalendarTab)->calendarDate(), QDate(2024, 3, 6));
    QCOMPARE(note->Memo2->toPlainText(), u"Wednesday's note"_s);
    QVERIFY(!note->DsFancyButton46->isEnabled());
    QVERIFY(note->lab3->text().endsWith(u"06/03/2024"_s));
    QVERIFY(!f.form().diaryStore().HasSection(DiaryNotes::section(QDate(2024, 3, 5))));
}

void TestDiary::anyTextComesBackUnchanged() {
    EditorFixture f(march5);
    const QDate day(2024, 3, 8);
    const QString text = u"Tabs\tinside\tthe line\n"_s + QString(2000, u'w') + u"\n<tag> & \"quotes\" 'single'\n"_s +
                         u"שלום עולם – مرحبا\n日本語のメモ\nEmoji 🎂🎉 and a\u00a0no-break space\n\nlast"_s;
    DiaryNotePage* note = openNote(f, day);
    note->Memo2->setPlainText(text);
    click(note->DsFancyButton46);

    TXMLIniFile reloaded(f.dataFile(u"Calendar.xml"_s));
    QCOMPARE(DiaryNotes::read(reloaded, day), DiaryNotes::linesOf(text));
    click(note->DsFancyButton45);
    click(f.page<DiaryPage>(CalendarTab)->DsFancyButton44);
    QCOMPARE(note->noteText(), text);
}

void TestDiary::tabLeavesTheNote() {
    EditorFixture f(march5);
    DiaryNotePage* note = openNote(f, QDate(2024, 3, 7));
    note->Memo2->setFocus();
    QTest::keyClicks(note->Memo2, u"line5"_s);
    QTest::keyClick(note->Memo2, Qt::Key_Tab);
    QCOMPARE(note->Memo2->toPlainText(), u"line5"_s);
    QVERIFY(QApplication::focusWidget() != note->Memo2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), note->Memo2);
}

QTEST_MAIN(TestDiary)
#include "tst_Diary.moc"
