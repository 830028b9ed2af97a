#include "ui/personal/AddressEntryPage.h"

#include "context/PageIndex.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntries.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

AddressEntryPage::AddressEntryPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("AddAddressTab"));
    setAccessibleName(tr("Add Information"));

    myaSuperLabel57 = named(new ShadowLabel(tr("Add Information"), this), "myaSuperLabel57");
    const auto field = [this](const char* labelName, const QString& caption, QLabel*& label, const char* editName,
                              QLineEdit*& edit) {
        label = named(new QLabel(caption, this), labelName);
        edit = named(new QLineEdit(this), editName);
        edit->setMaxLength(maxFieldLength);
        edit->setAccessibleName(caption);
        label->setBuddy(edit);
    };
    field("myaSuperLabel58", tr("Full Name"), myaSuperLabel58, "Edit6", Edit6);
    field("myaSuperLabel59", tr("Address"), myaSuperLabel59, "Edit7", Edit7);
    field("myaSuperLabel60", tr("Phone Number(s)"), myaSuperLabel60, "Edit8", Edit8);
    field("myaSuperLabel61", tr("E-Mail Address"), myaSuperLabel61, "Edit9", Edit9);
    field("myaSuperLabel62", tr("Other Personal Information"), myaSuperLabel62, "Edit10", Edit10);
    DsFancyButton41 = named(new FancyButton(tr("&Add"), this), "DsFancyButton41");
    DsFancyButton41->setDefault(true);
    DsFancyButton41->setEnabled(false);
    DsFancyButton42 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton42");
    DsFancyButton42->setAccessibleName(tr("Back to the address book"));
    DsFancyButton42->addShortcut(QKeySequence(Qt::Key_Escape));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const QList<QLabel*> labels{myaSuperLabel58, myaSuperLabel59, myaSuperLabel60, myaSuperLabel61, myaSuperLabel62};
    const QList<QLineEdit*> edits = fields();
    for (int i = 0; i < edits.size(); ++i) {
        grid->addWidget(labels.at(i), i, 0);
        grid->addWidget(edits.at(i), i, 1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton42);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton41);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(myaSuperLabel57);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setFocusProxy(Edit6);

    connect(Edit6, &QLineEdit::textChanged, this, &AddressEntryPage::Edit6Change);
    for (QLineEdit* edit : edits)
        connect(edit, &QLineEdit::returnPressed, this, [this] {
            if (DsFancyButton41->isEnabled())
                DsFancyButton41Click();
        });
    connect(DsFancyButton41, &FancyButton::clicked, this, &AddressEntryPage::DsFancyButton41Click);
    connect(DsFancyButton42, &FancyButton::clicked, this, &AddressEntryPage::DsFancyButton42Click);
}

QList<QLineEdit*> AddressEntryPage::fields() const {
    return {Edit6, Edit7, Edit8, Edit9, Edit10};
}

void AddressEntryPage::forgetEntry() {
    m_section = QByteArray();
}

void AddressEntryPage::editEntry(const QByteArray& section) {
    m_section = section;
    m_stored = AddressEntries::readStored(m_context.stores.addressBookStore(), section);
    const QList<QLineEdit*> edits = fields();
    for (int i = 0; i < edits.size(); ++i)
        edits.at(i)->setText(storedTextToDisplay(m_stored.value(i)));
}

void AddressEntryPage::AddAddressTabShow() {
    if (m_context.edit.addressEditMode) {
        DsFancyButton41->setText(tr("&Change"));
        DsFancyButton41->setAccessibleName(tr("Change the entry"));
        DsFancyButton41->setEnabled(true);
        return;
    }
    DsFancyButton41->setText(tr("&Add"));
    DsFancyButton41->setAccessibleName(tr("Add the entry"));
    m_stored.clear();
    for (QLineEdit* edit : fields())
        edit->clear();
    DsFancyButton41->setEnabled(false);
}

void AddressEntryPage::Edit6Change() {
    DsFancyButton41->setEnabled(!Edit6->text().isEmpty());
}

// In change mode the entry is the one the address book asked for; when the table was filled again since (the form
// was left by the tray menu), none is chosen and there is nothing to change.
void AddressEntryPage::DsFancyButton41Click() {
    QStringList shown;
    for (const QLineEdit* edit : fields())
        shown.append(edit->text());
    TXMLIniFile& book = m_context.stores.addressBookStore();
    if (m_context.edit.addressEditMode) {
        const QByteArray section = m_section;
        if (section.isNull())
            return;
        const QByteArrayList values = AddressEntries::toStore(shown, m_stored);
        AddressEntries::write(book, section, values);
        m_stored = values;
        return;
    }
    AddressEntries::write(book, AddressEntries::firstFreeSection(book), AddressEntries::toStore(shown, {}));
    AddAddressTabShow();
}

void AddressEntryPage::DsFancyButton42Click() {
    m_context.navigation.showPage(AddressTab);
    m_context.edit.addressEditMode = false;
}
