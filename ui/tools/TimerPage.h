#pragma once

#include "ui/tools/TForm7.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class ChoiceLabel;
class FancyButton;
class LabelToggle;
class ShadowLabel;
class SpinEdit;
struct PageContext;
class QCheckBox;
class QLabel;

// "Timer - CountDown": chooses a stopwatch or a countdown of a set length and opens it in a window of its own
// with "OK". Each "OK" opens another window; the page itself keeps nothing.
class TimerPage final : public QWidget {
    Q_OBJECT
public:
    explicit TimerPage(PageContext& context, QWidget* parent = nullptr);
    // The windows this page opened go with it.
    ~TimerPage() override;

    ShadowLabel* myaSuperLabel68 = nullptr; // "Timer - CountDown"
    ChoiceLabel* myLabel3d24 = nullptr;     // "New Timer."
    ChoiceLabel* myLabel3d25 = nullptr;     // "New CountDown:"
    SpinEdit* CSpinEdit8 = nullptr;         // days, 0 to 99
    SpinEdit* CSpinEdit9 = nullptr;         // hours, 0 to 23
    SpinEdit* CSpinEdit10 = nullptr;        // minutes, 0 to 59
    SpinEdit* CSpinEdit11 = nullptr;        // seconds, 0 to 59
    QLabel* myaSuperLabel72 = nullptr;      // "Days"
    QLabel* myaSuperLabel70 = nullptr;      // "Hours"
    QLabel* myaSuperLabel71 = nullptr;      // "Min"
    QLabel* myaSuperLabel69 = nullptr;      // "Sec"
    QLabel* myaSuperLabel73 = nullptr;      // ":"
    QLabel* myaSuperLabel74 = nullptr;      // ":"
    QLabel* myaSuperLabel75 = nullptr;      // ":"
    QCheckBox* CheckBox25 = nullptr;
    LabelToggle* myaSuperLabel76 = nullptr; // "Notify me with Sound on Expiration"
    FancyButton* DsFancyButton52 = nullptr; // "OK"
    FancyButton* DsFancyButton51 = nullptr; // "<<Back"

    void TimerTabShow();
    void myLabel3d24Click();
    void myLabel3d25Click();
    void DsFancyButton52Click();
    void DsFancyButton51Click();

    // The clock the windows measure on; the system's boot clock unless a test sets another.
    const ElapsedClock* clock = nullptr;
    // Stands in for QApplication::alert in the windows opened from now on, when set.
    std::function<void(QWidget*)> alert;
    // The windows opened and not yet closed, oldest first.
    QList<TForm7*> openWindows() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void enableLength(bool on);
    StopwatchServices windowServices() const;

    PageContext& m_context;
    QList<QPointer<TForm7>> m_windows;
};
