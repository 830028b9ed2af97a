#include "ui/notify/TMsgfrm.h"

#include "ui/notify/WindowPlacement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

namespace {
bool g_autoAnswer = false;
}

TMsgfrm::TMsgfrm(QWidget* centreOn)
    : QDialog(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_centreOn(centreOn) {
    setObjectName(QStringLiteral("Msgfrm"));
    setWindowTitle(tr("Warning"));
    setModal(true);

    Message = new QLabel(this);
    Message->setObjectName(QStringLiteral("Message"));
    Message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Message->setWordWrap(true);
    Message->setTextFormat(Qt::PlainText); // messages name the user's files and folders
    Message->setMinimumSize(300, 60);

    Button1 = new QPushButton(tr("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TMsgfrm::Button1Click);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: the user does not resize it
    layout->addWidget(Message, 1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
}

void TMsgfrm::setAutoAnswer(bool on) {
    g_autoAnswer = on;
    if (!on)
        autoAnswered().clear();
}

QStringList& TMsgfrm::autoAnswered() {
    static QStringList texts;
    return texts;
}

void TMsgfrm::ShowMsg(const QString& text) {
    Message->setText(QLatin1Char('\n') + text);
    if (g_autoAnswer) {
        autoAnswered().append(text);
        return;
    }
    // As the exception box: a run of the program under test tells its caller and waits for nobody.
    if (qEnvironmentVariable("ZENTICK_AUTO_DISMISS") == QLatin1String("1")) {
        std::fprintf(stderr, "Zentick: %s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
        return;
    }
    adjustSize();
    centre();
    Button1->setFocus(Qt::ActiveWindowFocusReason);
    exec();
}

void TMsgfrm::Button1Click() {
    accept();
}

void TMsgfrm::centre() {
    if (m_centreOn && m_centreOn->isVisible())
        WindowPlacement::centreOnWindow(this, m_centreOn);
    else
        WindowPlacement::centreOnDesktop(this);
}
