#include "ui/notify/NoticeWindow.h"

#include "ui/notify/AlarmSound.h"
#include "ui/notify/FiringLog.h"
#include "ui/notify/SoundFileChoice.h"
#include "ui/notify/WindowPlacement.h"
#include "widgets/FancyButton.h"

#include <QKeyEvent>

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
    adjustSize();
    WindowPlacement::centreOnDesktop(this);
    FiringLog::windowShown(kind, section, scheduled, *m_services.clock);
}

SoundingNoticeWindow::SoundingNoticeWindow(NotifyServices services, const QString& name, Qt::WindowFlags extraFlags)
    : NoticeWindow(std::move(services), name, extraFlags | Qt::WindowMinimizeButtonHint) {}

SoundingNoticeWindow::~SoundingNoticeWindow() = default;

void SoundingNoticeWindow::makeAnswerButtons() {
    Button1 = new FancyButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    DsFancyButton1 = new FancyButton(QStringLiteral("Stop Sound"), this);
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
    QList<DesktopNotifier::Action> actions{{OkKey, QStringLiteral("OK")}};
    if (m_stopSoundOffered && sound)
        actions.append({StopSoundKey, QStringLiteral("Stop Sound")});
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
