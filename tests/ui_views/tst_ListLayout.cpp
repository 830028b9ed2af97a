// The four list pages with the program's own look, at scale 1 and, run again with QT_SCALE_FACTOR=2, at scale
// 2: every column but the first shows its caption and its widest text whole within the fixed window, the first
// takes what is left, and a delete moves no column.

#include "ViewsFixture.h"

#include "widgets/FancyButton.h"
#include "widgets/Theme.h"

#include <QStyleOptionHeader>

#include <numeric>

using namespace Records;

namespace {

const QDateTime clockAt(QDate(2007, 6, 1), QTime(12, 0));
// Two-digit day and month, an evening time: the widest a date of this locale is written.
const QByteArray widestMoment = at(QDate(2007, 12, 28), QTime(22, 58, 58));
constexpr int manyRows = 14; // more than the list shows at once, so its vertical scroll bar takes room too

void writeRecords(TXMLIniFile& events, TXMLIniFile& past) {
    for (int i = 0; i < manyRows; ++i) {
        const QByteArray n = QByteArray::number(i);
        write(events, "a" + n,
              {{"altype", "alarm"},
               {"date", widestMoment},
               {"linecount", "1"},
               {"0", "Renew the car insurance " + n},
               {"repeat", i == 1 ? "1" : "0"},
               {"repval", "1440"},
               {"reptype", "0"}});
        write(events, "s" + n,
              {{"altype", "shut"},
               {"date", widestMoment},
               {"shuttype", QByteArray::number(i % 5)},
               {"repeat", i == 1 ? "1" : "0"},
               {"repval", "59"},
               {"reptype", "1"}});
        write(events, "b" + n,
              {{"altype", "birth"},
               {"birthdate", at(QDate(i == 1 ? 1900 : 1970, 12, 28))},
               {"name", "Grandma Rose " + n},
               {"before", i == 1 ? "20" : "0"},
               {"sound", "1"}});
        write(past, n, {{"date", widestMoment}, {"linecount", "1"}, {"0", "Library books back " + n}});
    }
}

int page(const QString& name) {
    return name == u"ListView1"_s   ? ViewTabAl
           : name == u"ListView2"_s ? ViewTabShut
           : name == u"ListView3"_s ? ViewTabBirthDay
                                    : ViewTabPast;
}

// Whether the caption is drawn whole in its section: the style's room for it, wrapped where it has blanks.
bool captionFits(QHeaderView* header, int column) {
    QStyleOptionHeader option;
    option.initFrom(header);
    option.rect = QRect(0, 0, header->sectionSize(column), header->height());
    const QRect room = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
    QFont bold = header->font();
    bold.setBold(true);
    const QString caption = header->model()->headerData(column, Qt::Horizontal).toString();
    const QRect needed =
        QFontMetrics(bold).boundingRect(QRect(0, 0, room.width(), 10'000), Qt::AlignCenter | Qt::TextWordWrap, caption);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

QList<int> widths(const QTreeWidget* view) {
    QList<int> out;
    for (int c = 0; c < view->columnCount(); ++c)
        out << view->header()->sectionSize(c);
    return out;
}

} // namespace

class tst_ListLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void columnsFitTheWindow_data();
    void columnsFitTheWindow();
    void deleteMovesNoColumn_data();
    void deleteMovesNoColumn();
    void textNoEditorWritesScrollsSideways();
};

void tst_ListLayout::initTestCase() {
    QVERIFY2(Theme::apply(*qApp), "the stylesheet resource is missing");
}

void tst_ListLayout::columnsFitTheWindow_data() {
    QTest::addColumn<QString>("list");
    for (const char* name : {"ListView1", "ListView2", "ListView3", "ListView4"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_ListLayout::columnsFitTheWindow() {
    QFETCH(QString, list);
    ViewsFixture fx(clockAt);
    writeRecords(fx.events(), fx.past());
    fx.show(page(list));
    QTreeWidget* view = fx.list(list.toLatin1().constData());
    QApplication::processEvents();
    QVERIFY(view->verticalScrollBar()->isVisible());

    QHeaderView* header = view->header();
    int others = 0;
    for (int c = 1; c < view->columnCount(); ++c) {
        const QString name = header->model()->headerData(c, Qt::Horizontal).toString();
        // The view's own measure of what its cells need.
        const int cells = static_cast<QAbstractItemView*>(view)->sizeHintForColumn(c);
        QVERIFY2(header->sectionSize(c) >= cells,
                 qPrintable(u"%1: %2 of %3 pixels"_s.arg(name).arg(header->sectionSize(c)).arg(cells)));
        QVERIFY2(captionFits(header, c), qPrintable(name));
        others += header->sectionSize(c);
    }
    // The first column takes what the others leave, but stays wide enough to read a description by; only then
    // does the list scroll sideways, and just as far as it needs to.
    // A description (not a person's name, which its tooltip shows whole) keeps some ten characters.
    const bool description = header->model()->headerData(0, Qt::Horizontal).toString() == u"Description"_s;
    const int readable = description ? 10 * view->fontMetrics().averageCharWidth() : 0;
    const int left = view->viewport()->width() - others;
    QVERIFY2(header->sectionSize(0) >= readable, qPrintable(u"%1 pixels"_s.arg(header->sectionSize(0))));
    if (left >= header->sectionSize(0)) {
        QCOMPARE(header->sectionSize(0), left);
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
    } else {
        QCOMPARE(view->horizontalScrollBar()->maximum(), header->sectionSize(0) - left);
    }
}

void tst_ListLayout::deleteMovesNoColumn_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("deleteButton");
    QTest::newRow("alarms") << u"ListView1"_s << u"Del0"_s;
    QTest::newRow("power actions") << u"ListView2"_s << u"Del1"_s;
    QTest::newRow("birthdays") << u"ListView3"_s << u"Del2"_s;
    QTest::newRow("past alarms") << u"ListView4"_s << u"Del"_s;
}

void tst_ListLayout::deleteMovesNoColumn() {
    QFETCH(QString, list);
    QFETCH(QString, deleteButton);
    ViewsFixture fx(clockAt);
    writeRecords(fx.events(), fx.past());
    fx.show(page(list));
    QTreeWidget* view = fx.list(list.toLatin1().constData());
    QApplication::processEvents();
    const QList<int> before = widths(view);
    auto* del = fx.find<FancyButton>(deleteButton.toLatin1().constData());
    // The rows with the widest texts go first, then all but two (no vertical scroll bar any more).
    for (int i = 0; i < manyRows - 2; ++i) {
        ViewsFixture::selectRow(view, 0);
        QTest::mouseClick(del, Qt::LeftButton);
        QApplication::processEvents();
        for (int c = 1; c < view->columnCount(); ++c)
            QCOMPARE(view->header()->sectionSize(c), before[c]);
        QCOMPARE(view->horizontalScrollBar()->value(), 0);
    }
    QCOMPARE(view->topLevelItemCount(), 2);
    // Without the vertical scroll bar the first column has its room too (a first column kept readable was
    // already wider than that).
    const int others = std::accumulate(before.cbegin() + 1, before.cend(), 0);
    QTRY_COMPARE(view->header()->sectionSize(0), qMax(view->viewport()->width() - others, before[0]));
}

void tst_ListLayout::textNoEditorWritesScrollsSideways() {
    ViewsFixture fx(clockAt);
    write(fx.events(), "0",
          {{"altype", "alarm"}, {"date", widestMoment}, {"repeat", "1"}, {"repval", "-2147483647"}, {"reptype", "0"}});
    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    QApplication::processEvents();
    // Cut nowhere: the column is as wide as the text, and the list scrolls sideways to show the rest.
    QVERIFY(view->header()->sectionSize(2) >= static_cast<QAbstractItemView*>(view)->sizeHintForColumn(2));
    QTRY_VERIFY(view->horizontalScrollBar()->maximum() > 0);
}

QTEST_MAIN(tst_ListLayout)
#include "tst_ListLayout.moc"
