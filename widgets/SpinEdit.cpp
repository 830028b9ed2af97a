#include "widgets/SpinEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace {
// More digits than an int can hold are never a sensible entry for these fields.
constexpr int maxDigits = 9;

bool isTypedCharacter(const QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.isEmpty())
        return false;
    // Control characters (Backspace, Enter, Tab, Escape, Ctrl+V...) are editing commands, not characters.
    return !typed.at(0).isNull() && typed.at(0).category() != QChar::Other_Control &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}
} // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : SpinEdit(0, 99, 0, parent) {}

SpinEdit::SpinEdit(int minimum, int maximum, int value, QWidget* parent)
    : QSpinBox(parent) {
    setRange(minimum, maximum);
    setValue(value);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAccelerated(true);
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

int SpinEdit::widthForDigits(int digits) const {
    ensurePolished();
    const QFontMetrics metrics = lineEdit()->fontMetrics();
    int digit = 0;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QChar(c)));
    const int widestValue = std::max(metrics.horizontalAdvance(textFromValue(minimum())),
                                     metrics.horizontalAdvance(textFromValue(maximum())));
    // A line edit keeps a margin of two pixels on either side of its text, and one for the cursor.
    const int text = std::max(digit * digits, widestValue) + 2 * 2 + 1;
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize contents(text, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, contents, this).width();
}

int SpinEdit::entryValue() const {
    return clampedFrom(lineEdit()->text());
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
    if (isTypedCharacter(event)) {
        const QString typed = event->text();
        bool digitsOnly = true;
        for (const QChar c : typed)
            digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
        if (!digitsOnly) {
            event->accept();
            return;
        }
    }
    QSpinBox::keyPressEvent(event);
    // Enter only settles the number. QSpinBox passes it on for a dialog's default button, and on a page that
    // would press "Next>>" with a number still being typed.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

QValidator::State SpinEdit::validate(QString& input, int& pos) const {
    // Keep the digits, wherever the rest came from (typing, paste, drop), and keep the cursor beside them.
    QString digits;
    int newPos = 0;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (c >= u'0' && c <= u'9') {
            digits.append(c);
            if (i < pos)
                ++newPos;
        }
    }
    input = digits;
    pos = newPos;
    if (input.isEmpty())
        return QValidator::Intermediate;
    if (input.size() > maxDigits)
        return QValidator::Invalid;
    const int number = input.toInt();
    return number >= minimum() && number <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void SpinEdit::fixup(QString& input) const {
    input = QString::number(clampedFrom(input));
}

int SpinEdit::valueFromText(const QString& text) const {
    return clampedFrom(text);
}

int SpinEdit::clampedFrom(const QString& text) const {
    QString digits;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    if (digits.isEmpty())
        return minimum();
    bool ok = false;
    const qlonglong number = digits.left(maxDigits + 1).toLongLong(&ok);
    if (!ok)
        return minimum();
    return int(qBound(qlonglong(minimum()), number, qlonglong(maximum())));
}
