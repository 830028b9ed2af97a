#pragma once

#include "ui/views/AlarmRows.h"
#include "ui/views/EventListPage.h"

class QComboBox;

// "General Alarms": the alarms of the event store, filtered by category.
class AlarmListPage final : public EventListPage {
    Q_OBJECT
public:
    explicit AlarmListPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel12 = nullptr; // "General Alarms"
    QTreeWidget* ListView1 = nullptr;
    FancyButton* Del0 = nullptr;    // "Delete"
    FancyButton* Edt = nullptr;     // "Edit>>"
    QComboBox* ComboBox4 = nullptr; // "All", "General", then the user's categories

    void ViewTabAlShow();
    void ComboBox4Select(int index);
    void ListView1DblClick();
    void editSelected() override { ListView1DblClick(); }

protected:
    void deleteRecord(const QTreeWidgetItem* row) override;
    TXMLIniFile& store() override;
    QStringList possibleTexts(int column) const override;
    ListSort::SortKey sortKey(const QByteArray& section, int column, const QCollator& collator) override;

private:
    void rebuildCategoryFilter();

    // A choice in the filter keeps the filter's items for the fill it runs.
    bool m_keepCategoryFilter = false;
    AlarmRows m_rows;
};
