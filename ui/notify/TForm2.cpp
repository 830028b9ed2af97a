#include "ui/notify/TForm2.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/PastAlarms.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/TextPreview.h"
#include "store/XMLIniFile.h"
#include "ui/LocaleDateTimeText.h"
#include "ui/notify/AlarmSound.h"
#include "ui/notify/DescriptionPages.h"
#include "ui/notify/FiringLog.h"
#include "ui/notify/OpenAlarmRegistry.h"
#include "ui/notify/SoundFileChoice.h"
#include "ui/notify/WindowPlacement.h"
#include "widgets/ClickableLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

TForm2::TForm2(NotifyServices services)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_services(std::move(services)) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);

    BackMain = new ShadowLabel(tr("Alarm"), this);
    BackMain->setObjectName(QStringLiteral("BackMain"));
    BackMain->setScale(2.4);

    ProgLabel = new QLabel(this);
    ProgLabel->setObjectName(QStringLiteral("ProgLabel"));
    ProgLabel->setWordWrap(true);
    ProgLabel->setTextFormat(Qt::PlainText);

    Label = new ClickableLabel(this);
    Label->setObjectName(QStringLiteral("Label"));
    Label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label->setWordWrap(true);
    Label->setMinimumSize(320, 140);
    connect(Label, &ClickableLabel::clicked, this, &TForm2::LabelClick);

    Button1 = new FancyButton(tr("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new FancyButton(tr("Disable &Repetition"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    DsFancyButton1 = new FancyButton(tr("&Stop Sound"), this);
    DsFancyButton1->setObjectName(QStringLiteral("DsFancyButton1"));
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(DsFancyButton1, &QPushButton::clicked, this, &TForm2::DsFancyButton1Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: the user does not resize it
    layout->addWidget(BackMain);
    layout->addWidget(ProgLabel);
    layout->addWidget(Label, 1);
    layout->addLayout(buttons);

    MediaPlayer1 = new AlarmSound(m_services.makeSoundPlayer, DsFancyButton1, this);
    m_soundFile = SoundFileChoice::choose(m_services.settings(), m_services.defaultSoundFile);

    TimerTimer();
    Timer.setInterval(1000);
    connect(&Timer, &QTimer::timeout, this, &TForm2::TimerTimer);
    Timer.start();
}

TForm2::~TForm2() = default;

bool TForm2::playing() const {
    return MediaPlayer1->playing;
}

int TForm2::playCount() const {
    return MediaPlayer1->playCount;
}

bool TForm2::repeating() const {
    // The firing hides "Disable Repetition" for a one-time alarm.
    return !Button2->isHidden();
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
    // Enter and Escape answer the window at once, whatever the pointer did.
    Button1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm2::FormShow() {
    if (repeating() && m_services.registry)
        m_services.registry->enter(section.toInt(), this);

    // Whoever filled the window, it lays out no more than a bounded part of the text.
    lines = TextPreview::lines(lines);
    const bool pages = DescriptionPages::pages(lines);
    Label->setCursor(pages ? Qt::PointingHandCursor : Qt::ArrowCursor);
    Label->setText(DescriptionPages::text(lines, 0));
    adjustSize();
    WindowPlacement::centreOnDesktop(this);
    FiringLog::windowShown("alarm", section, scheduled, *m_services.clock);

    if (sound)
        MediaPlayer1->startWhenShown(this, m_soundFile);
}

void TForm2::TimerTimer() {
    setWindowTitle(LocaleDateTimeText::format(DayCount::toDateTime(m_services.clock->now())));
}

void TForm2::Button1Click() {
    close();
}

void TForm2::closeEvent(QCloseEvent* event) {
    if (m_services.registry)
        m_services.registry->windowClosed(this);
    QWidget::closeEvent(event);
}

void TForm2::LabelClick() {
    if (!DescriptionPages::pages(lines))
        return;
    pageStart = DescriptionPages::next(lines, pageStart);
    Label->setText(DescriptionPages::text(lines, pageStart));
}

void TForm2::DsFancyButton1Click() {
    MediaPlayer1->stop();
}

void TForm2::Button2Click() {
    TXMLIniFile& events = m_services.events();
    // Deleting the alarm from its list takes it out of the registry and leaves this window open; its
    // number may since have gone to a new record, which is not this window's to end. A record that is gone
    // has nothing left to give up (retiring it would leave an empty past alarm).
    const bool standsForRecord =
        m_services.registry == nullptr || m_services.registry->windowFor(section.toInt()) == this;
    if (!standsForRecord || !events.HasSection(section)) {
        Button2->setEnabled(false);
        return;
    }
    // The firing has already moved the record to its next occurrence, which is the one given up here.
    PastAlarms::retire(events, m_services.pastAlarms(), section, events.ReadDouble(section, EventRecord::Key::Date, 0));
    if (m_services.registry)
        m_services.registry->remove(section.toInt());
    Button2->setEnabled(false);
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button1Click();
        return;
    }
    QWidget::keyPressEvent(event);
}
