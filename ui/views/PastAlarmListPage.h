#pragma once

#include "ui/views/EventListPage.h"

// "Past Alarms": every record of the past-alarm store. Editing one brings it back as a new alarm.
class PastAlarmListPage final : public EventListPage {
    Q_OBJECT
public:
    explicit PastAlarmListPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel10 = nullptr; // "Past Alarms"
    QTreeWidget* ListView4 = nullptr;
    FancyButton* Del = nullptr;   // "Delete"
    FancyButton* Edit3 = nullptr; // "Edit>>"

    void ViewTabPastShow();
    void ListView4DblClick();
    void editSelected() override { ListView4DblClick(); }

protected:
    TXMLIniFile& store() override;
    QStringList possibleTexts(int column) const override;
};
