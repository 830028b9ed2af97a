#include "ui/personal/PersonalPages.h"

#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"

namespace PersonalPages {

DiaryPage* diary(PageContext& context) {
    return context.navigation.page<DiaryPage>(CalendarTab);
}

DiaryNotePage* diaryNote(PageContext& context) {
    return context.navigation.page<DiaryNotePage>(EditCalendarTab);
}

} // namespace PersonalPages
