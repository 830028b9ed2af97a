// Every page of the main window and every other window, walked as a screen reader walks it: through
// QAccessible::queryAccessibleInterface. A control the mouse can use must say what it is, what it is called and
// what it does; a choice must say whether it is chosen; and no two controls of one page may sound alike.
#include "WindowOpeners.h"
#include "app/FixedClock.h"
#include "app/PageControl.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "context/PageIndex.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/tools/TForm7.h"
#include "ui/tools/TForm8.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/ClickableLabel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using WindowOpeners::Opener;

// What the user can click: Qt's input controls take the focus; the kit's captions take clicks without it. A
// scroll area takes the focus only to scroll the text inside it, which is read out from that text.
bool acceptsClicks(const QWidget* widget) {
    if (const auto* label = qobject_cast<const ClickableLabel*>(widget))
        return label->isClickable();
    return widget->focusPolicy() != Qt::NoFocus && !qobject_cast<const QScrollArea*>(widget);
}

// A list is used through its rows (the arrow keys and the selection), not through an action of its own.
bool actsThroughItsRows(QAccessible::Role role) {
    return role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree;
}

// A QLabel that names another control (a buddy, the text beside a tick box) is part of that control.
bool labelsAnother(QAccessibleInterface* face) {
    return !face->relations(QAccessible::Labelled).isEmpty();
}

bool isPlainText(QAccessible::Role role) {
    return role == QAccessible::StaticText || role == QAccessible::NoRole || role == QAccessible::Client ||
           role == QAccessible::Pane;
}

QString describe(const QWidget* widget, QAccessibleInterface* face) {
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QLatin1String(widget->metaObject()->className()), face ? face->text(QAccessible::Name) : QString(),
             widget->objectName());
}

// The faults of one page or window, one line each.
QStringList faultsOf(QWidget* root) {
    QStringList faults;
    QMultiHash<QString, QString> names;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : std::as_const(widgets)) {
        if (!widget->isVisibleTo(root) || !acceptsClicks(widget) || widget->focusProxy())
            continue;
        // The parts Qt builds into its own composite controls are reached through their owner.
        if (widget->objectName().startsWith(QLatin1String("qt_")) &&
            widget->objectName() != QLatin1String("qt_calendar_prevmonth") &&
            widget->objectName() != QLatin1String("qt_calendar_nextmonth"))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (!face) {
            faults << describe(widget, face) + QStringLiteral(": no accessibility interface");
            continue;
        }
        const QString name = face->text(QAccessible::Name).trimmed();
        const bool caption = labelsAnother(face);
        if (isPlainText(face->role()) && !caption)
            faults << describe(widget, face) + QStringLiteral(": reports itself as plain text");
        if (name.isEmpty())
            faults << describe(widget, face) + QStringLiteral(": no name");
        // A screen reader reads a caption's Alt-key marker aloud ("New ampersand Alarm").
        static const QRegularExpression marker(QStringLiteral("(^|[^&])&[^&\\s]"));
        for (const QAccessible::Text kind : {QAccessible::Name, QAccessible::Description})
            if (face->text(kind).contains(marker))
                faults << describe(widget, face) + QStringLiteral(": speaks the Alt key's marker: ") + face->text(kind);
        if (widget->isEnabled() && !actsThroughItsRows(face->role()) &&
            (!face->actionInterface() || face->actionInterface()->actionNames().isEmpty()))
            faults << describe(widget, face) + QStringLiteral(": no action");
        const QAccessible::Role role = face->role();
        if (role == QAccessible::RadioButton || role == QAccessible::CheckBox) {
            bool checked = false;
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                checked = button->isChecked();
            else if (auto* choice = qobject_cast<ChoiceLabel*>(widget))
                checked = choice->isChosen();
            if (!face->state().checkable || bool(face->state().checked) != checked)
                faults << describe(widget, face) + QStringLiteral(": does not report whether it is chosen");
        }
        if (!caption && !name.isEmpty())
            names.insert(name, describe(widget, face));
    }
    for (const QString& name : names.uniqueKeys()) {
        const QStringList same = names.values(name);
        if (same.size() > 1)
            faults << QStringLiteral("one name for several controls: ") + same.join(QStringLiteral(", "));
    }
    return faults;
}

// Everything a screen reader reaches from the page control, down to the cells of the lists.
void reachable(QAccessibleInterface* face, QList<QObject*>& objects, int depth = 0) {
    if (!face || depth > 12)
        return;
    if (face->object())
        objects << face->object();
    const int count = std::min(face->childCount(), 200);
    for (int i = 0; i < count; ++i)
        reachable(face->child(i), objects, depth + 1);
}

} // namespace

class TestAccessibilityWalk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_form.reset(); }
    void everyControlIsUsable_data();
    void everyControlIsUsable();

private:
    QTemporaryDir m_folder;
    const FixedClock m_clock{QDateTime(QDate(2024, 3, 5), QTime(10, 0))};
    std::unique_ptr<TForm1> m_form;
};

void TestAccessibilityWalk::initTestCase() {
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
    m_form = std::make_unique<TForm1>(AppContext{m_folder.path(), &m_clock, false, [] {
                                                     return true;
                                                 }});
    m_form->resize(900, 700);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestAccessibilityWalk::everyControlIsUsable_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<Opener>("open");
    for (int page = 0; page < PageCount; ++page)
        QTest::newRow(PageNames[page]) << page << Opener();

    for (const auto& [name, open] : WindowOpeners::all({{QStringLiteral("Call the dentist.")}, true}))
        QTest::newRow(name) << -1 << open;
}

void TestAccessibilityWalk::everyControlIsUsable() {
    QFETCH(int, page);
    QFETCH(Opener, open);

    QWidget* root = nullptr;
    if (page >= 0) {
        m_form->showPage(page);
        root = m_form->PageControl1->widget(page);
    } else {
        root = open(*m_form);
    }
    QVERIFY(root);
    QTRY_VERIFY(root->isVisible());

    const QStringList faults = faultsOf(root);
    if (page < 0)
        root->close();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

    if (page >= 0) {
        // A hidden page reports its list cells as showing (Qt asks only where a cell lies), so a screen reader
        // must not find hidden pages at all.
        QList<QObject*> objects;
        reachable(QAccessible::queryAccessibleInterface(m_form->PageControl1), objects);
        QStringList hidden;
        for (QObject* object : std::as_const(objects)) {
            auto* widget = qobject_cast<QWidget*>(object);
            QObject* pageOf = object;
            while (pageOf && pageOf->parent() != m_form->PageControl1)
                pageOf = pageOf->parent();
            if (widget && pageOf && pageOf != m_form->PageControl1->currentWidget())
                hidden << describe(widget, QAccessible::queryAccessibleInterface(widget));
        }
        QVERIFY2(hidden.isEmpty(),
                 qPrintable(QStringLiteral("reachable while hidden: ") + hidden.mid(0, 5).join(QStringLiteral(", "))));
    }
}

QTEST_MAIN(TestAccessibilityWalk)
#include "tst_AccessibilityWalk.moc"
