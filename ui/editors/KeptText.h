#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// Texts an editor page shows from a record, with the bytes they were read as. Stored text may be UTF-8 or, from
// files of the earlier Windows version, Windows-1252; what the user leaves as it was shown is written back as
// those bytes, and only what the user changed is written as UTF-8. "As it was shown" is the text the control
// gives back right after it was filled, so a control's own conversions (a no-break space read back as a
// blank) count as no change.

// One line: a name, a category.
class KeptText {
public:
    void read(const QByteArray& stored, const QString& shown);
    void forget();
    // The bytes to store for text, the control's text now.
    QByteArray toStore(const QString& text) const;
    // Whether text is still the text read, as it was shown.
    bool unchanged(const QString& text) const { return m_read && text == m_shown; }
    const QByteArray& stored() const { return m_stored; }

private:
    bool m_read = false;
    QByteArray m_stored;
    QString m_shown;
};

// A text block, line by line: a line left as it was shown keeps its bytes also when other lines changed.
class KeptLines {
public:
    void read(const QByteArrayList& stored, const QString& shown);
    void forget();
    QByteArrayList toStore(const QString& text) const;

private:
    QByteArrayList m_stored;
    QString m_shown;
};
