#include "ui/notify/TForm4.h"

#include "scheduler/SchedulerClock.h"
#include "scheduler/Snooze.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

TForm4::TForm4(NotifyServices services)
    : SoundingNoticeWindow(std::move(services), QStringLiteral("Form4"), {}) {
    setWindowTitle(tr("Birthday"));

    abel2 = new ShadowLabel(tr("Birthday"), this);
    abel2->setObjectName(QStringLiteral("abel2"));
    abel2->setScale(2.4);

    BirthLabel = new QLabel(this);
    BirthLabel->setObjectName(QStringLiteral("BirthLabel"));
    BirthLabel->setAlignment(Qt::AlignCenter);
    BirthLabel->setTextFormat(Qt::PlainText); // the name is the user's text
    BirthLabel->setMinimumSize(300, 90);

    makeAnswerButtons();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton1);
    buttons->addStretch();
    addSnoozeControls(buttons);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: the user does not resize it
    layout->addWidget(abel2);
    layout->addWidget(BirthLabel, 1);
    layout->addLayout(buttons);
}

TForm4::~TForm4() = default;

void TForm4::FormShow() {
    placeShown("birthday");
    startSound();
}

QByteArray TForm4::storeSnooze(TXMLIniFile& settings, qint64 untilMs) const {
    BirthdayNotice notice;
    notice.section = section;
    notice.scheduled = scheduled;
    notice.greeting = greeting.isEmpty() ? BirthLabel->text() : greeting;
    notice.sound = sound;
    return Snooze::snoozeBirthday(settings, notice, untilMs, *m_services.clock);
}
