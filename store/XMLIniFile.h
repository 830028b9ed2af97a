#pragma once

#include "store/CustomIniFile.h"

#include <QList>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TSectionCollection;

// The INI-style store: named sections of named keys, kept in memory and saved as one XML document.
// Outside a Batch every change is on disk before the call returns. All lookups are exact and
// case-sensitive (HasKey excepted); with duplicate names read from disk the first one wins.
//
// The file changes only because something was written to the store: opening reads and never creates
// a file, and the destructor writes nothing. What the store holds is what its file holds: a change
// whose save fails is undone in memory as well, and so is a Batch that does not commit.
class TXMLIniFile final : public TCustomIniFile {
public:
    // Loads the file when it exists. Throws Exception("Cannot open file <path>: <reason>") or EXMLException.
    explicit TXMLIniFile(const QString& fileName);
    ~TXMLIniFile() override;

    QByteArray ReadString(const QByteArray& section, const QByteArray& key,
                          const QByteArray& defaultValue) const override;
    // Throws Exception("TXMLIniFile.WriteString: try to write empty strings!") for an empty name.
    // Outside a batch, a failing save throws and leaves the store as it was.
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

    // Writes the whole document: temporary file in the same folder, flushed, renamed over the target. The bytes are
    // those of a full rewrite (GetXML()); sections unchanged since the last save are copied from the document
    // written then, which the store keeps.
    // Throws Exception("Cannot create file <path>: <reason>"); the previous file then stays as it was.
    void UpdateFile();

    // Copies every key of every section of source into destination. The store it is called on plays
    // no part; a null argument raises the assertion error before anything is copied.
    static void MergeFiles(const TCustomIniFile* source, TXMLIniFile* destination);

    // One user action, whole or not at all: the writes inside it are saved once, at the outermost
    // commit(). A batch left without commit (an exception unwinding) undoes its own writes in memory
    // and writes nothing; so does an outermost commit whose save fails, which then throws like
    // UpdateFile. Batches nest; an inner batch that commits hands its writes to the one around it.
    class Batch {
    public:
        explicit Batch(TXMLIniFile& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void commit();
        // What the destructor of an uncommitted batch does, now.
        void rollBack();

    private:
        TXMLIniFile& m_store;
        std::size_t m_mark; // the store's undo journal when the batch began
        bool m_done = false;
    };

    // A file that is not a complete document of the store's format (cut off, garbled, another encoding, a zero
    // byte anywhere, anything after the end of the list) is read as far as it can be, and copied aside once
    // ("<name>.damaged-<date>", a file of its own holding exactly the bytes read) before anything replaces it:
    // at the first save, or when asked. A file of nothing but blanks is empty, not damaged. The store only
    // reports it; the caller tells the user.
    bool isDamaged() const { return m_damaged; }
    // Makes the copy if it is due; returns its path (empty for a sound file). Throws Exception("Cannot
    // create file <copy>: <reason>") when no copy can be made; the file is not saved over then.
    QString keepDamagedCopy();
    // How many sections the file gave when the store was opened.
    qsizetype sectionsRead() const { return m_sectionsRead; }
    // The whole keys of the section a cut-off file ends in, when the cut took its name (which the written form
    // puts after the keys): the store cannot place them, a caller that knows its own sections may.
    QList<std::pair<QByteArray, QByteArray>> keysOfCutSection() const;

    // The document as written to disk, every section written anew; for tests and the text-level tools.
    QByteArray GetXML() const;
    // How many sections the last save wrote anew rather than copied from the save before (for tests).
    qsizetype sectionsWrittenAnew() const;
    // Saves that reached the disk since construction: shows that a batch wrote once, or a no-op none.
    quint64 saveCount() const { return m_saveCount; }
    // Taken afresh at every change of the content, saved or not, from one count shared by every store: equal
    // counts mean the same store with the same content, even for a store made where another was freed, so readers
    // that keep derived data (the scheduler's and the views' tables) know when to read the store again.
    quint64 changeCount() const { return m_changeCount; }

private:
    // Records how to undo a change just made, then saves, or leaves the save to the batch.
    void changed(std::function<void()> undo);
    void saveJournal(std::size_t mark); // saves what the journal holds; on failure undoes back to mark
    void undoTo(std::size_t mark);
    bool holdsWholeDocument(const QByteArray& text) const;

    std::unique_ptr<TSectionCollection> m_sections;
    int m_batchDepth = 0;
    // The changes not yet on disk, each as the step that takes it back; empty outside a batch.
    std::vector<std::function<void()>> m_undo;
    quint64 m_saveCount = 0;
    quint64 m_changeCount = 0;
    bool m_damaged = false;
    QByteArray m_damagedBytes; // the file as read, until its copy is made
    QString m_damagedCopy;
    qsizetype m_sectionsRead = 0;
};
