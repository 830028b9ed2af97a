#include "PersonalData.h"

#include "app/TForm1.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/personal/AddressEntries.h"
#include "ui/personal/DiaryNotes.h"

#include <QDate>

namespace {

struct Note {
    int day;
    QStringList lines;
};

struct Contact {
    const char* name;
    const char* address;
    const char* phone;
    const char* email;
    const char* other;
};

} // namespace

void fillPersonalData(TForm1& form) {
    const QList<Note> march{
        {1, {QStringLiteral("Rent paid")}},
        {4, {QStringLiteral("Team meeting moved to Thursday"), QStringLiteral("Bring the budget figures")}},
        {5,
         {QStringLiteral("Dentist at 15:30, Dr. Okafor"), QStringLiteral("Ask about the crown on the left side"),
          QString(), QStringLiteral("Pick up Mia from school at 17:00 afterwards")}},
        {7, {QStringLiteral("Piano lesson")}},
        {9, {QStringLiteral("Train to Leeds 08:12, platform 4"), QStringLiteral("Coach C, seat 41")}},
        {12, {QStringLiteral("Call Grandma: her birthday on Sunday")}},
        {14, {QStringLiteral("Car service"), QStringLiteral("Tyres and brake pads")}},
        {17, {QStringLiteral("St Patrick's dinner at Siobhán's")}},
        {20, {QStringLiteral("Library books due")}},
        {22, {QStringLiteral("Tax return deadline"), QStringLiteral("Receipts are in the blue folder")}},
        {26, {QStringLiteral("Concert: Mahler 5, row F")}},
        {28, {QStringLiteral("Parents' evening 18:00")}},
        {31, {QStringLiteral("Clocks go forward one hour")}},
    };
    for (const Note& note : march)
        DiaryNotes::write(form.diaryStore(), QDate(2024, 3, note.day), note.lines);

    const QList<Contact> contacts{
        {"Anna Kowalska", "ul. Długa 14, Gdańsk", "+48 58 301 22 10", "anna.kowalska@example.pl", "Book club"},
        {"Ben Carter", "12 Mill Lane, York", "01904 613 202", "ben.carter@example.co.uk", ""},
        {"Chloé Martin", "3 rue des Lilas, Lyon", "+33 4 72 10 55 90", "chloe@example.fr", "Met in Lyon 2019"},
        {"David Osei", "48 Elm Street, Leeds", "0113 496 0321", "", "Plumber, very reliable"},
        {"Dr. Okafor (dentist)", "Smile Clinic, 5 High St", "01904 555 019", "reception@example-dental.co.uk", ""},
        {"Emma Schmidt", "Lindenstraße 7, Berlin", "+49 30 1234 5678", "emma.schmidt@example.de", ""},
        {"Grandma", "Rose Cottage, Whitby", "01947 602 118", "", "Sunday calls after lunch"},
        {"Hiroshi Tanaka", "2-11 Jingumae, Tokyo", "+81 3 5555 0123", "h.tanaka@example.jp", "Conference 2023"},
        {"Lucía García", "Calle Mayor 21, Madrid", "+34 91 555 0147", "lucia.garcia@example.es", ""},
        {"Mia's school office", "St Mary's Primary, York", "01904 552 700", "office@example-school.org.uk", ""},
        {"Oliver Brown", "9 Station Road, Harrogate", "07700 900 461", "oliver.b@example.com", "Tennis Tuesdays"},
        {"Siobhán Murphy", "27 Quay Street, Galway", "+353 91 555 012", "siobhan@example.ie", ""},
    };
    TXMLIniFile& book = form.addressBookStore();
    for (const Contact& c : contacts)
        AddressEntries::write(book, AddressEntries::firstFreeSection(book),
                              {displayTextToStored(QString::fromUtf8(c.name)),
                               displayTextToStored(QString::fromUtf8(c.address)),
                               displayTextToStored(QString::fromUtf8(c.phone)), QByteArray(c.email),
                               displayTextToStored(QString::fromUtf8(c.other))});
}
