#include "support/Caption.h"
#include "ui_editors/EditorFixture.h"
#include "ui_editors/EditorTestSupport.h"

#include "context/PageIndex.h"
#include "platform/UrlOpener.h"
#include "store/XMLIniFile.h"
#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntries.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"
#include "widgets/FancyButton.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QUrl>

using EditorTest::click;
using EditorTest::keysOf;

// The address book: the table, its sorting and menu, the entry form, and the hand-over to the mail program.
class TestAddressBook : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newEntryTakesTheFirstFreeNumber();
    void fiveKeysInOrderInOneSave();
    void changeKeepsTheNumberAndUntouchedBytes();
    void addEnabledByTheName();
    void deleteErasesAtOnce();
    void menuItemsPerSelection_data();
    void menuItemsPerSelection();
    void sortToggling();
    void keyboardLeavesTheTableSortsAndGoesBack();
    void nonNumericSectionIsAnEntryLikeTheOthers();
    void changeWithoutSelectionDoesNothing();
    void mailtoUrl_data();
    void mailtoUrl();
};

namespace {

const QDateTime march5(QDate(2024, 3, 5), QTime(10, 0));

class RecordingOpener final : public UrlOpener {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    QList<QUrl> opened;
};

RecordingOpener* g_opener = nullptr;

void writeEntry(TXMLIniFile& book, const QByteArray& section, const QByteArrayList& values) {
    AddressEntries::write(book, section, values);
}

AddressBookPage* openBook(EditorFixture& f) {
    f.show(AddressTab);
    return f.page<AddressBookPage>(AddressTab);
}

QStringList column(const QTableWidget* table, int c) {
    QStringList texts;
    for (int r = 0; r < table->rowCount(); ++r)
        texts << table->item(r, c)->text();
    return texts;
}

void selectRowNamed(AddressBookPage* book, const QString& name) {
    const QStringList names = column(book->ListView5, AddressBookPage::NameColumn);
    const int row = int(names.indexOf(name));
    QVERIFY2(row >= 0, qPrintable(name));
    QTest::mouseClick(book->ListView5->viewport(), Qt::LeftButton, {},
                      book->ListView5->visualItemRect(book->ListView5->item(row, 0)).center());
}

void typeEntry(AddressEntryPage* form, const QStringList& values) {
    const QList<QLineEdit*> edits = form->fields();
    for (int i = 0; i < values.size(); ++i) {
        edits.at(i)->clear();
        edits.at(i)->insert(values.at(i)); // as typed; keyClicks() knows ASCII only
    }
}

} // namespace

void TestAddressBook::init() {
    g_opener = new RecordingOpener;
    UrlOpener::setInstance(g_opener);
}

void TestAddressBook::cleanup() {
    UrlOpener::setInstance(nullptr);
    delete g_opener;
    g_opener = nullptr;
}

void TestAddressBook::newEntryTakesTheFirstFreeNumber() {
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().addressBookStore();
    for (const QByteArray s : {"0", "1", "3"})
        writeEntry(store, s, {"Entry " + s, "", "", "", ""});
    AddressBookPage* book = openBook(f);
    click(book->DsFancyButton38);
    auto* form = f.page<AddressEntryPage>(AddAddressTab);
    typeEntry(form, {u"Second"_s});
    click(form->DsFancyButton41);
    QCOMPARE(store.ReadString("2", "name", "-"), QByteArray("Second"));
    // The form is emptied for the next entry and stays.
    QCOMPARE(f.current(), int(AddAddressTab));
    QVERIFY(form->Edit6->text().isEmpty());
    QVERIFY(!form->DsFancyButton41->isEnabled());

    click(form->DsFancyButton42);
    selectRowNamed(book, u"Entry 0"_s);
    click(book->DsFancyButton40);
    click(book->DsFancyButton38);
    typeEntry(form, {u"Reuses zero"_s});
    click(form->DsFancyButton41);
    QCOMPARE(store.ReadString("0", "name", "-"), QByteArray("Reuses zero"));
    QCOMPARE(store.ReadSections().size(), 4);
}

void TestAddressBook::fiveKeysInOrderInOneSave() {
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().addressBookStore();
    click(openBook(f)->DsFancyButton38);
    auto* form = f.page<AddressEntryPage>(AddAddressTab);
    QCOMPARE(Caption::shown(form->DsFancyButton41->text()), u"Add"_s);
    typeEntry(form, {u"Zoë Ångström"_s});
    const quint64 saves = store.saveCount();
    click(form->DsFancyButton41);
    QCOMPARE(store.saveCount(), saves + 1);
    TXMLIniFile onDisk(f.dataFile(u"AddressBook.xml"_s));
    QCOMPARE(keysOf(onDisk, "0"),
             (QByteArrayList{"name=" + u"Zoë Ångström"_s.toUtf8(), "address=", "phone=", "email=", "other="}));
}

void TestAddressBook::changeKeepsTheNumberAndUntouchedBytes() {
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().addressBookStore();
    writeEntry(store, "4", {"Ann", "Rue de l'\xE9glise 3", "0123", "ann@example.org", ""}); // Windows-1252
    writeEntry(store, "7", {"Bob", "", "", "", ""});
    AddressBookPage* book = openBook(f);
    QCOMPARE(column(book->ListView5, AddressBookPage::AddressColumn).first(), u"Rue de l'église 3"_s);
    selectRowNamed(book, u"Ann"_s);
    click(book->DsFancyButton39);
    QVERIFY(f.form().edit().addressEditMode);
    auto* form = f.page<AddressEntryPage>(AddAddressTab);
    QCOMPARE(Caption::shown(form->DsFancyButton41->text()), u"Change"_s);
    QCOMPARE(form->Edit9->text(), u"ann@example.org"_s);
    typeEntry(form, {u"Ann Smith"_s});
    click(form->DsFancyButton41);
    QCOMPARE(f.current(), int(AddAddressTab));
    QCOMPARE(form->Edit6->text(), u"Ann Smith"_s);
    QCOMPARE(keysOf(store, "4"), (QByteArrayList{"name=Ann Smith", "address=Rue de l'\xE9glise 3", "phone=0123",
                                                 "email=ann@example.org", "other="}));
    QCOMPARE(store.ReadSections(), (QByteArrayList{"4", "7"}));

    // Emptying the name disables "Change"; "<<Back" ends change mode and shows the table as stored.
    form->Edit6->clear();
    QVERIFY(!form->DsFancyButton41->isEnabled());
    click(form->DsFancyButton42);
    QVERIFY(!f.form().edit().addressEditMode);
    QCOMPARE(column(book->ListView5, AddressBookPage::NameColumn), (QStringList{u"Ann Smith"_s, u"Bob"_s}));
}

void TestAddressBook::addEnabledByTheName() {
    EditorFixture f(march5);
    click(openBook(f)->DsFancyButton38);
    auto* form = f.page<AddressEntryPage>(AddAddressTab);
    typeEntry(form, {QString(), u"Only an address"_s});
    QVERIFY(!form->DsFancyButton41->isEnabled());
    QTest::keyClicks(form->Edit6, QString(150, u'n'));
    QVERIFY(form->DsFancyButton41->isEnabled());
    QCOMPARE(form->Edit6->text().size(), AddressEntryPage::maxFieldLength);
}

void TestAddressBook::deleteErasesAtOnce() {
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().addressBookStore();
    writeEntry(store, "0", {"Ann", "", "", "", ""});
    writeEntry(store, "1", {"Bob", "", "", "", ""});
    writeEntry(store, "2", {"Cid", "", "", "", ""});
    AddressBookPage* book = openBook(f);
    QVERIFY(!book->DsFancyButton40->isEnabled());
    selectRowNamed(book, u"Bob"_s);
    QVERIFY(book->DsFancyButton39->isEnabled());
    click(book->DsFancyButton40);
    QCOMPARE(store.ReadSections(), (QByteArrayList{"0", "2"}));
    QCOMPARE(column(book->ListView5, AddressBookPage::NameColumn), (QStringList{u"Ann"_s, u"Cid"_s}));
    QVERIFY(!book->DsFancyButton40->isEnabled());
    QVERIFY(!book->DsFancyButton39->isEnabled());
}

void TestAddressBook::menuItemsPerSelection_data() {
    QTest::addColumn<QString>("rowName"); // empty: a click below the rows
    QTest::addColumn<bool>("edit");
    QTest::addColumn<bool>("mail");
    QTest::newRow("entry without e-mail") << u"Bob"_s << true << false;
    QTest::newRow("entry with e-mail") << u"Ann"_s << true << true;
    QTest::newRow("empty space") << QString() << false << false;
}

void TestAddressBook::menuItemsPerSelection() {
    QFETCH(QString, rowName);
    QFETCH(bool, edit);
    QFETCH(bool, mail);
    EditorFixture f(march5);
    writeEntry(f.form().addressBookStore(), "0", {"Ann", "", "", "ann@example.org", ""});
    writeEntry(f.form().addressBookStore(), "1", {"Bob", "", "", "", ""});
    AddressBookPage* book = openBook(f);
    selectRowNamed(book, u"Ann"_s);
    QPoint at(5, book->ListView5->viewport()->height() - 5);
    if (!rowName.isEmpty()) {
        const int row = int(column(book->ListView5, 0).indexOf(rowName));
        at = book->ListView5->visualItemRect(book->ListView5->item(row, 0)).center();
    }
    book->ListView5ContextPopup(at);
    QVERIFY(book->AddNew1->isVisible());
    QCOMPARE(book->PopupMenu3->defaultAction(), book->AddNew1);
    QCOMPARE(book->Edit13->isVisible(), edit);
    QCOMPARE(book->Delete2->isVisible(), edit);
    QCOMPARE(book->SendEmail1->isVisible(), mail);
    QCOMPARE(book->DsFancyButton39->isEnabled(), edit);
}

void TestAddressBook::sortToggling() {
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().addressBookStore();
    writeEntry(store, "0", {"beta", "", "", "z@example.org", ""});
    writeEntry(store, "1", {"Alpha", "", "", "b@example.org", ""});
    writeEntry(store, "2", {"alpha", "", "", "", ""});
    writeEntry(store, "3", {"Émile", "", "", "a@example.org", ""});
    AddressBookPage* book = openBook(f);
    QTableWidget* table = book->ListView5;
    // Letter case plays no part, and equal names keep their order; accents sort with their letter.
    QCOMPARE(column(table, 0), (QStringList{u"Alpha"_s, u"alpha"_s, u"beta"_s, u"Émile"_s}));
    QCOMPARE(f.page<AddressBookPage>(AddressTab)->addressSortKey(), 1);

    const auto clickHeader = [table](int c) {
        QHeaderView* header = table->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, 5));
    };
    clickHeader(AddressBookPage::NameColumn);
    QCOMPARE(f.page<AddressBookPage>(AddressTab)->addressSortKey(), -1);
    QCOMPARE(column(table, 0).first(), u"Émile"_s);
    clickHeader(AddressBookPage::EmailColumn);
    QCOMPARE(f.page<AddressBookPage>(AddressTab)->addressSortKey(), 4);
    QCOMPARE(column(table, AddressBookPage::EmailColumn),
             (QStringList{QString(), u"a@example.org"_s, u"b@example.org"_s, u"z@example.org"_s}));
    clickHeader(AddressBookPage::EmailColumn);
    QCOMPARE(f.page<AddressBookPage>(AddressTab)->addressSortKey(), -4);
    QCOMPARE(column(table, AddressBookPage::EmailColumn).first(), u"z@example.org"_s);
    // The key outlives the page: the table comes back sorted the same way.
    f.show(MainTab);
    openBook(f);
    QCOMPARE(column(table, AddressBookPage::EmailColumn).first(), u"z@example.org"_s);
}

void TestAddressBook::keyboardLeavesTheTableSortsAndGoesBack() {
    EditorFixture f(march5);
    writeEntry(f.form().addressBookStore(), "0", {"Bob", "", "", "", "b"});
    writeEntry(f.form().addressBookStore(), "1", {"Ann", "", "", "ann@example.org", "a"});
    AddressBookPage* book = openBook(f);
    QTableWidget* table = book->ListView5;
    selectRowNamed(book, u"Ann"_s);
    table->setFocus();

    // Tab leaves the table for the buttons; Shift+Tab from the table reaches the column headers.
    QTest::keyClick(table, Qt::Key_Tab);
    QWidget* after = QApplication::focusWidget();
    QVERIFY(after != table);
    QVERIFY2(
        QList<QWidget*>({book->DsFancyButton37, book->DsFancyButton38, book->DsFancyButton39, book->DsFancyButton40})
            .contains(after),
        qPrintable(after ? after->objectName() + u' ' + QLatin1String(after->metaObject()->className()) : u"none"_s));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab, Qt::ShiftModifier);
    QHeaderView* header = table->horizontalHeader();
    QCOMPARE(QApplication::focusWidget(), header);
    QTest::keyClick(header, Qt::Key_Space); // the column sorted by: the order turns round
    QCOMPARE(f.page<AddressBookPage>(AddressTab)->addressSortKey(), -1);
    QCOMPARE(column(table, 0), (QStringList{u"Bob"_s, u"Ann"_s}));
    QTest::keyClick(header, Qt::Key_End);
    QTest::keyClick(header, Qt::Key_Return);
    QCOMPARE(f.page<AddressBookPage>(AddressTab)->addressSortKey(), 5);
    QCOMPARE(column(table, 0), (QStringList{u"Ann"_s, u"Bob"_s}));

    // The Menu key opens the table's menu with its default item active.
    table->setFocus();
    const QPoint at = table->visualRect(table->currentIndex()).center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, table->mapToGlobal(at));
    QApplication::sendEvent(table, &menuKey);
    QTRY_VERIFY(book->PopupMenu3->isVisible());
    QCOMPARE(book->PopupMenu3->activeAction(), book->AddNew1);
    book->PopupMenu3->hide();

    QTest::keyClick(table, Qt::Key_Escape);
    QTRY_COMPARE(f.current(), int(MainTab));
}

void TestAddressBook::nonNumericSectionIsAnEntryLikeTheOthers() {
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().addressBookStore();
    writeEntry(store, "0", {"Ann", "", "", "", ""});
    writeEntry(store, "friend", {"Hand Edited", "", "", "", ""});
    writeEntry(store, "2", {"Cid", "", "", "", ""});
    AddressBookPage* book = openBook(f);
    QCOMPARE(column(book->ListView5, 0), (QStringList{u"Ann"_s, u"Cid"_s, u"Hand Edited"_s}));
    selectRowNamed(book, u"Hand Edited"_s);
    click(book->DsFancyButton39);
    auto* form = f.page<AddressEntryPage>(AddAddressTab);
    typeEntry(form, {u"Hand Edited"_s, u"New address"_s});
    click(form->DsFancyButton41);
    QCOMPARE(store.ReadString("friend", "address", "-"), QByteArray("New address"));
    click(form->DsFancyButton42);
    selectRowNamed(book, u"Hand Edited"_s);
    click(book->DsFancyButton40);
    QCOMPARE(store.ReadSections(), (QByteArrayList{"0", "2"}));
}

void TestAddressBook::changeWithoutSelectionDoesNothing() {
    EditorFixture f(march5);
    TXMLIniFile& store = f.form().addressBookStore();
    writeEntry(store, "0", {"Ann", "", "", "", ""});
    AddressBookPage* book = openBook(f);
    selectRowNamed(book, u"Ann"_s);
    click(book->DsFancyButton39);
    // Left through the tray menu: the table is filled again with nothing selected, change mode stays.
    f.show(AddressTab);
    f.show(AddAddressTab);
    auto* form = f.page<AddressEntryPage>(AddAddressTab);
    QCOMPARE(Caption::shown(form->DsFancyButton41->text()), u"Change"_s);
    const QByteArray before = store.GetXML();
    typeEntry(form, {u"Nobody"_s});
    click(form->DsFancyButton41);
    QCOMPARE(store.GetXML(), before);
}

void TestAddressBook::mailtoUrl_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("url");
    QTest::newRow("plain") << u"ann@example.org"_s << QByteArray("mailto:ann@example.org");
    QTest::newRow("headers and body stay in the address")
        << u"ann@example.org?cc=eve@evil.example&body=hi#x"_s
        << QByteArray("mailto:ann@example.org%3Fcc=eve@evil.example&body=hi%23x");
    QTest::newRow("blanks") << u" ann smith@example.org"_s << QByteArray("mailto:%20ann%20smith@example.org");
    QTest::newRow("non-Latin") << u"zoë@exämple.org"_s << QByteArray("mailto:zo%C3%AB@ex%C3%A4mple.org");
}

void TestAddressBook::mailtoUrl() {
    QFETCH(QString, address);
    QFETCH(QByteArray, url);
    EditorFixture f(march5);
    writeEntry(f.form().addressBookStore(), "0", {"Ann", "", "", address.toUtf8(), ""});
    AddressBookPage* book = openBook(f);
    selectRowNamed(book, u"Ann"_s);
    book->ListView5ContextPopup(book->ListView5->visualItemRect(book->ListView5->item(0, 0)).center());
    QVERIFY(book->SendEmail1->isVisible());
    book->SendEmail1->trigger();
    QCOMPARE(g_opener->opened.size(), 1);
    const QUrl opened = g_opener->opened.first();
    QCOMPARE(opened.toEncoded(), url);
    QCOMPARE(opened.scheme(), u"mailto"_s);
    QVERIFY(!opened.hasQuery());
    QVERIFY(!opened.hasFragment());
    QCOMPARE(opened.path(QUrl::FullyDecoded), address);
}

QTEST_MAIN(TestAddressBook)
#include "tst_AddressBook.moc"
