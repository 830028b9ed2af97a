#include "ui/editors/CategoryPage.h"

#include "context/PageIndex.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/EditorPages.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const QByteArray categoriesSection = QByteArrayLiteral("categories");
constexpr int maxNameLength = 100;
// The name's bytes as read from the store: a name the user did not change is saved as it was read.
constexpr int StoredRole = Qt::UserRole;

QByteArray storedName(const QListWidgetItem* row) {
    const QByteArray stored = row->data(StoredRole).toByteArray();
    if (!stored.isEmpty() && storedTextToDisplay(stored) == row->text())
        return stored;
    return displayTextToStored(row->text());
}

// Renaming in place goes through the page, which decides whether a row may be edited and what an
// empty name means; the list itself never writes a name.
class CategoryNameDelegate final : public QStyledItemDelegate {
public:
    CategoryNameDelegate(CategoryPage& page, QListWidget& list)
        : QStyledItemDelegate(&list)
        , m_page(page)
        , m_list(list) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (!m_page.ListBox1Editing(m_list.item(index.row())))
            return nullptr;
        auto* editor = new QLineEdit(parent);
        editor->setMaxLength(maxNameLength);
        editor->setFrame(false);
        editor->setAccessibleName(CategoryPage::tr("Category name"));
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* /*model*/, const QModelIndex& index) const override {
        if (auto* field = qobject_cast<QLineEdit*>(editor))
            m_page.ListBox1Edited(m_list.item(index.row()), field->text());
    }

private:
    CategoryPage& m_page;
    QListWidget& m_list;
};

} // namespace

CategoryPage::CategoryPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("CategoryTab"));
    setAccessibleName(tr("Edit Alarm Categories"));

    myaSuperLabel53 = named(new ShadowLabel(tr("Edit Alarm Categories"), this), "myaSuperLabel53");
    myaSuperLabel55 = named(new QLabel(tr("Enter Here a New Category:"), this), "myaSuperLabel55");
    Edit5 = named(new QLineEdit(this), "Edit5");
    Edit5->setMaxLength(maxNameLength);
    Edit5->setAccessibleName(tr("New category"));
    myaSuperLabel55->setBuddy(Edit5);
    DsFancyButton33 = named(new FancyButton(tr("&Add this Category"), this), "DsFancyButton33");

    myaSuperLabel54 = named(new QLabel(tr("Existing Alarm Categories:"), this), "myaSuperLabel54");
    ListBox1 = named(new QListWidget(this), "ListBox1");
    ListBox1->setAccessibleName(tr("Existing alarm categories"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::SelectedClicked);
    ListBox1->setItemDelegate(new CategoryNameDelegate(*this, *ListBox1));
    ListBox1->installEventFilter(this);
    myaSuperLabel54->setBuddy(ListBox1);

    DsFancyButton36 = named(new FancyButton(tr("&Edit"), this), "DsFancyButton36");
    DsFancyButton36->setAccessibleName(tr("Rename the category"));
    DsFancyButton34 = named(new FancyButton(tr("&Delete"), this), "DsFancyButton34");
    DsFancyButton34->setAccessibleName(tr("Delete the category"));
    DsFancyButton35 = named(new FancyButton(tr("A&pply"), this), "DsFancyButton35");
    DsFancyButton35->setAccessibleName(tr("Save the categories"));
    DsFancyButton32 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton32");
    DsFancyButton32->setAccessibleName(tr("Back to the alarm"));
    for (FancyButton* off : {DsFancyButton33, DsFancyButton36, DsFancyButton34, DsFancyButton35})
        off->setEnabled(false);

    auto* entry = new QHBoxLayout;
    entry->addWidget(Edit5, 1);
    entry->addWidget(DsFancyButton33);

    auto* actions = new QVBoxLayout;
    actions->addWidget(DsFancyButton36);
    actions->addWidget(DsFancyButton34);
    actions->addStretch();
    actions->addWidget(DsFancyButton35);

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(ListBox1, 1);
    listRow->addLayout(actions);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton32);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(3);
    layout->addWidget(myaSuperLabel53);
    layout->addWidget(myaSuperLabel55);
    layout->addLayout(entry);
    layout->addWidget(myaSuperLabel54);
    layout->addLayout(listRow, 1);
    layout->addLayout(buttons);

    connect(Edit5, &QLineEdit::textChanged, this, &CategoryPage::Edit5Change);
    connect(DsFancyButton33, &FancyButton::clicked, this, &CategoryPage::DsFancyButton33Click);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &CategoryPage::ListBox1SelectItem);
    connect(ListBox1->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { m_categoryEditing = false; });
    connect(DsFancyButton36, &FancyButton::clicked, this, &CategoryPage::DsFancyButton36Click);
    connect(DsFancyButton34, &FancyButton::clicked, this, &CategoryPage::DsFancyButton34Click);
    connect(DsFancyButton35, &FancyButton::clicked, this, &CategoryPage::DsFancyButton35Click);
    connect(DsFancyButton32, &FancyButton::clicked, this, &CategoryPage::DsFancyButton32Click);
}

void CategoryPage::CategoryTabShow() {
    Edit5->clear();
    DsFancyButton33->setEnabled(false);
    DsFancyButton34->setEnabled(false);
    DsFancyButton35->setEnabled(false);
    ListBox1->clear();
    auto* general = new QListWidgetItem(tr("General"), ListBox1);
    general->setFlags(general->flags() & ~Qt::ItemIsEditable);
    const TXMLIniFile& settings = m_context.stores.settingsStore();
    const int count = settings.ReadInt(categoriesSection, "count", 0);
    for (int i = 0; i < count; ++i) {
        const QByteArray stored = settings.ReadString(categoriesSection, QByteArray::number(i), QByteArray());
        auto* row = new QListWidgetItem(storedTextToDisplay(stored), ListBox1);
        row->setData(StoredRole, stored);
        row->setFlags(row->flags() | Qt::ItemIsEditable);
    }
    ListBox1SelectItem();
    Edit5->setFocus();
}

void CategoryPage::Edit5Change() {
    DsFancyButton33->setEnabled(!Edit5->text().isEmpty());
}

void CategoryPage::DsFancyButton33Click() {
    auto* row = new QListWidgetItem(Edit5->text(), ListBox1);
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    DsFancyButton35->setEnabled(true);
    Edit5->clear();
}

QListWidgetItem* CategoryPage::selectedRow() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void CategoryPage::ListBox1SelectItem() {
    const QListWidgetItem* row = selectedRow();
    const bool changeable = row != nullptr && ListBox1->row(row) > 0;
    DsFancyButton34->setEnabled(changeable);
    DsFancyButton36->setEnabled(changeable);
}

void CategoryPage::DsFancyButton36Click() {
    if (QListWidgetItem* row = selectedRow())
        ListBox1->editItem(row);
}

bool CategoryPage::ListBox1Editing(const QListWidgetItem* item) {
    const bool allowed = item != nullptr && ListBox1->row(item) > 0;
    m_categoryEditing = allowed;
    return allowed;
}

void CategoryPage::ListBox1Edited(QListWidgetItem* item, const QString& newName) {
    // An empty name would leave a category nobody can choose: the row keeps its old one.
    if (item && !newName.isEmpty()) {
        item->setText(newName);
        DsFancyButton35->setEnabled(true);
    }
    m_categoryEditing = false;
}

bool CategoryPage::ListBox1KeyUp(int key) {
    if (m_categoryEditing)
        return false;
    if (key == Qt::Key_F2) {
        if (DsFancyButton36->isEnabled())
            DsFancyButton36Click();
        return true;
    }
    if (key == Qt::Key_Delete) {
        if (DsFancyButton34->isEnabled())
            DsFancyButton34Click();
        return true;
    }
    return false;
}

void CategoryPage::DsFancyButton34Click() {
    if (QListWidgetItem* row = selectedRow()) {
        delete ListBox1->takeItem(ListBox1->row(row));
        DsFancyButton35->setEnabled(true);
        ListBox1SelectItem();
    }
}

void CategoryPage::DsFancyButton35Click() {
    DsFancyButton35->setEnabled(false);
    TXMLIniFile& settings = m_context.stores.settingsStore();
    {
        TXMLIniFile::Batch batch(settings);
        settings.EraseSection(categoriesSection);
        settings.WriteInt(categoriesSection, "count", ListBox1->count() - 1);
        for (int i = 1; i < ListBox1->count(); ++i)
            settings.WriteString(categoriesSection, QByteArray::number(i - 1), storedName(ListBox1->item(i)));
        batch.commit();
    }
    emit categoriesChanged();
}

void CategoryPage::DsFancyButton32Click() {
    m_context.edit.returnToEditor = true;
    m_context.navigation.showPage(AlarmTab);
}

bool CategoryPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress &&
        ListBox1KeyUp(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CategoryPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (DsFancyButton33->isEnabled())
            DsFancyButton33Click();
        return;
    case Qt::Key_Escape:
        DsFancyButton32Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
