#pragma once

#include "ui/views/EventListPage.h"

// "Birthdays": the birthdays of the event store with each person's age today.
class BirthdayListPage final : public EventListPage {
    Q_OBJECT
public:
    explicit BirthdayListPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel11 = nullptr; // "Birthdays"
    QTreeWidget* ListView3 = nullptr;
    FancyButton* Del2 = nullptr; // "Delete"
    FancyButton* Edt4 = nullptr; // "Edit>>"

    void ViewTabBirthDayShow();
    void ListView3DblClick();
    void editSelected() override { ListView3DblClick(); }

protected:
    TXMLIniFile& store() override;
    QStringList possibleTexts(int column) const override;
};
