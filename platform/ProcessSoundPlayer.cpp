#include "ProcessSoundPlayer.h"

#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace {
constexpr int HelperNiceness = 5;
} // namespace

ProcessSoundPlayer::ProcessSoundPlayer(QString program, QStringList arguments, QObject* parent, int lingerMs)
    : SoundPlayer(parent)
    , m_program(std::move(program))
    , m_arguments(std::move(arguments)) {
    m_linger.setSingleShot(true);
    m_linger.setInterval(lingerMs);
    // Closing its input ends a waiting helper on its own; the process's end then takes it away.
    connect(&m_linger, &QTimer::timeout, this, [this] {
        if (m_process && !m_outcome.isPlaying() && m_inputOpen) {
            m_inputOpen = false;
            m_process->closeWriteChannel();
        }
    });
}

ProcessSoundPlayer::~ProcessSoundPlayer() {
    m_outcome.cancel();
    endProcess();
}

qint64 ProcessSoundPlayer::processId() const {
    return m_process ? m_process->processId() : 0;
}

void ProcessSoundPlayer::play(const QString& fileName) {
    m_linger.stop();
    // A sound still playing is cut off at once; a helper already told to go is not asked again.
    if (m_process && (m_outcome.isPlaying() || !m_inputOpen || m_process->state() != QProcess::Running))
        endProcess();
    m_outcome.begin();

    const QFileInfo file(fileName);
    if (!file.isFile() || !file.isReadable()) {
        conclude(false);
        if (m_process)
            m_linger.start();
        return;
    }
    if (m_process) {
        // The helper waits for its next file: no start of the media framework this time.
        m_process->write(QFile::encodeName(file.absoluteFilePath()) + '\n');
        return;
    }
    startProcess(file.absoluteFilePath());
}

// A helper replaced or stopped is disconnected first (endProcess), so whatever this one reports belongs to the
// current play.
void ProcessSoundPlayer::startProcess(const QString& fileName) {
    m_process = new QProcess(this);
    m_inputOpen = true;
    m_output.clear();
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A helper's start (its libraries, the sound font) must not take the core from the windows: the next alarm's
    // window is due at its moment, the sound a few milliseconds later makes no difference.
    m_process->setChildProcessModifier([] { static_cast<void>(::nice(HelperNiceness)); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ProcessSoundPlayer::readOutcomes);
    connect(m_process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        if (m_outcome.isPlaying()) {
            conclude(status == QProcess::NormalExit && exitCode == 0);
        } else if (m_process) {
            // It ended while waiting: its input was closed, or it went by itself.
            m_process->deleteLater();
            m_process = nullptr;
        }
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && m_outcome.isPlaying())
            conclude(false);
    });
    m_process->start(m_program, m_arguments + QStringList{fileName});
}

void ProcessSoundPlayer::readOutcomes() {
    if (!m_process)
        return;
    m_output += m_process->readAllStandardOutput();
    qsizetype end;
    while ((end = m_output.indexOf('\n')) >= 0) {
        const QByteArray line = m_output.left(end).trimmed();
        m_output.remove(0, end + 1);
        if ((line == "end" || line == "failed") && m_outcome.isPlaying()) {
            conclude(line == "end");
            m_linger.start();
        }
    }
}

void ProcessSoundPlayer::stop() {
    m_linger.stop();
    m_outcome.cancel();
    endProcess();
}

// Killed, not asked: the helper has nothing to save, and the sound stops at once.
void ProcessSoundPlayer::endProcess() {
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    m_inputOpen = false;
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
