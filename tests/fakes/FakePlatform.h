#pragma once

// Stand-ins for the platform services, for tests of the windows and the main window. Header only: include
// "fakes/FakePlatform.h" and link zentick_platform (for the interfaces).

#include "platform/ClockChangeMonitor.h"
#include "platform/DesktopNotifier.h"
#include "platform/PowerBackend.h"
#include "platform/SleepMonitor.h"
#include "platform/SoundPlayer.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <memory>

// Records what it was asked to play. The test decides how each play ends: finishPlay() for the end of the
// sound; files named in unplayable fail on their own, like the real player, after the call has returned.
class FakeSoundPlayer final : public SoundPlayer {
public:
    using SoundPlayer::SoundPlayer;

    void play(const QString& fileName) override {
        plays.append(fileName);
        const quint64 generation = ++m_generation;
        m_playing = true;
        if (unplayable.contains(fileName)) {
            QTimer::singleShot(0, this, [this, generation] {
                if (generation == m_generation && m_playing) {
                    m_playing = false;
                    Q_EMIT failed();
                }
            });
        }
    }

    void stop() override {
        ++m_generation;
        ++stops;
        m_playing = false;
    }

    bool isPlaying() const override { return m_playing; }

    // The current play reaches its end; false when nothing was playing.
    bool finishPlay() {
        if (!m_playing)
            return false;
        m_playing = false;
        Q_EMIT endReached();
        return true;
    }

    QStringList plays;
    int stops = 0;
    QSet<QString> unplayable;

private:
    bool m_playing = false;
    quint64 m_generation = 0;
};

// Makes FakeSoundPlayers and keeps an eye on each (the window owns it; a destroyed one becomes null).
class FakeSoundPlayers {
public:
    SoundPlayerFactory factory() {
        return [this] {
            auto player = std::make_unique<FakeSoundPlayer>();
            player->unplayable = unplayable;
            created.append(player.get());
            return std::unique_ptr<SoundPlayer>(std::move(player));
        };
    }

    FakeSoundPlayer* last() const { return created.isEmpty() ? nullptr : created.last().data(); }

    QList<QPointer<FakeSoundPlayer>> created;
    // Handed to every player made from now on.
    QSet<QString> unplayable;
};

// Does nothing to the machine: records the actions and answers with the outcome set for each (Done unless
// told otherwise).
class FakePowerBackend final : public PowerBackend {
public:
    PowerOutcome perform(int action) override {
        performed.append(action);
        if (action < ShutDown || action > StandBy)
            return PowerOutcome::UnknownAction;
        return outcomes.value(action, PowerOutcome::Done);
    }

    QList<int> performed;
    QMap<int, PowerOutcome> outcomes;
};

// The test says when the computer sleeps and wakes.
class FakeSleepMonitor final : public SleepMonitor {
public:
    using SleepMonitor::SleepMonitor;

    void simulateSuspend() { Q_EMIT suspending(); }
    void simulateResume() { Q_EMIT resumed(); }
};

// The test says when the wall clock was set.
class FakeClockChangeMonitor final : public ClockChangeMonitor {
public:
    using ClockChangeMonitor::ClockChangeMonitor;

    void simulateClockChange() { Q_EMIT clockChanged(); }
};

// Keeps the notices it was asked for; a notice counts as shown until it is closed or destroyed.
class FakeDesktopNotifier final : public DesktopNotifier {
public:
    class Notice final : public DesktopNotice {
    public:
        void close() override { closed = true; }
        QString summary;
        QString body;
        QList<Action> actions;
        bool closed = false;
    };

    std::unique_ptr<DesktopNotice> notify(const QString& summary, const QString& body,
                                          const QList<Action>& actions) override {
        auto notice = std::make_unique<Notice>();
        notice->summary = summary;
        notice->body = body;
        notice->actions = actions;
        notices.append(notice.get());
        return notice;
    }

    // Every notice sent; a destroyed one is a null pointer.
    QList<QPointer<Notice>> notices;
};
