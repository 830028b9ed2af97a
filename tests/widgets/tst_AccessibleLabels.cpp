// The kit's clickable captions as a screen reader meets them: through Qt's accessibility interfaces, with the
// actions an assistive technology invokes, and the events that let it announce a change.
#include "widgets/ChoiceGroup.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/IconLabel.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"
#include "widgets/MonthCalendar.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
enum class Kind { GroupedChoice, PairedChoice, LoneChoice, Link, Plain, Icon, Toggle, Picture };

// One caption of each kind on a shown page, as the pages build them.
struct Page {
    Page() {
        auto* layout = new QVBoxLayout(&widget);
        auto* first = new ChoiceLabel(QStringLiteral("Zentick at:"));
        auto* second = new ChoiceLabel(QStringLiteral("Zentick after:"));
        group.addChoice(first, 1);
        group.addChoice(second, 2);
        group.setChosen(1);
        lone = new ChoiceLabel(QStringLiteral("Start Zentick when I log in"));
        link = new LinkLabel(QStringLiteral("Switch to Calendar View"));
        plain = new ClickableLabel(QStringLiteral("Disable Tray"));
        icon = new IconLabel;
        icon->setToolTip(QStringLiteral("Check for Updates"));
        box = new QCheckBox;
        toggle = new LabelToggle(QStringLiteral("Notify me with Sound"), box);
        picture = new IconLabel;
        picture->setFocusPolicy(Qt::NoFocus);
        paired = new ChoiceLabel(QStringLiteral("Use Default."));
        // A caption is a control because a page listens to its clicks.
        for (ClickableLabel* control : {static_cast<ClickableLabel*>(link), plain, static_cast<ClickableLabel*>(icon),
                                        static_cast<ClickableLabel*>(lone), static_cast<ClickableLabel*>(paired)})
            QObject::connect(control, &ClickableLabel::clicked, &widget, [] {});
        for (QWidget* control : {static_cast<QWidget*>(first), static_cast<QWidget*>(second),
                                 static_cast<QWidget*>(link), static_cast<QWidget*>(icon), static_cast<QWidget*>(box),
                                 static_cast<QWidget*>(toggle), static_cast<QWidget*>(picture)})
            layout->addWidget(control);
        // Two captions side by side that the page keeps apart itself, and a switch beside a plain caption.
        auto* pair = new QHBoxLayout;
        pair->addWidget(paired);
        pair->addWidget(new ChoiceLabel(QStringLiteral("Custom:")));
        layout->addLayout(pair);
        auto* switches = new QHBoxLayout;
        switches->addWidget(lone);
        switches->addWidget(plain);
        layout->addLayout(switches);
        widget.show();
    }
    ClickableLabel* label(Kind kind) const {
        switch (kind) {
        case Kind::GroupedChoice:
            return group.label(2);
        case Kind::PairedChoice:
            return paired;
        case Kind::LoneChoice:
            return lone;
        case Kind::Link:
            return link;
        case Kind::Plain:
            return plain;
        case Kind::Icon:
            return icon;
        case Kind::Toggle:
            return toggle;
        case Kind::Picture:
            return picture;
        }
        return nullptr;
    }

    QWidget widget;
    ChoiceGroup group;
    ChoiceLabel* paired;
    ChoiceLabel* lone;
    LinkLabel* link;
    ClickableLabel* plain;
    IconLabel* icon;
    QCheckBox* box;
    LabelToggle* toggle;
    IconLabel* picture;
};
} // namespace

class TestAccessibleLabels : public QObject {
    Q_OBJECT

private slots:
    void reportsWhatItIs_data();
    void reportsWhatItIs();
    void actionActsLikeAClick_data();
    void actionActsLikeAClick();
    void disabledOffersNoAction();
    void choosingChecksOne();
    void toggleNamesItsBox();
    void calendarArrowsHaveNames();
};

void TestAccessibleLabels::reportsWhatItIs_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("checkable");

    const QString press = QAccessibleActionInterface::pressAction();
    const QString toggle = QAccessibleActionInterface::toggleAction();
    QTest::newRow("choice of a group") << Kind::GroupedChoice << int(QAccessible::RadioButton)
                                       << QStringLiteral("Zentick after:") << toggle << true;
    QTest::newRow("choice beside another")
        << Kind::PairedChoice << int(QAccessible::RadioButton) << QStringLiteral("Use Default.") << toggle << true;
    QTest::newRow("choice on its own") << Kind::LoneChoice << int(QAccessible::CheckBox)
                                       << QStringLiteral("Start Zentick when I log in") << toggle << true;
    QTest::newRow("link") << Kind::Link << int(QAccessible::Link) << QStringLiteral("Switch to Calendar View") << press
                          << false;
    QTest::newRow("caption") << Kind::Plain << int(QAccessible::Button) << QStringLiteral("Disable Tray") << press
                             << false;
    QTest::newRow("icon named by its tooltip")
        << Kind::Icon << int(QAccessible::Button) << QStringLiteral("Check for Updates") << press << false;
    QTest::newRow("text beside a tick box")
        << Kind::Toggle << int(QAccessible::StaticText) << QStringLiteral("Notify me with Sound") << press << false;
    QTest::newRow("picture nobody clicks")
        << Kind::Picture << int(QAccessible::Graphic) << QString() << QString() << false;
}

void TestAccessibleLabels::reportsWhatItIs() {
    QFETCH(Kind, kind);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, action);
    QFETCH(bool, checkable);

    Page page;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(page.label(kind));
    QVERIFY(face);
    QCOMPARE(int(face->role()), role);
    QCOMPARE(face->text(QAccessible::Name), name);
    QVERIFY(face->actionInterface());
    QCOMPARE(face->actionInterface()->actionNames().value(0), action);
    QCOMPARE(face->actionInterface()->actionNames().isEmpty(), action.isEmpty());
    QCOMPARE(bool(face->state().checkable), checkable);
    QVERIFY(!face->state().checked);
    QVERIFY(!face->state().invisible);
}

void TestAccessibleLabels::actionActsLikeAClick_data() {
    QTest::addColumn<Kind>("kind");
    QTest::newRow("choice of a group") << Kind::GroupedChoice;
    QTest::newRow("link") << Kind::Link;
    QTest::newRow("caption") << Kind::Plain;
    QTest::newRow("icon") << Kind::Icon;
    QTest::newRow("text beside a tick box") << Kind::Toggle;
}

void TestAccessibleLabels::actionActsLikeAClick() {
    QFETCH(Kind, kind);
    Page page;
    ClickableLabel* label = page.label(kind);
    QSignalSpy clicks(label, &ClickableLabel::clicked);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
    face->actionInterface()->doAction(face->actionInterface()->actionNames().value(0));
    QCOMPARE(clicks.size(), 1);
    if (kind == Kind::GroupedChoice) {
        QCOMPARE(page.group.chosen(), 2);
        QVERIFY(face->state().checked);
    }
    if (kind == Kind::Toggle)
        QVERIFY(page.box->isChecked());
}

void TestAccessibleLabels::disabledOffersNoAction() {
    Page page;
    page.link->setEnabled(false);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(page.link);
    QVERIFY(face->state().disabled);
    QVERIFY(!face->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QSignalSpy clicks(page.link, &ClickableLabel::clicked);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.size(), 0);
}

// The checked-state events themselves reach only a real accessibility bridge; the AT-SPI test listens for them.
void TestAccessibleLabels::choosingChecksOne() {
    Page page;
    page.group.setChosen(2);
    QVERIFY(QAccessible::queryAccessibleInterface(page.group.label(2))->state().checked);
    QVERIFY(!QAccessible::queryAccessibleInterface(page.group.label(1))->state().checked);
    page.lone->setChosen(true);
    QVERIFY(QAccessible::queryAccessibleInterface(page.lone)->state().checked);
}

void TestAccessibleLabels::toggleNamesItsBox() {
    Page page;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(page.toggle);
    const auto labelled = face->relations(QAccessible::Labelled);
    QCOMPARE(labelled.size(), 1);
    QCOMPARE(labelled.first().first->object(), page.box);
    QCOMPARE(QAccessible::queryAccessibleInterface(page.box)->text(QAccessible::Name),
             QStringLiteral("Notify me with Sound"));
}

void TestAccessibleLabels::calendarArrowsHaveNames() {
    MonthCalendar calendar;
    calendar.show();
    QStringList names;
    for (const char* arrow : {"qt_calendar_prevmonth", "qt_calendar_nextmonth"}) {
        auto* button = calendar.findChild<QToolButton*>(QLatin1String(arrow));
        QVERIFY(button);
        names << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
    }
    QCOMPARE(names, QStringList({QStringLiteral("Previous month"), QStringLiteral("Next month")}));
}

QTEST_MAIN(TestAccessibleLabels)
#include "tst_AccessibleLabels.moc"
