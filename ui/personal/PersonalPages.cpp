#include "ui/personal/PersonalPages.h"

#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"

namespace PersonalPages {

DiaryPage* diary(PageContext& context) {
    return context.navigation.page<DiaryPage>(CalendarTab);
}

DiaryNotePage* diaryNote(PageContext& context) {
    return context.navigation.page<DiaryNotePage>(EditCalendarTab);
}

AddressBookPage* addressBook(PageContext& context) {
    return context.navigation.page<AddressBookPage>(AddressTab);
}

AddressEntryPage* addressEntry(PageContext& context) {
    return context.navigation.page<AddressEntryPage>(AddAddressTab);
}

} // namespace PersonalPages
