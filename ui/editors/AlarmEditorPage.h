#pragma once

#include "ui/editors/EventCommit.h"
#include "ui/editors/KeptText.h"

#include "ui/editors/PendingRecord.h"

#include <QWidget>

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
class QPlainTextEdit;
class QRadioButton;

// "New Alarm": writes a new alarm, edits one of the event store, or re-activates a past alarm. "Next>>"
// checks the moment and hands a confirmation text to the confirmation page, whose "OK" reads this page's
// controls and writes the record. Nothing is stored from here.
class AlarmEditorPage final : public QWidget {
    Q_OBJECT
public:
    explicit AlarmEditorPage(PageContext& context, QWidget* parent = nullptr);
    // "Advanced Settings", the day and month filter this editor shares with the other repeating one.
    void setFilterPage(DayMonthFilterPage* filter) { m_filter = filter; }

    ShadowLabel* BackAlarm = nullptr;     // page title
    QLabel* myaSuperLabel1 = nullptr;     // "Type the Alarm Description Here:"
    QPlainTextEdit* Memo1 = nullptr;      // the description, one hard line per stored line
    ChoiceLabel* myLabel3d5 = nullptr;    // "Zentick at:"
    ChoiceLabel* myLabel3d6 = nullptr;    // "Zentick after:"
    QRadioButton* RadioButton1 = nullptr; // hidden: "At:" mode
    QRadioButton* RadioButton2 = nullptr; // hidden: "After:" mode
    DateField* DateTimePicker1 = nullptr; // the date of the moment; carries the time of DateTimePicker2 as well
    MonthCalendar* DatePicker1 = nullptr; // the styled calendar that drops down from DateTimePicker1
    DateField* DateTimePicker2 = nullptr; // the time of the moment, "HH:mm"
    SpinEdit* CSpinEdit1 = nullptr;       // "After:" hours
    QLabel* Label3 = nullptr;             // "Hours and"
    SpinEdit* CSpinEdit2 = nullptr;       // "After:" minutes
    QLabel* Label4 = nullptr;             // "Minutes"
    QCheckBox* CheckBox5 = nullptr;       // bypass
    LabelToggle* myaSuperLabel19 = nullptr;
    QCheckBox* CheckBox2 = nullptr; // sound
    LabelToggle* myaSuperLabel6 = nullptr;
    QCheckBox* CheckBox1 = nullptr; // repetition
    LabelToggle* myaSuperLabel9 = nullptr;
    SpinEdit* CSpinEdit3 = nullptr;        // repetition count
    QComboBox* ComboBox1 = nullptr;        // repetition unit, its index is "reptype"
    LinkLabel* myaSuperLabel46 = nullptr;  // "Advanced"
    QLabel* myaSuperLabel50 = nullptr;     // "Choose Alarm Category:"
    QComboBox* ComboBox2 = nullptr;        // category
    LinkLabel* myaSuperLabel51 = nullptr;  // ">>"
    FancyButton* DsFancyButton3 = nullptr; // "<<Back"
    FancyButton* DsFancyButton2 = nullptr; // "Next>>"

    void AlarmTabShow();
    void myLabel3d5Click();
    void myLabel3d6Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void DateTimePicker2Change();
    void CheckBox1Click();
    void ComboBox1Select();
    void myaSuperLabel46Click();
    void myaSuperLabel51Click();
    void Button3Click();
    void DsFancyButton3Click();

    // "General" and the categories of the settings store; "General" selected.
    void loadCategories();
    // The category at index as stored and compared, whatever language the list shows it in.
    QString categoryName(int index) const;
    // The record "OK" writes, with the "After:" moment taken from now.
    EventCommit::AlarmRecord record(double now) const;

    // The largest repetition count of each unit, "Minutes" to "Years".
    static int maximumCount(int unit);

protected:
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // "OK" found the input valid: the confirmation page is to show text and, when confirmed, write the record.
    void confirmRequested(const QString& text, const PendingRecord& pending);

private:
    void fillForPastAlarm();
    void fillForActiveAlarm();
    void fillForNewAlarm();
    void setUnit(int unit);

    PageContext& m_context;
    MomentChoice* m_moment = nullptr;
    DayMonthFilterPage* m_filter = nullptr;
    KeptLines m_text; // of the record the page was filled from
    KeptText m_category;
};
