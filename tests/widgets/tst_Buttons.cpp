// The kit's pressable controls from the keyboard: the fancy button, links and clickable pictures, and the Alt key
// a caption marks.
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/IconLabel.h"
#include "widgets/Icons.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>

#include <QSignalSpy>
#include <QtTest>

class TestButtons : public QObject {
    Q_OBJECT

private slots:
    void fancyButtonPressedByKeys_data();
    void fancyButtonPressedByKeys();
    void fancyButtonLightsUpOnFocus();
    void linkAndPictureActLikeButtons();
    void altKeyOfCaption_data();
    void altKeyOfCaption();
    void userTextMarksNoKey();
    void runTimeCaptionTakesFreeLetter();
};

namespace {
// A control of the kit with the caption given, and how many times it has acted.
struct Made {
    QWidget* control = nullptr;
    std::function<int()> acted;
};

Made make(const QString& kind, const QString& caption, QWidget* page) {
    if (kind == QLatin1String("button")) {
        auto* button = new FancyButton(caption, page);
        auto* spy = new QSignalSpy(button, &FancyButton::clicked);
        spy->setParent(button);
        return {button, [spy] {
                    return int(spy->count());
                }};
    }
    if (kind == QLatin1String("toggle")) {
        auto* box = new QCheckBox(page);
        auto* label = new LabelToggle(caption, box, page);
        label->move(30, 0);
        return {label, [box] {
                    return box->isChecked() ? 1 : 0;
                }};
    }
    ClickableLabel* label = kind == QLatin1String("link") ? static_cast<ClickableLabel*>(new LinkLabel(caption, page))
                                                          : new ChoiceLabel(caption, page);
    auto* spy = new QSignalSpy(label, &ClickableLabel::clicked);
    spy->setParent(label);
    return {label, [spy] {
                return int(spy->count());
            }};
}

QImage upperPart(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    // The underline of the marked letter lies below the middle of the caption; everything above it must match.
    return image.copy(0, 0, image.width(), image.height() * 55 / 100);
}
} // namespace

void TestButtons::fancyButtonPressedByKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("space") << int(Qt::Key_Space) << true << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << true << 1;
    QTest::newRow("enter") << int(Qt::Key_Enter) << true << 1;
    QTest::newRow("letter") << int(Qt::Key_A) << true << 0;
    QTest::newRow("disabled") << int(Qt::Key_Return) << false << 0;
}

void TestButtons::fancyButtonPressedByKeys() {
    QFETCH(int, key);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    // Outside a dialog, where a plain push button ignores Enter.
    QWidget page;
    auto* next = new FancyButton(u"Next>>"_qs, &page);
    next->setEnabled(enabled);
    page.show();
    next->setFocus();
    QSignalSpy clicked(next, &FancyButton::clicked);

    QTest::keyClick(next, Qt::Key(key));

    QCOMPARE(clicked.count(), clicks);
}

void TestButtons::fancyButtonLightsUpOnFocus() {
    QWidget page;
    auto* back = new FancyButton(u"<<Back"_qs, &page);
    auto* next = new FancyButton(u"Next>>"_qs, &page);
    // Away from where the pointer rests, so that only the focus lights them.
    page.resize(400, 300);
    back->move(150, 150);
    next->move(150, 220);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    back->setFocus();
    QTRY_VERIFY(back->glow() > 0.5);
    QCOMPARE(next->glow(), 0.0);
    next->setFocus();
    QTRY_COMPARE(back->glow(), 0.0);
    QTRY_VERIFY(next->glow() > 0.5);
    // Its size follows the font, so it grows with the user's text size.
    const QSize small = next->sizeHint();
    QFont larger = next->font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    next->setFont(larger);
    QVERIFY(next->sizeHint().height() > small.height() * 3 / 2);
}

void TestButtons::linkAndPictureActLikeButtons() {
    QWidget page;
    auto* advanced = new LinkLabel(u"Advanced"_qs, &page);
    auto* about = new IconLabel(&page);
    about->setIcons(Icons::about(false), Icons::about(true));
    about->setAccessibleName(u"About Zentick..."_qs);
    about->move(0, 40);
    page.show();
    QSignalSpy linkClicked(advanced, &LinkLabel::clicked);
    QSignalSpy aboutClicked(about, &IconLabel::clicked);

    advanced->setFocus();
    QTest::keyClick(advanced, Qt::Key_Return);
    QCOMPARE(linkClicked.count(), 1);
    QTest::mouseClick(about, Qt::LeftButton);
    QCOMPARE(aboutClicked.count(), 1);

    // The picture lights while the pointer is over it, or while the page says so.
    QVERIFY(!about->isLit());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), about->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(about, &enter);
    QVERIFY(about->isLit());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(about, &leave);
    QVERIFY(!about->isLit());
    about->setHighlighted(true);
    QVERIFY(about->isLit());
}

void TestButtons::altKeyOfCaption_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("button") << u"button"_qs;
    QTest::newRow("link") << u"link"_qs;
    QTest::newRow("choice") << u"choice"_qs;
    QTest::newRow("tick box text") << u"toggle"_qs;
}

void TestButtons::altKeyOfCaption() {
    QFETCH(QString, kind);
    QWidget page;
    page.resize(300, 200);
    const Made marked = make(kind, u"&Save"_qs, &page);
    QWidget plainPage;
    const Made plain = make(kind, u"Save"_qs, &plainPage);
    // Neither lights up with the focus, so that the two differ in their captions alone.
    for (QWidget* control : {marked.control, plain.control}) {
        control->setFixedSize(120, 40);
        control->setFocusPolicy(Qt::NoFocus);
        if (auto* label = qobject_cast<LabelToggle*>(control))
            label->box()->setFocusPolicy(Qt::NoFocus);
    }
    plainPage.show();
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));

    // The caption reads "Save" on screen and to a screen reader, which is told the key too.
    const QImage markedImage = upperPart(marked.control);
    const QImage plainImage = upperPart(plain.control);
    if (markedImage != plainImage) {
        markedImage.save(QDir::temp().filePath(kind + u"-marked.png"_qs));
        plainImage.save(QDir::temp().filePath(kind + u"-plain.png"_qs));
    }
    QVERIFY(markedImage == plainImage);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(marked.control);
    QVERIFY(face);
    QCOMPARE(face->text(QAccessible::Name), u"Save"_qs);
    QAccessibleActionInterface* actions = face->actionInterface();
    QVERIFY(actions && !actions->actionNames().isEmpty());
    QVERIFY(actions->keyBindingsForAction(actions->actionNames().first()).contains(u"Alt+S"_qs));
    if (auto* label = qobject_cast<LabelToggle*>(marked.control)) {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(label->box());
        QCOMPARE(box->text(QAccessible::Name), u"Save"_qs);
    }

    // Alt with the letter presses it from anywhere in its window, once.
    QTest::keyClick(&page, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(marked.acted(), 1);
    // Not while it is hidden, as on a page the stacked widget does not show.
    marked.control->hide();
    QTest::keyClick(&page, Qt::Key_S, Qt::AltModifier);
    QTest::qWait(150); // an animated click would land by now
    QCOMPARE(marked.acted(), 1);
    // A caption set later takes its own key and gives up the old one.
    marked.control->show();
    if (auto* label = qobject_cast<ClickableLabel*>(marked.control))
        label->setText(u"&Keep"_qs);
    else
        static_cast<FancyButton*>(marked.control)->setText(u"&Keep"_qs);
    QTest::keyClick(&page, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(&page, Qt::Key_K, Qt::AltModifier);
    QTRY_COMPARE(marked.acted(), kind == QLatin1String("toggle") ? 0 : 2);
}

void TestButtons::userTextMarksNoKey() {
    QWidget page;
    auto* text = new ClickableLabel(u"Salt & Pepper"_qs, &page);
    text->setMarksKey(false);
    connect(text, &ClickableLabel::clicked, &page, [] {});
    auto* marked = new ClickableLabel(u"Salt & Pepper"_qs, &page);
    connect(marked, &ClickableLabel::clicked, &page, [] {});
    marked->move(0, 50);
    page.show();
    QCOMPARE(text->shownText(), u"Salt & Pepper"_qs);
    QCOMPARE(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name), u"Salt & Pepper"_qs);
    // The same text as a caption loses its "&" to a key mark.
    QCOMPARE(marked->shownText(), u"Salt  Pepper"_qs);
    // What is drawn differs accordingly: the one shows the "&".
    text->setFixedSize(160, 30);
    marked->setFixedSize(160, 30);
    QVERIFY(text->grab().toImage() != marked->grab().toImage());
}

void TestButtons::runTimeCaptionTakesFreeLetter() {
    const QList<QKeySequence> taken{QKeySequence::mnemonic(u"&OK"_qs), QKeySequence::mnemonic(u"&Cancel"_qs)};
    QCOMPARE(FancyButton::withKey(u"Restart Now"_qs, taken), u"&Restart Now"_qs);
    // The window's own keys are passed over; a shown "&" stays one.
    QCOMPARE(FancyButton::withKey(u"OK Cancel"_qs, taken), u"O&K Cancel"_qs);
    QCOMPARE(FancyButton::withKey(u"Cook & Clean"_qs, taken), u"Coo&k && Clean"_qs);
    // No letter left: no key, and nothing eaten.
    QCOMPARE(FancyButton::withKey(u"...& co"_qs, taken), u"...&& co"_qs);
}

QTEST_MAIN(TestButtons)
#include "tst_Buttons.moc"
