#pragma once

#include "ui/notify/NotifyServices.h"

#include <QByteArray>
#include <QTimer>
#include <QWidget>

class FancyButton;
class QLabel;

// The 30-second countdown before a power action, which then carries it out. The user can act at
// once, hide the window and let it run on ("OK"), or cancel. The scheduler stays off while this
// window exists, so no second countdown can start; it runs again once the window is gone.
class TForm3 final : public QWidget {
    Q_OBJECT
public:
    // The countdown runs from here on; the window is shown by the caller.
    explicit TForm3(NotifyServices services);
    ~TForm3() override;

    int action = 0;
    QString actionName;
    QString countdownText(int seconds) const;
    int counter = 29;
    bool freeOnClose = true;
    QByteArray section;
    double scheduled = 0; // the moment the countdown was due, as a day count

    QLabel* Shut2 = nullptr;
    QLabel* Shut = nullptr;
    FancyButton* DsFancyButton4 = nullptr; // act now
    FancyButton* DsFancyButton1 = nullptr; // "OK"
    FancyButton* DsFancyButton2 = nullptr; // "Cancel"
    QTimer Timer1;

    void FormShow();
    void Timer1Timer();
    void DsFancyButton4Click();
    void DsFancyButton1Click();
    void DsFancyButton2Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void carryOut();
    // The window is done for good: it goes away and the scheduler may run again.
    void finish();

    NotifyServices m_services;
    bool m_shown = false;
};
