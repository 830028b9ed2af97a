#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QPushButton;
class QWidget;

// The sound of an alarm or birthday window: played twice through, or until "Stop Sound". A file that
// cannot be played gives silence and no "Stop Sound", never a message.
//
// A player exists only while the sound plays: it is made by makePlayer when the sound starts and let go when the
// sound is over (both plays ended, "Stop Sound", or a file that cannot be played), so that a media pipeline, its
// threads and its decoder's memory do not outlive the sound in windows left open. Without a factory every start
// fails quietly.
class AlarmSound final : public QObject {
    Q_OBJECT
public:
    AlarmSound(SoundPlayerFactory makePlayer, QPushButton* stopButton, QObject* parent = nullptr);
    ~AlarmSound() override;

    // The window comes first: building a player takes milliseconds (a tenth of a second for the first one in the
    // process) on this thread, so the sound starts once the window has been painted, or after a short while at the
    // latest. It counts as playing from this call on.
    void startWhenShown(QWidget* window, const QString& fileName);
    void start(const QString& fileName);
    void stop(); // "Stop Sound"

    // A play reached its end: the first one is followed by a second, then the sound is over.
    void MediaPlayer1Notify();

    // The latest moment the sound of startWhenShown() would start has passed, whether it started or not.
    bool startDeadlinePassed() const { return m_startDeadlinePassed; }

    bool playing = false;
    int playCount = 0; // completed plays; 50 after "Stop Sound", so nothing plays again

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startPending();
    void unplayable();
    void releasePlayer();

    SoundPlayerFactory m_makePlayer;
    std::unique_ptr<SoundPlayer> m_player;
    QPointer<QPushButton> m_stopButton;
    QString m_fileName;
    bool m_startPending = false;
    bool m_startDeadlinePassed = false;
};
