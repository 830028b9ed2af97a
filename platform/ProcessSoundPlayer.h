#pragma once

#include "PlayOutcome.h"
#include "SoundPlayer.h"

#include <QStringList>

class QProcess;

// SoundPlayer that plays each sound in a process of its own: `program arguments... fileName`, which exits with 0
// once the sound played to its end and with anything else (or a signal) when it could not play it. A media pipeline
// loads libraries, a decoder and a sound font and starts a dozen threads; in a helper process all of that is gone,
// to the last page, the moment the sound ends, and building it never holds up the windows. The program runs itself
// as the helper (SoundHelper.h).
class ProcessSoundPlayer final : public SoundPlayer {
    Q_OBJECT
public:
    ProcessSoundPlayer(QString program, QStringList arguments, QObject* parent = nullptr);
    ~ProcessSoundPlayer() override;

    void play(const QString& fileName) override;
    void stop() override;
    bool isPlaying() const override { return m_outcome.isPlaying(); }

    // The helper process of the current play, or 0 (for tests).
    qint64 processId() const;

private:
    void endProcess();
    void conclude(bool reachedEnd);

    QString m_program;
    QStringList m_arguments;
    QProcess* m_process = nullptr;
    PlayOutcome m_outcome;
};
