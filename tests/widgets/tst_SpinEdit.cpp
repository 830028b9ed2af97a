// The editors' number field: clamping, the digit-only key filter and pasted text.
#include "widgets/SpinEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {
// A spin edit and a second field to move the focus to, shown and focused.
struct Form {
    Form(int minimum, int maximum, int value)
        : spin(new SpinEdit(minimum, maximum, value, &window))
        , other(new QLineEdit(&window)) {
        other->move(0, 40);
        window.show();
        window.activateWindow();
        spin->setFocus();
    }
    QString shown() const { return spin->findChild<QLineEdit*>()->text(); }
    void clear() { QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier), QTest::keyClick(spin, Qt::Key_Delete); }
    void leave() { other->setFocus(); }

    QWidget window;
    SpinEdit* spin;
    QLineEdit* other;
};
} // namespace

class TestSpinEdit : public QObject {
    Q_OBJECT

private slots:
    void setValueClamps_data();
    void setValueClamps();
    void leavingClampsTypedValue_data();
    void leavingClampsTypedValue();
    void onlyDigitsReachTheField();
    void backspaceCorrects();
    void pasteKeepsDigits();
    void entryValueReadsAsPageDoes();
    void arrowsStepWithinRange();
};

void TestSpinEdit::setValueClamps_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");
    QTest::newRow("inside") << 1 << 1440 << 90 << 90;
    QTest::newRow("above") << 0 << 59 << 75 << 59;
    QTest::newRow("below") << 1 << 52 << 0 << 1;
    QTest::newRow("negative") << 0 << 23 << -5 << 0;
}

void TestSpinEdit::setValueClamps() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, set);
    QFETCH(int, expected);
    SpinEdit spin(minimum, maximum, minimum);
    spin.setValue(set);
    QCOMPARE(spin.value(), expected);

    // Lowering the maximum pulls the value in (the repetition unit changes from minutes to years).
    spin.setMaximum(minimum);
    QCOMPARE(spin.value(), minimum);
}

void TestSpinEdit::leavingClampsTypedValue_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("in range") << 0 << 59 << "42" << 42;
    QTest::newRow("over maximum") << 0 << 59 << "99" << 59;
    QTest::newRow("far over") << 1 << 10 << "123456" << 10;
    QTest::newRow("under minimum") << 1 << 52 << "0" << 1;
    QTest::newRow("emptied") << 1 << 1440 << "" << 1;
}

void TestSpinEdit::leavingClampsTypedValue() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, typed);
    QFETCH(int, expected);
    Form f(minimum, maximum, minimum + 1);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QSignalSpy finished(f.spin, &SpinEdit::editingFinished);

    f.clear();
    QTest::keyClicks(f.spin, typed);
    QCOMPARE(f.shown(), typed); // out-of-range digits may stand while typing
    f.leave();

    QCOMPARE(f.spin->value(), expected);
    QCOMPARE(f.shown(), QString::number(expected));
    QVERIFY(finished.count() >= 1);
}

void TestSpinEdit::onlyDigitsReachTheField() {
    Form f(0, 9999, 0);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.clear();
    QTest::keyClicks(f.spin, QStringLiteral("1a2 -+.,x3"));
    QCOMPARE(f.shown(), QStringLiteral("123"));
    QTest::keyClick(f.spin, Qt::Key_Return);
    QCOMPARE(f.spin->value(), 123);
}

void TestSpinEdit::backspaceCorrects() {
    Form f(0, 999, 0);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.clear();
    QTest::keyClicks(f.spin, QStringLiteral("48"));
    QTest::keyClick(f.spin, Qt::Key_Backspace);
    QTest::keyClicks(f.spin, QStringLiteral("5"));
    QCOMPARE(f.shown(), QStringLiteral("45"));
    f.leave();
    QCOMPARE(f.spin->value(), 45);
}

void TestSpinEdit::pasteKeepsDigits() {
    Form f(1, 1440, 1);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QGuiApplication::clipboard()->setText(QStringLiteral("12a"));
    if (QGuiApplication::clipboard()->text() != QStringLiteral("12a"))
        QSKIP("no clipboard on this platform");
    f.clear();
    QTest::keyClick(f.spin, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.shown(), QStringLiteral("12"));
    QCOMPARE(f.spin->value(), 12);

    // Digits pasted past the maximum are held, then clamped when the field is left.
    QGuiApplication::clipboard()->setText(QStringLiteral("x9999y"));
    f.clear();
    QTest::keyClick(f.spin, Qt::Key_V, Qt::ControlModifier);
    f.leave();
    QCOMPARE(f.spin->value(), 1440);

    // Nothing usable pasted: the field stays as it was.
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    f.spin->setFocus();
    f.clear();
    QTest::keyClicks(f.spin, QStringLiteral("7"));
    QTest::keyClick(f.spin, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.shown(), QStringLiteral("7"));
}

void TestSpinEdit::entryValueReadsAsPageDoes() {
    Form f(1, 52, 30);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.clear();
    QCOMPARE(f.spin->entryValue(), 1); // empty reads as the minimum
    QTest::keyClicks(f.spin, QStringLiteral("77"));
    QCOMPARE(f.spin->entryValue(), 52); // clamped even before the field is left
}

void TestSpinEdit::arrowsStepWithinRange() {
    Form f(0, 23, 22);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(f.spin, Qt::Key_Up);
    QCOMPARE(f.spin->value(), 23);
    QTest::keyClick(f.spin, Qt::Key_Up);
    QCOMPARE(f.spin->value(), 23);
    QTest::keyClick(f.spin, Qt::Key_Down);
    QCOMPARE(f.spin->value(), 22);
}

QTEST_MAIN(TestSpinEdit)
#include "tst_SpinEdit.moc"
