#pragma once

#include "ui/notify/NoticeWindow.h"

#include <QTimer>

class FancyButton;
class QLabel;

// The 30-second countdown before a power action, which then carries it out. The user can act at
// once, hide the window and let it run on ("OK"), or cancel. The scheduler stays off while this
// window exists, so no second countdown can start; it runs again once the window is gone.
class TForm3 final : public NoticeWindow {
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

    QLabel* Shut2 = nullptr;
    QLabel* Shut = nullptr;
    FancyButton* DsFancyButton4 = nullptr; // act now
    FancyButton* DsFancyButton1 = nullptr; // "OK"
    FancyButton* DsFancyButton2 = nullptr; // "Cancel"
    QTimer Timer1;

    void FormShow() override;
    void Timer1Timer();
    void DsFancyButton4Click();
    void DsFancyButton1Click();
    void DsFancyButton2Click();

    QList<DesktopNotifier::Action> noticeActions() const override;
    void answerNotice(const QString& key) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // "Cancel": the user may be typing, and a stray Enter or Space must not act at once.
    QWidget* firstFocus() const override;

private:
    void carryOut();
    // The window is done for good: it goes away and the scheduler may run again.
    void finish();
};
