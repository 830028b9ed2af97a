#pragma once

#include <QSpinBox>

// The editors' whole-number field with up / down buttons (hours, minutes, repetition count).
//  - Only the digits 0 to 9 typed on the keyboard reach the field; letters, signs and blanks are dropped.
//    Backspace, Delete, the arrows and Enter keep working, so a user can correct what was typed.
//  - Pasted or dropped text keeps its digits only: "12a" becomes 12.
//  - While typing, a number outside the range is allowed to stand; when the field loses the focus (or Enter is
//    pressed) it is clamped into [minimum, maximum], and an empty field becomes the minimum. Enter goes no
//    further than the field.
//  - setValue() and setRange() clamp, as QSpinBox does; Up / Down / Page Up / Page Down and the wheel step.
// No prefix, suffix or special value text.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);
    SpinEdit(int minimum, int maximum, int value, QWidget* parent = nullptr);

    // The number the field shows now, read as the page reads it before the field has been left: empty or no
    // digits gives the minimum, anything else is clamped into the range.
    int entryValue() const;

    // The width that shows `digits` of the widest digit whole, with the buttons and the frame as the style
    // draws them (the stylesheet's padding included); never less than the widest value of the range.
    int widthForDigits(int digits) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    int valueFromText(const QString& text) const override;

private:
    int clampedFrom(const QString& text) const;
};
