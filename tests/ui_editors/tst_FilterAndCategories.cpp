#include "EditorFixture.h"
#include "EditorTestSupport.h"
#include "support/PageFixture.h"

#include "context/PageIndex.h"
#include "store/XMLIniFile.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/CategoryPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/DayMonthFilterPage.h"
#include "ui/editors/EditorPages.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

using EditorTest::click;
using EditorTest::keysOf;

// The day and month filter page and the category editor, both reached from the alarm page.
class TestFilterAndCategories : public QObject {
    Q_OBJECT
private slots:
    void filterChecks_data();
    void filterChecks();
    void allSevenTickedReturnsAsAllDays();
    void onlySundayIsStored();
    void allModeTakesNoTicks();
    void noCategoriesShowGeneralOnly();
    void generalIsUntouchable();
    void addTwiceAndApply();
    void deleteKeyAndApplyRewriteTheSection();
    void renameInPlaceWithF2();
    void emptyRenameKeepsTheName();
    void windows1252NamesShowDecodedAndKeepTheirBytes();
    void backDropsUnappliedChanges();
};

namespace {

// The new alarm is proposed for 10:16.
const QDateTime wednesday(QDate(2007, 11, 14), QTime(10, 15, 30));

// The alarm page with repetition on, and the filter page opened from its "Advanced".
DayMonthFilterPage* openFilter(EditorFixture& f) {
    f.show(AlarmTab);
    AlarmEditorPage* alarm = f.page<AlarmEditorPage>(AlarmTab);
    alarm->Memo1->setPlainText(u"Water the plants"_s);
    click(alarm->myaSuperLabel9);
    click(alarm->myaSuperLabel46);
    return f.page<DayMonthFilterPage>(MoreTab);
}

void commitAlarm(EditorFixture& f) {
    click(f.page<AlarmEditorPage>(AlarmTab)->DsFancyButton2);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);
}

CategoryPage* openCategories(EditorFixture& f) {
    f.show(AlarmTab);
    click(f.page<AlarmEditorPage>(AlarmTab)->myaSuperLabel51);
    return f.form().PageControl1->page<CategoryPage>(CategoryTab);
}

// The category page on its own, for what happens on it alone.
struct CategoryFixture : PageFixture<CategoryPage> {
    CategoryFixture()
        : PageFixture(CategoryTab, &CategoryPage::CategoryTabShow, wednesday) {}
    TXMLIniFile& settingsStore() { return stores().settingsStore(); }
};

CategoryPage* openCategories(CategoryFixture& f) {
    f.show();
    return f.page;
}

QStringList rows(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void writeCategories(TXMLIniFile& settings, const QList<QByteArray>& names) {
    settings.WriteInt("categories", "count", int(names.size()));
    for (int i = 0; i < names.size(); ++i)
        settings.WriteString("categories", QByteArray::number(i), names.at(i));
}

} // namespace

void TestFilterAndCategories::filterChecks_data() {
    QTest::addColumn<bool>("noDay");
    QTest::addColumn<bool>("noMonth");
    QTest::addColumn<QString>("message");
    QTest::newRow("no day") << true << false << u"Select at least one day..."_s;
    QTest::newRow("no month") << false << true << u"Select at least one month..."_s;
    QTest::newRow("neither: the day comes first") << true << true << u"Select at least one day..."_s;
}

void TestFilterAndCategories::filterChecks() {
    QFETCH(bool, noDay);
    QFETCH(bool, noMonth);
    QFETCH(QString, message);
    EditorFixture f(wednesday);
    DayMonthFilterPage* filter = openFilter(f);
    QCOMPARE(f.current(), int(MoreTab));
    if (noDay) {
        click(filter->myLabel3d16);
        for (LabelToggle* label : filter->dayLabel)
            click(label);
    }
    if (noMonth) {
        click(filter->myLabel3d18);
        for (QCheckBox* box : filter->monthBox)
            click(box);
    }
    click(filter->DsFancyButton31);
    QCOMPARE(f.messages(), QStringList{message});
    QCOMPARE(f.current(), int(MoreTab));
    QVERIFY(!f.form().edit().returnToEditor);
}

void TestFilterAndCategories::allSevenTickedReturnsAsAllDays() {
    EditorFixture f(wednesday);
    DayMonthFilterPage* filter = openFilter(f);
    click(filter->myLabel3d16);
    QVERIFY(!f.form().edit().allDays && filter->dayBox[3]->isEnabled());
    click(filter->myLabel3d18);
    click(filter->monthLabel[0]);
    QTest::keyClick(filter, Qt::Key_Escape);
    QCOMPARE(f.current(), int(AlarmTab));
    QVERIFY(f.form().edit().allDays && !f.form().edit().allMonths);
    QVERIFY(filter->myLabel3d15->isChosen() && !filter->myLabel3d16->isChosen());
    QVERIFY(!filter->dayBox[3]->isEnabled() && !filter->dayLabel[3]->isEnabled());
    commitAlarm(f);
    const QByteArrayList keys = keysOf(f.form().eventStore(), "0");
    QVERIFY(keys.contains("alldays=1") && keys.contains("allmonths=0") && keys.contains("Months=011111111111"));
    QVERIFY(!f.form().eventStore().HasKey("0", "Days"));
}

void TestFilterAndCategories::onlySundayIsStored() {
    EditorFixture f(wednesday);
    DayMonthFilterPage* filter = openFilter(f);
    click(filter->myLabel3d16);
    for (int day = 1; day < 7; ++day)
        click(filter->dayLabel[day]);
    click(filter->DsFancyButton31);
    commitAlarm(f);
    QCOMPARE(keysOf(f.form().eventStore(), "0"),
             (QByteArrayList{"bypass=0", "altype=alarm", "date=39400.4277777778", "repeat=1", "repval=1", "reptype=0",
                             "alldays=0", "allmonths=1", "Days=1000000", "sound=1", "category=General", "linecount=1",
                             "0=Water the plants"}));
}

void TestFilterAndCategories::allModeTakesNoTicks() {
    EditorFixture f(wednesday);
    DayMonthFilterPage* filter = openFilter(f);
    QVERIFY(!filter->dayLabel[1]->isEnabled());
    QTest::mouseClick(filter->dayLabel[1], Qt::LeftButton);
    QVERIFY(filter->dayBox[1]->isChecked());
    // Back to "all" ticks every box again.
    click(filter->myLabel3d18);
    click(filter->monthLabel[5]);
    click(filter->myLabel3d17);
    QVERIFY(filter->monthBox[5]->isChecked() && f.form().edit().allMonths);
}

void TestFilterAndCategories::noCategoriesShowGeneralOnly() {
    EditorFixture f(wednesday);
    CategoryPage* page = openCategories(f);
    QCOMPARE(f.current(), int(CategoryTab));
    QCOMPARE(rows(page->ListBox1), QStringList{u"General"_s});
    QCOMPARE(f.page<AlarmEditorPage>(AlarmTab)->ComboBox2->count(), 1);
    QVERIFY(!page->DsFancyButton33->isEnabled() && !page->DsFancyButton35->isEnabled());
}

void TestFilterAndCategories::generalIsUntouchable() {
    CategoryFixture f;
    writeCategories(f.settingsStore(), {"Work"});
    CategoryPage* page = openCategories(f);
    page->ListBox1->setCurrentRow(0);
    QVERIFY(!page->DsFancyButton36->isEnabled() && !page->DsFancyButton34->isEnabled());
    QTest::keyClick(page->ListBox1, Qt::Key_F2);
    QVERIFY(!f.page->categoryEditing());
    QVERIFY(!page->ListBox1->findChild<QLineEdit*>());
    QTest::keyClick(page->ListBox1, Qt::Key_Delete);
    QCOMPARE(rows(page->ListBox1), (QStringList{u"General"_s, u"Work"_s}));
    page->ListBox1->setCurrentRow(1);
    QVERIFY(page->DsFancyButton36->isEnabled() && page->DsFancyButton34->isEnabled());
}

void TestFilterAndCategories::addTwiceAndApply() {
    EditorFixture f(wednesday);
    CategoryPage* page = openCategories(f);
    for (int i = 0; i < 2; ++i) {
        QTest::keyClicks(page->Edit5, u"Name Day"_s);
        QVERIFY(page->DsFancyButton33->isEnabled());
        QTest::keyClick(page->Edit5, Qt::Key_Return);
        QVERIFY(page->Edit5->text().isEmpty() && !page->DsFancyButton33->isEnabled());
    }
    QCOMPARE(rows(page->ListBox1), (QStringList{u"General"_s, u"Name Day"_s, u"Name Day"_s}));
    const quint64 saves = f.form().settingsStore().saveCount();
    click(page->DsFancyButton35);
    QCOMPARE(f.form().settingsStore().saveCount(), saves + 1);
    QVERIFY(!page->DsFancyButton35->isEnabled());
    QCOMPARE(keysOf(f.form().settingsStore(), "categories"), (QByteArrayList{"count=2", "0=Name Day", "1=Name Day"}));
    QCOMPARE(f.page<AlarmEditorPage>(AlarmTab)->ComboBox2->count(), 3);
}

void TestFilterAndCategories::deleteKeyAndApplyRewriteTheSection() {
    EditorFixture f(wednesday);
    writeCategories(f.form().settingsStore(), {"Work", "Family", "Sport"});
    AlarmEditorPage* alarm = f.page<AlarmEditorPage>(AlarmTab);
    CategoryPage* page = openCategories(f);
    alarm->ComboBox2->setCurrentIndex(3);
    page->ListBox1->setCurrentRow(2);
    page->ListBox1->setFocus();
    QTest::keyClick(page->ListBox1, Qt::Key_Delete);
    QCOMPARE(rows(page->ListBox1), (QStringList{u"General"_s, u"Work"_s, u"Sport"_s}));
    QVERIFY(page->DsFancyButton35->isEnabled());
    QVERIFY(f.form().settingsStore().HasKey("categories", "2")); // nothing written before "Apply"
    click(page->DsFancyButton35);
    QCOMPARE(keysOf(f.form().settingsStore(), "categories"), (QByteArrayList{"count=2", "0=Work", "1=Sport"}));
    QCOMPARE(alarm->ComboBox2->count(), 3);
    QCOMPARE(alarm->ComboBox2->currentText(), u"General"_s);
}

void TestFilterAndCategories::renameInPlaceWithF2() {
    CategoryFixture f;
    writeCategories(f.settingsStore(), {"Wrok"});
    CategoryPage* page = openCategories(f);
    page->ListBox1->setCurrentRow(1);
    page->ListBox1->setFocus();
    QTest::keyClick(page->ListBox1, Qt::Key_F2);
    QVERIFY(f.page->categoryEditing());
    auto* editor = page->ListBox1->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, u"Work"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    // The list closes its editor once the key has been handled.
    QTRY_VERIFY(!f.page->categoryEditing());
    QCOMPARE(rows(page->ListBox1), (QStringList{u"General"_s, u"Work"_s}));
    QVERIFY(page->DsFancyButton35->isEnabled());
    click(page->DsFancyButton35);
    QCOMPARE(keysOf(f.settingsStore(), "categories"), (QByteArrayList{"count=1", "0=Work"}));
}

void TestFilterAndCategories::emptyRenameKeepsTheName() {
    CategoryFixture f;
    writeCategories(f.settingsStore(), {"Work"});
    CategoryPage* page = openCategories(f);
    page->ListBox1->setCurrentRow(1);
    click(page->DsFancyButton36);
    auto* editor = page->ListBox1->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!f.page->categoryEditing());
    QCOMPARE(rows(page->ListBox1), (QStringList{u"General"_s, u"Work"_s}));
    QVERIFY(!page->DsFancyButton35->isEnabled());
}

void TestFilterAndCategories::windows1252NamesShowDecodedAndKeepTheirBytes() {
    CategoryFixture f;
    // An earlier version's file: "Café" in Windows-1252, beside a UTF-8 name.
    writeCategories(f.settingsStore(), {"Caf\xe9", "Gr\xc3\xbc\xc3\x9f"
                                                   "e"});
    CategoryPage* page = openCategories(f);
    QCOMPARE(rows(page->ListBox1), (QStringList{u"General"_s, u"Caf\u00e9"_s, u"Gr\u00fc\u00dfe"_s}));
    page->Edit5->insert(u"No\u00ebl"_s); // typed: QTest types ASCII only
    click(page->DsFancyButton33);
    click(page->DsFancyButton35);
    // The names the user left alone go back as they were read; the new one is stored as UTF-8.
    QCOMPARE(keysOf(f.settingsStore(), "categories"), (QByteArrayList{"count=3", "0=Caf\xe9",
                                                                      "1=Gr\xc3\xbc\xc3\x9f"
                                                                      "e",
                                                                      "2=No\xc3\xabl"}));
}

void TestFilterAndCategories::backDropsUnappliedChanges() {
    EditorFixture f(wednesday);
    CategoryPage* page = openCategories(f);
    QTest::keyClicks(page->Edit5, u"Later"_s);
    click(page->DsFancyButton33);
    click(page->DsFancyButton32);
    QCOMPARE(f.current(), int(AlarmTab));
    QVERIFY(!f.form().settingsStore().HasSection("categories"));
    click(f.page<AlarmEditorPage>(AlarmTab)->myaSuperLabel51);
    QCOMPARE(rows(page->ListBox1), QStringList{u"General"_s});
}

QTEST_MAIN(TestFilterAndCategories)
#include "tst_FilterAndCategories.moc"
