#include "ui/notify/TForm3.h"

#include "platform/PowerBackend.h"
#include "widgets/FancyButton.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

namespace {
QString statusText(int action) {
    switch (action) {
    case ShutDown:
        return TForm3::tr("Shutting Down...");
    case Restart:
        return TForm3::tr("Restarting...");
    case LogOff:
        return TForm3::tr("Logging Off...");
    case Hibernate:
        return TForm3::tr("Hibernating...");
    case StandBy:
        return TForm3::tr("Standing By...");
    default:
        return QString();
    }
}
} // namespace

TForm3::TForm3(NotifyServices services)
    : NoticeWindow(std::move(services), QStringLiteral("Form3"), Qt::WindowStaysOnTopHint) {
    setWindowTitle(tr("Zentick..."));

    Shut2 = new QLabel(this);
    Shut2->setObjectName(QStringLiteral("Shut2"));
    Shut = new QLabel(this);
    Shut->setObjectName(QStringLiteral("Shut"));
    for (QLabel* label : {Shut, Shut2})
        label->setTextFormat(Qt::PlainText);
    Shut->setAlignment(Qt::AlignCenter);
    QFont big = Shut->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    Shut->setFont(big);
    Shut->setMinimumSize(340, 90);

    // "Cancel" takes the focus when the window appears (FormShow): the user may be typing, and a stray Enter
    // or Space must not act at once. Tab goes along the row from the left.
    DsFancyButton2 = new FancyButton(tr("&Cancel"), this);
    DsFancyButton2->setObjectName(QStringLiteral("DsFancyButton2"));
    DsFancyButton2->setDefault(true);
    DsFancyButton1 = new FancyButton(tr("&OK"), this);
    DsFancyButton1->setObjectName(QStringLiteral("DsFancyButton1"));
    DsFancyButton4 = new FancyButton(tr("Shut Down Now"), this);
    DsFancyButton4->setObjectName(QStringLiteral("DsFancyButton4"));
    connect(DsFancyButton4, &QPushButton::clicked, this, &TForm3::DsFancyButton4Click);
    connect(DsFancyButton1, &QPushButton::clicked, this, &TForm3::DsFancyButton1Click);
    connect(DsFancyButton2, &QPushButton::clicked, this, &TForm3::DsFancyButton2Click);
    setTabOrder(DsFancyButton4, DsFancyButton1);
    setTabOrder(DsFancyButton1, DsFancyButton2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton4);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton1);
    buttons->addWidget(DsFancyButton2);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: the user does not resize it
    layout->addWidget(Shut2);
    layout->addWidget(Shut, 1);
    layout->addLayout(buttons);

    DsFancyButton4->setEnabled(true);
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
    Timer1.start();
}

TForm3::~TForm3() = default;

QWidget* TForm3::firstFocus() const {
    return DsFancyButton2;
}

void TForm3::FormShow() {
    Shut->setText(countdownText(30));
    placeShown("power");
}

QList<DesktopNotifier::Action> TForm3::noticeActions() const {
    return {{OkKey, tr("OK")}, {CancelKey, tr("Cancel")}};
}

void TForm3::answerNotice(const QString& key) {
    if (key == OkKey)
        DsFancyButton1->click();
    else if (key == CancelKey)
        DsFancyButton2->click();
}

QString TForm3::countdownText(int seconds) const {
    return tr("System will %1\nAutomatically in %2 sec").arg(actionName).arg(seconds);
}

void TForm3::Timer1Timer() {
    if (counter != 0) {
        Shut->setText(countdownText(counter));
        --counter;
        return;
    }
    Timer1.stop();
    const QString status = statusText(action);
    if (!status.isEmpty())
        Shut->setText(status);
    carryOut();
}

void TForm3::carryOut() {
    const PowerOutcome outcome = m_services.power ? m_services.power->perform(action) : PowerOutcome::NoPrivilege;
    const QString failure = powerFailureMessage(action, outcome);
    if (!failure.isEmpty()) {
        hide();
        if (m_services.showMsg)
            m_services.showMsg(failure);
        finish();
        return;
    }
    // A shut down, restart or log off is under way: the window stays as it is until the session
    // ends. After a hibernate or stand by the computer is back, and the window has done its job. An
    // action that does not exist did nothing, and a window left standing would keep the scheduler off.
    if (outcome == PowerOutcome::UnknownAction || action == Hibernate || action == StandBy)
        finish();
}

void TForm3::finish() {
    // Not close(): after "OK" the window has been closed once already, and a closed window's second
    // close never arrives.
    freeOnClose = true;
    hide();
    if (m_services.setSchedulerEnabled)
        m_services.setSchedulerEnabled(true);
    deleteLater();
}

void TForm3::DsFancyButton4Click() {
    counter = 0;
    DsFancyButton4->setEnabled(false);
}

void TForm3::DsFancyButton1Click() {
    freeOnClose = false;
    close();
}

void TForm3::DsFancyButton2Click() {
    Timer1.stop();
    close();
}

void TForm3::closeEvent(QCloseEvent* event) {
    // After "OK" the window only hides and the countdown goes on.
    setAttribute(Qt::WA_DeleteOnClose, freeOnClose);
    if (freeOnClose && m_services.setSchedulerEnabled)
        m_services.setSchedulerEnabled(true);
    QWidget::closeEvent(event);
}
