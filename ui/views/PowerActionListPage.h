#pragma once

#include "ui/views/EventListPage.h"

// "Shut Downs": the power actions of the event store.
class PowerActionListPage final : public EventListPage {
    Q_OBJECT
public:
    explicit PowerActionListPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel5 = nullptr; // "Shut Downs"
    QTreeWidget* ListView2 = nullptr;
    FancyButton* Del1 = nullptr; // "Delete"
    FancyButton* Ed2 = nullptr;  // "Edit>>"

    void ViewTabShutShow();
    void ListView2DblClick();
    void editSelected() override { ListView2DblClick(); }

protected:
    TXMLIniFile& store() override;
    QStringList possibleTexts(int column) const override;
};
