#include "ui/tools/TForm7.h"

#include "platform/ElapsedClock.h"
#include "ui/notify/WindowPlacement.h"
#include "ui/tools/StopwatchText.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <limits>
#include <utility>

namespace {

// The button's caption is also its state; captions compare in the language they were shown in.
QString startCaption() {
    return TForm7::tr("&Start");
}
QString pauseCaption() {
    return TForm7::tr("&Pause");
}
QString continueCaption() {
    return TForm7::tr("&Continue");
}

} // namespace

TForm7::TForm7(StopwatchServices services)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_services(std::move(services)) {
    setObjectName(QStringLiteral("Form7"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zentick"));
    if (m_services.clock == nullptr)
        m_services.clock = &BootClock::instance();
    m_separator = StopwatchText::timeSeparator(locale());

    myaSuperLabel68 = new ShadowLabel(tr("Timer"), this);
    myaSuperLabel68->setObjectName(QStringLiteral("myaSuperLabel68"));
    myaSuperLabel68->setAlignment(Qt::AlignCenter);

    // The frame is drawn once around the field (zentick.qss, #stopwatchDisplay): the refreshes repaint only the
    // field, a plain rectangle the field fills itself, and neither the rounded border nor the window behind it.
    auto* display = new QFrame(this);
    display->setObjectName(QStringLiteral("stopwatchDisplay"));
    Edit2 = new QLineEdit(QStringLiteral("00:00:00:00:000"), display);
    auto* displayLayout = new QHBoxLayout(display);
    displayLayout->setContentsMargins(3, 3, 3, 3);
    displayLayout->addWidget(Edit2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setReadOnly(true);
    Edit2->setEnabled(false);
    Edit2->setAlignment(Qt::AlignCenter);
    Edit2->setAccessibleName(tr("Time"));
    // Digits of one width, so the running display stands still; drawn as readable text although the field
    // takes no input.
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setPointSizeF(font().pointSizeF() * 1.35);
    digits.setBold(true);
    // Digits and separators need no text shaping, which was a good part of every refresh's cost.
    digits.setStyleStrategy(QFont::PreferNoShaping);
    Edit2->setFont(digits);
    QPalette palette = Edit2->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    Edit2->setPalette(palette);
    // After the style sheet's polish, which sets the attribute afresh.
    Edit2->ensurePolished();
    Edit2->setAttribute(Qt::WA_OpaquePaintEvent);
    Edit2->setMinimumWidth(Edit2->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00:00:000")) + 24);

    DsFancyButton1 = new FancyButton(startCaption(), this);
    DsFancyButton1->setObjectName(QStringLiteral("DsFancyButton1"));
    DsFancyButton1->setDefault(true);
    DsFancyButton2 = new FancyButton(tr("&Reset"), this);
    DsFancyButton2->setObjectName(QStringLiteral("DsFancyButton2"));
    DsFancyButton2->setEnabled(false);
    connect(DsFancyButton1, &QPushButton::clicked, this, &TForm7::Pause);
    connect(DsFancyButton2, &QPushButton::clicked, this, &TForm7::DsFancyButton2Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton1);
    buttons->addWidget(DsFancyButton2);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(12, 6, 12, 10);
    layout->addWidget(myaSuperLabel68);
    layout->addWidget(display);
    layout->addLayout(buttons);

    // Precise, so "about 30 times a second" does not drift down to 28 with the coarse timer's slack.
    for (QTimer* refresh : {&Timer1, &Timer2}) {
        refresh->setInterval(RefreshMs);
        refresh->setTimerType(Qt::PreciseTimer);
    }
    EndTimer.setSingleShot(true);
    EndTimer.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &TForm7::Timer1Timer);
    connect(&Timer2, &QTimer::timeout, this, &TForm7::Timer2Timer);
    connect(&EndTimer, &QTimer::timeout, this, &TForm7::Timer2Timer);

    adjustSize();
    WindowPlacement::centreOnDesktop(this);
}

TForm7::~TForm7() = default;

void TForm7::setCountdown(qint64 lengthMs, bool sound) {
    myaSuperLabel68->setText(tr("Countdown"));
    soundOnExpiry = sound;
    durationMs = lengthMs;
    showTime(durationMs);
}

bool TForm7::isCountdown() const {
    return myaSuperLabel68->text() == tr("Countdown");
}

qint64 TForm7::now() const {
    return m_services.clock->nowMs();
}

void TForm7::showTime(qint64 ms) {
    Edit2->setText(StopwatchText::display(ms, m_separator));
}

bool TForm7::isRunning() const {
    return DsFancyButton1->isEnabled() && DsFancyButton1->text() == pauseCaption();
}

void TForm7::followVisibility() {
    QTimer& refresh = isCountdown() ? Timer2 : Timer1;
    const bool seen = isVisible() && !isMinimized();
    if (!isRunning() || !seen) {
        refresh.stop();
        return;
    }
    if (refresh.isActive())
        return;
    refresh.start();
    if (isCountdown())
        Timer2Timer();
    else
        Timer1Timer();
}

void TForm7::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        followVisibility();
    } else if (event->type() == QEvent::LocaleChange) {
        const QChar separator = StopwatchText::timeSeparator(locale());
        Edit2->setText(Edit2->text().replace(m_separator, separator));
        m_separator = separator;
    }
}

void TForm7::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followVisibility();
}

void TForm7::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    followVisibility();
}

void TForm7::Pause() {
    const QString state = DsFancyButton1->text();
    QTimer& refresh = isCountdown() ? Timer2 : Timer1;
    if (state == pauseCaption()) {
        pausedMs = isCountdown() ? moment - now() : now() - moment;
        if (pausedMs < 0)
            pausedMs = 0;
        refresh.stop();
        EndTimer.stop();
        showTime(pausedMs);
        DsFancyButton1->setText(continueCaption());
        return;
    }
    if (state == startCaption()) {
        moment = isCountdown() ? now() + durationMs : now();
        DsFancyButton2->setEnabled(true);
    } else {
        moment = isCountdown() ? now() + pausedMs : now() - pausedMs;
    }
    DsFancyButton1->setText(pauseCaption());
    if (isVisible() && !isMinimized())
        refresh.start();
    if (isCountdown())
        armEndTimer();
}

void TForm7::armEndTimer() {
    const qint64 left = moment - now();
    EndTimer.start(int(qBound(qint64(0), left, qint64(std::numeric_limits<int>::max()))));
}

void TForm7::Timer1Timer() {
    showTime(now() - moment);
}

void TForm7::Timer2Timer() {
    const qint64 left = moment - now();
    if (left > 0) {
        showTime(left);
        // The end timer woke a little early by this clock, or was cut to the longest interval a timer takes.
        if (sender() == &EndTimer)
            armEndTimer();
        return;
    }
    expire();
}

void TForm7::expire() {
    Timer2.stop();
    EndTimer.stop();
    showTime(0);
    DsFancyButton1->setEnabled(false);
    if (m_services.alert)
        m_services.alert(this);
    else
        QApplication::alert(this);
    if (soundOnExpiry)
        playExpirySound();
    emit expired();
}

void TForm7::playExpirySound() {
    // Made now, not with the window: a media pipeline per idle window would cost for nothing.
    if (!m_player && m_services.makeSoundPlayer) {
        m_player = m_services.makeSoundPlayer();
        if (m_player) {
            connect(m_player.get(), &SoundPlayer::endReached, this, &TForm7::releasePlayer);
            connect(m_player.get(), &SoundPlayer::failed, this, &TForm7::releasePlayer);
        }
    }
    if (!m_player) {
        soundPlaying = false;
        return;
    }
    soundPlaying = true;
    m_player->play(m_services.soundFile);
}

// Played once: the player goes when the sound has ended or could not be played.
void TForm7::releasePlayer() {
    soundPlaying = false;
    if (m_player)
        m_player.release()->deleteLater();
}

void TForm7::DsFancyButton2Click() {
    if (isCountdown()) {
        Timer2.stop();
        EndTimer.stop();
        if (soundPlaying) {
            m_player->stop();
            soundPlaying = false;
        }
        showTime(durationMs);
    } else {
        Timer1.stop();
        showTime(0);
    }
    DsFancyButton1->setEnabled(true);
    DsFancyButton2->setEnabled(false);
    DsFancyButton1->setText(startCaption());
}
