#pragma once

#include <QByteArrayList>
#include <QWidget>

class FancyButton;
class ShadowLabel;
struct PageContext;
class QLabel;
class QLineEdit;

// "Add Information": adds an entry to the address book, or, in change mode (addressEditMode, set by "Edit"),
// changes the entry selected in the table. The five keys of an entry are written in their order in one save.
class AddressEntryPage final : public QWidget {
    Q_OBJECT
public:
    explicit AddressEntryPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel57 = nullptr; // "Add Information"
    QLabel* myaSuperLabel58 = nullptr;      // "Full Name"
    QLabel* myaSuperLabel59 = nullptr;      // "Address"
    QLabel* myaSuperLabel60 = nullptr;      // "Phone Number(s)"
    QLabel* myaSuperLabel61 = nullptr;      // "E-Mail Address"
    QLabel* myaSuperLabel62 = nullptr;      // "Other Personal Information"
    QLineEdit* Edit6 = nullptr;             // full name
    QLineEdit* Edit7 = nullptr;             // address
    QLineEdit* Edit8 = nullptr;             // phone numbers
    QLineEdit* Edit9 = nullptr;             // e-mail address
    QLineEdit* Edit10 = nullptr;            // other information
    FancyButton* DsFancyButton41 = nullptr; // "Add" or "Change"
    FancyButton* DsFancyButton42 = nullptr; // "<<Back"

    void AddAddressTabShow();
    void Edit6Change();
    void DsFancyButton41Click();
    void DsFancyButton42Click();

    // The five fields in their stored order.
    QList<QLineEdit*> fields() const;
    // Change mode: the fields show the stored entry of section.
    // The address book was filled again: no entry is chosen for a change.
    void forgetEntry();
    void editEntry(const QByteArray& section);

    static constexpr int maxFieldLength = 100;

private:
    QByteArray m_section; // the entry opened for a change, null when none is
    PageContext& m_context;
    // What the fields showed when filled for a change: a field left as it was keeps its stored bytes.
    QByteArrayList m_stored;
};
