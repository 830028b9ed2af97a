#pragma once

#include "context/PageIndex.h"
#include "ui/PageContext.h"

class AddressBookPage;
class AddressEntryPage;
class DiaryNotePage;
class DiaryPage;

// The diary's and the address book's two pages reach each other through navigation, at their fixed indices.
namespace PersonalPages {

DiaryPage* diary(PageContext& context);
DiaryNotePage* diaryNote(PageContext& context);
AddressBookPage* addressBook(PageContext& context);
AddressEntryPage* addressEntry(PageContext& context);

} // namespace PersonalPages
