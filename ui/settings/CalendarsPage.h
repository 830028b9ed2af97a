#pragma once

#include <QWidget>

#include <functional>

class ChoiceLabel;
class FancyButton;
class ShadowLabel;
struct PageContext;
class QLabel;
class QLineEdit;

// "Calendars", reached from the settings page: the events and diary notes written to an iCalendar file and read
// back from one, and the account of the calendar sync with the state of the last sync. The address and the user
// name are stored as they are typed ("syncurl", "syncuser"); the password goes to the desktop's secret store only,
// and the field never shows one kept there.
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
    QLabel* syncLabel = nullptr;
    QLineEdit* urlEdit = nullptr;
    QLineEdit* userEdit = nullptr;
    QLineEdit* passwordEdit = nullptr;
    FancyButton* syncNowButton = nullptr;
    // When the last sync ended and how, or why none runs.
    QLabel* syncStatus = nullptr;
    FancyButton* backButton = nullptr;

    void CalendarsTabShow();
    void exportClick();
    void importClick();
    void syncNowClick();
    // Writes the address and user name when they differ from the stored ones.
    void saveAccount();
    // Hands a typed password to the secret store; then runs once it is there (or at once with nothing to hand).
    void savePassword(std::function<void()> then = {});
    void showSyncState();

    // The file dialogs' filter.
    static QString calendarFilter();

private:
    QString initialFile() const;

    PageContext& m_context;
    QString m_lastFile;
    bool m_syncFollowed = false;
};
