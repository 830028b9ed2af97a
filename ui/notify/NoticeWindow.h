#pragma once

#include "platform/DesktopNotifier.h"
#include "ui/notify/NotifyServices.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

class AlarmSound;
class FancyButton;
class QBoxLayout;
class QComboBox;
class QDateTimeEdit;
class TXMLIniFile;

// The shell of a window a firing opens: a top-level window of its own (no parent, so showing it never brings back
// a main window sitting in the tray), with a title bar and a close button, destroyed when closed. Its content is
// set up once, the first time it is shown (FormShow), and it then sits in the middle of the desktop. Each one is
// also announced on the desktop (NotificationWindows) with the actions it offers there.
class NoticeWindow : public QWidget {
    Q_OBJECT
public:
    ~NoticeWindow() override;

    // The keys of the desktop notice's actions; "default" is the notice itself clicked, which shows the window.
    static const QString DefaultKey;
    static const QString OkKey;
    static const QString StopSoundKey;
    static const QString CancelKey;

    QByteArray section;
    double scheduled = 0; // the moment this occurrence was due, as a day count

    // What the desktop notice offers beside "Show", and the same action taken on the window.
    virtual QList<DesktopNotifier::Action> noticeActions() const = 0;
    virtual void answerNotice(const QString& key) = 0;

    virtual void FormShow() = 0;

    // Makes the window ready to be shown, hidden: its content set as FormShow would set it, laid out, polished,
    // placed, and its window on the desktop created but not mapped. Showing it then costs only the showing.
    void prepare();
    bool prepared() const { return m_prepared; }

protected:
    NoticeWindow(NotifyServices services, const QString& name, Qt::WindowFlags extraFlags);

    void showEvent(QShowEvent* event) override;
    // What takes the focus when the window first appears; null leaves it to the order the controls were made in.
    virtual QWidget* firstFocus() const { return nullptr; }
    // Sizes the window to its content, centres it on the desktop and logs when it came, as the kind of notice.
    void placeShown(const char* kind);
    // The part of FormShow that only builds (no sound, no registry, no log), for a window made ahead; it is then
    // left out when the window is shown. Done at most once.
    virtual void prepareContent() {}
    void place();
    void logShown(const char* kind);

    NotifyServices m_services;

private:
    bool m_shown = false;
    bool m_prepared = false;
};

// A notice window with a sound: "OK" closes it, "Stop Sound" ends the sound, Escape answers as "OK" does, and
// "OK" has the focus when it appears so the keyboard answers it at once.
//
// A window that offers "Snooze" beside "OK" puts the reminder off: for one of the lengths in the list, or until a
// moment the user types. The snooze is stored (Snooze.h) with the length chosen, which the next window offers
// first, in one save of the settings store; the window then closes and its sound stops. A moment that has passed
// is refused and nothing is stored.
class SoundingNoticeWindow : public NoticeWindow {
    Q_OBJECT
public:
    ~SoundingNoticeWindow() override;

    // The value "snoozelength" keeps for the choice "until".
    static const QByteArray SnoozeUntilChoice;

    bool sound = true;
    bool playing() const;
    int playCount() const;

    FancyButton* Button1 = nullptr;        // "OK"
    FancyButton* DsFancyButton1 = nullptr; // "Stop Sound"
    AlarmSound* MediaPlayer1 = nullptr;

    QComboBox* SnoozeLength = nullptr;    // the lengths, then "until"
    QDateTimeEdit* SnoozeUntil = nullptr; // shown while "until" is chosen
    FancyButton* SnoozeButton = nullptr;  // "Snooze"

    void Button1Click();
    void DsFancyButton1Click();
    void SnoozeButtonClick();

    // The firing offers "Stop Sound" only with a sound switched on; without it the button and the notice's action
    // are left out.
    void offerStopSound(bool offered);

    QList<DesktopNotifier::Action> noticeActions() const override;
    void answerNotice(const QString& key) override;

protected:
    SoundingNoticeWindow(NotifyServices services, const QString& name, Qt::WindowFlags extraFlags);

    // Makes "OK" and "Stop Sound" and the sound behind them; the window lays them out.
    void makeAnswerButtons();
    // Makes the snooze controls with the last length chosen and puts them at the end of row, before "OK".
    void addSnoozeControls(QBoxLayout* row);
    // Stores the snooze of what the window shows, ending at untilMs; returns its section.
    virtual QByteArray storeSnooze(TXMLIniFile& settings, qint64 untilMs) const = 0;
    // Starts the sound once the window is painted, when it has one.
    void startSound();
    QWidget* firstFocus() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void snoozeChoiceChanged();

    QString m_soundFile;
    bool m_stopSoundOffered = true;
};
