#include "ui/notify/NoticeWindow.h"

#include "context/SettingsKeys.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/Snooze.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "ui/notify/AlarmSound.h"
#include "ui/notify/FiringLog.h"
#include "ui/notify/SoundFileChoice.h"
#include "ui/notify/WindowPlacement.h"
#include "widgets/FancyButton.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLocale>

#include <iterator>
#include <utility>

const QString NoticeWindow::DefaultKey = QStringLiteral("default");
const QString NoticeWindow::OkKey = QStringLiteral("ok");
const QString NoticeWindow::StopSoundKey = QStringLiteral("stop-sound");
const QString NoticeWindow::CancelKey = QStringLiteral("cancel");

NoticeWindow::NoticeWindow(NotifyServices services, const QString& name, Qt::WindowFlags extraFlags)
    : QWidget(nullptr,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | extraFlags)
    , m_services(std::move(services)) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
}

NoticeWindow::~NoticeWindow() = default;

void NoticeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
    if (QWidget* focus = firstFocus())
        focus->setFocus(Qt::ActiveWindowFocusReason);
}

void NoticeWindow::placeShown(const char* kind) {
    place();
    logShown(kind);
}

void NoticeWindow::place() {
    adjustSize();
    WindowPlacement::centreOnDesktop(this);
}

void NoticeWindow::logShown(const char* kind) {
    FiringLog::windowShown(kind, section, scheduled, *m_services.clock);
}

void NoticeWindow::prepare() {
    if (m_prepared || m_shown)
        return;
    m_prepared = true;
    prepareContent();
    ensurePolished();
    place();
    winId();
}

const QByteArray SoundingNoticeWindow::SnoozeUntilChoice = QByteArrayLiteral("until");

SoundingNoticeWindow::SoundingNoticeWindow(NotifyServices services, const QString& name, Qt::WindowFlags extraFlags)
    : NoticeWindow(std::move(services), name, extraFlags | Qt::WindowMinimizeButtonHint) {}

SoundingNoticeWindow::~SoundingNoticeWindow() = default;

void SoundingNoticeWindow::makeAnswerButtons() {
    Button1 = new FancyButton(tr("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    DsFancyButton1 = new FancyButton(tr("&Stop Sound"), this);
    DsFancyButton1->setObjectName(QStringLiteral("DsFancyButton1"));
    connect(Button1, &QPushButton::clicked, this, &SoundingNoticeWindow::Button1Click);
    connect(DsFancyButton1, &QPushButton::clicked, this, &SoundingNoticeWindow::DsFancyButton1Click);

    MediaPlayer1 = new AlarmSound(m_services.makeSoundPlayer, DsFancyButton1, this);
    m_soundFile = SoundFileChoice::choose(m_services.settings(), m_services.defaultSoundFile);
}

bool SoundingNoticeWindow::playing() const {
    return MediaPlayer1->playing;
}

int SoundingNoticeWindow::playCount() const {
    return MediaPlayer1->playCount;
}

void SoundingNoticeWindow::startSound() {
    if (sound)
        MediaPlayer1->startWhenShown(this, m_soundFile);
}

QWidget* SoundingNoticeWindow::firstFocus() const {
    // Enter and Escape answer the window at once, whatever the pointer did.
    return Button1;
}

void SoundingNoticeWindow::Button1Click() {
    close();
}

void SoundingNoticeWindow::DsFancyButton1Click() {
    MediaPlayer1->stop();
}

void SoundingNoticeWindow::offerStopSound(bool offered) {
    m_stopSoundOffered = offered;
    if (!offered)
        DsFancyButton1->hide();
}

QList<DesktopNotifier::Action> SoundingNoticeWindow::noticeActions() const {
    QList<DesktopNotifier::Action> actions{{OkKey, tr("OK")}};
    if (m_stopSoundOffered && sound)
        actions.append({StopSoundKey, tr("Stop Sound")});
    return actions;
}

void SoundingNoticeWindow::answerNotice(const QString& key) {
    if (key == OkKey)
        Button1->click();
    else if (key == StopSoundKey)
        DsFancyButton1->click();
}

void SoundingNoticeWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button1Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SoundingNoticeWindow::addSnoozeControls(QBoxLayout* row) {
    SnoozeLength = new QComboBox(this);
    SnoozeLength->setObjectName(QStringLiteral("SnoozeLength"));
    SnoozeLength->setAccessibleName(tr("Snooze length"));
    const QString lengths[] = {tr("5 minutes"), tr("10 minutes"), tr("15 minutes"), tr("30 minutes"), tr("1 hour")};
    static_assert(std::size(Snooze::Lengths) == 5, "a caption for each length");
    for (std::size_t i = 0; i < std::size(Snooze::Lengths); ++i)
        SnoozeLength->addItem(lengths[i], Snooze::Lengths[i]);
    SnoozeLength->addItem(tr("until"), 0);

    SnoozeUntil = new QDateTimeEdit(this);
    SnoozeUntil->setObjectName(QStringLiteral("SnoozeUntil"));
    SnoozeUntil->setAccessibleName(tr("Snooze until"));
    SnoozeUntil->setDisplayFormat(QLocale().dateTimeFormat(QLocale::ShortFormat));
    // An hour from now, to the minute: a start the user only has to move a little.
    const QDateTime inAnHour = QDateTime::fromMSecsSinceEpoch(Snooze::after(*m_services.clock, 60));
    SnoozeUntil->setDateTime(QDateTime(inAnHour.date(), QTime(inAnHour.time().hour(), inAnHour.time().minute())));

    SnoozeButton = new FancyButton(tr("Snoo&ze"), this);
    SnoozeButton->setObjectName(QStringLiteral("SnoozeButton"));
    SnoozeButton->setAccessibleDescription(tr("Shows this reminder again after the length chosen"));
    connect(SnoozeButton, &QPushButton::clicked, this, &SoundingNoticeWindow::SnoozeButtonClick);

    const QByteArray remembered = m_services.settings().ReadString(SettingsKey::Section, SettingsKey::SnoozeLength,
                                                                   QByteArray::number(Snooze::DefaultLength));
    int chosen = SnoozeLength->findData(remembered == SnoozeUntilChoice ? 0 : remembered.toInt());
    if (chosen < 0)
        chosen = SnoozeLength->findData(Snooze::DefaultLength);
    SnoozeLength->setCurrentIndex(chosen);
    connect(SnoozeLength, &QComboBox::currentIndexChanged, this, &SoundingNoticeWindow::snoozeChoiceChanged);
    snoozeChoiceChanged();

    row->addWidget(SnoozeLength);
    row->addWidget(SnoozeUntil);
    row->addWidget(SnoozeButton);
    // The row is read from the left: "Stop Sound", the snooze controls, then "OK" (a window with more buttons in the
    // row sets its own order after this).
    setTabOrder(DsFancyButton1, SnoozeLength);
    setTabOrder(SnoozeLength, SnoozeUntil);
    setTabOrder(SnoozeUntil, SnoozeButton);
    setTabOrder(SnoozeButton, Button1);
}

void SoundingNoticeWindow::snoozeChoiceChanged() {
    SnoozeUntil->setVisible(SnoozeLength->currentData().toInt() == 0);
}

void SoundingNoticeWindow::SnoozeButtonClick() {
    const SchedulerClock& clock = *m_services.clock;
    const int minutes = SnoozeLength->currentData().toInt();
    const qint64 untilMs = minutes > 0 ? Snooze::after(clock, minutes) : SnoozeUntil->dateTime().toMSecsSinceEpoch();
    if (untilMs <= clock.epochMs()) {
        if (m_services.showMsg)
            m_services.showMsg(tr("That moment has passed already: choose a later one to snooze until."));
        return;
    }
    TXMLIniFile& settings = m_services.settings();
    try {
        TXMLIniFile::Batch batch(settings);
        storeSnooze(settings, untilMs);
        const QByteArray choice = minutes > 0 ? QByteArray::number(minutes) : SnoozeUntilChoice;
        if (settings.ReadString(SettingsKey::Section, SettingsKey::SnoozeLength, {}) != choice)
            settings.WriteString(SettingsKey::Section, SettingsKey::SnoozeLength, choice);
        batch.commit();
    } catch (const Exception& e) {
        // Nothing was stored: the window stays, so the reminder is not lost.
        if (m_services.showMsg)
            m_services.showMsg(e.message());
        return;
    }
    MediaPlayer1->stop();
    close();
}
