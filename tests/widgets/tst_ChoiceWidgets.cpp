// Choice captions, their group, and the text beside a tick box, driven with the mouse and the keyboard.
#include "widgets/ChoiceGroup.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/LabelToggle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QColor chosen(230, 224, 0);
const QColor unchosen(224, 224, 224);
const QColor white(255, 255, 255);

bool painted(QWidget* widget, const QColor& colour) {
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)) == colour)
                return true;
        }
    }
    return false;
}

// Three captions in a group on a shown page, the way the editors use them.
struct ThreeChoices {
    ThreeChoices() {
        page.setMinimumWidth(300);
        auto* layout = new QHBoxLayout(&page);
        for (int id = 1; id <= 3; ++id) {
            auto* label = new ChoiceLabel(QStringLiteral("Choice %1").arg(id));
            layout->addWidget(label);
            group.addChoice(label, id);
        }
        group.setChosen(1);
        page.show();
    }
    ChoiceLabel* label(int id) const { return group.label(id); }

    QWidget page;
    ChoiceGroup group;
};
} // namespace

class TestChoiceWidgets : public QObject {
    Q_OBJECT

private slots:
    void clickChoosesAndRecolours();
    void clickOnChosenChangesNothing();
    void keyboardChooses_data();
    void keyboardChooses();
    void doubleClickChoosesAndTells();
    void pointerLightsOnlyUnchosen();
    void disabledCaptionIgnoresClicks();
    void labelToggleInvertsBox();
    void labelToggleLeavesDisabledBox();
};

void TestChoiceWidgets::clickChoosesAndRecolours() {
    ThreeChoices f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.page));
    QSignalSpy changed(&f.group, &ChoiceGroup::chosenChanged);
    QSignalSpy clicked(&f.group, &ChoiceGroup::clicked);

    QTest::mouseClick(f.label(2), Qt::LeftButton);

    QCOMPARE(f.group.chosen(), 2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(f.label(2)->isChosen());
    QVERIFY(!f.label(1)->isChosen());
    QVERIFY(!f.label(3)->isChosen());
    // What is drawn, not only what is stored: the chosen caption in yellow, the others in light grey.
    QCOMPARE(f.label(2)->captionColour(), chosen);
    QVERIFY(painted(f.label(2), chosen));
    QVERIFY(!painted(f.label(2), unchosen));
    for (const int other : {1, 3}) {
        QCOMPARE(f.label(other)->captionColour(), unchosen);
        QVERIFY(painted(f.label(other), unchosen));
        QVERIFY(!painted(f.label(other), chosen));
    }
}

void TestChoiceWidgets::clickOnChosenChangesNothing() {
    ThreeChoices f;
    QSignalSpy changed(&f.group, &ChoiceGroup::chosenChanged);
    QSignalSpy clicked(&f.group, &ChoiceGroup::clicked);
    QSignalSpy labelChanged(f.label(1), &ChoiceLabel::chosenChanged);

    QTest::mouseClick(f.label(1), Qt::LeftButton);
    f.group.setChosen(1);

    QCOMPARE(f.group.chosen(), 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(labelChanged.count(), 0);
    QCOMPARE(clicked.count(), 1); // the page still hears the click
}

void TestChoiceWidgets::keyboardChooses_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("enter") << int(Qt::Key_Enter);
}

void TestChoiceWidgets::keyboardChooses() {
    QFETCH(int, key);
    ThreeChoices f;
    QVERIFY(QTest::qWaitForWindowActive(&f.page));
    // Tab reaches the captions: they are keyboard stops.
    f.label(1)->setFocus();
    QTest::keyClick(&f.page, Qt::Key_Tab);
    QTest::keyClick(&f.page, Qt::Key_Tab);
    QTRY_VERIFY(f.label(3)->hasFocus());

    QTest::keyClick(f.label(3), Qt::Key(key));

    QCOMPARE(f.group.chosen(), 3);
    QCOMPARE(f.label(3)->captionColour(), chosen);
}

void TestChoiceWidgets::doubleClickChoosesAndTells() {
    ThreeChoices f;
    QSignalSpy doubled(&f.group, &ChoiceGroup::doubleClicked);
    QSignalSpy clicked(&f.group, &ChoiceGroup::clicked);

    // A real double click: press, release, double-click press, release.
    QTest::mouseClick(f.label(3), Qt::LeftButton);
    QTest::mouseDClick(f.label(3), Qt::LeftButton);

    QCOMPARE(f.group.chosen(), 3);
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.at(0).at(0).toInt(), 3);
    QCOMPARE(clicked.count(), 1); // the release ending the double click is not a further click
}

void TestChoiceWidgets::pointerLightsOnlyUnchosen() {
    ThreeChoices f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.page));
    QSignalSpy lit(f.label(2), &ChoiceLabel::highlightChanged);
    QSignalSpy chosenLit(f.label(1), &ChoiceLabel::highlightChanged);
    // The window system's enter and leave, as the pointer crosses from caption 2 to caption 1.
    const auto enter = [](QWidget* w) {
        QEnterEvent event(w->rect().center(), w->rect().center(), w->mapToGlobal(w->rect().center()));
        QCoreApplication::sendEvent(w, &event);
    };
    const auto leave = [](QWidget* w) {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(w, &event);
    };

    enter(f.label(2));
    QCOMPARE(f.label(2)->captionColour(), white);
    QVERIFY(f.label(2)->isHighlighted());
    QCOMPARE(lit.count(), 1);

    leave(f.label(2));
    enter(f.label(1));
    QCOMPARE(f.label(2)->captionColour(), unchosen);
    QVERIFY(!f.label(2)->isHighlighted());
    QCOMPARE(lit.count(), 2);
    // The chosen caption does not react to the pointer.
    QCOMPARE(f.label(1)->captionColour(), chosen);
    QCOMPARE(chosenLit.count(), 0);

    // Chosen while lit, then left: it stays highlighted, now as the chosen one.
    enter(f.label(3));
    QTest::mouseClick(f.label(3), Qt::LeftButton);
    leave(f.label(3));
    QVERIFY(f.label(3)->isHighlighted());
    QCOMPARE(f.label(3)->captionColour(), chosen);
}

void TestChoiceWidgets::disabledCaptionIgnoresClicks() {
    ThreeChoices f;
    f.label(2)->setEnabled(false);
    QTest::mouseClick(f.label(2), Qt::LeftButton);
    QCOMPARE(f.group.chosen(), 1);
    QVERIFY(!painted(f.label(2), unchosen)); // drawn dimmed
}

void TestChoiceWidgets::labelToggleInvertsBox() {
    QWidget page;
    auto* box = new QCheckBox(&page);
    auto* toggle = new LabelToggle(QStringLiteral("Notify me with Sound"), box, &page);
    toggle->move(30, 0);
    page.show();
    QSignalSpy boxClicked(box, &QCheckBox::clicked);

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(box->isChecked());
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    // Handlers bound to the box run as if the box itself was clicked.
    QCOMPARE(boxClicked.count(), 2);
    QCOMPARE(box->accessibleName(), QStringLiteral("Notify me with Sound"));
    QCOMPARE(toggle->focusPolicy(), Qt::NoFocus);
    QCOMPARE(toggle->captionColour(), unchosen);
}

void TestChoiceWidgets::labelToggleLeavesDisabledBox() {
    QWidget page;
    auto* box = new QCheckBox(&page);
    box->setChecked(true);
    box->setEnabled(false);
    auto* toggle = new LabelToggle(QStringLiteral("Enable Repetition every:"), box, &page);
    page.show();
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(box->isChecked());
}

QTEST_MAIN(TestChoiceWidgets)
#include "tst_ChoiceWidgets.moc"
