#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QPushButton;

// The sound of an alarm or birthday window: played twice through, or until "Stop Sound". A file that
// cannot be played gives silence and no "Stop Sound", never a message.
class AlarmSound final : public QObject {
    Q_OBJECT
public:
    // The player is made by makePlayer on the first start, after the window is up: building a media
    // pipeline takes time that would otherwise make every window late, silent ones included. Without a
    // factory every start fails quietly.
    AlarmSound(SoundPlayerFactory makePlayer, QPushButton* stopButton, QObject* parent = nullptr);
    ~AlarmSound() override;

    void start(const QString& fileName);
    void stop(); // "Stop Sound"

    // A play reached its end: the first one is followed by a second, then the sound is over.
    void MediaPlayer1Notify();

    bool playing = false;
    int playCount = 0; // completed plays; 50 after "Stop Sound", so nothing plays again

private:
    void unplayable();

    SoundPlayerFactory m_makePlayer;
    std::unique_ptr<SoundPlayer> m_player;
    QPointer<QPushButton> m_stopButton;
    QString m_fileName;
};
