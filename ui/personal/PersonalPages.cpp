#include "ui/personal/PersonalPages.h"

#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"

namespace PersonalPages {

DiaryPage* diary(TForm1& form) {
    return at<DiaryPage>(form, CalendarTab);
}

DiaryNotePage* diaryNote(TForm1& form) {
    return at<DiaryNotePage>(form, EditCalendarTab);
}

} // namespace PersonalPages
