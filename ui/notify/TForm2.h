#pragma once

#include "ui/notify/NotifyServices.h"

#include <QByteArray>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class AlarmSound;
class ClickableLabel;
class FancyButton;
class QLabel;
class ShadowLabel;

// The window an alarm shows when it fires: when it was due, its description seven lines at a time,
// its sound, and for a repeating alarm the way to end the repetition. It stays on top with its own
// taskbar entry, so it is seen while the main window sits in the tray. Destroyed when closed.
class TForm2 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(NotifyServices services);
    ~TForm2() override;

    // Filled by the firing before the window is shown.
    QStringList lines;
    bool sound = true;
    QByteArray section;
    double scheduled = 0; // the moment this occurrence was due, as a day count

    int pageStart = 0;
    bool playing() const;
    int playCount() const;

    ShadowLabel* BackMain = nullptr;
    QLabel* ProgLabel = nullptr;
    ClickableLabel* Label = nullptr;
    FancyButton* Button1 = nullptr;        // "OK"
    FancyButton* Button2 = nullptr;        // "Disable Repetition"
    FancyButton* DsFancyButton1 = nullptr; // "Stop Sound"
    AlarmSound* MediaPlayer1 = nullptr;
    QTimer Timer;

    void FormShow();
    void TimerTimer();
    void Button1Click();
    void LabelClick();
    void DsFancyButton1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape answers the window as "OK" does.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool repeating() const;

    NotifyServices m_services;
    QString m_soundFile;
    bool m_shown = false;
};
