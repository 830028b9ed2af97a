#include "ui/personal/PersonalPages.h"

#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"

namespace PersonalPages {

DiaryPage* diary(TForm1& form) {
    return at<DiaryPage>(form, CalendarTab);
}

DiaryNotePage* diaryNote(TForm1& form) {
    return at<DiaryNotePage>(form, EditCalendarTab);
}

AddressBookPage* addressBook(TForm1& form) {
    return at<AddressBookPage>(form, AddressTab);
}

AddressEntryPage* addressEntry(TForm1& form) {
    return at<AddressEntryPage>(form, AddAddressTab);
}

} // namespace PersonalPages
