#pragma once

#include "platform/SoundPlayer.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class ElapsedClock;
class FancyButton;
class QLineEdit;
class ShadowLabel;

// What a stopwatch window needs from the running program.
struct StopwatchServices {
    const ElapsedClock* clock = nullptr;
    SoundPlayerFactory makeSoundPlayer;
    // "hurryup.mid" beside the executable: a countdown's sound is never the alarm sound of the settings.
    QString soundFile;
    // Draws the user's eye to an expired countdown; QApplication::alert when empty.
    std::function<void(QWidget*)> alert;
};

// A stopwatch or a countdown in a window of its own; any number run side by side, and closing one destroys it.
// The run cycle is held in the start button's caption: "Start" (ready), "Pause" (running), "Continue" (paused),
// and "Pause" on a disabled button once a countdown has expired.
//
// Time is measured on the elapsed clock, never the wall clock, and derived afresh at every refresh, so late
// refreshes never make the display drift. The display is refreshed about 30 times a second while running and seen
// (not while the window is minimised or hidden), and a countdown ends on a timer of its own set for its moment.
class TForm7 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(StopwatchServices services);
    ~TForm7() override;

    static constexpr int RefreshMs = 33;

    // Makes this window a countdown of the given length, shown in full until started.
    void setCountdown(qint64 lengthMs, bool sound);
    bool isCountdown() const;

    ShadowLabel* myaSuperLabel68 = nullptr; // the mode: "Timer" or "Countdown"
    QLineEdit* Edit2 = nullptr;             // the display
    FancyButton* DsFancyButton1 = nullptr;  // "Start" / "Pause" / "Continue"
    FancyButton* DsFancyButton2 = nullptr;  // "Reset"
    QTimer Timer1;                          // stopwatch refresh
    QTimer Timer2;                          // countdown refresh
    QTimer EndTimer;                        // the countdown's end

    // On the elapsed clock: the stopwatch's start, moved forward by pauses; the countdown's end.
    qint64 moment = 0;
    // Elapsed (stopwatch) or remaining (countdown) time at the last "Pause".
    qint64 pausedMs = 0;
    bool soundOnExpiry = false;
    qint64 durationMs = 0;
    bool soundPlaying = false;

    void Pause();
    void Timer1Timer();
    void Timer2Timer();
    void DsFancyButton2Click();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

signals:
    // A countdown reached its end (after the display and the buttons show it).
    void expired();

private:
    qint64 now() const;
    void armEndTimer();
    void expire();
    void playExpirySound();
    void releasePlayer();
    void showTime(qint64 ms);
    bool isRunning() const;
    // Runs the refresh while the window is running and can be seen; shows the time at once when it comes back.
    void followVisibility();

    StopwatchServices m_services;
    std::unique_ptr<SoundPlayer> m_player;
    // The locale's time separator, looked up once rather than at every refresh.
    QChar m_separator;
};
