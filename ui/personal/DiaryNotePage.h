#pragma once

#include <QDate>
#include <QWidget>
#include <functional>

class DateField;
class FancyButton;
class ShadowLabel;
struct PageContext;
class QLabel;
class QPlainTextEdit;

// "Calendar": the note of the diary's selected date. "Save" writes it in one save and is enabled by a change;
// another date in the date field loads that date's note and drops what was typed.
class DiaryNotePage final : public QWidget {
    Q_OBJECT
public:
    explicit DiaryNotePage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel63 = nullptr; // "Calendar"
    FancyButton* DsFancyButton45 = nullptr; // "<<Back"
    FancyButton* DsFancyButton46 = nullptr; // "Save"
    QLabel* lab3 = nullptr;                 // "Your Notes for: " and the date
    QPlainTextEdit* Memo2 = nullptr;
    DateField* DateTimePicker5 = nullptr;

    void EditCalendarTabShow();
    void Memo2Change();
    void DateTimePicker5Change();
    void DsFancyButton46Click();
    void DsFancyButton45Click();

    // Sets the date field without its change handler running.
    void setPickerDate(QDate date);
    // The diary's selected date, which the note shown belongs to; the main window hands it over.
    void setDiaryDay(std::function<QDate()> diaryDay) { m_diaryDay = std::move(diaryDay); }
    // The text as typed, line breaks as "\n" (no other character changed).
    QString noteText() const;

signals:
    // The date field chose another day: the diary selects it.
    void dayChosen(QDate date);

private:
    PageContext& m_context;
    std::function<QDate()> m_diaryDay;
};
