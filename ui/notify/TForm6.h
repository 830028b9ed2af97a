#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;

// The question asked once the system clock has jumped: keep all alarms off until the program starts
// again? Created once and reused; closing only hides it. A window of its own kind, not a dialog: a
// parentless dialog is tied to the application's hidden leader window and gets no taskbar entry, and
// the question mostly comes while the main window sits in the tray.
class TForm6 final : public QDialog {
    Q_OBJECT
public:
    TForm6();

    // Shows the question modally and returns the answer: true for "Yes" (alarms stay off). Closing it
    // from its title bar counts as "No".
    bool ask();

    bool disableAlarms = false;

    QLabel* myaSuperLabel11 = nullptr;
    QLabel* Ms = nullptr;
    QPushButton* DsFancyButton11 = nullptr; // "No"
    QPushButton* DsFancyButton1 = nullptr;  // "Yes"

    void FormShow();
    void DsFancyButton1Click();
    void DsFancyButton11Click();

    // For tests: the next ask() answers by itself (true "Yes", false "No") without showing anything;
    // the handlers run as for a click. Cleared by that ask().
    static void setNextAnswer(std::optional<bool> yes);
    // How often ask() has been called in this process, answered or not.
    static int timesAsked();

signals:
    // The window closed without "Yes": the scheduler that was stopped before asking may run again.
    void schedulerMayRun();

protected:
    void done(int result) override; // every way of closing ends here: FormClose
    void showEvent(QShowEvent* event) override;
};
