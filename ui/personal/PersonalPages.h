#pragma once

#include "context/PageIndex.h"
#include "ui/PageContext.h"

class DiaryNotePage;
class DiaryPage;

// The diary's two pages share the day chosen; they reach each other through navigation, at their fixed indices.
namespace PersonalPages {

DiaryPage* diary(PageContext& context);
DiaryNotePage* diaryNote(PageContext& context);

} // namespace PersonalPages
