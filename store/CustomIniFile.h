#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// What every INI-like source offers: the XML store and the legacy INI reader both serve as a source of
// MergeFiles. Names and values are byte strings and are never interpreted.
class TCustomIniFile {
public:
    explicit TCustomIniFile(QString fileName) : m_fileName(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const QString& FileName() const { return m_fileName; }

    virtual QByteArray ReadString(const QByteArray& section, const QByteArray& key,
                                  const QByteArray& defaultValue) const = 0;
    virtual void WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value) = 0;
    virtual QByteArrayList ReadSections() const = 0;
    virtual QByteArrayList ReadSection(const QByteArray& section) const = 0;

private:
    QString m_fileName;
};
