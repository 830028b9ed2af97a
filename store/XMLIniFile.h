#pragma once

#include "store/CustomIniFile.h"

#include <memory>

class TSectionCollection;

// The INI-style store: named sections of named keys, kept in memory and saved as one XML document.
// Outside a Batch every change is on disk before the call returns. All lookups are exact and
// case-sensitive (HasKey excepted); with duplicate names read from disk the first one wins.
class TXMLIniFile final : public TCustomIniFile {
public:
    // Loads the file when it exists. Throws Exception("Cannot open file ...") or EXMLException.
    explicit TXMLIniFile(const QString& fileName);
    // Saves once more; a failing save is swallowed here, since nothing may escape a destructor.
    ~TXMLIniFile() override;

    QByteArray ReadString(const QByteArray& section, const QByteArray& key,
                          const QByteArray& defaultValue) const override;
    // Throws Exception("TXMLIniFile.WriteString: try to write empty strings!") for an empty name.
    void WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value) override;
    QByteArrayList ReadSections() const override;
    QByteArrayList ReadSection(const QByteArray& section) const override;

    int ReadInt(const QByteArray& section, const QByteArray& key, int defaultValue) const;
    void WriteInt(const QByteArray& section, const QByteArray& key, int value);
    bool ReadFlag(const QByteArray& section, const QByteArray& key, bool defaultValue) const;
    void WriteFlag(const QByteArray& section, const QByteArray& key, bool value);
    double ReadDouble(const QByteArray& section, const QByteArray& key, double defaultValue) const;
    void WriteDouble(const QByteArray& section, const QByteArray& key, double value);

    bool HasSection(const QByteArray& section) const;
    bool HasKey(const QByteArray& section, const QByteArray& key) const;
    void EraseSection(const QByteArray& section);
    void DeleteKey(const QByteArray& section, const QByteArray& key);

    // Writes the whole document: temporary file in the same folder, flushed, renamed over the target.
    // Throws Exception("Cannot create file <path>"); the previous file then stays as it was.
    void UpdateFile();

    // Copies every key of every section of source into destination. The store it is called on plays
    // no part; a null argument raises the assertion error before anything is copied.
    static void MergeFiles(const TCustomIniFile* source, TXMLIniFile* destination);

    // Defers the saves of all writes inside it to one save at commit(), so one user action writes the
    // file once. Batches nest; the outermost commit saves. A batch left without commit (an exception
    // unwinding) still saves, silently, so nothing written is lost.
    class Batch {
    public:
        explicit Batch(TXMLIniFile& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void commit(); // throws like UpdateFile

    private:
        TXMLIniFile& m_store;
        bool m_done = false;
    };

    // The document as written to disk; for tests and the text-level tools.
    QByteArray GetXML() const;
    // Saves that reached the disk since construction: shows that a batch wrote once, or a no-op none.
    quint64 saveCount() const { return m_saveCount; }
    // Grows with every change of the content, saved or not: readers that keep derived data (the
    // scheduler's table of dates) know when to read the store again.
    quint64 changeCount() const { return m_changeCount; }

private:
    void changed(); // save now, or mark dirty inside a batch

    std::unique_ptr<TSectionCollection> m_sections;
    int m_batchDepth = 0;
    bool m_dirty = false;
    quint64 m_saveCount = 0;
    quint64 m_changeCount = 0;
};
