#pragma once

#include "app/PageControl.h"
#include "app/PageIndex.h"
#include "app/TForm1.h"

class AddressBookPage;
class AddressEntryPage;
class DiaryNotePage;
class DiaryPage;

// The diary's and the address book's two pages reach each other through the main window's page control, at
// their fixed indices.
namespace PersonalPages {

DiaryPage* diary(TForm1& form);
DiaryNotePage* diaryNote(TForm1& form);
AddressBookPage* addressBook(TForm1& form);
AddressEntryPage* addressEntry(TForm1& form);

} // namespace PersonalPages
