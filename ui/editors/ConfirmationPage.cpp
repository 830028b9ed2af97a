#include "ui/editors/ConfirmationPage.h"

#include "context/EditRoute.h"
#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/TextPreview.h"
#include "store/XMLIniFile.h"
#include "ui/PageContext.h"
#include "ui/editors/EditorPages.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

ConfirmationPage::ConfirmationPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("ConfirmTab"));
    setAccessibleName(tr("Confirmation"));

    myaSuperLabel14 = new ShadowLabel(tr("Confirmation"), this);
    myaSuperLabel14->setObjectName(QStringLiteral("myaSuperLabel14"));

    Conf2 = new ShadowLabel(this);
    Conf2->setObjectName(QStringLiteral("Conf2"));
    Conf2->setScale(1.0);
    Conf2->setColour(QColor(192, 220, 192));
    Conf2->setShadowColour(Qt::gray);
    Conf2->setAlignment(Qt::AlignCenter);
    Conf2->setWordWrap(true);

    DsFancyButton29 = new FancyButton(tr("<<&Back"), this);
    DsFancyButton29->setObjectName(QStringLiteral("DsFancyButton29"));
    DsFancyButton29->setAccessibleName(tr("Back to the editor"));
    DsFancyButton28 = new FancyButton(tr("&OK"), this);
    DsFancyButton28->setObjectName(QStringLiteral("DsFancyButton28"));
    DsFancyButton28->setAccessibleName(tr("Schedule it"));
    DsFancyButton28->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton29);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton28);

    // A long description, or many bypass lines, scrolls within the page instead of running under the buttons.
    ConfScroll = new QScrollArea(this);
    ConfScroll->setObjectName(QStringLiteral("ConfScroll"));
    ConfScroll->setFrameShape(QFrame::NoFrame);
    ConfScroll->setWidgetResizable(true);
    ConfScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConfScroll->setWidget(Conf2);
    ConfScroll->viewport()->setAutoFillBackground(false);
    Conf2->setAutoFillBackground(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 8);
    layout->addWidget(myaSuperLabel14);
    layout->addWidget(ConfScroll, 1);
    layout->addLayout(buttons);

    connect(DsFancyButton29, &FancyButton::clicked, this, &ConfirmationPage::DsFancyButton29Click);
    connect(DsFancyButton28, &FancyButton::clicked, this, &ConfirmationPage::DsFancyButton28Click);
}

void ConfirmationPage::setText(const QString& text) {
    Conf2->setText(TextPreview::breakable(text));
    ConfScroll->verticalScrollBar()->setValue(0);
    Conf2->setAccessibleDescription(text);
    DsFancyButton28->setFocus();
}

QString ConfirmationPage::text() const {
    return Conf2->accessibleDescription();
}

void ConfirmationPage::DsFancyButton29Click() {
    static constexpr int editors[3] = {AlarmTab, ShutTab, BirthTab};
    m_context.edit.returnToEditor = true;
    m_context.navigation.showPage(editors[qBound(0, m_context.edit.editorKind, 2)]);
}

void ConfirmationPage::confirm(const QString& text, const PendingRecord& pending) {
    m_pending = pending;
    setText(text);
}

void ConfirmationPage::DsFancyButton28Click() {
    if (!m_pending.write)
        return;
    if (m_pending.editor == EditRoute::Editor::Alarm && m_context.edit.editPastAlarm)
        m_context.stores.pastAlarmStore().EraseSection(EditorPages::editedSection(m_context));
    const QByteArray section = chosenSection();
    const double date = m_pending.write(m_context.stores.eventStore(), section, EditorPages::now(m_context));
    leaveAfterCommit(m_pending.editor, date);
    // The next tick comes at once and finds the new or changed record.
    m_context.rearmScheduler();
}

QByteArray ConfirmationPage::chosenSection() const {
    if (m_context.edit.editFromList || m_context.edit.editFromCalendar)
        return EditorPages::editedSection(m_context);
    return EventRecord::firstFreeSection(m_context.stores.eventStore());
}

void ConfirmationPage::leaveAfterCommit(EditRoute::Editor editor, double date) {
    for (const int page : EditRoute::leave(m_context.edit, editor, EditRoute::Action::Commit)) {
        if (page == EditTab)
            showCalendarAt(date);
        else
            m_context.navigation.showPage(page);
    }
}

// editFromCalendar stays set: it tells the view's show handler that the date was chosen here and must not go back
// to today.
void ConfirmationPage::showCalendarAt(double date) {
    emit calendarMonthRequested(DayCount::toDate(date));
    m_context.navigation.showPage(EditTab);
}

void ConfirmationPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DsFancyButton28Click();
        return;
    case Qt::Key_Escape:
        DsFancyButton29Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
