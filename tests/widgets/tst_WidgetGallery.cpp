// Draws every control of the kit, the icons and the theme offscreen and writes them to PNG files, so that a
// person can look at them; fails when a picture comes out blank or a resource is missing.
#include "widgets/ChoiceGroup.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/IconLabel.h"
#include "widgets/Icons.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"
#include "widgets/MonthCalendar.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
// The main window's page area; pages are built to fit it.
const QSize pageSize(410, 322);

int distinctColours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            seen.insert(image.pixel(x, y));
    }
    return int(seen.size());
}

std::unique_ptr<QWidget> page() {
    auto widget = std::make_unique<QWidget>();
    widget->setFixedSize(pageSize);
    widget->setAutoFillBackground(true);
    return widget;
}

std::unique_ptr<QWidget> mainMenu() {
    auto menu = page();
    auto* title = new ShadowLabel(QStringLiteral("Zentick"), menu.get());
    title->setScale(2.2);
    title->setColour(QColor(255, 255, 255, 60));
    title->adjustSize();
    title->move((pageSize.width() - title->width()) / 2, 2);
    auto* grid = new QGridLayout;
    auto* group = new ChoiceGroup(menu.get());
    const QStringList captions{QStringLiteral("New Alarm"),       QStringLiteral("Schedule Shut Down"),
                               QStringLiteral("Add Birthday"),    QStringLiteral("View/Edit Events"),
                               QStringLiteral("Timer-Countdown"), QStringLiteral("Address Book"),
                               QStringLiteral("Diary"),           QStringLiteral("Settings")};
    for (int entry = 1; entry <= 8; ++entry) {
        auto* icon = new IconLabel(menu.get());
        icon->setIcons(Icons::menu(entry, false), Icons::menu(entry, true));
        icon->setIconSize(QSize(36, 36));
        icon->setFocusPolicy(Qt::NoFocus);
        auto* label = new ChoiceLabel(captions.at(entry - 1), menu.get());
        QObject::connect(label, &ChoiceLabel::highlightChanged, icon, &IconLabel::setHighlighted);
        group->addChoice(label, entry);
        const int row = (entry - 1) % 4;
        const int column = (entry - 1) / 4 * 2;
        grid->addWidget(icon, row, column);
        grid->addWidget(label, row, column + 1);
    }
    group->setChosen(1);
    group->label(6)->setFocus();
    auto* next = new FancyButton(QStringLiteral("Next>>"));
    next->setDefault(true);
    auto* about = new IconLabel(menu.get());
    about->setIcons(Icons::about(false), Icons::about(true));
    about->setAccessibleName(QStringLiteral("About Zentick..."));
    auto* update = new IconLabel(menu.get());
    update->setIcons(Icons::update(false), Icons::update(true));
    update->setHighlighted(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(about);
    bottom->addWidget(update);
    bottom->addStretch();
    bottom->addWidget(next);
    auto* layout = new QVBoxLayout(menu.get());
    layout->addSpacing(44);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(bottom);
    return menu;
}

std::unique_ptr<QWidget> alarmEditor() {
    auto editor = page();
    auto* layout = new QGridLayout(editor.get());
    layout->addWidget(new ShadowLabel(QStringLiteral("New Alarm")), 0, 0, 1, 3);
    auto* memo = new QPlainTextEdit;
    memo->setPlainText(QStringLiteral("Call the dentist\nabout Tuesday"));
    memo->setMaximumHeight(54);
    layout->addWidget(memo, 1, 0, 1, 3);
    auto* group = new ChoiceGroup(editor.get());
    auto* at = new ChoiceLabel(QStringLiteral("Zentick at:"));
    auto* after = new ChoiceLabel(QStringLiteral("Zentick after:"));
    group->addChoice(at, 0);
    group->addChoice(after, 1);
    group->setChosen(0);
    auto* date = new DateField(DateField::Kind::Date);
    date->setDateTime(QDateTime(QDate(2025, 3, 14), QTime(10, 16)));
    auto* time = new DateField(DateField::Kind::Time);
    time->setTime(QTime(10, 16));
    layout->addWidget(at, 2, 0);
    layout->addWidget(date, 2, 1);
    layout->addWidget(time, 2, 2);
    auto* hours = new SpinEdit(0, 23, 0);
    auto* minutes = new SpinEdit(0, 59, 0);
    hours->setEnabled(false);
    minutes->setEnabled(false);
    layout->addWidget(after, 3, 0);
    layout->addWidget(hours, 3, 1);
    layout->addWidget(minutes, 3, 2);
    auto* sound = new QCheckBox;
    sound->setChecked(true);
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(sound);
    soundRow->addWidget(new LabelToggle(QStringLiteral("Notify me with Sound"), sound));
    soundRow->addStretch();
    layout->addLayout(soundRow, 4, 0, 1, 3);
    auto* repeat = new QCheckBox;
    auto* repeatRow = new QHBoxLayout;
    repeatRow->addWidget(repeat);
    repeatRow->addWidget(new LabelToggle(QStringLiteral("Enable Repetition every:"), repeat));
    repeatRow->addStretch();
    layout->addLayout(repeatRow, 5, 0, 1, 2);
    auto* count = new SpinEdit(1, 1440, 1);
    auto* unit = new QComboBox;
    unit->addItems({QStringLiteral("Minutes"), QStringLiteral("Hours")});
    auto* every = new QHBoxLayout;
    every->addWidget(count);
    every->addWidget(unit);
    layout->addLayout(every, 5, 2);
    auto* advanced = new LinkLabel(QStringLiteral("Advanced"));
    advanced->setColour(Theme::filterOffColour());
    layout->addWidget(advanced, 6, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new FancyButton(QStringLiteral("<<Back")));
    buttons->addStretch();
    auto* next = new FancyButton(QStringLiteral("Next>>"));
    next->setDefault(true);
    buttons->addWidget(next);
    layout->addLayout(buttons, 7, 0, 1, 3);
    return editor;
}

std::unique_ptr<QWidget> buttons() {
    auto panel = std::make_unique<QWidget>();
    panel->setAutoFillBackground(true);
    auto* layout = new QGridLayout(panel.get());
    auto* resting = new FancyButton(QStringLiteral("<<Back"));
    auto* lit = new FancyButton(QStringLiteral("Show>>"));
    lit->setGlow(1.0);
    auto* primary = new FancyButton(QStringLiteral("Next>>"));
    primary->setDefault(true);
    auto* primaryLit = new FancyButton(QStringLiteral("OK"));
    primaryLit->setDefault(true);
    primaryLit->setGlow(1.0);
    auto* focused = new FancyButton(QStringLiteral("Edit>>"));
    focused->setFocus();
    auto* off = new FancyButton(QStringLiteral("Delete"));
    off->setEnabled(false);
    auto* plain = new QPushButton(QStringLiteral("Plain"));
    layout->addWidget(resting, 0, 0);
    layout->addWidget(lit, 0, 1);
    layout->addWidget(primary, 1, 0);
    layout->addWidget(primaryLit, 1, 1);
    layout->addWidget(focused, 2, 0);
    layout->addWidget(off, 2, 1);
    layout->addWidget(plain, 3, 0);
    return panel;
}

std::unique_ptr<QWidget> calendar() {
    auto panel = page();
    auto* layout = new QVBoxLayout(panel.get());
    layout->addWidget(new ShadowLabel(QStringLiteral("View Events")));
    auto* month = new MonthCalendar;
    month->setDate(QDate(2025, 3, 14));
    month->beginUpdate();
    month->addMark(QDate(2025, 3, 3), QColor(255, 255, 0), QStringLiteral("09:00:00 - \"Dentist\""));
    month->addMark(QDate(2025, 3, 14), QColor(255, 255, 0), QStringLiteral("22:00:00 - Shut Down"));
    month->addMark(QDate(2025, 3, 21), QColor(255, 0, 0), QStringLiteral("\"Spring...\""));
    month->endUpdate();
    layout->addWidget(month);
    return panel;
}

std::unique_ptr<QWidget> listPage() {
    auto panel = page();
    auto* layout = new QVBoxLayout(panel.get());
    auto* list = new QTreeWidget;
    list->setHeaderLabels(
        {QStringLiteral("Event"), QStringLiteral("Time"), QStringLiteral("Repeat"), QStringLiteral("Sound")});
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    for (int i = 0; i < 6; ++i) {
        auto* row = new QTreeWidgetItem(list, {QStringLiteral("\"Water the plants\""), QStringLiteral("14/03/2025"),
                                               QStringLiteral("Yes"), QStringLiteral("No")});
        row->setIcon(0, Icons::icon(Icons::menu(1 + i % 3, false)));
    }
    list->setCurrentItem(list->topLevelItem(1));
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(list);
    auto* row = new QHBoxLayout;
    row->addWidget(new LinkLabel(QStringLiteral("Switch to Calendar View")));
    row->addStretch();
    row->addWidget(new FancyButton(QStringLiteral("Edit>>")));
    layout->addLayout(row);
    return panel;
}

std::unique_ptr<QWidget> aboutPage() {
    auto panel = page();
    auto* layout = new QVBoxLayout(panel.get());
    layout->addWidget(new ShadowLabel(QStringLiteral("About")));
    auto* middle = new QHBoxLayout;
    auto* picture = new IconLabel;
    picture->setIcons(Icons::application());
    picture->setIconSize(QSize(96, 96));
    picture->setFocusPolicy(Qt::NoFocus);
    middle->addWidget(picture);
    auto* words = new QVBoxLayout;
    auto* product = new ShadowLabel(QString::fromUtf8("Zentick\u00ae"));
    product->setScale(2.0);
    product->setColour(Theme::chosenColour());
    words->addWidget(product);
    words->addWidget(new QLabel(QStringLiteral("Version 3.3")));
    words->addWidget(new LinkLabel(QStringLiteral("Website: example.org")));
    words->addWidget(new LinkLabel(QStringLiteral("Get Support")));
    middle->addLayout(words);
    layout->addLayout(middle);
    layout->addStretch();
    auto* back = new QHBoxLayout;
    back->addWidget(new FancyButton(QStringLiteral("<<Back")));
    back->addStretch();
    layout->addLayout(back);
    return panel;
}

// All pictures at 16, 32 and 64 pixels, resting and lit, and the tray mark on a dark and a light panel.
QImage iconSheet(qreal ratio) {
    QStringList paths;
    for (int entry = 1; entry <= 8; ++entry)
        paths << Icons::menu(entry, false) << Icons::menu(entry, true);
    paths << Icons::about(false) << Icons::about(true) << Icons::update(false) << Icons::update(true) << Icons::tray()
          << Icons::application();
    const int sizes[] = {16, 32, 64};
    const int column = 76;
    const int row = 72;
    const int rows = int(paths.size() + 1) / 2;
    QImage sheet(QSize(6 * column, (rows + 1) * row) * ratio, QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(Theme::palette().color(QPalette::Window));
    QPainter painter(&sheet);
    for (int i = 0; i < paths.size(); ++i) {
        for (int s = 0; s < 3; ++s) {
            const QPixmap picture = Icons::pixmap(paths.at(i), QSize(sizes[s], sizes[s]), ratio);
            const int x = ((i % 2) * 3 + s) * column + (column - sizes[s]) / 2;
            painter.drawPixmap(QPoint(x, (i / 2) * row + (row - sizes[s]) / 2), picture);
        }
    }
    const int y = rows * row;
    painter.fillRect(QRect(0, y, 3 * column, row), QColor(240, 240, 240));
    int x = 12;
    for (const int side : {16, 22, 32}) {
        const QPixmap mark = Icons::pixmap(Icons::tray(), QSize(side, side), ratio);
        painter.drawPixmap(QPoint(x, y + (row - side) / 2), mark);
        painter.drawPixmap(QPoint(x + 3 * column, y + (row - side) / 2), mark);
        x += side + 24;
    }
    return sheet;
}
} // namespace

class TestWidgetGallery : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pages_data();
    void pages();
    void dropDownCalendar();
    void menu();
    void icons();

private:
    void save(const QImage& image, const QString& name);

    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_folder;
};

void TestWidgetGallery::initTestCase() {
    QVERIFY2(Theme::apply(*qApp), "the stylesheet resource is missing");
    m_folder = qEnvironmentVariable("ZENTICK_GALLERY_DIR");
    if (m_folder.isEmpty()) {
        m_temporary = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temporary->isValid());
        m_folder = m_temporary->path();
    }
    QVERIFY(QDir().mkpath(m_folder));
}

void TestWidgetGallery::save(const QImage& image, const QString& name) {
    QVERIFY2(distinctColours(image) > 8, qPrintable(name + QStringLiteral(" came out blank")));
    QVERIFY(image.save(m_folder + u'/' + name + QStringLiteral(".png")));
}

void TestWidgetGallery::pages_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("main-menu") << 0;
    QTest::newRow("alarm-editor") << 1;
    QTest::newRow("buttons") << 2;
    QTest::newRow("calendar") << 3;
    QTest::newRow("list") << 4;
    QTest::newRow("about") << 5;
}

void TestWidgetGallery::pages() {
    QFETCH(int, which);
    const std::function<std::unique_ptr<QWidget>()> builders[] = {mainMenu, alarmEditor, buttons,
                                                                  calendar, listPage,    aboutPage};
    std::unique_ptr<QWidget> widget = builders[which]();
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    if (which == 0) {
        // Light up one entry that is not chosen, as the pointer would.
        auto* group = widget->findChild<ChoiceGroup*>();
        QTest::mouseMove(group->label(3), group->label(3)->rect().center());
        QTRY_VERIFY(group->label(3)->isHighlighted());
    }
    save(widget->grab().toImage(), QString::fromLatin1(QTest::currentDataTag()));
}

void TestWidgetGallery::dropDownCalendar() {
    auto panel = page();
    auto* field = new DateField(DateField::Kind::DateTime, panel.get());
    field->setDateTime(QDateTime(QDate(2025, 3, 14), QTime(10, 16)));
    field->move(20, 20);
    field->resize(field->sizeHint().width() + 20, field->sizeHint().height());
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    field->showDropDown();
    QWidget* popup = field->dropCalendar()->window();
    QTRY_VERIFY(popup->isVisible());
    save(panel->grab().toImage(), QStringLiteral("date-field"));
    save(popup->grab().toImage(), QStringLiteral("date-drop-down"));
}

void TestWidgetGallery::menu() {
    QMenu menu;
    menu.addAction(QStringLiteral("Main Menu"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("New Alarm"));
    menu.addAction(QStringLiteral("Scheduled Shut Down"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("Disable Tray"));
    menu.setActiveAction(menu.actions().at(2));
    menu.popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    save(menu.grab().toImage(), QStringLiteral("tray-menu"));
}

void TestWidgetGallery::icons() {
    save(iconSheet(1.0), QStringLiteral("icons"));
    save(iconSheet(2.0), QStringLiteral("icons@2x"));
    for (int entry = 1; entry <= 8; ++entry) {
        QVERIFY(!Icons::pixmap(Icons::menu(entry, false), QSize(32, 32)).isNull());
        QVERIFY(!Icons::pixmap(Icons::menu(entry, true), QSize(32, 32)).isNull());
    }
    QVERIFY(Icons::menu(0, false).isEmpty());
    QVERIFY(Icons::menu(9, true).isEmpty());
}

QTEST_MAIN(TestWidgetGallery)
#include "tst_WidgetGallery.moc"
