#pragma once

#include <QString>

// The file system calls that move a file without ever replacing one: the data-folder move is built on them,
// and a test puts a subclass in place that fails any of them (a rename across file systems, a full disk).
// Every call returns 0 or the errno of its failure.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // renameat2(RENAME_NOREPLACE): EEXIST when to exists, EXDEV across file systems, EINVAL where the file
    // system cannot promise not to replace.
    virtual int renameNoReplace(const QString& from, const QString& to);
    // link(2): EEXIST when to exists.
    virtual int link(const QString& from, const QString& to);
    // Copies from into to, which must not exist yet, and flushes it to disk before returning. A failed copy
    // leaves no file named to behind.
    virtual int copyToNewFile(const QString& from, const QString& to);
    virtual int remove(const QString& path);
    // fsync of a folder, so that names created or removed in it survive a power cut.
    virtual int syncFolder(const QString& folder);
    // Creates a file of its own in folder and removes it again: whether the folder takes new files at all
    // (a read-only mount, a folder without write permission).
    virtual int createAndRemoveTestFile(const QString& folder);
    // The bytes an unprivileged writer may still put on the file system of folder.
    virtual int availableBytes(const QString& folder, qint64& bytes);
    // Whether a rename can take a file from one folder into the other (no copy, no space needed).
    virtual bool sameFileSystem(const QString& folder, const QString& other);

    // The real calls unless a replacement is installed.
    static FileOperations& instance();
    // The replacement stays owned by the caller; nullptr brings back the real calls.
    static void setInstance(FileOperations* operations);
};
