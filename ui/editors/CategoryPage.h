#pragma once

#include <QWidget>

class FancyButton;
class ShadowLabel;
struct PageContext;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// "Edit Alarm Categories": a working copy of the category list, written to the settings store only by
// "Apply". "General" always stands first and can be neither renamed nor deleted.
class CategoryPage final : public QWidget {
    Q_OBJECT
public:
    explicit CategoryPage(PageContext& context, QWidget* parent = nullptr);

    // A category name is being edited in place.
    bool categoryEditing() const { return m_categoryEditing; }

    ShadowLabel* myaSuperLabel53 = nullptr; // "Edit Alarm Categories"
    QLabel* myaSuperLabel55 = nullptr;      // "Enter Here a New Category:"
    QLineEdit* Edit5 = nullptr;
    FancyButton* DsFancyButton33 = nullptr; // "Add this Category"
    QLabel* myaSuperLabel54 = nullptr;      // "Existing Alarm Categories:"
    QListWidget* ListBox1 = nullptr;
    FancyButton* DsFancyButton36 = nullptr; // "Edit"
    FancyButton* DsFancyButton34 = nullptr; // "Delete"
    FancyButton* DsFancyButton35 = nullptr; // "Apply"
    FancyButton* DsFancyButton32 = nullptr; // "<<Back"

    void CategoryTabShow();
    void Edit5Change();
    void DsFancyButton33Click();
    void ListBox1SelectItem();
    void DsFancyButton36Click();
    // Whether an in-place edit of the row may start; "General" may not be renamed.
    bool ListBox1Editing(const QListWidgetItem* item);
    void ListBox1Edited(QListWidgetItem* item, const QString& newName);
    // F2 renames, Delete deletes; true when the key was one of them (and so consumed).
    bool ListBox1KeyUp(int key);
    void DsFancyButton34Click();
    void DsFancyButton35Click();
    void DsFancyButton32Click();

signals:
    // The categories in the settings changed: the alarm editor lists them again.
    void categoriesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_categoryEditing = false;
    QListWidgetItem* selectedRow() const;

    PageContext& m_context;
};
