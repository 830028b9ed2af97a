#include "app/PlaceholderPage.h"

#include "widgets/FancyButton.h"
#include "widgets/IconLabel.h"
#include "widgets/Icons.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PlaceholderPage::PlaceholderPage(const QString& title, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("PlaceholderPage"));
    setAccessibleName(title);

    Title = new ShadowLabel(title, this);
    Title->setObjectName(QStringLiteral("Title"));

    // Drawn dimmed, as the page itself is not there yet.
    Picture = new IconLabel(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setIcons(Icons::application());
    Picture->setIconSize(QSize(56, 56));
    Picture->setFocusPolicy(Qt::NoFocus);
    Picture->setEnabled(false);

    Note = new QLabel(QStringLiteral("This page is not available yet."), this);
    Note->setObjectName(QStringLiteral("Note"));
    Note->setAlignment(Qt::AlignCenter);
    Note->setWordWrap(true);
    Note->setForegroundRole(QPalette::PlaceholderText);

    BackButton = new FancyButton(QStringLiteral("<<Back"), this);
    BackButton->setObjectName(QStringLiteral("BackButton"));
    BackButton->setAccessibleName(QStringLiteral("Back to the main menu"));
    BackButton->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(BackButton, &FancyButton::clicked, this, &PlaceholderPage::backClicked);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->addWidget(Title);
    layout->addStretch();
    layout->addWidget(Picture, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(Note);
    layout->addStretch();
    layout->addLayout(buttons);

    setFocusProxy(BackButton);
}
