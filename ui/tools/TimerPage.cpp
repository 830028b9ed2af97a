#include "ui/tools/TimerPage.h"

#include "context/PageIndex.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/SpinKeyFilter.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

TimerPage::TimerPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("TimerTab"));
    setAccessibleName(tr("Timer - CountDown"));

    myaSuperLabel68 = named(new ShadowLabel(tr("Timer - CountDown"), this), "myaSuperLabel68");
    myLabel3d24 = named(new ChoiceLabel(tr("New &Timer."), this), "myLabel3d24");
    myLabel3d25 = named(new ChoiceLabel(tr("New Count&Down:"), this), "myLabel3d25");
    for (ChoiceLabel* choice : {myLabel3d24, myLabel3d25}) {
        QFont bold = choice->font();
        bold.setBold(true);
        choice->setFont(bold);
        choice->setCursor(Qt::PointingHandCursor);
    }

    const auto spin = [this](int maximum, const char* name, const char* accessible) {
        auto* edit = named(new SpinEdit(0, maximum, 0, this), name);
        edit->setAccessibleName(tr(accessible));
        SpinKeyFilter::install(edit);
        EditorPages::fitToDigits(edit, 2);
        return edit;
    };
    CSpinEdit8 = spin(99, "CSpinEdit8", QT_TR_NOOP("Countdown days"));
    CSpinEdit9 = spin(23, "CSpinEdit9", QT_TR_NOOP("Countdown hours"));
    CSpinEdit10 = spin(59, "CSpinEdit10", QT_TR_NOOP("Countdown minutes"));
    CSpinEdit11 = spin(59, "CSpinEdit11", QT_TR_NOOP("Countdown seconds"));
    const auto caption = [this](const char* text, const char* name) {
        auto* label = named(new QLabel(tr(text), this), name);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    myaSuperLabel72 = caption(QT_TR_NOOP("Days"), "myaSuperLabel72");
    myaSuperLabel70 = caption(QT_TR_NOOP("Hours"), "myaSuperLabel70");
    myaSuperLabel71 = caption(QT_TR_NOOP("Min"), "myaSuperLabel71");
    myaSuperLabel69 = caption(QT_TR_NOOP("Sec"), "myaSuperLabel69");
    myaSuperLabel73 = caption(":", "myaSuperLabel73");
    myaSuperLabel74 = caption(":", "myaSuperLabel74");
    myaSuperLabel75 = caption(":", "myaSuperLabel75");

    CheckBox25 = named(new QCheckBox(this), "CheckBox25");
    CheckBox25->setChecked(true);
    myaSuperLabel76 =
        named(new LabelToggle(tr("Notify me with &Sound on Expiration"), CheckBox25, this), "myaSuperLabel76");

    DsFancyButton51 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton51");
    DsFancyButton52 = named(new FancyButton(tr("&OK"), this), "DsFancyButton52");
    DsFancyButton52->setDefault(true);

    auto* length = new QGridLayout;
    length->setHorizontalSpacing(4);
    length->setVerticalSpacing(0);
    SpinEdit* spins[] = {CSpinEdit8, CSpinEdit9, CSpinEdit10, CSpinEdit11};
    QLabel* units[] = {myaSuperLabel72, myaSuperLabel70, myaSuperLabel71, myaSuperLabel69};
    QLabel* separators[] = {myaSuperLabel73, myaSuperLabel74, myaSuperLabel75};
    for (int i = 0; i < 4; ++i) {
        length->addWidget(spins[i], 0, i * 2);
        length->addWidget(units[i], 1, i * 2);
        if (i < 3)
            length->addWidget(separators[i], 0, i * 2 + 1);
    }
    length->setColumnStretch(8, 1);

    auto* sound = new QHBoxLayout;
    sound->setSpacing(4);
    sound->addWidget(CheckBox25);
    sound->addWidget(myaSuperLabel76);
    sound->addStretch();

    auto* countdown = new QVBoxLayout;
    countdown->setContentsMargins(24, 0, 0, 0);
    countdown->setSpacing(6);
    countdown->addLayout(length);
    countdown->addLayout(sound);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton51);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton52);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(8);
    layout->addWidget(myaSuperLabel68);
    layout->addStretch(1);
    layout->addWidget(myLabel3d24);
    layout->addSpacing(6);
    layout->addWidget(myLabel3d25);
    layout->addLayout(countdown);
    layout->addStretch(2);
    layout->addLayout(buttons);

    connect(myLabel3d24, &ChoiceLabel::clicked, this, &TimerPage::myLabel3d24Click);
    connect(myLabel3d25, &ChoiceLabel::clicked, this, &TimerPage::myLabel3d25Click);
    // The double click's first click has already made the choice.
    connect(myLabel3d24, &ChoiceLabel::doubleClicked, this, &TimerPage::DsFancyButton52Click);
    connect(myLabel3d25, &ChoiceLabel::doubleClicked, this, &TimerPage::DsFancyButton52Click);
    connect(DsFancyButton52, &FancyButton::clicked, this, &TimerPage::DsFancyButton52Click);
    connect(DsFancyButton51, &FancyButton::clicked, this, &TimerPage::DsFancyButton51Click);

    setTabOrder(myLabel3d24, myLabel3d25);
    setTabOrder(myLabel3d25, CSpinEdit8);
    setTabOrder(CSpinEdit8, CSpinEdit9);
    setTabOrder(CSpinEdit9, CSpinEdit10);
    setTabOrder(CSpinEdit10, CSpinEdit11);
    setTabOrder(CSpinEdit11, CheckBox25);
    setTabOrder(CheckBox25, DsFancyButton51);
    setTabOrder(DsFancyButton51, DsFancyButton52);
    setFocusProxy(DsFancyButton52);
    myLabel3d24Click();
}

TimerPage::~TimerPage() {
    for (const QPointer<TForm7>& window : std::as_const(m_windows))
        delete window.data();
}

void TimerPage::TimerTabShow() {
    CheckBox25->setChecked(true);
    for (SpinEdit* edit : {CSpinEdit8, CSpinEdit9, CSpinEdit10, CSpinEdit11})
        edit->setValue(0);
    myLabel3d24Click();
}

void TimerPage::myLabel3d24Click() {
    myLabel3d24->setChosen(true);
    myLabel3d25->setChosen(false);
    enableLength(false);
}

void TimerPage::myLabel3d25Click() {
    myLabel3d24->setChosen(false);
    myLabel3d25->setChosen(true);
    enableLength(true);
}

void TimerPage::enableLength(bool on) {
    for (QWidget* control : std::initializer_list<QWidget*>{CSpinEdit8, CSpinEdit9, CSpinEdit10, CSpinEdit11,
                                                            myaSuperLabel72, myaSuperLabel70, myaSuperLabel71,
                                                            myaSuperLabel69, myaSuperLabel76, CheckBox25})
        control->setEnabled(on);
}

StopwatchServices TimerPage::windowServices() const {
    StopwatchServices services;
    services.clock = clock;
    services.makeSoundPlayer = m_context.soundPlayerFactory();
    services.soundFile = m_context.defaultSoundFile();
    services.alert = alert;
    return services;
}

void TimerPage::DsFancyButton52Click() {
    std::unique_ptr<TForm7> window;
    if (myLabel3d24->isChosen()) {
        window = std::make_unique<TForm7>(windowServices());
    } else {
        const qint64 seconds =
            ((qint64(CSpinEdit8->entryValue()) * 24 + CSpinEdit9->entryValue()) * 60 + CSpinEdit10->entryValue()) * 60 +
            CSpinEdit11->entryValue();
        if (seconds == 0) {
            m_context.showMessage(tr("No Countdown Set."));
            return;
        }
        window = std::make_unique<TForm7>(windowServices());
        window->setCountdown(seconds * 1000, CheckBox25->isChecked());
    }
    // Owned by nobody from here on: the window deletes itself when closed.
    TForm7* shown = window.release();
    m_windows.removeAll(nullptr);
    m_windows.append(shown);
    shown->show();
    m_context.navigation.showPage(MainTab);
}

void TimerPage::DsFancyButton51Click() {
    m_context.navigation.showPage(MainTab);
}

QList<TForm7*> TimerPage::openWindows() const {
    QList<TForm7*> windows;
    for (const QPointer<TForm7>& window : m_windows) {
        if (window)
            windows.append(window.data());
    }
    return windows;
}

void TimerPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DsFancyButton52Click();
        return;
    case Qt::Key_Escape:
        DsFancyButton51Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
