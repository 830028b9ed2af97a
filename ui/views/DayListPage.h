#pragma once

#include "ui/views/EventIcons.h"

#include <QByteArrayList>
#include <QWidget>

class FancyButton;
class QDate;
class QTreeWidget;
class QTreeWidgetItem;
class ShadowLabel;
struct PageContext;

// The events of one day of the calendar view, to edit or delete. "<<Back" returns to the calendar on the same
// month.
class DayListPage final : public QWidget {
    Q_OBJECT
public:
    explicit DayListPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel78 = nullptr; // "Edit Alarms", then the date of the day shown
    QTreeWidget* ListView6 = nullptr;
    FancyButton* DsFancyButton56 = nullptr; // "Edit>>"
    FancyButton* DsFancyButton57 = nullptr; // "Delete"
    FancyButton* DsFancyButton55 = nullptr; // "<<Back"

    // Fills the list with the records of sections that still exist, in the given order, titled with the date.
    void showDay(QDate date, const QByteArrayList& sections);
    QTreeWidgetItem* selectedRow() const;

    void ListView6SelectItem();
    void ListView6DblClick();
    void DsFancyButton55Click();

    // The selected row's record is erased at once; the row that takes its place is selected.
    void deleteSelected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* makeRow(const QByteArray& section) const;

    PageContext& m_context;
    EventIcons::Set m_icons;
};
