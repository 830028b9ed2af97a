#pragma once

#include "ui/editors/EventCommit.h"

#include "ui/editors/PendingRecord.h"

#include <QWidget>

class ChoiceGroup;
class ChoiceLabel;
class DateField;
class FancyButton;
class LabelToggle;
class LinkLabel;
class MomentChoice;
class MonthCalendar;
class ShadowLabel;
class SpinEdit;
class DayMonthFilterPage;
struct PageContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

// "Scheduled Shut Down": shut down, restart, log off, hibernate or stand by at a moment, optionally every
// so many days or weeks. As on the alarm page, "Next>>" checks the moment and the confirmation page writes.
class PowerActionEditorPage final : public QWidget {
    Q_OBJECT
public:
    explicit PowerActionEditorPage(PageContext& context, QWidget* parent = nullptr);
    // "Advanced Settings", the day and month filter this editor shares with the other repeating one.
    void setFilterPage(DayMonthFilterPage* filter) { m_filter = filter; }

    // The action names by "shuttype": "Shut Down", "Restart", "Log Off", "Hibernate", "Stand By".
    static QString actionName(int action);
    // The largest repetition count, of days or weeks.
    static constexpr int MaximumCount = 59;

    ShadowLabel* myaSuperLabel49 = nullptr; // "Scheduled Shut Down"
    QLabel* myLabel3d12 = nullptr;          // "Choose Action:"
    ChoiceLabel* myLabel3d11 = nullptr;     // "Shut Down"
    ChoiceLabel* myLabel3d10 = nullptr;     // "Restart"
    ChoiceLabel* myLabel3d9 = nullptr;      // "Log Off"
    ChoiceLabel* myLabel3d32 = nullptr;     // "Hibernate"
    ChoiceLabel* myLabel3d33 = nullptr;     // "Stand By"
    ChoiceGroup* RadioGroup1 = nullptr;     // the chosen action, by "shuttype"
    ChoiceLabel* myLabel3d8 = nullptr;      // "<action> system at:"
    ChoiceLabel* myLabel3d7 = nullptr;      // "<action> system after:"
    QRadioButton* RadioButton8 = nullptr;   // hidden: "At:" mode
    QRadioButton* RadioButton7 = nullptr;   // hidden: "After:" mode
    DateField* DateTimePicker3 = nullptr;   // the date of the moment; carries the time of DateTimePicker4 too
    MonthCalendar* DatePicker2 = nullptr;   // the styled calendar that drops down from DateTimePicker3
    DateField* DateTimePicker4 = nullptr;   // the time of the moment, "HH:mm"
    SpinEdit* CSpinEdit5 = nullptr;         // "after" hours
    QLabel* Label5 = nullptr;               // "Hours and"
    SpinEdit* CSpinEdit4 = nullptr;         // "after" minutes
    QLabel* Label2 = nullptr;               // "Minutes"
    QCheckBox* CheckBox3 = nullptr;         // repetition
    LabelToggle* myaSuperLabel15 = nullptr;
    SpinEdit* CSpinEdit6 = nullptr;        // repetition count
    QComboBox* ComboBox3 = nullptr;        // "Days", "Weeks"; its index is "reptype"
    LinkLabel* myaSuperLabel47 = nullptr;  // "Advanced"
    FancyButton* DsFancyButton4 = nullptr; // "<<Back"
    FancyButton* DsFancyButton5 = nullptr; // "Next>>"

    void ShutTabShow();
    void myLabel3d11Click();
    void myLabel3d10Click();
    void myLabel3d9Click();
    void myLabel3d32Click();
    void myLabel3d33Click();
    void myLabel3d8Click();
    void myLabel3d7Click();
    void RadioButton8Click();
    void RadioButton7Click();
    void DateTimePicker4Change();
    void CheckBox3Click();
    void myaSuperLabel46Click();
    void DsFancyButton5Click();
    void Button2Click();

    // The record "OK" writes, with the "after" moment taken from now.
    EventCommit::PowerActionRecord record(double now) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // "OK" found the input valid: the confirmation page is to show text and, when confirmed, write the record.
    void confirmRequested(const QString& text, const PendingRecord& pending);

private:
    void chooseAction(int action);
    void fillForEdit();
    void fillForNew();

    PageContext& m_context;
    MomentChoice* m_moment = nullptr;
    DayMonthFilterPage* m_filter = nullptr;
};
