#include "ui/tools/TForm8.h"

#include "context/NetModule.h"
#include "context/NetModuleLoader.h"
#include "platform/UrlOpener.h"
#include "ui/notify/WindowPlacement.h"
#include "widgets/ClickableLabel.h"
#include "widgets/IconLabel.h"
#include "widgets/Icons.h"
#include "widgets/ShadowLabel.h"

#include <QProgressBar>
#include <QVBoxLayout>

#include <utility>

namespace {

const QColor moneyGreen(192, 220, 192);
// Blue, light enough to read on the dark window (pure blue all but disappears on it).
const QColor linkBlue(110, 168, 255);

} // namespace

TForm8::TForm8(std::function<UpdateCheck::Config()> config, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_config(std::move(config)) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(tr("Update Checking"));

    myaSuperLabel48 = new ShadowLabel(QStringLiteral("Zentick"), this);
    myaSuperLabel48->setObjectName(QStringLiteral("myaSuperLabel48"));
    myaSuperLabel48->setAlignment(Qt::AlignCenter);
    myaSuperLabel48->setScale(2.0);

    Image1 = new IconLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setIcons(Icons::update(true));
    Image1->setIconSize(QSize(56, 56));
    Image1->setHoverLight(false);
    Image1->setFocusPolicy(Qt::NoFocus);
    Image1->setCursor(Qt::ArrowCursor);

    Label1 = new ClickableLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // A status, not a caption: it may carry the server's words, and an "&" in them marks no key.
    Label1->setMarksKey(false);
    Label1->setAlignment(Qt::AlignCenter);
    // A long version name wraps rather than being cut off at the window's edge.
    Label1->setWordWrap(true);
    connect(Label1, &ClickableLabel::clicked, this, &TForm8::Label1Click);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, UpdateCheck::DefaultTimeoutMs);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(tr("Progress"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 16);
    layout->setSpacing(8);
    layout->addWidget(myaSuperLabel48);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addWidget(Label1);
    layout->addStretch(1);
    layout->addWidget(ProgressBar1);
    setFixedSize(288, 230);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &TForm8::Timer1Timer);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &TForm8::timedOut);
    setStatus(tr("Checking for Updates. Please wait..."), moneyGreen, false);
}

TForm8::~TForm8() = default;

void TForm8::setStatus(const QString& text, const QColor& colour, bool link) {
    m_link = link;
    Label1->setText(text);
    Label1->setColour(colour);
    QFont font = Label1->font();
    font.setUnderline(link);
    font.setBold(false);
    Label1->setFont(font);
    Label1->setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    Label1->setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
    Label1->setAccessibleDescription(link ? tr("Opens the product page") : QString());
}

void TForm8::showOverParent() {
    const QWidget* over = parentWidget();
    if (over != nullptr && over->isVisible())
        WindowPlacement::centreOnWindow(this, over);
    else
        WindowPlacement::centreOnDesktop(this);
    show();
    raise();
}

void TForm8::Image11Click() {
    if (isChecking()) {
        show();
        raise();
        return;
    }
    setStatus(tr("Checking for Updates. Please wait..."), moneyGreen, false);
    Label1->setToolTip(QString());
    showOverParent();

    const UpdateCheck::Config config = m_config ? m_config() : UpdateCheck::Config{};
    m_site = config.site;
    ProgressBar1->setRange(0, config.timeoutMs);
    ProgressBar1->setValue(0);
    Timer1.start();
    startTick.start();

    const QUrl url = UpdateCheck::queryUrl(config.site);
    if (url.isEmpty()) {
        finish({});
        return;
    }
    if (!m_fetch) {
        QString error;
        if (NetModule* module = NetModuleLoader::instance(&error))
            m_fetch = module->makeUpdateFetch();
        if (!m_fetch) {
            Timer1.stop();
            ProgressBar1->setValue(ProgressBar1->maximum());
            // The small window has room for one short line; the reason and the remedy are in its tooltip.
            setStatus(tr("The network module is missing."), moneyGreen, false);
            Label1->setToolTip(NetModuleLoader::unavailableText(error));
            emit checkFinished();
            return;
        }
        connect(m_fetch.get(), &UpdateFetch::finished, this, &TForm8::fetched);
    }
    m_checking = true;
    m_fetch->get(url, UpdateCheck::MaxBodyBytes);
    m_deadline.start(config.timeoutMs);
}

void TForm8::Timer1Timer() {
    ProgressBar1->setValue(int(qMin<qint64>(startTick.elapsed(), ProgressBar1->maximum())));
}

void TForm8::timedOut() {
    if (!m_checking)
        return;
    m_fetch->abort();
    m_checking = false;
    finish({});
}

void TForm8::fetched(bool ok, const QByteArray& body) {
    if (!m_checking)
        return;
    m_checking = false;
    m_deadline.stop();
    finish(ok ? UpdateCheck::read(body) : UpdateCheck::Answer{});
}

void TForm8::finish(const UpdateCheck::Answer& answer) {
    Timer1.stop();
    ProgressBar1->setValue(ProgressBar1->maximum());
    switch (answer.status) {
    case UpdateCheck::Status::Failed:
        setStatus(tr("Connection Error. Try again Later."), moneyGreen, false);
        break;
    case UpdateCheck::Status::Available:
        setStatus(tr("Zentick %1 is now available! Visit Website.").arg(answer.version), linkBlue, true);
        break;
    case UpdateCheck::Status::UpToDate:
        setStatus(tr("Your version is up to date"), moneyGreen, false);
        break;
    case UpdateCheck::Status::Unknown:
        break;
    }
    emit checkFinished();
}

void TForm8::Label1Click() {
    if (!m_link)
        return;
    UrlOpener::instance().openUrl(UpdateCheck::productPage(m_site));
    close();
}
