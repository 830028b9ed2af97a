#include "app/MainMenuPage.h"
#include "context/SettingsKeys.h"

#include "app/ClaimedKeys.h"
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "context/PageIndex.h"
#include "store/XMLIniFile.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/IconLabel.h"
#include "widgets/Icons.h"
#include "widgets/ShadowLabel.h"

#include <QAction>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using Handler = void (MainMenuPage::*)();

struct EntryDefinition {
    const char* caption;
    const char* labelName;
    const char* imageName;
    const char* markerName;
    Handler click;
    Handler enter;
    Handler leave;
};

// By menuChoice: 1 to 4 form the left column, 5 to 8 the right one.
const std::array<EntryDefinition, 8> entryDefinitions{{
    {QT_TRANSLATE_NOOP("MainMenuPage", "New &Alarm"), "myLabel3d1", "Image9", "RadioButton3",
     &MainMenuPage::myLabel3d1Click, &MainMenuPage::myLabel3d1MouseEnter, &MainMenuPage::myLabel3d1MouseLeave},
    {QT_TRANSLATE_NOOP("MainMenuPage", "&Schedule Shut Down"), "myLabel3d2", "Image5", "RadioButton4",
     &MainMenuPage::myLabel3d2Click, &MainMenuPage::myLabel3d2MouseEnter, &MainMenuPage::myLabel3d2MouseLeave},
    {QT_TRANSLATE_NOOP("MainMenuPage", "Add &Birthday"), "myLabel3d3", "Image7", "RadioButton5",
     &MainMenuPage::myLabel3d3Click, &MainMenuPage::myLabel3d3MouseEnter, &MainMenuPage::myLabel3d3MouseLeave},
    {QT_TRANSLATE_NOOP("MainMenuPage", "&View/Edit Events"), "myLabel3d4", "Image6", "RadioButton6",
     &MainMenuPage::myLabel3d4Click, &MainMenuPage::myLabel3d4MouseEnter, &MainMenuPage::myLabel3d4MouseLeave},
    {QT_TRANSLATE_NOOP("MainMenuPage", "&Timer-Countdown"), "myLabel3d26", "Image3", "RadioButton11",
     &MainMenuPage::myLabel3d26Click, &MainMenuPage::myLabel3d26MouseEnter, &MainMenuPage::myLabel3d26MouseLeave},
    {QT_TRANSLATE_NOOP("MainMenuPage", "Add&ress Book"), "myLabel3d20", "Image8", "RadioButton9",
     &MainMenuPage::myLabel3d20Click, &MainMenuPage::myLabel3d20MouseEnter, &MainMenuPage::myLabel3d20MouseLeave},
    {QT_TRANSLATE_NOOP("MainMenuPage", "&Diary"), "myLabel3d19", "Image4", "RadioButton10",
     &MainMenuPage::myLabel3d19Click, &MainMenuPage::myLabel3d19MouseEnter, &MainMenuPage::myLabel3d19MouseLeave},
    {QT_TRANSLATE_NOOP("MainMenuPage", "S&ettings"), "myLabel3d21", "Image10", "RadioButton12",
     &MainMenuPage::myLabel3d21Click, &MainMenuPage::myLabel3d21MouseEnter, &MainMenuPage::myLabel3d21MouseLeave},
}};

// Up and Down walk 1 to 8 in a ring; Right walks 1, 5, 2, 6, 3, 7, 4, 8 (row by row across both columns) and Left walks
// it backwards.
constexpr int moves[8][4] = {
    // Up, Down, Left, Right
    {8, 2, 8, 5}, {1, 3, 5, 6}, {2, 4, 6, 7}, {3, 5, 7, 8}, {4, 6, 1, 2}, {5, 7, 2, 3}, {6, 8, 3, 4}, {7, 1, 4, 1},
};

bool isEntry(int choice) {
    return choice >= 1 && choice <= 8;
}

} // namespace

MainMenuPage::MainMenuPage(TForm1& form, QWidget* parent)
    : QWidget(parent)
    , m_form(form) {
    setObjectName(QStringLiteral("MainTab"));
    setAccessibleName(tr("Main Menu"));

    myaSuperLabel48 = new ShadowLabel(QStringLiteral("Zentick"), this);
    myaSuperLabel48->setObjectName(QStringLiteral("myaSuperLabel48"));
    myaSuperLabel48->setScale(2.4);

    buildEntries();

    Image12 = new IconLabel(this);
    Image12->setObjectName(QStringLiteral("Image12"));
    Image12->setIcons(Icons::about(false), Icons::about(true));
    Image12->setIconSize(QSize(26, 26));
    Image12->setHoverLight(false);
    Image12->setToolTip(tr("About Zentick..."));
    Image12->setAccessibleName(tr("About Zentick..."));
    Image12->setCursor(Qt::PointingHandCursor);
    // A click must not leave the focus on the icon, or the next Enter would press it again instead of "Next>>";
    // Tab still reaches it.
    Image12->setFocusPolicy(Qt::TabFocus);
    ClaimedKeys::claimActivation(Image12);
    connect(Image12, &IconLabel::clicked, this, &MainMenuPage::myLabel3d14Click);
    connect(Image12, &IconLabel::hoveredChanged, this,
            [this](bool hovered) { hovered ? myLabel3d14MouseEnter() : myLabel3d14MouseLeave(); });

    Image11 = new IconLabel(this);
    Image11->setObjectName(QStringLiteral("Image11"));
    Image11->setIcons(Icons::update(false), Icons::update(true));
    Image11->setIconSize(QSize(26, 26));
    Image11->setToolTip(tr("Check for Updates"));
    Image11->setAccessibleName(tr("Check for Updates"));
    Image11->setCursor(Qt::PointingHandCursor);
    Image11->setFocusPolicy(Qt::TabFocus);
    ClaimedKeys::claimActivation(Image11);
    connect(Image11, &IconLabel::clicked, this, &MainMenuPage::Label1Click);

    // Made after the icons: the bottom row is read from the left, the entries before it.
    DsFancyButton1 = new FancyButton(tr("&Next>>"), this);
    DsFancyButton1->setObjectName(QStringLiteral("DsFancyButton1"));
    DsFancyButton1->setDefault(true);
    DsFancyButton1->setAccessibleName(tr("Next"));
    // The width the stylesheet gives every push button (four lines, its padding and border: resources/zentick.qss),
    // which comes after the first frame: that frame must have the button where it stays.
    DsFancyButton1->setMinimumWidth(4 * QFontMetrics(DsFancyButton1->font()).height() + 2 * 16 + 2 * 1);
    connect(DsFancyButton1, &FancyButton::clicked, this, &MainMenuPage::DsFancyButton1Click);

    buildKeyboardMenu();
    buildLayout();

    setFocusProxy(DsFancyButton1);
    describeNextButton();
    // A page opened another way than "Next>>" (a command from outside) must not leave the arrows choosing entries
    // behind it: in a field they move the cursor.
    connect(m_form.PageControl1, &PageControl::pageShown, this, [this](int index) {
        if (index != MainTab && index != AboutTab)
            detachKeyboardMenu();
    });
}

void MainMenuPage::buildEntries() {
    m_markers = new QButtonGroup(this);
    m_markers->setExclusive(true);
    for (int i = 0; i < 8; ++i) {
        const EntryDefinition& definition = entryDefinitions[std::size_t(i)];
        const int choice = i + 1;
        const QString text = tr(definition.caption);

        auto* label = new ChoiceLabel(text, this);
        label->setObjectName(QLatin1String(definition.labelName));
        label->setAccessibleName(label->shownText());
        // The arrow keys choose entries, so only the chosen one is a Tab stop, as in a group of radio buttons; a
        // click leaves the focus where it was.
        label->setFocusPolicy(Qt::NoFocus);
        connect(label, &ChoiceLabel::chosenChanged, label,
                [label](bool chosen) { label->setFocusPolicy(chosen ? Qt::TabFocus : Qt::NoFocus); });
        label->setInGroup(true); // one of eight choices, as a screen reader should present it
        label->setCursor(Qt::PointingHandCursor);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);

        auto* picture = new IconLabel(this);
        picture->setObjectName(QLatin1String(definition.imageName));
        picture->setIcons(Icons::menu(choice, false), Icons::menu(choice, true));
        picture->setIconSize(QSize(30, 30));
        picture->setHoverLight(false);
        picture->setFocusPolicy(Qt::NoFocus);
        picture->setCursor(Qt::PointingHandCursor);
        picture->setAccessibleName(label->shownText());
        // The picture is part of its caption's entry: a screen reader meets the entry once, as the caption.
        picture->setBuddy(label);

        auto* marker = new QRadioButton(this);
        marker->setObjectName(QLatin1String(definition.markerName));
        marker->setVisible(false);
        marker->setFocusPolicy(Qt::NoFocus);
        m_markers->addButton(marker, choice);

        m_entries[std::size_t(i)] = Entry{label, picture, marker};

        // The picture beside a caption belongs to the same entry: it chooses, opens and lights up alike.
        for (ClickableLabel* part : {static_cast<ClickableLabel*>(label), static_cast<ClickableLabel*>(picture)}) {
            connect(part, &ClickableLabel::clicked, this, definition.click);
            connect(part, &ClickableLabel::doubleClicked, this, [this, definition] {
                (this->*definition.click)();
                DsFancyButton1Click();
            });
            connect(part, &ClickableLabel::hoveredChanged, this,
                    [this, definition](bool hovered) { (this->*(hovered ? definition.enter : definition.leave))(); });
        }
    }
    myLabel3d1 = caption(1);
    myLabel3d2 = caption(2);
    myLabel3d3 = caption(3);
    myLabel3d4 = caption(4);
    myLabel3d26 = caption(5);
    myLabel3d20 = caption(6);
    myLabel3d19 = caption(7);
    myLabel3d21 = caption(8);
    Image9 = image(1);
    Image5 = image(2);
    Image7 = image(3);
    Image6 = image(4);
    Image3 = image(5);
    Image8 = image(6);
    Image4 = image(7);
    Image10 = image(8);
    RadioButton3 = marker(1);
    RadioButton4 = marker(2);
    RadioButton5 = marker(3);
    RadioButton6 = marker(4);
    RadioButton11 = marker(5);
    RadioButton9 = marker(6);
    RadioButton10 = marker(7);
    RadioButton12 = marker(8);
}

void MainMenuPage::buildKeyboardMenu() {
    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
    const auto item = [this](const char* name, const QString& text, const QList<QKeySequence>& keys, Handler handler) {
        QAction* action = PopupMenu4->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    fdsf1 = item("fdsf1", tr("Up"), {QKeySequence(Qt::Key_Up)}, &MainMenuPage::fdsf1Click);
    Down1 = item("Down1", tr("Down"), {QKeySequence(Qt::Key_Down)}, &MainMenuPage::Down1Click);
    Left1 = item("Left1", tr("Left"), {QKeySequence(Qt::Key_Left)}, &MainMenuPage::Left1Click);
    Right1 = item("Right1", tr("Right"), {QKeySequence(Qt::Key_Right)}, &MainMenuPage::Right1Click);
    Enter1 = item("Enter1", tr("Enter"), {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
                  &MainMenuPage::Enter1Click);
}

void MainMenuPage::buildLayout() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(12);
    for (int i = 0; i < 8; ++i) {
        const int row = i % 4;
        const int column = (i / 4) * 3;
        grid->addWidget(m_entries[std::size_t(i)].image, row, column);
        grid->addWidget(m_entries[std::size_t(i)].caption, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(2, 4);
    grid->setColumnStretch(4, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(Image12);
    bottom->addWidget(Image11);
    bottom->addStretch();
    bottom->addWidget(DsFancyButton1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(0);
    layout->addWidget(myaSuperLabel48);
    layout->addStretch(1);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottom);
}

int MainMenuPage::pageOfEntry(int choice) {
    switch (choice) {
    case 1:
        return AlarmTab;
    case 2:
        return ShutTab;
    case 3:
        return BirthTab;
    case 5:
        return TimerTab;
    case 6:
        return AddressTab;
    case 7:
        return CalendarTab;
    case 8:
        return SetTab;
    default:
        return -1;
    }
}

int MainMenuPage::entryAfter(int from, Move move) {
    if (!isEntry(from))
        return from;
    return moves[from - 1][int(move)];
}

ChoiceLabel* MainMenuPage::caption(int choice) const {
    return isEntry(choice) ? m_entries[std::size_t(choice - 1)].caption : nullptr;
}

IconLabel* MainMenuPage::image(int choice) const {
    return isEntry(choice) ? m_entries[std::size_t(choice - 1)].image : nullptr;
}

QRadioButton* MainMenuPage::marker(int choice) const {
    return isEntry(choice) ? m_entries[std::size_t(choice - 1)].marker : nullptr;
}

void MainMenuPage::selectEntry(int choice) {
    if (!isEntry(choice))
        return;
    // Whoever chooses an entry means to open it next: Enter goes to "Next>>" even if an icon had the focus. A
    // keyboard on the entries stays there, on the one now chosen (Enter opens it all the same).
    const bool onEntries =
        std::any_of(m_entries.cbegin(), m_entries.cend(), [](const Entry& entry) { return entry.caption->hasFocus(); });
    const auto moveFocus = [this, choice, onEntries] {
        if (isVisible())
            (onEntries ? static_cast<QWidget*>(caption(choice)) : DsFancyButton1)->setFocus(Qt::OtherFocusReason);
    };
    marker(choice)->setChecked(true);
    if (m_form.edit().menuChoice == choice) {
        moveFocus();
        return;
    }
    if (const int previous = m_form.edit().menuChoice; isEntry(previous)) {
        caption(previous)->setChosen(false);
        image(previous)->setHighlighted(false);
    }
    m_form.edit().menuChoice = choice;
    caption(choice)->setChosen(true);
    image(choice)->setHighlighted(true);
    describeNextButton();
    moveFocus();
}

void MainMenuPage::myLabel3d1Click() {
    selectEntry(1);
}
void MainMenuPage::myLabel3d2Click() {
    selectEntry(2);
}
void MainMenuPage::myLabel3d3Click() {
    selectEntry(3);
}
void MainMenuPage::myLabel3d4Click() {
    selectEntry(4);
}
void MainMenuPage::myLabel3d26Click() {
    selectEntry(5);
}
void MainMenuPage::myLabel3d20Click() {
    selectEntry(6);
}
void MainMenuPage::myLabel3d19Click() {
    selectEntry(7);
}
void MainMenuPage::myLabel3d21Click() {
    selectEntry(8);
}

// The caption lights itself (ChoiceLabel); the picture follows it. The chosen entry is lit already.
void MainMenuPage::entryMouseEnter(int choice) {
    if (isEntry(choice) && m_form.edit().menuChoice != choice)
        image(choice)->setHighlighted(true);
}

void MainMenuPage::entryMouseLeave(int choice) {
    if (isEntry(choice) && m_form.edit().menuChoice != choice)
        image(choice)->setHighlighted(false);
}

void MainMenuPage::myLabel3d1MouseEnter() {
    entryMouseEnter(1);
}
void MainMenuPage::myLabel3d1MouseLeave() {
    entryMouseLeave(1);
}
void MainMenuPage::myLabel3d2MouseEnter() {
    entryMouseEnter(2);
}
void MainMenuPage::myLabel3d2MouseLeave() {
    entryMouseLeave(2);
}
void MainMenuPage::myLabel3d3MouseEnter() {
    entryMouseEnter(3);
}
void MainMenuPage::myLabel3d3MouseLeave() {
    entryMouseLeave(3);
}
void MainMenuPage::myLabel3d4MouseEnter() {
    entryMouseEnter(4);
}
void MainMenuPage::myLabel3d4MouseLeave() {
    entryMouseLeave(4);
}
void MainMenuPage::myLabel3d26MouseEnter() {
    entryMouseEnter(5);
}
void MainMenuPage::myLabel3d26MouseLeave() {
    entryMouseLeave(5);
}
void MainMenuPage::myLabel3d20MouseEnter() {
    entryMouseEnter(6);
}
void MainMenuPage::myLabel3d20MouseLeave() {
    entryMouseLeave(6);
}
void MainMenuPage::myLabel3d19MouseEnter() {
    entryMouseEnter(7);
}
void MainMenuPage::myLabel3d19MouseLeave() {
    entryMouseLeave(7);
}
void MainMenuPage::myLabel3d21MouseEnter() {
    entryMouseEnter(8);
}
void MainMenuPage::myLabel3d21MouseLeave() {
    entryMouseLeave(8);
}

// Also run by Enter and by a double click on an entry, and by the tray menu after it has chosen an entry.
void MainMenuPage::DsFancyButton1Click() {
    detachKeyboardMenu();
    if (m_form.PageControl1->currentIndex() != MainTab)
        return;
    int page = pageOfEntry(m_form.edit().menuChoice);
    if (m_form.edit().menuChoice == 4)
        page = m_form.settingsStore().ReadFlag(SettingsKey::Section, SettingsKey::Classic, true)
                   ? m_form.edit().listPage + 3
                   : EditTab;
    if (page >= 0)
        m_form.showPage(page);
}

void MainMenuPage::MainTabShow() {
    attachKeyboardMenu();
}

void MainMenuPage::fdsf1Click() {
    moveSelection(Move::Up);
}
void MainMenuPage::Down1Click() {
    moveSelection(Move::Down);
}
void MainMenuPage::Left1Click() {
    moveSelection(Move::Left);
}
void MainMenuPage::Right1Click() {
    moveSelection(Move::Right);
}
void MainMenuPage::Enter1Click() {
    DsFancyButton1Click();
}

void MainMenuPage::moveSelection(Move move) {
    if (isEntry(m_form.edit().menuChoice))
        selectEntry(entryAfter(m_form.edit().menuChoice, move));
}

// The keyboard menu acts through the page control, so its keys work wherever the focus is in the window, and only while
// attached.
void MainMenuPage::attachKeyboardMenu() {
    if (m_attached)
        return;
    m_form.PageControl1->addActions(PopupMenu4->actions());
    m_attached = true;
}

void MainMenuPage::detachKeyboardMenu() {
    if (!m_attached)
        return;
    for (QAction* action : PopupMenu4->actions())
        m_form.PageControl1->removeAction(action);
    m_attached = false;
}

void MainMenuPage::myLabel3d14Click() {
    m_form.showPage(AboutTab);
}

void MainMenuPage::myLabel3d14MouseEnter() {
    Image12->setHighlighted(true);
}

void MainMenuPage::myLabel3d14MouseLeave() {
    Image12->setHighlighted(false);
}

void MainMenuPage::Label1Click() {
    emit updateCheckRequested();
}

void MainMenuPage::describeNextButton() {
    if (const ChoiceLabel* chosen = caption(m_form.edit().menuChoice))
        DsFancyButton1->setAccessibleDescription(tr("Opens %1").arg(chosen->shownText()));
}
