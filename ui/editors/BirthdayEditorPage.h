#pragma once

#include "ui/editors/EventCommit.h"
#include "ui/editors/KeptText.h"

#include "ui/editors/PendingRecord.h"

#include <QWidget>

class DateField;
class FancyButton;
class LabelToggle;
class MonthCalendar;
class ShadowLabel;
class SpinEdit;
struct PageContext;
class QCheckBox;
class QLabel;
class QLineEdit;

// "New Birthday": a person's name and date of birth, greeted every year on the day and, if wished, some
// days before. "Next>>" checks name and date; the confirmation page writes the record.
class BirthdayEditorPage final : public QWidget {
    Q_OBJECT
public:
    // The most days before the birthday a greeting can come.
    static constexpr int MaximumDaysBefore = 20;
    explicit BirthdayEditorPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel8 = nullptr;   // "New Birthday" / "Edit Birthday"
    QLabel* myaSuperLabel4 = nullptr;        // "Type his/her name:"
    QLineEdit* Edit1 = nullptr;              // the name, at most 100 characters
    QLabel* myaSuperLabel3 = nullptr;        // "Select the Date of his/her Birth:"
    MonthCalendar* MonthCalendar1 = nullptr; // picks the date of birth
    QLabel* myaSuperLabel18 = nullptr;       // "Selected Date of Birth:"
    DateField* DateTimePicker6 = nullptr;    // the date of birth, always the calendar's day
    QLabel* myaSuperLabel2 = nullptr;        // "Notify me also:"
    SpinEdit* CSpinEdit7 = nullptr;          // days before the birthday, 0 to 20
    QLabel* myaSuperLabel17 = nullptr;       // "Days"
    QLabel* myaSuperLabel16 = nullptr;       // "before his/her Birthday"
    QCheckBox* CheckBox4 = nullptr;          // sound
    LabelToggle* myaSuperLabel7 = nullptr;   // "Notify me with Sound"
    FancyButton* DsFancyButton6 = nullptr;   // "<<Back"
    FancyButton* DsFancyButton7 = nullptr;   // "Next>>"

    void BirthTabShow();
    void MonthCalendar1DaySelect();
    void MonthCalendar1DayChange(QDate date);
    void DateTimePicker6Change();
    void DsFancyButton7Click();
    void DsFancyButton6Click();

    // The record "OK" writes: the first notification day counted from now.
    EventCommit::BirthdayRecord record(double now) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // "OK" found the input valid: the confirmation page is to show text and, when confirmed, write the record.
    void confirmRequested(const QString& text, const PendingRecord& pending);

private:
    void showBirthDate(QDate date);

    PageContext& m_context;
    KeptText m_name; // of the record the page was filled from
};
