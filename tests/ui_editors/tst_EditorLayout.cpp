// What a user sees of the editor pages with the program's own look (stylesheet), at scale 1 and, run again
// with QT_SCALE_FACTOR=2, at scale 2: numbers whole, category names whole, a long confirmation readable.

#include "EditorFixture.h"
#include "EditorTestSupport.h"
#include "support/PageFixture.h"

#include "context/PageIndex.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/EditorPages.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"
#include "widgets/Theme.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionComboBox>

using EditorTest::click;

class TestEditorLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void numberFieldsShowTheirWidestValue_data();
    void numberFieldsShowTheirWidestValue();
    void categoryBoxShowsItsNames();
    void longConfirmationScrolls_data();
    void longConfirmationScrolls();
};

namespace {

const QDateTime wednesday(QDate(2007, 11, 14), QTime(10, 15));

// The room a line edit gives its text: two pixels of margin on either side and one for the cursor.
int textRoom(const QLineEdit* edit) {
    return edit->contentsRect().width() - 2 * 2 - 1;
}

} // namespace

void TestEditorLayout::initTestCase() {
    QVERIFY2(Theme::apply(*qApp), "the stylesheet resource is missing");
}

void TestEditorLayout::numberFieldsShowTheirWidestValue_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("alarm") << int(AlarmTab);
    QTest::newRow("power action") << int(ShutTab);
    QTest::newRow("birthday") << int(BirthTab);
}

void TestEditorLayout::numberFieldsShowTheirWidestValue() {
    QFETCH(int, page);
    EditorFixture f(wednesday);
    f.show(page);
    QWidget* shown = f.form().PageControl1->currentWidget();
    const QList<SpinEdit*> fields = shown->findChildren<SpinEdit*>();
    QVERIFY(!fields.isEmpty());
    QComboBox* unit = page == AlarmTab ? f.page<AlarmEditorPage>(AlarmTab)->ComboBox1 : nullptr;
    for (int u = 0; u < (unit ? unit->count() : 1); ++u) {
        if (unit) {
            unit->setCurrentIndex(u);
            emit unit->activated(u);
        }
        for (SpinEdit* field : fields) {
            field->setValue(field->maximum());
            QApplication::processEvents();
            const QLineEdit* edit = field->findChild<QLineEdit*>();
            const int needed = edit->fontMetrics().horizontalAdvance(edit->text());
            QVERIFY2(textRoom(edit) >= needed,
                     qPrintable(u"%1 shows %2 in %3 of %4 pixels"_s.arg(field->objectName(), edit->text())
                                    .arg(textRoom(edit))
                                    .arg(needed)));
        }
    }
}

void TestEditorLayout::categoryBoxShowsItsNames() {
    EditorFixture f(wednesday);
    const QStringList names{u"Household and garden"_s, u"Friends' birthdays"_s};
    TXMLIniFile& settings = f.form().settingsStore();
    settings.WriteInt("categories", "count", int(names.size()));
    for (int i = 0; i < names.size(); ++i)
        settings.WriteString("categories", QByteArray::number(i), names[i].toUtf8());
    f.openMainMenuEntry(1);
    QCOMPARE(f.current(), int(AlarmTab));
    QComboBox* box = f.page<AlarmEditorPage>(AlarmTab)->ComboBox2;
    QCOMPARE(box->count(), 3);
    QApplication::processEvents();
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = false;
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    for (const QString& name : names)
        QVERIFY2(field.width() >= box->fontMetrics().horizontalAdvance(name),
                 qPrintable(u"%1 pixels for \"%2\" (box %3, hint %4)"_s.arg(field.width())
                                .arg(name)
                                .arg(box->width())
                                .arg(box->sizeHint().width())));
    // And the row still fits the page.
    QVERIFY(box->geometry().right() < f.form().PageControl1->currentWidget()->width());
}

void TestEditorLayout::longConfirmationScrolls_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("scrolls");
    QStringList lines{u"The Alarm will be shown at:"_s, u"Wednesday, 14 November 2007 10:16:00"_s};
    for (int i = 1; i <= 30; ++i)
        lines << u"Line %1 of a long description"_s.arg(i);
    QTest::newRow("many lines") << lines.join(u'\n') << true;
    QTest::newRow("one long word") << u"Remember: "_s + QString(400, u'x') << false;
}

// The whole text can be reached, nothing runs under the buttons or past the page's side.
void TestEditorLayout::longConfirmationScrolls() {
    QFETCH(QString, text);
    QFETCH(bool, scrolls);
    PageFixture<ConfirmationPage> f(ConfirmTab, nullptr, wednesday);
    ConfirmationPage* page = f.page;
    page->setText(text);
    f.show();
    QApplication::processEvents();
    QCOMPARE(page->text(), text);
    ShadowLabel* label = page->Conf2;
    QScrollArea* scroll = page->findChild<QScrollArea*>();
    QVERIFY(scroll);
    QVERIFY(scroll->isAncestorOf(label));
    QVERIFY(label->width() <= scroll->viewport()->width());
    QVERIFY2(label->height() >= label->heightForWidth(label->width()),
             qPrintable(u"%1 of %2 pixels"_s.arg(label->height()).arg(label->heightForWidth(label->width()))));
    if (scrolls)
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    QVERIFY(scroll->geometry().bottom() < page->DsFancyButton28->geometry().top());
    QVERIFY(page->DsFancyButton28->geometry().right() <= page->width());
    click(page->DsFancyButton29);
    QCOMPARE(f.currentPage(), int(AlarmTab));
}

QTEST_MAIN(TestEditorLayout)
#include "tst_EditorLayout.moc"
