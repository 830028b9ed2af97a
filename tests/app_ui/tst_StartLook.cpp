#include "MainWindowFixture.h"

#include "app/TrayController.h"
#include "context/PageIndex.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QToolTip>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <algorithm>
#include <functional>

namespace {

// Records whether the application had its stylesheet at the held window's first paint, and every widget but the
// held ones shown, and every other window painted, while it had none.
class StartProbe final : public QObject {
public:
    explicit StartProbe(QWidget* window)
        : m_window(window) {
        qApp->installEventFilter(this);
    }
    ~StartProbe() override { qApp->removeEventFilter(this); }

    bool painted = false;
    bool sheetAtFirstPaint = false;
    QStringList shownWithout;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == m_window && !painted) {
            painted = true;
            sheetAtFirstPaint = Theme::hasStyleSheet();
        } else if (!Theme::hasStyleSheet() && watched->isWidgetType() && watched != m_window &&
                   ((event->type() == QEvent::Show && !m_startWidgets.contains(watched)) ||
                    (event->type() == QEvent::Paint && static_cast<QWidget*>(watched)->window() != m_window))) {
            shownWithout << QString::fromLatin1(watched->metaObject()->className());
        }
        return false;
    }

    void takeStartWidgets() {
        for (QWidget* widget : QApplication::allWidgets())
            m_startWidgets << widget;
    }

private:
    QWidget* m_window;
    QList<QObject*> m_startWidgets;
};

// Once the window is laid out and the buttons' glow (the focus's) has come to rest.
QImage shot(QWidget& window) {
    const auto moving = [&window] {
        const QList<QVariantAnimation*> animations = window.findChildren<QVariantAnimation*>();
        return std::any_of(animations.cbegin(), animations.cend(), [](const QVariantAnimation* animation) {
            return animation->state() != QAbstractAnimation::Stopped;
        });
    };
    QCoreApplication::processEvents();
    if (!QTest::qWaitFor([&] { return !moving(); }))
        return {};
    QCoreApplication::processEvents();
    return window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// How many pixels differ; the two pictures are kept in the test's folder when any do.
int differences(const QImage& actual, const QImage& expected, const QString& name) {
    if (actual.size() != expected.size())
        return actual.width() * actual.height();
    int count = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            count += actual.pixel(x, y) != expected.pixel(x, y);
    if (count > 0) {
        actual.save(QDir::temp().filePath(name + QStringLiteral("-actual.png")));
        expected.save(QDir::temp().filePath(name + QStringLiteral("-expected.png")));
    }
    return count;
}

// A main window as the program starts it: built, held, shown, the stylesheet after its first paint.
struct HeldStart {
    explicit HeldStart(bool shown = true)
        : fixture({}, false) {
        Theme::holdStyleSheetFor(fixture.form.get());
        probe.takeStartWidgets();
        if (shown) {
            fixture.form->show();
            fixture.form->activateWindow();
        }
    }

    MainWindowFixture fixture;
    StartProbe probe{fixture.form.get()};
};

} // namespace

class TestStartLook : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void firstFrameNeedsNoStyleSheet();
    void styleSheetComesAfterTheFirstPaint_data();
    void styleSheetComesAfterTheFirstPaint();
    void nothingElseIsShownWithoutTheStyleSheet_data();
    void nothingElseIsShownWithoutTheStyleSheet();
};

void TestStartLook::init() {
    QVERIFY2(Theme::apply(*qApp, Theme::WindowIcon::Later, Theme::StyleSheet::Later),
             "the stylesheet resource is missing");
}

void TestStartLook::cleanupTestCase() {
    qApp->setStyleSheet(QString());
}

// The main menu's first frame is drawn without the stylesheet, and must be the one the stylesheet would have drawn:
// exactly, and again once the stylesheet has come to the window on the screen.
void TestStartLook::firstFrameNeedsNoStyleSheet() {
    QImage without;
    QImage after;
    {
        HeldStart start;
        QVERIFY(start.fixture.waitUntilActive());
        QVERIFY(!Theme::hasStyleSheet());
        without = shot(*start.fixture.form);
        Theme::applyStyleSheetAfterFirstPaint(start.fixture.form.get());
        QTRY_VERIFY(Theme::hasStyleSheet());
        after = shot(*start.fixture.form);
    }
    QVERIFY(Theme::apply(*qApp));
    MainWindowFixture withSheet;
    QVERIFY(withSheet.waitUntilActive());
    const QImage expected = shot(*withSheet.form);

    QCOMPARE(differences(without, expected, QStringLiteral("start-look-first-frame")), 0);
    QCOMPARE(differences(after, expected, QStringLiteral("start-look-sheet-after")), 0);
}

void TestStartLook::styleSheetComesAfterTheFirstPaint_data() {
    QTest::addColumn<bool>("shown");
    QTest::newRow("shown") << true;
    QTest::newRow("hidden (-h): at the next turn") << false;
}

// The program's order: nothing of the start asks for the stylesheet before the main window is on the screen.
void TestStartLook::styleSheetComesAfterTheFirstPaint() {
    QFETCH(bool, shown);
    HeldStart start(shown);
    Theme::applyStyleSheetAfterFirstPaint(start.fixture.form.get());
    QVERIFY(!Theme::hasStyleSheet());
    QTRY_VERIFY(Theme::hasStyleSheet());
    QCOMPARE(start.probe.painted, shown);
    QVERIFY(!start.probe.sheetAtFirstPaint);
    QCOMPARE(start.probe.shownWithout, QStringList());
}

void TestStartLook::nothingElseIsShownWithoutTheStyleSheet_data() {
    QTest::addColumn<std::function<void(TForm1&)>>("open");
    QTest::newRow("another page") << std::function<void(TForm1&)>([](TForm1& form) { form.showPage(AlarmTab); });
    QTest::newRow("a tooltip") << std::function<void(TForm1&)>(
        [](TForm1& form) { QToolTip::showText(form.geometry().center(), QStringLiteral("Tip"), &form); });
    QTest::newRow("the tray menu") << std::function<void(TForm1&)>(
        [](TForm1& form) { form.tray->PopupMenu2->popup(QPoint(10, 10)); });
    QTest::newRow("a message box") << std::function<void(TForm1&)>([](TForm1& form) {
        auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Zentick"), QStringLiteral("Text"),
                                    QMessageBox::Ok, &form);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    });
    QTest::newRow("a window of its own") << std::function<void(TForm1&)>([](TForm1& form) {
        auto* window = new QDialog(&form);
        window->setAttribute(Qt::WA_DeleteOnClose);
        new QLineEdit(window);
        window->show();
    });
}

// Whatever is opened before the main window's first paint (a firing, a click on the tray, a request from a second
// start, a message) is drawn with the stylesheet: it comes as soon as anything but the held window is made or polished.
void TestStartLook::nothingElseIsShownWithoutTheStyleSheet() {
    QFETCH(std::function<void(TForm1&)>, open);
    HeldStart start;
    QVERIFY(!Theme::hasStyleSheet());
    QVERIFY(!start.probe.painted);
    open(*start.fixture.form);
    QVERIFY(Theme::hasStyleSheet());
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(); // what was opened is painted
    QCOMPARE(start.probe.shownWithout, QStringList());
    QApplication::closeAllWindows();
    QToolTip::hideText();
}

QTEST_MAIN(TestStartLook)
#include "tst_StartLook.moc"
