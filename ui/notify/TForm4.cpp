#include "ui/notify/TForm4.h"

#include "ui/notify/AlarmSound.h"
#include "ui/notify/FiringLog.h"
#include "ui/notify/SoundFileChoice.h"
#include "ui/notify/WindowPlacement.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

TForm4::TForm4(NotifyServices services)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint)
    , m_services(std::move(services)) {
    setObjectName(QStringLiteral("Form4"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Birthday"));

    abel2 = new ShadowLabel(tr("Birthday"), this);
    abel2->setObjectName(QStringLiteral("abel2"));
    abel2->setScale(2.4);

    BirthLabel = new QLabel(this);
    BirthLabel->setObjectName(QStringLiteral("BirthLabel"));
    BirthLabel->setAlignment(Qt::AlignCenter);
    BirthLabel->setTextFormat(Qt::PlainText); // the name is the user's text
    BirthLabel->setMinimumSize(300, 90);

    Button1 = new FancyButton(tr("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    DsFancyButton1 = new FancyButton(tr("&Stop Sound"), this);
    DsFancyButton1->setObjectName(QStringLiteral("DsFancyButton1"));
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(DsFancyButton1, &QPushButton::clicked, this, &TForm4::DsFancyButton1Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton1);
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: the user does not resize it
    layout->addWidget(abel2);
    layout->addWidget(BirthLabel, 1);
    layout->addLayout(buttons);

    MediaPlayer1 = new AlarmSound(m_services.makeSoundPlayer, DsFancyButton1, this);
    m_soundFile = SoundFileChoice::choose(m_services.settings(), m_services.defaultSoundFile);
}

TForm4::~TForm4() = default;

bool TForm4::playing() const {
    return MediaPlayer1->playing;
}

int TForm4::playCount() const {
    return MediaPlayer1->playCount;
}

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
    // Enter and Escape answer the window at once, whatever the pointer did.
    Button1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm4::FormShow() {
    adjustSize();
    WindowPlacement::centreOnDesktop(this);
    FiringLog::windowShown("birthday", section, scheduled, *m_services.clock);
    if (sound)
        MediaPlayer1->startWhenShown(this, m_soundFile);
}

void TForm4::Button1Click() {
    close();
}

void TForm4::DsFancyButton1Click() {
    MediaPlayer1->stop();
}

void TForm4::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button1Click();
        return;
    }
    QWidget::keyPressEvent(event);
}
