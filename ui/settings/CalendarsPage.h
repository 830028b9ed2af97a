#pragma once

#include <QWidget>

class ChoiceLabel;
class FancyButton;
class ShadowLabel;
struct PageContext;
class QLabel;

// "Calendars", reached from the settings page: the events and diary notes written to an iCalendar file and read
// back from one. Nothing here is kept in the settings but what the user types for the sync.
class CalendarsPage final : public QWidget {
    Q_OBJECT
public:
    explicit CalendarsPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* title = nullptr;
    QLabel* exchangeLabel = nullptr;
    FancyButton* exportButton = nullptr;
    FancyButton* importButton = nullptr;
    // Power actions belong to one computer: they go into the file only while this is chosen.
    ChoiceLabel* powerActionsChoice = nullptr;
    FancyButton* backButton = nullptr;

    void CalendarsTabShow();
    void exportClick();
    void importClick();

    // The file dialogs' filter.
    static QString calendarFilter();

private:
    QString initialFile() const;

    PageContext& m_context;
    QString m_lastFile;
};
