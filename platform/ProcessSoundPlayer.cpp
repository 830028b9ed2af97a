#include "ProcessSoundPlayer.h"

#include <QFileInfo>
#include <QProcess>

ProcessSoundPlayer::ProcessSoundPlayer(QString program, QStringList arguments, QObject* parent)
    : SoundPlayer(parent)
    , m_program(std::move(program))
    , m_arguments(std::move(arguments)) {}

ProcessSoundPlayer::~ProcessSoundPlayer() {
    m_outcome.cancel();
    endProcess();
}

qint64 ProcessSoundPlayer::processId() const {
    return m_process ? m_process->processId() : 0;
}

void ProcessSoundPlayer::play(const QString& fileName) {
    endProcess();
    const quint64 play = m_outcome.begin();

    const QFileInfo file(fileName);
    if (!file.isFile() || !file.isReadable()) {
        conclude(false);
        return;
    }
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_process->setInputChannelMode(QProcess::ForwardedInputChannel);
    connect(m_process, &QProcess::finished, this, [this, play](int exitCode, QProcess::ExitStatus status) {
        if (m_outcome.isCurrent(play))
            conclude(status == QProcess::NormalExit && exitCode == 0);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this, play](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && m_outcome.isCurrent(play))
            conclude(false);
    });
    m_process->start(m_program, m_arguments + QStringList{file.absoluteFilePath()});
}

void ProcessSoundPlayer::stop() {
    m_outcome.cancel();
    endProcess();
}

// Killed, not asked: the helper has nothing to save, and the sound stops at once.
void ProcessSoundPlayer::endProcess() {
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(1000);
    }
    process->deleteLater();
}

// Never from inside play(), and after QProcess has finished with its own signal.
void ProcessSoundPlayer::conclude(bool reachedEnd) {
    m_outcome.conclude(this, reachedEnd, [this] {
        if (m_process && m_process->state() == QProcess::NotRunning) {
            m_process->deleteLater();
            m_process = nullptr;
        }
    });
}
