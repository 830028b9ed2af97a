#include "store/LegacyIniFile.h"

#include "store/CaseFold.h"
#include "store/Exception.h"
#include "store/XmlDocument.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.sliced(from, to - from);
}

// The profile functions drop one pair of matching quotes around a value.
QByteArrayView unquoted(QByteArrayView value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

} // namespace

LegacyIniFile::LegacyIniFile(const QString& fileName)
    : TCustomIniFile(fileName) {
    parse(XmlDocument::LoadStringFromFile(fileName));
}

void LegacyIniFile::parse(const QByteArray& text) {
    QByteArrayView rest(text);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    Section* current = nullptr;
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        line = trimmed(line);
        if (line.isEmpty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const qsizetype close = line.indexOf(']');
            const QByteArray name = trimmed(close < 0 ? line.sliced(1) : line.sliced(1, close - 1)).toByteArray();
            const QByteArray folded = caseFolded(name);
            // Keys under a repeated section header are as unreachable as they were on Windows. A store keeps no
            // section without a name (its reader passes one over), so neither is one read here.
            if (name.isEmpty() || m_byFoldedName.contains(folded)) {
                current = nullptr;
                continue;
            }
            m_byFoldedName.insert(folded, m_sections.size());
            m_sections.push_back(Section{name, {}, {}, {}});
            current = &m_sections.back();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!current || equals < 0)
            continue;
        const QByteArray key = trimmed(line.first(equals)).toByteArray();
        if (key.isEmpty())
            continue;
        const QByteArray folded = caseFolded(key);
        if (current->byFoldedKey.contains(folded))
            continue;
        current->byFoldedKey.insert(folded, current->keys.size());
        current->keys.append(key);
        current->values.append(unquoted(trimmed(line.sliced(equals + 1))).toByteArray());
    }
}

const LegacyIniFile::Section* LegacyIniFile::find(const QByteArray& name) const {
    const auto it = m_byFoldedName.constFind(caseFolded(name));
    return it == m_byFoldedName.cend() ? nullptr : &m_sections[*it];
}

QByteArray LegacyIniFile::ReadString(const QByteArray& section, const QByteArray& key,
                                     const QByteArray& defaultValue) const {
    if (const Section* found = find(section)) {
        const auto it = found->byFoldedKey.constFind(caseFolded(key));
        if (it != found->byFoldedKey.cend())
            return found->values[*it];
    }
    return defaultValue;
}

void LegacyIniFile::WriteString(const QByteArray& /*section*/, const QByteArray& /*key*/, const QByteArray& /*value*/) {
    throw Exception(QStringLiteral("Cannot write to the legacy file ") + FileName());
}

QByteArrayList LegacyIniFile::ReadSections() const {
    QByteArrayList names;
    names.reserve(qsizetype(m_sections.size()));
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

QByteArrayList LegacyIniFile::ReadSection(const QByteArray& section) const {
    const Section* found = find(section);
    return found ? found->keys : QByteArrayList();
}
