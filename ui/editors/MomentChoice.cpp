#include "ui/editors/MomentChoice.h"

#include "scheduler/DayCount.h"
#include "ui/Named.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/SpinKeyFilter.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/DateField.h"
#include "widgets/SpinEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

MomentChoice::MomentChoice(const Names& names, const QString& atText, const QString& afterText, const QString& dateName,
                           const QString& timeName, Arrangement arrangement, QWidget* parent)
    : QWidget(parent) {
    // The fields keep their height whatever room the page has; the description above takes the rest.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    atCaption = named(new ChoiceLabel(atText, this), names.atCaption);
    afterCaption = named(new ChoiceLabel(afterText, this), names.afterCaption);
    atMode = named(new QRadioButton(tr("At:"), this), names.atMode);
    afterMode = named(new QRadioButton(tr("After:"), this), names.afterMode);
    for (QRadioButton* hidden : {atMode, afterMode}) {
        hidden->setFocusPolicy(Qt::NoFocus);
        hidden->hide();
    }
    atMode->setChecked(true);

    date = named(new DateField(DateField::Kind::Date, this), names.date);
    date->setAccessibleName(dateName);
    calendar = date->dropCalendar();
    time = named(new DateField(DateField::Kind::Time, this), names.time);
    time->setDisplayFormat(QStringLiteral("HH:mm"));
    time->setAccessibleName(timeName);

    hours = named(new SpinEdit(0, 23, 0, this), names.hours);
    hours->setAccessibleName(tr("Hours from now"));
    hoursCaption = named(new QLabel(tr("Hours and"), this), names.hoursCaption);
    minutes = named(new SpinEdit(0, 59, 0, this), names.minutes);
    minutes->setAccessibleName(tr("Minutes from now"));
    minutesCaption = named(new QLabel(tr("Minutes"), this), names.minutesCaption);
    for (SpinEdit* spin : {hours, minutes}) {
        SpinKeyFilter::install(spin);
        EditorPages::fitToDigits(spin, 2);
    }
    enableFields(false);
    date->setEnabled(true);
    time->setEnabled(true);

    if (arrangement == Arrangement::Columns) {
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(2);
        grid->addWidget(atCaption, 0, 0);
        grid->addLayout(EditorPages::row({date, time}), 0, 1);
        grid->addWidget(afterCaption, 1, 0);
        grid->addLayout(EditorPages::row({hours, hoursCaption, minutes, minutesCaption}), 1, 1);
    } else {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(2);
        column->addWidget(atCaption);
        column->addLayout(EditorPages::row({date, time}));
        column->addWidget(afterCaption);
        column->addLayout(EditorPages::row({hours, hoursCaption, minutes, minutesCaption}));
    }

    atCaption->setChosen(true);
}

void MomentChoice::chooseAt() {
    atMode->setChecked(true);
    atCaption->setChosen(true);
    afterCaption->setChosen(false);
    enableAt();
}

void MomentChoice::chooseAfter() {
    afterMode->setChecked(true);
    atCaption->setChosen(false);
    afterCaption->setChosen(true);
    enableAfter();
}

void MomentChoice::enableAt() {
    enableFields(false);
}

void MomentChoice::enableAfter() {
    enableFields(true);
}

void MomentChoice::enableFields(bool after) {
    date->setEnabled(!after);
    time->setEnabled(!after);
    for (QWidget* field : {static_cast<QWidget*>(hours), static_cast<QWidget*>(minutes),
                           static_cast<QWidget*>(hoursCaption), static_cast<QWidget*>(minutesCaption)})
        field->setEnabled(after);
}

void MomentChoice::takeTime() {
    date->setDateTime(QDateTime(date->date(), time->time()));
}

bool MomentChoice::isAfter() const {
    return afterMode->isChecked();
}

void MomentChoice::setMoment(const QDateTime& moment) {
    date->setDateTime(moment);
    time->setDateTime(moment);
}

void MomentChoice::proposeNextMinute(const QDateTime& now) {
    date->setDateTime(now);
    QTime next = now.time();
    if (next.second() != 0)
        next = next.addSecs(60 - next.second());
    time->setTime(next);
    takeTime();
}

double MomentChoice::moment(double now) const {
    if (!isAfter())
        return DayCount::fromDateTime(date->dateTime());
    return DayCount::addMinutes(DayCount::addHours(now, hours->entryValue()), minutes->entryValue());
}
