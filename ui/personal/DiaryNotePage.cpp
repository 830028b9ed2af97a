#include "ui/personal/DiaryNotePage.h"

#include "context/PageIndex.h"
#include "ui/ExceptionMessageBox.h"
#include "ui/LocaleDateTimeText.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/personal/DiaryNotes.h"
#include "ui/personal/DiaryPage.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QVBoxLayout>

DiaryNotePage::DiaryNotePage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("EditCalendarTab"));
    setAccessibleName(tr("Diary note"));

    myaSuperLabel63 = named(new ShadowLabel(tr("Calendar"), this), "myaSuperLabel63");
    lab3 = named(new QLabel(this), "lab3");
    DateTimePicker5 = named(new DateField(DateField::Kind::Date, this), "DateTimePicker5");
    DateTimePicker5->setDropDown(false);
    DateTimePicker5->setAccessibleName(tr("Note date"));
    Memo2 = named(new QPlainTextEdit(this), "Memo2");
    Memo2->setAccessibleName(tr("Note"));
    // Tab moves on to the buttons, as in every other text box; a tab character in a stored note still shows.
    Memo2->setTabChangesFocus(true);
    lab3->setBuddy(Memo2);
    DsFancyButton45 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton45");
    DsFancyButton45->setAccessibleName(tr("Back to the diary"));
    DsFancyButton46 = named(new FancyButton(tr("&Save"), this), "DsFancyButton46");
    DsFancyButton46->setAccessibleName(tr("Save the note"));
    DsFancyButton46->setEnabled(false);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(lab3, 1);
    dateRow->addWidget(DateTimePicker5);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton45);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton46);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(myaSuperLabel63);
    layout->addLayout(dateRow);
    layout->addWidget(Memo2, 1);
    layout->addLayout(buttons);
    setFocusProxy(Memo2);

    connect(Memo2, &QPlainTextEdit::textChanged, this, &DiaryNotePage::Memo2Change);
    connect(DateTimePicker5, &DateField::dateChanged, this, &DiaryNotePage::DateTimePicker5Change);
    connect(DsFancyButton45, &FancyButton::clicked, this, &DiaryNotePage::DsFancyButton45Click);
    connect(DsFancyButton46, &FancyButton::clicked, this, &DiaryNotePage::DsFancyButton46Click);
}

void DiaryNotePage::setPickerDate(QDate date) {
    const QSignalBlocker quiet(DateTimePicker5);
    DateTimePicker5->setDate(date);
}

QString DiaryNotePage::noteText() const {
    // toPlainText() would turn no-break spaces into plain ones; only the line breaks are converted here.
    QString text = Memo2->document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    return text;
}

void DiaryNotePage::EditCalendarTabShow() {
    const QDate date = m_diaryDay ? m_diaryDay() : QDate();
    setPickerDate(date);
    lab3->setText(tr("Your Notes for: %1").arg(LocaleDateTimeText::format(QDateTime(date, QTime(0, 0)))));
    Memo2->setPlainText(DiaryNotes::textOf(DiaryNotes::read(m_context.stores.diaryStore(), date)));
    DsFancyButton46->setEnabled(false);
}

void DiaryNotePage::Memo2Change() {
    if (!DsFancyButton46->isEnabled())
        DsFancyButton46->setEnabled(true);
}

void DiaryNotePage::DateTimePicker5Change() {
    emit dayChosen(DateTimePicker5->date());
    EditCalendarTabShow();
    DsFancyButton46->setEnabled(false);
}

void DiaryNotePage::DsFancyButton46Click() {
    try {
        DiaryNotes::write(m_context.stores.diaryStore(), m_diaryDay ? m_diaryDay() : QDate(),
                          DiaryNotes::linesOf(noteText()));
    } catch (...) {
        // Nothing was saved: the text stays, and so does "Save", so the user can try again once the cause (a
        // full disk, a folder made read-only) is mended, without having to change the text first.
        ExceptionMessageBox::show(ExceptionMessageBox::currentMessage());
        return;
    }
    DsFancyButton46->setEnabled(false);
}

void DiaryNotePage::DsFancyButton45Click() {
    m_context.edit.returnToEditor = true;
    m_context.navigation.showPage(CalendarTab);
}
