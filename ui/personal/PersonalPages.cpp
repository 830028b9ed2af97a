#include "ui/personal/PersonalPages.h"

#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"

namespace PersonalPages {

DiaryPage* diary(TForm1& form) {
    return form.PageControl1->page<DiaryPage>(CalendarTab);
}

DiaryNotePage* diaryNote(TForm1& form) {
    return form.PageControl1->page<DiaryNotePage>(EditCalendarTab);
}

AddressBookPage* addressBook(TForm1& form) {
    return form.PageControl1->page<AddressBookPage>(AddressTab);
}

AddressEntryPage* addressEntry(TForm1& form) {
    return form.PageControl1->page<AddressEntryPage>(AddAddressTab);
}

} // namespace PersonalPages
