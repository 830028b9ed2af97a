// The program in German: the catalogue is found for the user's languages, and texts that are stored or compared
// with stored ones stay as they are stored whatever language the pages show them in.
#include "EditorFixture.h"
#include "EditorTestSupport.h"
#include "app/Translations.h"
#include "context/PageIndex.h"
#include "support/Caption.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/views/AlarmListPage.h"
#include "widgets/DateField.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using EditorTest::click;

class TestGermanTexts : public QObject {
    Q_OBJECT

private slots:
    void languageChoice_data();
    void languageChoice();
    void newAlarmIsFiledUnderGeneral();
    void storedGeneralIsChosenWhenEditing();
    void listFilterFindsGeneral();

private:
    void useGerman();
};

namespace {

const QDateTime wednesday(QDate(2007, 11, 14), QTime(10, 15));

void removeTranslators() {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

void writeAlarm(TXMLIniFile& events, const QByteArray& section, const QByteArray& text, const QByteArray& category) {
    events.WriteString(section, "altype", "alarm");
    events.WriteString(section, "date", "39500");
    events.WriteString(section, "repeat", "0");
    events.WriteString(section, "sound", "1");
    events.WriteString(section, "category", category);
    events.WriteString(section, "linecount", "1");
    events.WriteString(section, "0", text);
}

} // namespace

void TestGermanTexts::useGerman() {
    removeTranslators();
    QCOMPARE(Translations::install(*qApp, {u"de-DE"_s}), u"de_DE"_s);
}

void TestGermanTexts::languageChoice_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<bool>("german");
    QTest::newRow("German") << QStringList{u"de"_s} << true;
    QTest::newRow("German of Austria") << QStringList{u"de-AT"_s, u"de"_s} << true;
    QTest::newRow("a language without a catalogue, then German") << QStringList{u"fr-FR"_s, u"de"_s} << true;
    QTest::newRow("English before German") << QStringList{u"en-GB"_s, u"de"_s} << false;
    QTest::newRow("C") << QStringList{u"C"_s} << false;
    QTest::newRow("none") << QStringList{} << false;
}

void TestGermanTexts::languageChoice() {
    QFETCH(QStringList, languages);
    QFETCH(bool, german);
    removeTranslators();
    QCOMPARE(Translations::install(*qApp, languages).startsWith(u"de"_s), german);
    QCOMPARE(Caption::shown(QCoreApplication::translate("MainMenuPage", "S&ettings")),
             german ? u"Einstellungen"_s : u"Settings"_s);
    removeTranslators();
}

void TestGermanTexts::newAlarmIsFiledUnderGeneral() {
    useGerman();
    EditorFixture f(wednesday);
    f.openMainMenuEntry(1);
    AlarmEditorPage* page = f.page<AlarmEditorPage>(AlarmTab);
    QCOMPARE(page->ComboBox2->currentText(), u"Allgemein"_s);
    QTest::keyClicks(page->Memo1, u"Blumen gießen"_s);
    page->DateTimePicker1->setDate(wednesday.date().addDays(1));
    click(page->DsFancyButton2);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);
    QCOMPARE(f.form().eventStore().ReadString("0", "category", {}), QByteArray("General"));
    removeTranslators();
}

void TestGermanTexts::storedGeneralIsChosenWhenEditing() {
    useGerman();
    EditorFixture f(wednesday);
    f.form().settingsStore().WriteInt("categories", "count", 1);
    f.form().settingsStore().WriteString("categories", "0", "Work");
    writeAlarm(f.form().eventStore(), "3", "Pay the rent", "General");
    AlarmEditorPage* page = f.page<AlarmEditorPage>(AlarmTab);
    f.form().edit().editFromList = true;
    f.form().edit().editSection = 3;
    f.show(AlarmTab);
    QCOMPARE(page->ComboBox2->currentIndex(), 0);
    QCOMPARE(page->ComboBox2->currentText(), u"Allgemein"_s);
    removeTranslators();
}

void TestGermanTexts::listFilterFindsGeneral() {
    useGerman();
    EditorFixture f(wednesday);
    writeAlarm(f.form().eventStore(), "0", "Pay the rent", "General");
    writeAlarm(f.form().eventStore(), "1", "Call Bob", "Work");
    f.show(ViewTabAl);
    auto* page = f.page<AlarmListPage>(ViewTabAl);
    page->ComboBox4->setFocus();
    QTest::keyClick(page->ComboBox4, Qt::Key_Down);
    QCOMPARE(page->ComboBox4->currentText(), u"Allgemein"_s);
    QCOMPARE(page->ListView1->topLevelItemCount(), 1);
    QCOMPARE(page->ListView1->topLevelItem(0)->text(0), u"\"Pay the rent\""_s);
    removeTranslators();
}

QTEST_MAIN(TestGermanTexts)
#include "tst_GermanTexts.moc"
