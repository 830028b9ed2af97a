#pragma once

#include "PlayOutcome.h"
#include "SoundPlayer.h"

#include <QStringList>
#include <QTimer>

class QProcess;

// SoundPlayer that plays in a process of its own: `program arguments... fileName`. The helper tells the outcome of
// each play either by a line on its output ("end" or "failed"), after which it waits for the next file name as a line
// on its input, or by exiting: 0 once the sound played to its end, anything else (or a signal) when it could not play
// it. A media pipeline loads libraries, a decoder and a sound font and starts a dozen threads; in a helper process
// all of that is gone, to the last page, once the helper ends, and building it never holds up the windows. A helper
// that waits is kept for a while after its sound ended (a window plays its melody again at once), then its input is
// closed and it ends. The program's helper is zentick-sound (SoundHelper.h).
class ProcessSoundPlayer final : public SoundPlayer {
    Q_OBJECT
public:
    static constexpr int DefaultLingerMs = 10'000;

    ProcessSoundPlayer(QString program, QStringList arguments, QObject* parent = nullptr,
                       int lingerMs = DefaultLingerMs);
    ~ProcessSoundPlayer() override;

    void play(const QString& fileName) override;
    void stop() override;
    bool isPlaying() const override { return m_outcome.isPlaying(); }

    // The helper process, playing or waiting for the next play, or 0 (for tests).
    qint64 processId() const;

private:
    void startProcess(const QString& fileName);
    void readOutcomes();
    void endProcess();
    void conclude(bool reachedEnd);

    QString m_program;
    QStringList m_arguments;
    QProcess* m_process = nullptr;
    bool m_inputOpen = false;
    QByteArray m_output;
    QTimer m_linger;
    PlayOutcome m_outcome;
};
