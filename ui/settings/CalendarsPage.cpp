#include "ui/settings/CalendarsPage.h"

#include "calendar/CalendarExchange.h"
#include "context/PageIndex.h"
#include "scheduler/SchedulerClock.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/settings/FileChooser.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QSaveFile>
#include <QVBoxLayout>

CalendarsPage::CalendarsPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("CalendarsTab"));
    setAccessibleName(tr("Calendars"));

    title = named(new ShadowLabel(tr("Calendars"), this), "title");
    exchangeLabel = named(new QLabel(tr("Calendar Files (iCalendar):"), this), "exchangeLabel");
    exportButton = named(new FancyButton(tr("Export…"), this), "exportButton");
    exportButton->setAccessibleName(tr("Export to a calendar file"));
    importButton = named(new FancyButton(tr("Import…"), this), "importButton");
    importButton->setAccessibleName(tr("Import from a calendar file"));
    powerActionsChoice = named(new ChoiceLabel(tr("Export power actions too"), this), "powerActionsChoice");
    powerActionsChoice->setInGroup(false);
    powerActionsChoice->setFocusPolicy(Qt::StrongFocus);
    powerActionsChoice->setToolTip(tr("Power actions switch this computer off or on: another one may not want them."));
    backButton = named(new FancyButton(tr("<<Back"), this), "backButton");
    backButton->setAccessibleName(tr("Back to the settings"));

    auto* exchange = new QHBoxLayout;
    exchange->setSpacing(8);
    exchange->addWidget(exportButton);
    exchange->addWidget(importButton);
    exchange->addSpacing(8);
    exchange->addWidget(powerActionsChoice);
    exchange->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(title);
    layout->addWidget(exchangeLabel);
    layout->addLayout(exchange);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(exportButton, &FancyButton::clicked, this, &CalendarsPage::exportClick);
    connect(importButton, &FancyButton::clicked, this, &CalendarsPage::importClick);
    connect(powerActionsChoice, &ChoiceLabel::clicked, this,
            [this] { powerActionsChoice->setChosen(!powerActionsChoice->isChosen()); });
    connect(backButton, &FancyButton::clicked, this, [this] { m_context.navigation.showPage(SetTab); });
}

QString CalendarsPage::calendarFilter() {
    return tr("iCalendar (*.ics *.ical *.ifb);;All files (*)");
}

QString CalendarsPage::initialFile() const {
    return m_lastFile.isEmpty() ? QDir::home().filePath(QStringLiteral("Zentick.ics")) : m_lastFile;
}

void CalendarsPage::CalendarsTabShow() {}

// The file is written whole beside its place and renamed over it, so a full disk or a kill never leaves half a
// calendar where a good one was.
void CalendarsPage::exportClick() {
    const QString file = FileChooser::instance().chooseSaveFile(this, initialFile(), calendarFilter());
    if (file.isEmpty())
        return;
    m_lastFile = file;
    CalendarExchange::ExportOptions options;
    options.powerActions = powerActionsChoice->isChosen();
    const QByteArray text =
        CalendarExchange::exportCalendar(m_context.stores.eventStore(), &m_context.stores.diaryStore(), options);
    QSaveFile out(file);
    // commit() alone lets a short write on a full disk pass (Qt 6.4): the flush is asked on its own.
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.flush() || !out.commit()) {
        m_context.showMessage(
            tr("The calendar file \"%1\" could not be written: %2. Nothing was written.").arg(file, out.errorString()));
        return;
    }
    m_context.showMessage(options.powerActions
                              ? tr("The alarms, birthdays, power actions and diary notes are in \"%1\".").arg(file)
                              : tr("The alarms, birthdays and diary notes are in \"%1\".").arg(file));
}

// What was added is told with what could not be taken as it was; a file that is no whole calendar changes nothing.
void CalendarsPage::importClick() {
    const QString file = FileChooser::instance().chooseFile(this, initialFile(), calendarFilter());
    if (file.isEmpty())
        return;
    m_lastFile = file;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        m_context.showMessage(tr("The calendar file \"%1\" could not be read: %2").arg(file, in.errorString()));
        return;
    }
    const CalendarExchange::ImportReport report = CalendarExchange::importCalendar(
        in.readAll(), m_context.stores.eventStore(), &m_context.stores.diaryStore(), m_context.clock.now());
    if (!report.error.isEmpty()) {
        m_context.showMessage(tr("\"%1\" was not imported: %2\nNothing was changed.").arg(file, report.error));
        return;
    }
    if ((report.added > 0 || report.notesAdded > 0) && m_context.storesWritten)
        m_context.storesWritten();
    m_context.showMessage(report.summary().trimmed());
}
