#pragma once

#include <QObject>

class QAbstractSpinBox;
class QKeyEvent;

// The key filter every spin edit of the editor pages shares: of the characters typed on the keyboard only
// the digits reach the field. Backspace goes with the other characters; Delete, the arrows, Tab and Enter
// are keys rather than characters and keep working, so the field can still be corrected and left.
class SpinKeyFilter final : public QObject {
    Q_OBJECT
public:
    static void install(QAbstractSpinBox* spinEdit);
    // True when the key press is to be dropped.
    static bool CSpinEdit3KeyPress(const QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
