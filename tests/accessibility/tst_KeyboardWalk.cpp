// Every page of the main window and every other window, used with the keyboard alone: from the control a page
// starts on, Tab must reach every control the mouse can use, top to bottom and left to right, and the keys must
// do what a click does. Choices of one group may be reached with the arrow keys instead of Tab. Every captioned
// control carries an Alt key of its own where its caption has a letter left, and Alt with it reaches that control.
#include "WindowOpeners.h"
#include "app/FixedClock.h"
#include "app/MainMenuPage.h"
#include "app/PageControl.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "app/Translations.h"
#include "context/PageIndex.h"
#include "support/Caption.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/tools/TForm7.h"
#include "ui/tools/TForm8.h"
#include "ui_views/Records.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/ClickableLabel.h"
#include "widgets/LabelToggle.h"
#include "widgets/MonthCalendar.h"
#include "widgets/Theme.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QHash>
#include <QLoggingCategory>
#include <QMenu>
#include <QScrollArea>
#include <QShortcutEvent>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using WindowOpeners::newestShown;
using WindowOpeners::Opener;

// One key pressed on a control reached by Tab (or, with no target, on whatever has the focus), and what must
// follow; the check returns what went wrong, empty when all is well.
struct Step {
    QString target;
    QKeyCombination key;
    std::function<QString(TForm1&, QWidget* root)> check;
    // When set, the key is the Alt key this control's caption gives it (each language gives its own).
    QString altKeyOf = {};
};
using Steps = QList<Step>;

// The control a focused widget belongs to: Qt's inner parts (a calendar's grid) answer for their owner.
QWidget* controlOf(QWidget* focus) {
    QWidget* control = focus;
    while (control && control->parentWidget() && control->objectName().startsWith(QLatin1String("qt_")))
        control = control->parentWidget();
    return control;
}

QString nameOf(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("(nothing)");
    return widget->objectName().isEmpty() ? QLatin1String(widget->metaObject()->className()) : widget->objectName();
}

// What the mouse can use on a page: the kit's captions that someone listens to, and Qt's controls that take the
// focus. Captions beside another control (a tick box's text, a menu entry's picture) are used through it.
bool usableByMouse(QWidget* widget, QWidget* root) {
    if (!widget->isVisibleTo(root) || !widget->isEnabled() || widget->focusProxy())
        return false;
    if (widget->objectName().startsWith(QLatin1String("qt_")))
        return false;
    // A caption that shows no pointing hand is not offered to the mouse just now (a short alarm description, the
    // update window's status while it is no link).
    if (const auto* label = qobject_cast<const ClickableLabel*>(widget))
        return label->isClickable() && !label->buddy() && label->cursor().shape() == Qt::PointingHandCursor;
    return widget->focusPolicy() != Qt::NoFocus && !qobject_cast<QScrollArea*>(widget);
}

// Reading order: a control whose middle lies within the other's height is on the same line.
QRect placeOf(QWidget* widget, QWidget* root) {
    return QRect(widget->mapTo(root, QPoint(0, 0)), widget->size());
}
bool sameLine(const QRect& a, const QRect& b) {
    return (a.center().y() >= b.top() && a.center().y() <= b.bottom()) ||
           (b.center().y() >= a.top() && b.center().y() <= a.bottom());
}
bool readBefore(const QRect& a, const QRect& b) {
    return sameLine(a, b) ? a.center().x() < b.center().x() : a.center().y() < b.center().y();
}
// Tab may go up only to start the next column, one wholly to the right.
bool goesBack(const QRect& from, const QRect& to) {
    return readBefore(to, from) && (sameLine(from, to) || to.left() <= from.right());
}

void press(QKeyCombination key) {
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}

// The controls Tab stops at, from the focus of now until it comes round again.
QList<QWidget*> tabRound(QString& fault) {
    QList<QWidget*> stops;
    QWidget* first = QApplication::focusWidget();
    // A date field takes one Tab per part of the date before it lets the focus go; a lone control keeps it.
    bool left = false;
    int stayed = 0;
    for (int i = 0; i < 80; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus) {
            fault = QStringLiteral("Tab lost the focus after ") + nameOf(stops.value(stops.size() - 1));
            return stops;
        }
        left = left || focus != first;
        stayed = focus == first ? stayed + 1 : 0;
        if (i > 0 && focus == first && (left || stayed > 8))
            return stops;
        if (!stops.contains(controlOf(focus)))
            stops << controlOf(focus);
        press(Qt::Key_Tab);
    }
    fault = QStringLiteral("Tab never comes back to where it started; it stays in ") +
            nameOf(controlOf(QApplication::focusWidget()));
    return stops;
}

QString stopNames(const QList<QWidget*>& stops) {
    QStringList names;
    for (QWidget* stop : stops)
        names << nameOf(stop);
    return names.join(QStringLiteral(", "));
}

// Choices of one group not on the Tab round must be reachable with the arrows from one that is.
QList<QWidget*> reachedByArrows(const QList<QWidget*>& stops) {
    QList<QWidget*> reached;
    for (QWidget* stop : stops) {
        auto* choice = qobject_cast<ChoiceLabel*>(stop);
        if (!choice || !choice->isInGroup())
            continue;
        choice->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 10; ++i) {
            press(Qt::Key_Down);
            reached << controlOf(QApplication::focusWidget());
        }
        // Round the group once more the other way, so that the choice is what it was.
        for (int i = 0; i < 10; ++i)
            press(Qt::Key_Up);
    }
    return reached;
}

template <class Widget = QWidget> Widget* find(QWidget* root, const char* name) {
    return root->findChild<Widget*>(QLatin1String(name));
}

QString pageIs(TForm1& form, int page) {
    const int shown = form.PageControl1->currentIndex();
    return shown == page ? QString() : QStringLiteral("page %1 shown, not %2").arg(shown).arg(page);
}

// A choice that is now chosen and holds the focus: what Space or an arrow on a group must leave.
std::function<QString(TForm1&, QWidget*)> chosenAndFocused(const char* name) {
    return [name](TForm1&, QWidget* root) -> QString {
        auto* choice = find<ChoiceLabel>(root, name);
        if (!choice || !choice->isChosen())
            return QStringLiteral("%1 is not chosen").arg(QLatin1String(name));
        if (!choice->hasFocus())
            return QStringLiteral("%1 has not the focus but %2")
                .arg(QLatin1String(name), nameOf(QApplication::focusWidget()));
        return {};
    };
}

// Alt with the letter the caption of control marks, pressed wherever the focus is.
Step altKeyStep(const char* control, std::function<QString(TForm1&, QWidget*)> check) {
    return {QString(), QKeyCombination(), std::move(check), QLatin1String(control)};
}

// A choice that is now chosen, wherever the focus is.
std::function<QString(TForm1&, QWidget*)> chosen(const char* name) {
    return [name](TForm1&, QWidget* root) -> QString {
        auto* choice = find<ChoiceLabel>(root, name);
        return choice && choice->isChosen() ? QString() : QStringLiteral("%1 is not chosen").arg(QLatin1String(name));
    };
}

std::function<QString(TForm1&, QWidget*)> pageShown(int page) {
    return [page](TForm1& form, QWidget*) {
        return pageIs(form, page);
    };
}

// A list's own menu, opened from the keyboard (and closed again for the next step).
std::function<QString(TForm1&, QWidget*)> menuOpen(const char* name) {
    return [name](TForm1&, QWidget*) -> QString {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || menu->objectName() != QLatin1String(name))
            return QStringLiteral("%1 did not open").arg(QLatin1String(name));
        menu->hide();
        return {};
    };
}

std::function<QString(TForm1&, QWidget*)> rowChosen(const char* name) {
    return [name](TForm1& form, QWidget*) -> QString {
        auto* list = find<QAbstractItemView>(&form, name);
        return list && list->selectionModel()->hasSelection()
                   ? QString()
                   : QStringLiteral("no row chosen among %1").arg(list ? list->model()->rowCount() : -1);
    };
}

// A window that the key has closed.
template <class Window> std::function<QString(TForm1&, QWidget*)> windowClosed() {
    return [](TForm1&, QWidget*) -> QString {
        return newestShown<Window>() ? QStringLiteral("the window is still open") : QString();
    };
}

std::function<QString(TForm1&, QWidget*)> calendarOn(const char* name, QDate day) {
    return [name, day](TForm1&, QWidget* root) -> QString {
        auto* calendar = find<MonthCalendar>(root, name);
        if (!calendar || calendar->date() != day)
            return QStringLiteral("the calendar is on %1").arg(calendar ? calendar->date().toString() : QString());
        return {};
    };
}

// The controls that show a caption of their own: buttons with a text, and the kit's captions that someone listens
// to (the text beside a tick box among them, though its box is the control). Disabled ones count: their key is
// theirs all the same, only it does nothing just now.
QList<QWidget*> captionedControls(QWidget* root) {
    QList<QWidget*> controls;
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(root) || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (const auto* label = qobject_cast<const ClickableLabel*>(widget)) {
            if (label->marksKey() && label->isClickable() && !label->text().isEmpty() &&
                label->cursor().shape() == Qt::PointingHandCursor)
                controls << widget;
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty())
                controls << widget;
        }
    }
    return controls;
}

QString captionOf(QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return static_cast<const QAbstractButton*>(control)->text();
}

// The Alt key of a single letter of a caption, as a marker before it would give.
QKeySequence keyOfLetter(QChar letter) {
    return QKeySequence::mnemonic(QStringLiteral("&") + letter);
}

// The Shortcut events that reach a control, taken away before the control acts: the walk presses every key of a
// page without running its dialogs. What the keys then do is shown by the steps of everyControlByKeyboard.
class ShortcutCatcher final : public QObject {
public:
    struct Caught {
        QPointer<QObject> receiver;
        bool ambiguous;
    };
    QList<Caught> caught;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            caught << Caught{watched, static_cast<QShortcutEvent*>(event)->isAmbiguous()};
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestKeyboardWalk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_form.reset(); }
    void everyControlByKeyboard_data();
    void everyControlByKeyboard();
    void altKeysOnEveryPage_data() { everyControlByKeyboard_data(); }
    void altKeysOnEveryPage();

private:
    // The page of the row shown and active, or its window opened; the window is closed again by the guard.
    QWidget* showRow(int page, const Opener& open);

    QTemporaryDir m_folder;
    const FixedClock m_clock{QDateTime(QDate(2024, 3, 5), QTime(10, 0))};
    std::unique_ptr<TForm1> m_form;
};

void TestKeyboardWalk::initTestCase() {
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
    // The focus marks are looked at on the program's own dark theme, the keys in the user's language: each
    // catalogue gives the captions Alt keys of its own.
    QVERIFY(Theme::apply(*qApp));
    Translations::install(*qApp);
    m_form = std::make_unique<TForm1>(AppContext{m_folder.path(), &m_clock, false, [] {
                                                     return true;
                                                 }});
    // One alarm two days on, so that the lists have a row and the calendar a day to open.
    Records::write(m_form->eventStore(), "0",
                   {{"altype", "alarm"},
                    {"date", Records::at(QDate(2024, 3, 7), QTime(18, 0))},
                    {"linecount", "1"},
                    {"0", "Dinner"}});
    m_form->resize(900, 700);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestKeyboardWalk::everyControlByKeyboard_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<Opener>("open");
    QTest::addColumn<Steps>("steps");
    QList<Steps> steps(PageCount);

    steps[MainTab] = {
        {QStringLiteral("myLabel3d1"), Qt::Key_Down,
         [](TForm1& form, QWidget* root) {
             return form.edit().menuChoice == 2 ? chosenAndFocused("myLabel3d2")(form, root)
                                                : QStringLiteral("Down chose %1").arg(form.edit().menuChoice);
         }},
        {QString(), Qt::Key_Right, chosenAndFocused("myLabel3d20")},
        {QString(), Qt::Key_Left, chosenAndFocused("myLabel3d2")},
        {QString(), Qt::Key_Up, chosenAndFocused("myLabel3d1")},
        altKeyStep("myLabel3d19", chosen("myLabel3d19")),
        altKeyStep("myLabel3d1", chosen("myLabel3d1")),
        {QStringLiteral("Image12"), Qt::Key_Space, pageShown(AboutTab)},
    };
    steps[AlarmTab] = {
        {QStringLiteral("myLabel3d6"), Qt::Key_Space, chosenAndFocused("myLabel3d6")},
        {QString(), Qt::Key_Up, chosenAndFocused("myLabel3d5")},
        {QStringLiteral("CheckBox1"), Qt::Key_Space,
         [](TForm1&, QWidget* root) {
             return find<QAbstractButton>(root, "CheckBox1")->isChecked() &&
                            find<QWidget>(root, "myaSuperLabel46")->isEnabled()
                        ? QString()
                        : QStringLiteral("Space did not tick the repetition");
         }},
        altKeyStep("myLabel3d6", chosen("myLabel3d6")),
        altKeyStep("myaSuperLabel9",
                   [](TForm1&, QWidget* root) {
                       return find<QAbstractButton>(root, "CheckBox1")->isChecked()
                                  ? QStringLiteral("the key left the repetition ticked")
                                  : QString();
                   }),
        altKeyStep("myaSuperLabel9",
                   [](TForm1&, QWidget* root) {
                       return find<QAbstractButton>(root, "CheckBox1")->isChecked()
                                  ? QString()
                                  : QStringLiteral("the key did not tick the repetition");
                   }),
        {QStringLiteral("myaSuperLabel46"), Qt::Key_Return, pageShown(MoreTab)},
    };
    steps[ShutTab] = {
        {QStringLiteral("myLabel3d10"), Qt::Key_Space, chosenAndFocused("myLabel3d10")},
        {QString(), Qt::Key_Right, chosenAndFocused("myLabel3d9")},
        {QStringLiteral("myLabel3d7"), Qt::Key_Space, chosenAndFocused("myLabel3d7")},
    };
    steps[BirthTab] = {
        {QStringLiteral("MonthCalendar1"), Qt::Key_Right, calendarOn("MonthCalendar1", QDate(2024, 3, 6))},
    };
    steps[ViewTabAl] = {
        {QStringLiteral("ListView1"), Qt::Key_Space, rowChosen("ListView1")},
        {QString(), QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), menuOpen("PopupMenu1")},
        {QString(), Qt::Key_Menu, menuOpen("PopupMenu1")},
        {QStringLiteral("myLabel3d27"), Qt::Key_Space, pageShown(EditTab)},
    };
    steps[ViewTabShut] = {
        {QStringLiteral("DsFancyButton13"), Qt::Key_Space, pageShown(ViewTabAl)},
    };
    steps[ViewTabPast] = {
        altKeyStep("DsFancyButton26", pageShown(ViewTabBirthDay)),
    };
    steps[ConfirmTab] = {
        altKeyStep("DsFancyButton29",
                   [](TForm1& form, QWidget*) {
                       return form.PageControl1->currentIndex() != ConfirmTab ? QString()
                                                                              : QStringLiteral("still confirming");
                   }),
    };
    steps[AboutTab] = {
        {QStringLiteral("DsFancyButton30"), Qt::Key_Return, pageShown(MainTab)},
    };
    steps[MoreTab] = {
        {QStringLiteral("myLabel3d15"), Qt::Key_Down,
         [](TForm1& form, QWidget* root) {
             const QString chosen = chosenAndFocused("myLabel3d16")(form, root);
             if (!chosen.isEmpty())
                 return chosen;
             return find<QWidget>(root, "CheckBox6")->isEnabled() ? QString()
                                                                  : QStringLiteral("the days were not opened");
         }},
        {QStringLiteral("myLabel3d18"), Qt::Key_Space, chosenAndFocused("myLabel3d18")},
        {QStringLiteral("DsFancyButton31"), Qt::Key_Space, pageShown(AlarmTab)},
    };
    steps[AddressTab] = {
        {QStringLiteral("ListView5"), QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), menuOpen("PopupMenu3")},
    };
    steps[CalendarTab] = {
        {QStringLiteral("MonthCalendar2"), Qt::Key_Right, calendarOn("MonthCalendar2", QDate(2024, 3, 6))},
        {QString(), Qt::Key_Return, pageShown(EditCalendarTab)},
    };
    steps[SetTab] = {
        {QStringLiteral("myLabel3d23"), Qt::Key_Space, chosenAndFocused("myLabel3d23")},
        {QString(), Qt::Key_Up, chosenAndFocused("myLabel3d22")},
    };
    steps[TimerTab] = {
        {QStringLiteral("myLabel3d25"), Qt::Key_Space, chosenAndFocused("myLabel3d25")},
        {QString(), Qt::Key_Left, chosenAndFocused("myLabel3d24")},
    };
    steps[EditTab] = {
        {QStringLiteral("PlannerCalendar1"), Qt::Key_Right, calendarOn("PlannerCalendar1", QDate(2024, 3, 6))},
        {QString(), Qt::Key_Right, calendarOn("PlannerCalendar1", QDate(2024, 3, 7))},
        {QString(), Qt::Key_Return, pageShown(EditViewTab)},
        {QStringLiteral("ListView6"), Qt::Key_Space, rowChosen("ListView6")},
        {QString(), QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), menuOpen("PopupMenu1")},
    };
    for (int page = 0; page < PageCount; ++page)
        QTest::newRow(PageNames[page]) << page << Opener() << steps[page];

    // A description long enough to scroll, and no sound.
    QStringList lines;
    for (int i = 0; i < 9; ++i)
        lines << QStringLiteral("Line %1 of a long description.").arg(i + 1);
    const QHash<QString, Steps> windowSteps{
        {QStringLiteral("alarm window"), {{QStringLiteral("Button1"), Qt::Key_Space, windowClosed<TForm2>()}}},
        {QStringLiteral("clock warning"), {altKeyStep("DsFancyButton11", windowClosed<TForm6>())}},
        {QStringLiteral("birthday window"), {{QStringLiteral("Button1"), Qt::Key_Return, windowClosed<TForm4>()}}},
        {QStringLiteral("countdown window"),
         {{QStringLiteral("DsFancyButton2"), Qt::Key_Space, windowClosed<TForm3>()}}}};
    for (const auto& [name, open] : WindowOpeners::all({lines, false}))
        QTest::newRow(name) << -1 << open << windowSteps.value(QString::fromLatin1(name));
}

namespace {

// A row's page, or its window, which goes again with the row.
struct ShownRow {
    ShownRow(QWidget* shown, bool isWindow)
        : root(shown)
        , window(isWindow ? shown : nullptr) {}
    ~ShownRow() {
        if (window)
            window->close();
    }
    ShownRow(const ShownRow&) = delete;
    ShownRow& operator=(const ShownRow&) = delete;

    QWidget* root;
    QPointer<QWidget> window;
};

} // namespace

QWidget* TestKeyboardWalk::showRow(int page, const Opener& open) {
    QWidget* root = nullptr;
    if (page >= 0) {
        m_form->activateWindow();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            return nullptr;
        m_form->showPage(page);
        root = m_form->PageControl1->widget(page);
    } else {
        root = open(*m_form);
        if (!root)
            return nullptr;
        root->activateWindow();
        if (!QTest::qWaitForWindowActive(root))
            return nullptr;
    }
    return root;
}

void TestKeyboardWalk::everyControlByKeyboard() {
    QFETCH(int, page);
    QFETCH(Opener, open);
    QFETCH(Steps, steps);

    const ShownRow shown(showRow(page, open), page < 0);
    QWidget* root = shown.root;
    QVERIFY(root);
    QTRY_VERIFY(root->isVisible());

    QList<QWidget*> usable;
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (usableByMouse(widget, root))
            usable << widget;
    }
    QWidget* first = QApplication::focusWidget();
    if (!first && usable.isEmpty())
        return; // a window with nothing to use (the update window while it asks)
    QVERIFY2(first && (first == root || root->isAncestorOf(first)),
             qPrintable(QStringLiteral("the page starts with the focus on ") + nameOf(first)));

    QString fault;
    const QList<QWidget*> stops = tabRound(fault);
    QVERIFY2(fault.isEmpty(), qPrintable(fault + QStringLiteral("; stops: ") + stopNames(stops)));

    QStringList faults;
    for (QWidget* stop : stops) {
        if (stop != root && !root->isAncestorOf(stop))
            faults << QStringLiteral("Tab leaves the page for ") + nameOf(stop);
    }

    // Top to bottom, left to right, starting over once: the round is read from where it goes back least.
    const auto backSteps = [root](const QList<QWidget*>& round) {
        QStringList back;
        for (int i = 1; i < round.size(); ++i) {
            if (goesBack(placeOf(round[i - 1], root), placeOf(round[i], root)))
                back << QStringLiteral("Tab goes back from %1 to %2").arg(nameOf(round[i - 1]), nameOf(round[i]));
        }
        return back;
    };
    QList<QWidget*> ordered = stops;
    QStringList back = backSteps(stops);
    for (int start = 1; start < stops.size(); ++start) {
        const QList<QWidget*> round = stops.mid(start) + stops.mid(0, start);
        if (const QStringList steps = backSteps(round); steps.size() < back.size()) {
            ordered = round;
            back = steps;
        }
    }
    faults << back;

    QList<QWidget*> missing;
    for (QWidget* widget : std::as_const(usable)) {
        if (!stops.contains(widget))
            missing << widget;
    }
    if (!missing.isEmpty()) {
        const QList<QWidget*> arrows = reachedByArrows(stops);
        first->setFocus(Qt::TabFocusReason);
        for (QWidget* widget : std::as_const(missing)) {
            if (!arrows.contains(widget))
                faults << QStringLiteral("neither Tab nor the arrows reach ") + nameOf(widget);
        }
    }

    // Each stop shows that it has the focus: the page looks different with the focus on it than with none.
    for (QWidget* stop : std::as_const(stops)) {
        stop->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        const QImage focused = root->grab().toImage();
        stop->clearFocus();
        QApplication::processEvents();
        if (root->grab().toImage() == focused)
            faults << QStringLiteral("no focus mark on ") + nameOf(stop);
    }
    first->setFocus(Qt::TabFocusReason);

    QVERIFY2(faults.isEmpty(),
             qPrintable(faults.join(QLatin1Char('\n')) + QStringLiteral("\nstops: ") + stopNames(ordered)));

    for (const Step& step : std::as_const(steps)) {
        if (!step.target.isEmpty()) {
            for (int i = 0; i < 80 && nameOf(controlOf(QApplication::focusWidget())) != step.target; ++i)
                press(Qt::Key_Tab);
            QVERIFY2(nameOf(controlOf(QApplication::focusWidget())) == step.target,
                     qPrintable(QStringLiteral("Tab does not reach ") + step.target));
        }
        const QString before = nameOf(QApplication::focusWidget());
        QKeyCombination key = step.key;
        if (!step.altKeyOf.isEmpty()) {
            auto* control = root->findChild<QWidget*>(step.altKeyOf);
            QVERIFY2(control, qPrintable(step.altKeyOf));
            const QKeySequence alt = Caption::key(captionOf(control));
            QVERIFY2(!alt.isEmpty(), qPrintable(step.altKeyOf + QStringLiteral(" has no Alt key")));
            key = alt[0];
        }
        press(key);
        // A check may act (close the menu it found), so it runs until it passes once and not again.
        QString wrong;
        bool passed = false;
        QTRY_VERIFY2(
            passed || (passed = (wrong = step.check(*m_form, root)).isEmpty()),
            qPrintable(QStringLiteral("%1 on %2: %3")
                           .arg(QKeySequence(key).toString(), step.target.isEmpty() ? before : step.target, wrong)));
    }
}

void TestKeyboardWalk::altKeysOnEveryPage() {
    QFETCH(int, page);
    QFETCH(Opener, open);

    const ShownRow shown(showRow(page, open), page < 0);
    QWidget* root = shown.root;
    QVERIFY(root);
    QTRY_VERIFY(root->isVisible());

    const QList<QWidget*> controls = captionedControls(root);
    QStringList faults;
    QHash<QKeySequence, QList<QWidget*>> byKey;
    for (QWidget* control : controls) {
        const QString caption = captionOf(control);
        const QString shown = Caption::shown(caption);
        if (caption.count(QLatin1Char('&')) - 2 * caption.count(QLatin1String("&&")) > 1)
            faults << QStringLiteral("%1 marks more than one letter in \"%2\"").arg(nameOf(control), caption);
        // What a screen reader says is what the eye reads: the marker is no part of it.
        auto* box = qobject_cast<LabelToggle*>(control) ? static_cast<LabelToggle*>(control)->box() : nullptr;
        for (QWidget* named : {control, static_cast<QWidget*>(box)}) {
            QAccessibleInterface* face = named ? QAccessible::queryAccessibleInterface(named) : nullptr;
            if (face && Caption::shown(face->text(QAccessible::Name)) != face->text(QAccessible::Name))
                faults << QStringLiteral("%1 is announced as \"%2\"").arg(nameOf(named), face->text(QAccessible::Name));
        }
        const QKeySequence key = Caption::key(caption);
        if (key.isEmpty())
            continue;
        byKey[key] << control;
        // The key is told to a screen reader with the action it runs (a disabled control offers none).
        if (!control->isEnabled())
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        QAccessibleActionInterface* actions = face ? face->actionInterface() : nullptr;
        const QStringList names = actions ? actions->actionNames() : QStringList();
        if (names.isEmpty() || !actions->keyBindingsForAction(names.first()).contains(key.toString()))
            faults << QStringLiteral("%1 does not report %2 as its key but %3")
                          .arg(nameOf(control), key.toString(),
                               names.isEmpty() ? QStringLiteral("no action")
                                               : actions->keyBindingsForAction(names.first()).join(QLatin1Char(',')));
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            faults << QStringLiteral("%1 is the key of %2").arg(it.key().toString(), stopNames(it.value()));
    }
    // A caption without a key must have none left: each of its letters is another control's key already.
    for (QWidget* control : controls) {
        const QString caption = captionOf(control);
        if (!Caption::key(caption).isEmpty())
            continue;
        QString free;
        for (const QChar letter : Caption::shown(caption)) {
            if (letter.isLetterOrNumber() && !byKey.contains(keyOfLetter(letter)) && !free.contains(letter.toUpper()))
                free += letter.toUpper();
        }
        if (!free.isEmpty())
            faults
                << QStringLiteral("%1 \"%2\" has no Alt key, though %3 are free").arg(nameOf(control), caption, free);
    }

    // Alt with the letter reaches that control and no other, on the page shown (the hidden pages hold the same
    // letters: "<<Back" is on most of them).
    ShortcutCatcher catcher;
    qApp->installEventFilter(&catcher);
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        QWidget* control = it.value().first();
        if (!control->isEnabled())
            continue;
        catcher.caught.clear();
        const QKeyCombination combination = it.key()[0];
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : root, combination.key(),
                        combination.keyboardModifiers());
        QStringList reached;
        for (const auto& caught : std::as_const(catcher.caught))
            reached << nameOf(qobject_cast<QWidget*>(caught.receiver)) +
                           (caught.ambiguous ? QStringLiteral(" (ambiguous)") : QString());
        if (catcher.caught.size() != 1 || catcher.caught.first().receiver != control ||
            catcher.caught.first().ambiguous)
            faults << QStringLiteral("%1 reaches %2, not %3")
                          .arg(it.key().toString(),
                               reached.isEmpty() ? QStringLiteral("nothing") : reached.join(QStringLiteral(", ")),
                               nameOf(control));
    }
    qApp->removeEventFilter(&catcher);

    QStringList keys;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        keys << it.key().toString() + QLatin1Char(' ') + stopNames(it.value());
    keys.sort();
    QVERIFY2(faults.isEmpty(),
             qPrintable(faults.join(QLatin1Char('\n')) + QStringLiteral("\nkeys: ") + keys.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestKeyboardWalk)
#include "tst_KeyboardWalk.moc"
