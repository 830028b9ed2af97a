#pragma once

#include "ui/editors/EventCommit.h"

#include <QWidget>

class ChoiceLabel;
class FancyButton;
class LabelToggle;
class ShadowLabel;
struct PageContext;
class TXMLIniFile;
class QCheckBox;

// "Advanced Settings": limits a repeating alarm or power action to chosen days of the week and months of
// the year. One page serves both editors; whether a filter is on lives in the edit session (allDays,
// allMonths), which days and months are allowed in the tick boxes here. Nothing is stored by this page.
class DayMonthFilterPage final : public QWidget {
    Q_OBJECT
public:
    explicit DayMonthFilterPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel26 = nullptr; // "Advanced Settings"
    ChoiceLabel* myLabel3d15 = nullptr;     // "All Days Of Week"
    ChoiceLabel* myLabel3d16 = nullptr;     // "Only These Days"
    ChoiceLabel* myLabel3d17 = nullptr;     // "All Months Of The Year"
    ChoiceLabel* myLabel3d18 = nullptr;     // "Only These Months"
    // Sunday .. Saturday: CheckBox12, CheckBox6 .. CheckBox11 with myaSuperLabel33, myaSuperLabel27 .. 32.
    QCheckBox* dayBox[7] = {};
    LabelToggle* dayLabel[7] = {};
    // January .. December: CheckBox13 .. CheckBox24 with myaSuperLabel34 .. myaSuperLabel45.
    QCheckBox* monthBox[12] = {};
    LabelToggle* monthLabel[12] = {};
    FancyButton* DsFancyButton31 = nullptr; // "<<Back"

    void myLabel3d15Click();
    void myLabel3d16Click();
    void myLabel3d17Click();
    void myLabel3d18Click();
    void ck();

    // "All Days Of Week" and "All Months Of The Year", as every new event starts.
    void resetToAll();
    // The filter of an existing record; "Days" and "Months" are consulted only when their "all" key is "0".
    void loadFromRecord(const TXMLIniFile& store, const QByteArray& section);
    // What the commit encodes into "alldays", "Days", "allmonths" and "Months".
    EventCommit::DayMonthFilter filter() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setDaysEnabled(bool enabled);
    void setMonthsEnabled(bool enabled);

    PageContext& m_context;
};
