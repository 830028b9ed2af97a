#pragma once

#include "context/EditRoute.h"
#include "ui/editors/PendingRecord.h"

#include <QDate>
#include <QWidget>

class FancyButton;
class QScrollArea;
class ShadowLabel;
struct PageContext;

// "Confirmation": shows what the editor is about to schedule. "OK" is the one place where event records
// are created or rewritten; the editor's pending record reads its controls as they are at that moment.
class ConfirmationPage final : public QWidget {
    Q_OBJECT
public:
    explicit ConfirmationPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel14 = nullptr; // "Confirmation"
    // The text in money green over its gray shadow (the shadow is drawn by the label itself).
    ShadowLabel* Conf2 = nullptr;
    QScrollArea* ConfScroll = nullptr;      // holds Conf2, so a text of any length can be read whole
    FancyButton* DsFancyButton29 = nullptr; // "<<Back"
    FancyButton* DsFancyButton28 = nullptr; // "OK"

    // What an editor asks to confirm: the text shown and the record "OK" writes.
    void confirm(const QString& text, const PendingRecord& pending);
    void setText(const QString& text);
    QString text() const;

    void DsFancyButton29Click();
    void DsFancyButton28Click();

signals:
    // A commit of an edit from the calendar: the calendar view is to show the month of day.
    void calendarMonthRequested(QDate day);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QByteArray chosenSection() const;
    // Shows where the edit leads (EditRoute); a commit from the calendar shows the month of date.
    void leaveAfterCommit(EditRoute::Editor editor, double date);
    void showCalendarAt(double date);

    PageContext& m_context;
    PendingRecord m_pending;
};
