#pragma once

#include "store/CustomIniFile.h"

#include <QHash>

#include <vector>

// Reads an INI text file of the program's earlier version ("[section]" and "key=value" lines) the way the
// Windows profile functions did: sections and keys in file order, names looked up without regard to letter
// case, the first of duplicate sections or keys winning, values as raw bytes. A section without a name ("[]")
// is passed over with its keys. Read-only.
class LegacyIniFile final : public TCustomIniFile {
public:
    // A missing file reads as no sections. Throws Exception("Cannot open file <path>") when the file exists
    // but cannot be read, so that an import never takes an unreadable file for an empty one.
    explicit LegacyIniFile(const QString& fileName);

    QByteArray ReadString(const QByteArray& section, const QByteArray& key,
                          const QByteArray& defaultValue) const override;
    // Always throws Exception: the legacy files are only ever read.
    void WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value) override;
    QByteArrayList ReadSections() const override;
    QByteArrayList ReadSection(const QByteArray& section) const override;

private:
    struct Section {
        QByteArray name;
        QByteArrayList keys;
        QByteArrayList values;
        QHash<QByteArray, qsizetype> byFoldedKey;
    };
    void parse(const QByteArray& text);
    const Section* find(const QByteArray& name) const;

    std::vector<Section> m_sections;
    QHash<QByteArray, std::size_t> m_byFoldedName;
};
