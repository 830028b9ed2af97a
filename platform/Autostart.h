#pragma once

#include <QString>

// Starting the program with the user's session: an XDG autostart entry, <autostart folder>/<id>.desktop,
// that runs the program with "-h". The file itself is the state; nothing about it is kept anywhere else, so
// whatever the desktop's own session settings do to the entry is what the program shows.
class Autostart {
public:
    // folder: where the desktop looks for autostart entries; program: the program as the entry names it.
    Autostart(QString folder, QString program);

    // The current user's entry ($XDG_CONFIG_HOME/autostart, ~/.config/autostart) for this executable.
    static Autostart forCurrentUser();
    // $XDG_CONFIG_HOME/autostart.
    static QString userFolder();
    // "zentick" when that name on PATH is this very executable (an installed program), else its full path,
    // so that a portable copy starts itself and not some other installation.
    static QString programFor(const QString& executable);

    QString filePath() const;
    // An entry that is there, readable, and neither hidden nor switched off by the desktop's settings.
    bool isEnabled() const;
    // Writes the entry (making the folder when it is missing) or removes it. False when the file system
    // refused; the entry is then as it was, and errorString() tells why.
    bool setEnabled(bool enabled);
    QString errorString() const { return m_error; }

    // The entry's contents; its Exec line quotes the program as the desktop entry rules ask.
    QByteArray entry() const;

private:
    QString m_folder;
    QString m_program;
    QString m_error;
};
