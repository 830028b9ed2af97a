#include "store/XMLIniFile.h"

#include "store/Exception.h"
#include "store/IniText.h"
#include "store/SectionCollection.h"
#include "store/XmlDocument.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace {

quint64 nextChangeCount() {
    static std::atomic<quint64> last{0};
    return ++last;
}

} // namespace

TXMLIniFile::TXMLIniFile(const QString& fileName)
    : TCustomIniFile(fileName)
    , m_sections(std::make_unique<TSectionCollection>())
    , m_changeCount(nextChangeCount()) {
    // All of the file, not only the text before a zero byte: a file that begins with zero bytes (as a crash
    // on some file systems leaves one) still holds its document behind them.
    QByteArray bytes = XmlDocument::LoadBytesFromFile(fileName);
    const bool written = m_sections->SetXML(bytes);
    m_sectionsRead = m_sections->Count();
    m_damaged = !bytes.trimmed().isEmpty() && (bytes.contains('\0') || (!written && !holdsWholeDocument(bytes)));
    if (m_damaged)
        m_damagedBytes = std::move(bytes);
}

// Every section and key that the text holds was read, the list ends as the format ends it, and nothing stands
// before the first tag but blanks (a byte order mark or another encoding would). Names and values are escaped,
// so a "<" in the text is always markup.
bool TXMLIniFile::holdsWholeDocument(const QByteArray& text) const {
    const QByteArray end = "</" + m_sections->getTagName() + '>';
    const qsizetype at = text.lastIndexOf(end);
    if (at < 0 || !text.sliced(at + end.size()).trimmed().isEmpty() ||
        !text.first(text.indexOf('<')).trimmed().isEmpty())
        return false;
    qsizetype keys = 0;
    for (qsizetype i = 0; i < m_sections->Count(); ++i)
        keys += m_sections->item(i)->SectionData().Count();
    return text.count("<Section>") == m_sections->Count() && text.count("<Data>") == keys;
}

QList<std::pair<QByteArray, QByteArray>> TXMLIniFile::keysOfCutSection() const {
    QList<std::pair<QByteArray, QByteArray>> keys;
    if (const TDataCollection* cut = m_sections->keysOfCutSection()) {
        for (qsizetype i = 0; i < cut->Count(); ++i)
            keys.append({cut->item(i)->Ident(), cut->item(i)->Value()});
    }
    return keys;
}

// The copy is written from the bytes read at the start, so it is the file as found whatever became of the file
// since, and a store reached through a link gets a file of its own beside the link, never a second link.
QString TXMLIniFile::keepDamagedCopy() {
    if (!m_damaged || !m_damagedCopy.isEmpty())
        return m_damagedCopy;
    // A damaged file that nothing saved over is found again at the next start: the copy it already has is
    // kept for it, instead of a new copy at every start.
    const QFileInfo file(FileName());
    const QFileInfoList earlier = QDir(file.absolutePath())
                                      .entryInfoList({file.fileName() + QStringLiteral(".damaged-*")},
                                                     QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& candidate : earlier) {
        if (candidate.size() == m_damagedBytes.size() &&
            XmlDocument::LoadBytesFromFile(candidate.filePath()) == m_damagedBytes) {
            m_damagedCopy = candidate.filePath();
            m_damagedBytes = QByteArray();
            return m_damagedCopy;
        }
    }
    const QString stem = FileName() + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
    for (int n = 1; n <= 1000; ++n) {
        const QString copy = n == 1 ? stem : stem + u'-' + QString::number(n);
        if (XmlDocument::SaveNewFile(m_damagedBytes, copy)) {
            m_damagedCopy = copy;
            m_damagedBytes = QByteArray();
            return copy;
        }
    }
    throw Exception(QStringLiteral("Cannot create file ") + stem + QStringLiteral(": every free name is taken"));
}

TXMLIniFile::~TXMLIniFile() = default;

QByteArray TXMLIniFile::ReadString(const QByteArray& section, const QByteArray& key,
                                   const QByteArray& defaultValue) const {
    if (const TSectionCollectionItem* found = m_sections->find(section)) {
        if (const TDataCollectionItem* data = found->SectionData().find(key))
            return data->Value();
    }
    return defaultValue;
}

void TXMLIniFile::WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    if (section.isEmpty() || key.isEmpty())
        throw Exception(QStringLiteral("TXMLIniFile.WriteString: try to write empty strings!"));
    TSectionCollectionItem* found = m_sections->find(section);
    if (!found) {
        found = m_sections->append(section);
        TDataCollection& keys = found->SectionData();
        keys.setValue(keys.append(key), value);
        changed([this, found] { m_sections->take(found); });
        return;
    }
    TDataCollection& keys = found->SectionData();
    TDataCollectionItem* data = keys.find(key);
    if (!data) {
        TDataCollectionItem* added = keys.append(key);
        keys.setValue(added, value);
        changed([&keys, added] { keys.take(added); });
        return;
    }
    QByteArray old = data->Value();
    keys.setValue(data, value);
    changed([&keys, data, old = std::move(old)] { keys.setValue(data, old); });
}

QByteArrayList TXMLIniFile::ReadSections() const {
    return m_sections->names();
}

QByteArrayList TXMLIniFile::ReadSection(const QByteArray& section) const {
    if (const TSectionCollectionItem* found = m_sections->find(section))
        return found->SectionData().idents();
    return {};
}

int TXMLIniFile::ReadInt(const QByteArray& section, const QByteArray& key, int defaultValue) const {
    return IniText::toInt(ReadString(section, key, {})).value_or(defaultValue);
}

void TXMLIniFile::WriteInt(const QByteArray& section, const QByteArray& key, int value) {
    WriteString(section, key, QByteArray::number(value));
}

bool TXMLIniFile::ReadFlag(const QByteArray& section, const QByteArray& key, bool defaultValue) const {
    return ReadInt(section, key, defaultValue ? 1 : 0) != 0;
}

void TXMLIniFile::WriteFlag(const QByteArray& section, const QByteArray& key, bool value) {
    WriteString(section, key, value ? QByteArray("1") : QByteArray("0"));
}

double TXMLIniFile::ReadDouble(const QByteArray& section, const QByteArray& key, double defaultValue) const {
    const QByteArray text = ReadString(section, key, {});
    if (text.isEmpty())
        return defaultValue;
    return IniText::toDouble(text).value_or(defaultValue);
}

void TXMLIniFile::WriteDouble(const QByteArray& section, const QByteArray& key, double value) {
    WriteString(section, key, IniText::fromDouble(value));
}

bool TXMLIniFile::HasSection(const QByteArray& section) const {
    const TSectionCollectionItem* found = m_sections->find(section);
    return found != nullptr && found->SectionData().Count() > 0;
}

bool TXMLIniFile::HasKey(const QByteArray& section, const QByteArray& key) const {
    const TSectionCollectionItem* found = m_sections->find(section);
    return found != nullptr && found->SectionData().containsIgnoringCase(key);
}

void TXMLIniFile::EraseSection(const QByteArray& section) {
    if (TSectionCollectionItem* found = m_sections->find(section)) {
        auto taken = std::make_shared<TakenItem>(m_sections->take(found));
        changed([this, taken] { m_sections->putBack(std::move(*taken)); });
    }
}

void TXMLIniFile::DeleteKey(const QByteArray& section, const QByteArray& key) {
    if (TSectionCollectionItem* found = m_sections->find(section)) {
        TDataCollection& keys = found->SectionData();
        if (TDataCollectionItem* data = keys.find(key)) {
            auto taken = std::make_shared<TakenItem>(keys.take(data));
            changed([&keys, taken] { keys.putBack(std::move(*taken)); });
        }
    }
}

void TXMLIniFile::UpdateFile() {
    keepDamagedCopy();
    if (m_saveCount == 0)
        XmlDocument::RemoveLeftoverTemporaries(FileName());
    m_sections->saveCopyingUnchanged(FileName());
    ++m_saveCount;
}

void TXMLIniFile::MergeFiles(const TCustomIniFile* source, TXMLIniFile* destination) {
    if (!source || !destination)
        throw Exception(QStringLiteral("%1 (%2, line %3)")
                            .arg(QStringLiteral("Assertion failure"), QStringLiteral("XMLIniFile"))
                            .arg(282));
    const QByteArrayList sections = source->ReadSections();
    for (const QByteArray& section : sections) {
        const QByteArrayList keys = source->ReadSection(section);
        for (const QByteArray& key : keys)
            destination->WriteString(section, key, source->ReadString(section, key, {}));
    }
}

qsizetype TXMLIniFile::sectionsWrittenAnew() const {
    return m_sections->sectionsWrittenAnew();
}

QByteArray TXMLIniFile::GetXML() const {
    QByteArray document(XmlDocument::Prolog);
    m_sections->appendXML(document);
    return document;
}

void TXMLIniFile::changed(std::function<void()> undo) {
    m_changeCount = nextChangeCount();
    m_undo.push_back(std::move(undo));
    if (m_batchDepth == 0)
        saveJournal(0);
}

void TXMLIniFile::saveJournal(std::size_t mark) {
    if (m_undo.empty())
        return;
    try {
        UpdateFile();
    } catch (...) {
        undoTo(mark);
        throw;
    }
    m_undo.clear();
}

void TXMLIniFile::undoTo(std::size_t mark) {
    if (m_undo.size() <= mark)
        return;
    while (m_undo.size() > mark) {
        m_undo.back()();
        m_undo.pop_back();
    }
    m_changeCount = nextChangeCount();
}

TXMLIniFile::Batch::Batch(TXMLIniFile& store)
    : m_store(store)
    , m_mark(store.m_undo.size()) {
    ++m_store.m_batchDepth;
}

TXMLIniFile::Batch::~Batch() {
    rollBack();
}

void TXMLIniFile::Batch::rollBack() {
    if (m_done)
        return;
    m_done = true;
    --m_store.m_batchDepth;
    m_store.undoTo(m_mark);
}

void TXMLIniFile::Batch::commit() {
    if (m_done)
        return;
    m_done = true;
    if (--m_store.m_batchDepth == 0)
        m_store.saveJournal(m_mark);
}
