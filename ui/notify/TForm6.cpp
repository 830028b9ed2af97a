#include "ui/notify/TForm6.h"

#include "ui/notify/WindowPlacement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
std::optional<bool> g_nextAnswer;
int g_timesAsked = 0;
} // namespace

TForm6::TForm6()
    : QDialog(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(tr("Warning"));
    setModal(true);

    myaSuperLabel11 = new QLabel(tr("Warning"), this);
    myaSuperLabel11->setObjectName(QStringLiteral("myaSuperLabel11"));
    QFont big = myaSuperLabel11->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    myaSuperLabel11->setFont(big);

    Ms = new QLabel(this);
    Ms->setObjectName(QStringLiteral("Ms"));
    Ms->setWordWrap(true);
    Ms->setFixedWidth(360);
    Ms->setText(tr("\"Zentick\" noticed that the system clock has changed. This Action may cause the "
                   "alarms to malfunction. Do you want to disable all alarms until the system restarts "
                   "and be sure that the system clock is correct?"));

    DsFancyButton11 = new QPushButton(tr("&No"), this);
    DsFancyButton11->setObjectName(QStringLiteral("DsFancyButton11"));
    DsFancyButton1 = new QPushButton(tr("&Yes"), this);
    DsFancyButton1->setObjectName(QStringLiteral("DsFancyButton1"));
    connect(DsFancyButton11, &QPushButton::clicked, this, &TForm6::DsFancyButton11Click);
    connect(DsFancyButton1, &QPushButton::clicked, this, &TForm6::DsFancyButton1Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(DsFancyButton11);
    buttons->addWidget(DsFancyButton1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: the user does not resize it
    layout->addWidget(myaSuperLabel11);
    layout->addWidget(Ms);
    layout->addLayout(buttons);
}

void TForm6::setNextAnswer(std::optional<bool> yes) {
    g_nextAnswer = yes;
}

int TForm6::timesAsked() {
    return g_timesAsked;
}

bool TForm6::ask() {
    ++g_timesAsked;
    if (g_nextAnswer) {
        const bool yes = *g_nextAnswer;
        g_nextAnswer.reset();
        FormShow();
        if (yes)
            DsFancyButton1Click();
        else
            DsFancyButton11Click();
        return disableAlarms;
    }
    adjustSize();
    WindowPlacement::centreOnDesktop(this);
    exec();
    return disableAlarms;
}

void TForm6::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm6::FormShow() {
    disableAlarms = false;
}

void TForm6::DsFancyButton1Click() {
    disableAlarms = true;
    done(Accepted);
}

void TForm6::DsFancyButton11Click() {
    done(Rejected);
}

void TForm6::done(int result) {
    if (!disableAlarms)
        emit schedulerMayRun();
    QDialog::done(result);
}
