#pragma once

#include <QString>
#include <QWidget>

class ChoiceLabel;
class DateField;
class MonthCalendar;
class QLabel;
class QRadioButton;
class SpinEdit;

// The "at / after" moment of the alarm and the power-action editors: a date and a time, or so many hours and
// minutes from now, one of the two chosen by its caption. Each editor keeps its own control names and captions,
// so the controls are named by the editor that builds this.
class MomentChoice final : public QWidget {
    Q_OBJECT
public:
    // The object names of the controls, in the order of the members below.
    struct Names {
        const char* atCaption;
        const char* afterCaption;
        const char* atMode;
        const char* afterMode;
        const char* date;
        const char* time;
        const char* hours;
        const char* hoursCaption;
        const char* minutes;
        const char* minutesCaption;
    };
    enum class Arrangement {
        Columns, // the captions in a column of their own, each beside its fields
        Stacked, // each caption above its fields
    };

    MomentChoice(const Names& names, const QString& atText, const QString& afterText, const QString& dateName,
                 const QString& timeName, Arrangement arrangement, QWidget* parent);

    ChoiceLabel* atCaption = nullptr;
    ChoiceLabel* afterCaption = nullptr;
    QRadioButton* atMode = nullptr;    // hidden: the chosen mode as the page's handlers know it
    QRadioButton* afterMode = nullptr; // hidden
    DateField* date = nullptr;         // carries the time of `time` as well
    MonthCalendar* calendar = nullptr; // drops down from `date`
    DateField* time = nullptr;         // "HH:mm"
    SpinEdit* hours = nullptr;
    QLabel* hoursCaption = nullptr; // "Hours and"
    SpinEdit* minutes = nullptr;
    QLabel* minutesCaption = nullptr; // "Minutes"

    // The caption clicks: choose the mode, light its caption and enable its fields.
    void chooseAt();
    void chooseAfter();
    // The hidden buttons' clicks: enable the fields of the mode.
    void enableAt();
    void enableAfter();
    // The time field changed: the date field takes the time.
    void takeTime();

    bool isAfter() const;
    // Both fields show the moment.
    void setMoment(const QDateTime& moment);
    // Today with the next whole minute; the date stays, so a proposal past midnight is still today.
    void proposeNextMinute(const QDateTime& now);
    // The chosen moment as a day count; "after" counts from now.
    double moment(double now) const;

private:
    void enableFields(bool after);
};
