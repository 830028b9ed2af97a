#include "ui/notify/TForm2.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/PastAlarms.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/Snooze.h"
#include "scheduler/TextPreview.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "ui/LocaleDateTimeText.h"
#include "ui/notify/DescriptionPages.h"
#include "ui/notify/OpenAlarmRegistry.h"
#include "widgets/ClickableLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

TForm2::TForm2(NotifyServices services)
    : SoundingNoticeWindow(std::move(services), QStringLiteral("Form2"), Qt::WindowStaysOnTopHint) {
    BackMain = new ShadowLabel(tr("Alarm"), this);
    BackMain->setObjectName(QStringLiteral("BackMain"));
    BackMain->setScale(2.4);

    ProgLabel = new QLabel(this);
    ProgLabel->setObjectName(QStringLiteral("ProgLabel"));
    ProgLabel->setWordWrap(true);
    ProgLabel->setTextFormat(Qt::PlainText);

    Label = new ClickableLabel(this);
    Label->setObjectName(QStringLiteral("Label"));
    // The text shown is not a caption: an "&" in it is the user's own and marks no key.
    Label->setMarksKey(false);
    Label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label->setWordWrap(true);
    Label->setMinimumSize(320, 140);
    connect(Label, &ClickableLabel::clicked, this, &TForm2::LabelClick);

    makeAnswerButtons();
    Button2 = new FancyButton(tr("Disable &Repetition"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    SkipButton = new FancyButton(tr("Skip &Next"), this);
    SkipButton->setObjectName(QStringLiteral("SkipButton"));
    SkipButton->setAccessibleDescription(tr("Passes over the next occurrence of this alarm and keeps it on"));
    connect(SkipButton, &QPushButton::clicked, this, &TForm2::SkipButtonClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton1);
    buttons->addWidget(Button2);
    buttons->addWidget(SkipButton);
    buttons->addStretch();
    addSnoozeControls(buttons);
    buttons->addWidget(Button1);
    // Tab reads the row from the left, after the text.
    setTabOrder(Label, DsFancyButton1);
    setTabOrder(DsFancyButton1, Button2);
    setTabOrder(Button2, SkipButton);
    setTabOrder(SkipButton, SnoozeLength);
    setTabOrder(SnoozeLength, SnoozeUntil);
    setTabOrder(SnoozeUntil, SnoozeButton);
    setTabOrder(SnoozeButton, Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: the user does not resize it
    layout->addWidget(BackMain);
    layout->addWidget(ProgLabel);
    layout->addWidget(Label, 1);
    layout->addLayout(buttons);

    TimerTimer();
    Timer.setInterval(1000);
    connect(&Timer, &QTimer::timeout, this, &TForm2::TimerTimer);
    Timer.start();
}

TForm2::~TForm2() = default;

bool TForm2::repeating() const {
    // The firing hides "Disable Repetition" for a one-time alarm.
    return !Button2->isHidden();
}

void TForm2::prepareContent() {
    SkipButton->setVisible(repeating());
    // Whoever filled the window, it lays out no more than a bounded part of the text.
    m_allLines = lines;
    lines = TextPreview::lines(lines);
    const bool pages = DescriptionPages::pages(lines);
    Label->setCursor(pages ? Qt::PointingHandCursor : Qt::ArrowCursor);
    Label->setText(DescriptionPages::text(lines, 0));
}

void TForm2::FormShow() {
    if (prepared()) {
        // Made ahead: only the title's time may have moved since.
        TimerTimer();
    } else {
        prepareContent();
        place();
    }
    if (repeating() && m_services.registry)
        m_services.registry->enter(section.toInt(), this);
    logShown("alarm");
    startSound();
}

void TForm2::TimerTimer() {
    setWindowTitle(LocaleDateTimeText::format(DayCount::toDateTime(m_services.clock->now())));
}

void TForm2::closeEvent(QCloseEvent* event) {
    if (m_services.registry)
        m_services.registry->windowClosed(this);
    QWidget::closeEvent(event);
}

QByteArray TForm2::storeSnooze(TXMLIniFile& settings, qint64 untilMs) const {
    AlarmNotice notice;
    notice.section = section;
    notice.scheduled = scheduled;
    notice.lines = m_allLines;
    notice.sound = sound;
    return Snooze::snoozeAlarm(settings, notice, untilMs, *m_services.clock);
}

void TForm2::LabelClick() {
    if (!DescriptionPages::pages(lines))
        return;
    pageStart = DescriptionPages::next(lines, pageStart);
    Label->setText(DescriptionPages::text(lines, pageStart));
}

bool TForm2::standsForRecord() const {
    // Deleting the alarm from its list takes it out of the registry and leaves this window open; its
    // number may since have gone to a new record, which is not this window's to end.
    return (m_services.registry == nullptr || m_services.registry->windowFor(section.toInt()) == this) &&
           m_services.events().HasSection(section);
}

void TForm2::SkipButtonClick() {
    if (!standsForRecord()) {
        SkipButton->setEnabled(false);
        return;
    }
    try {
        if (SkipOccurrence::skipNext(m_services.events(), section))
            SkipButton->setEnabled(false);
    } catch (const Exception& e) {
        if (m_services.showMsg)
            m_services.showMsg(e.message());
    }
}

void TForm2::Button2Click() {
    TXMLIniFile& events = m_services.events();
    // A record that is gone has nothing left to give up (retiring it would leave an empty past alarm).
    if (!standsForRecord()) {
        Button2->setEnabled(false);
        return;
    }
    // The firing has already moved the record to its next occurrence, which is the one given up here.
    PastAlarms::retire(events, m_services.pastAlarms(), section, events.ReadDouble(section, EventRecord::Key::Date, 0));
    if (m_services.registry)
        m_services.registry->remove(section.toInt());
    Button2->setEnabled(false);
    SkipButton->setEnabled(false);
}
