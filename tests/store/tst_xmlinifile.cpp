#include "StoreTestSupport.h"

#include "store/Exception.h"
#include "store/LegacyIniFile.h"
#include "store/XMLIniFile.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <QRandomGenerator>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace StoreTest;

class TestXMLIniFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshPath() { return m_dir.filePath(QStringLiteral("store%1.xml").arg(++m_files)); }
    QString copyOf(const QString& fixtureName) {
        const QString path = freshPath();
        QFile::copy(fixturePath(fixtureName), path);
        return path;
    }

    template <class Operation> static QString errorOf(Operation operation) {
        try {
            operation();
        } catch (const Exception& e) {
            return e.message();
        }
        return QStringLiteral("<no error>");
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void writeRefusesEmptyNames_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("empty section") << QByteArray() << QByteArray("k");
        QTest::newRow("empty key") << QByteArray("s") << QByteArray();
    }
    void writeRefusesEmptyNames() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        const QString path = copyOf(QStringLiteral("example.xml"));
        TXMLIniFile store(path);
        const FileStamp before = stamp(path);
        QCOMPARE(errorOf([&] { store.WriteString(section, key, "v"); }),
                 QStringLiteral("TXMLIniFile.WriteString: try to write empty strings!"));
        QCOMPARE(errorOf([&] { store.WriteInt(section, key, 1); }),
                 QStringLiteral("TXMLIniFile.WriteString: try to write empty strings!"));
        QCOMPARE(store.saveCount(), 0u);
        QVERIFY(stamp(path) == before);
        QCOMPARE(store.ReadSections(), QByteArrayList({"settings", "categories"}));
    }

    void emptyValueIsStoredAndSaved() {
        const QString path = freshPath();
        TXMLIniFile store(path);
        store.WriteString("new", "k", {});
        QCOMPARE(store.saveCount(), 1u);
        QCOMPARE(store.ReadString("new", "k", "default"), QByteArray());
        QCOMPARE(store.ReadSections(), QByteArrayList{"new"});
        QVERIFY(readAll(path).contains("<Ident>k</Ident>\r\n<Value></Value>"));
    }

    void namesAreCaseSensitiveButHasKeyIsNot() {
        TXMLIniFile store(freshPath());
        store.WriteString("settings", "Tray", "1");
        QCOMPARE(store.ReadString("settings", "tray", "default"), QByteArray("default"));
        QCOMPARE(store.ReadString("Settings", "Tray", "default"), QByteArray("default"));
        QVERIFY(store.HasKey("settings", "tray"));
        QVERIFY(store.HasKey("settings", "TRAY"));
        QVERIFY(!store.HasKey("Settings", "Tray"));
        QVERIFY(!store.HasKey("settings", "Tra"));
        store.WriteString("settings", "\xC3\x89t\xC3\xA9", "1"); // "Été" in UTF-8
        QVERIFY(store.HasKey("settings", "\xC3\xA9t\xC3\xA9"));
        QVERIFY(!store.HasKey("settings", "ete"));
        store.DeleteKey("settings", "Tray");
        QVERIFY(!store.HasKey("settings", "tray"));
    }

    void orderIsKept() {
        TXMLIniFile store(freshPath());
        for (const char* key : {"a", "b", "c", "d"})
            store.WriteString("s", key, "1");
        store.WriteString("t", "x", "1");
        store.WriteString("s", "b", "overwritten");
        store.WriteString("s", "e", "new");
        QCOMPARE(store.ReadSection("s"), QByteArrayList({"a", "b", "c", "d", "e"}));
        store.DeleteKey("s", "c");
        QCOMPARE(store.ReadSection("s"), QByteArrayList({"a", "b", "d", "e"}));
        QCOMPARE(store.ReadString("s", "b", {}), QByteArray("overwritten"));
        QCOMPARE(store.ReadSections(), QByteArrayList({"s", "t"}));
        QCOMPARE(store.ReadSection("missing"), QByteArrayList());
    }

    void emptiedSectionIsListedButAbsent() {
        TXMLIniFile store(freshPath());
        store.WriteString("only", "k", "v");
        QVERIFY(store.HasSection("only"));
        store.DeleteKey("only", "k");
        QVERIFY(!store.HasSection("only"));
        QCOMPARE(store.ReadSections(), QByteArrayList{"only"});
        QVERIFY(!store.HasSection("never"));
    }

    void eraseAndDeleteSaveOnlyWhenSomethingChanged_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key"); // empty: EraseSection
        QTest::addColumn<bool>("saves");
        QTest::newRow("erase missing section") << QByteArray("nope") << QByteArray() << false;
        QTest::newRow("erase in other case") << QByteArray("Settings") << QByteArray() << false;
        QTest::newRow("delete in missing section") << QByteArray("nope") << QByteArray("tray") << false;
        QTest::newRow("delete missing key") << QByteArray("settings") << QByteArray("nope") << false;
        QTest::newRow("erase section") << QByteArray("settings") << QByteArray() << true;
        QTest::newRow("delete key") << QByteArray("settings") << QByteArray("tray") << true;
    }
    void eraseAndDeleteSaveOnlyWhenSomethingChanged() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(bool, saves);
        const QString path = copyOf(QStringLiteral("example.xml"));
        TXMLIniFile store(path);
        const FileStamp before = stamp(path);
        if (key.isEmpty())
            store.EraseSection(section);
        else
            store.DeleteKey(section, key);
        QCOMPARE(store.saveCount(), saves ? 1u : 0u);
        QCOMPARE(stamp(path) == before, !saves);
        if (!saves)
            QCOMPARE(readAll(path), fixture(QStringLiteral("example.xml")));
    }

    void readInt_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expected");
        const int d = -77; // the default
        QTest::newRow("42") << QByteArray("42") << 42;
        QTest::newRow("leading blank") << QByteArray(" 42") << 42;
        QTest::newRow("trailing blank") << QByteArray("42 ") << d;
        QTest::newRow("leading tab") << QByteArray("\t42") << d;
        QTest::newRow("0x1A") << QByteArray("0x1A") << 26;
        QTest::newRow("0X1A") << QByteArray("0X1A") << 26;
        QTest::newRow("$1A") << QByteArray("$1A") << 26;
        QTest::newRow("x1a") << QByteArray("x1a") << 26;
        QTest::newRow("X1A") << QByteArray("X1A") << 26;
        QTest::newRow("blank then 0x10") << QByteArray(" 0x10") << 16;
        QTest::newRow("$FFFFFFFF is -1") << QByteArray("$FFFFFFFF") << -1;
        QTest::newRow("$80000000") << QByteArray("$80000000") << std::numeric_limits<int>::min();
        QTest::newRow("hex over 32 bits") << QByteArray("$100000000") << d;
        QTest::newRow("hex leading zeros") << QByteArray("$000000000001") << 1;
        QTest::newRow("prefix only") << QByteArray("0x") << d;
        QTest::newRow("dollar only") << QByteArray("$") << d;
        QTest::newRow("signed hex") << QByteArray("-$10") << d;
        QTest::newRow("max") << QByteArray("2147483647") << std::numeric_limits<int>::max();
        QTest::newRow("max + 1") << QByteArray("2147483648") << d;
        QTest::newRow("min") << QByteArray("-2147483648") << std::numeric_limits<int>::min();
        QTest::newRow("min - 1") << QByteArray("-2147483649") << d;
        QTest::newRow("huge") << QByteArray("99999999999999999999999") << d;
        QTest::newRow("plus sign") << QByteArray("+7") << 7;
        QTest::newRow("minus sign") << QByteArray("-7") << -7;
        QTest::newRow("sign then blank") << QByteArray("- 7") << d;
        QTest::newRow("leading zeros") << QByteArray("007") << 7;
        QTest::newRow("fraction") << QByteArray("1.5") << d;
        QTest::newRow("word") << QByteArray("true") << d;
        QTest::newRow("empty") << QByteArray() << d;
    }
    void readInt() {
        QFETCH(QByteArray, text);
        QFETCH(int, expected);
        TXMLIniFile store(freshPath());
        store.WriteString("s", "k", text);
        QCOMPARE(store.ReadInt("s", "k", -77), expected);
    }

    void writeInt() {
        const QString path = freshPath();
        TXMLIniFile store(path);
        const QList<QPair<int, QByteArray>> cases = {
            {0, "0"}, {42, "42"}, {-5, "-5"}, {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"}};
        for (const auto& [value, text] : cases) {
            store.WriteInt("s", "k", value);
            QCOMPARE(store.ReadString("s", "k", {}), text);
            QCOMPARE(store.ReadInt("s", "k", 1), value);
        }
        QCOMPARE(store.ReadInt("s", "missing", 12), 12);
        QCOMPARE(store.ReadInt("missing", "k", 13), 13);
    }

    void readFlag_data() {
        QTest::addColumn<QByteArray>("text"); // empty: key missing
        QTest::addColumn<bool>("whenDefaultFalse");
        QTest::addColumn<bool>("whenDefaultTrue");
        QTest::newRow("0") << QByteArray("0") << false << false;
        QTest::newRow("1") << QByteArray("1") << true << true;
        QTest::newRow("2") << QByteArray("2") << true << true;
        QTest::newRow("-1") << QByteArray("-1") << true << true;
        QTest::newRow("$0") << QByteArray("$0") << false << false;
        QTest::newRow("true") << QByteArray("true") << false << true;
        QTest::newRow("1 with blank") << QByteArray("1 ") << false << true;
        QTest::newRow("missing") << QByteArray() << false << true;
    }
    void readFlag() {
        QFETCH(QByteArray, text);
        QFETCH(bool, whenDefaultFalse);
        QFETCH(bool, whenDefaultTrue);
        TXMLIniFile store(freshPath());
        if (!text.isEmpty())
            store.WriteString("s", "k", text);
        QCOMPARE(store.ReadFlag("s", "k", false), whenDefaultFalse);
        QCOMPARE(store.ReadFlag("s", "k", true), whenDefaultTrue);
    }

    void writeFlag() {
        TXMLIniFile store(freshPath());
        store.WriteFlag("s", "on", true);
        store.WriteFlag("s", "off", false);
        QCOMPARE(store.ReadString("s", "on", {}), QByteArray("1"));
        QCOMPARE(store.ReadString("s", "off", {}), QByteArray("0"));
    }

    void writeDouble_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("39448.5") << 39448.5 << QByteArray("39448.5");
        QTest::newRow("39448.0") << 39448.0 << QByteArray("39448");
        QTest::newRow("-0.25") << -0.25 << QByteArray("-0.25");
        QTest::newRow("15 digits") << 39400.5208333333 << QByteArray("39400.5208333333");
        QTest::newRow("12:30 on 14/11/2007") << 39400.0 + 12.5 / 24 << QByteArray("39400.5208333333");
        QTest::newRow("one second") << 1.0 / 86400 << QByteArray("0.0000115740740740741");
        QTest::newRow("1e-6") << 1e-6 << QByteArray("1E-6");
        QTest::newRow("-1e-6") << -1e-6 << QByteArray("-1E-6");
        QTest::newRow("0.00001 stays fixed") << 0.00001 << QByteArray("0.00001");
        QTest::newRow("0.000012") << 0.000012 << QByteArray("0.000012");
        QTest::newRow("0.000009") << 0.000009 << QByteArray("9E-6");
        QTest::newRow("0.1") << 0.1 << QByteArray("0.1");
        QTest::newRow("one third") << 1.0 / 3 << QByteArray("0.333333333333333");
        QTest::newRow("two thirds rounds up") << 2.0 / 3 << QByteArray("0.666666666666667");
        QTest::newRow("zero") << 0.0 << QByteArray("0");
        QTest::newRow("negative day count") << -693593.75 << QByteArray("-693593.75");
        QTest::newRow("15 digits before the point") << 999999999999999.0 << QByteArray("999999999999999");
        QTest::newRow("1e15") << 1e15 << QByteArray("1E15");
        QTest::newRow("rounds up to 1e15") << 999999999999999.9 << QByteArray("1E15");
        QTest::newRow("large") << 123456789012345678.0 << QByteArray("1.23456789012346E17");
        QTest::newRow("1.5e300") << 1.5e300 << QByteArray("1.5E300");
        QTest::newRow("-2.5e-300") << -2.5e-300 << QByteArray("-2.5E-300");
        QTest::newRow("100") << 100.0 << QByteArray("100");
    }
    void writeDouble() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        // Neither the default locale nor the C library's may change the stored form.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TXMLIniFile store(freshPath());
        store.WriteDouble("s", "k", value);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(store.ReadString("s", "k", {}), text);
        QCOMPARE(store.ReadDouble("s", "k", 12345), text.toDouble());
    }

    void readDouble_data() {
        QTest::addColumn<QByteArray>("text"); // empty: key missing
        QTest::addColumn<double>("expected");
        const double d = -1.5; // the default
        QTest::newRow("39448.5") << QByteArray("39448.5") << 39448.5;
        QTest::newRow("comma") << QByteArray("39448,5") << d;
        QTest::newRow("blanks around") << QByteArray("  1.5  ") << 1.5;
        QTest::newRow("plus") << QByteArray("+2") << 2.0;
        QTest::newRow("minus") << QByteArray("-0.25") << -0.25;
        QTest::newRow("exponent E") << QByteArray("1E-6") << 1e-6;
        QTest::newRow("exponent e+") << QByteArray("2.5e+3") << 2500.0;
        QTest::newRow("no integer digits") << QByteArray(".5") << 0.5;
        QTest::newRow("no fraction digits") << QByteArray("5.") << 5.0;
        QTest::newRow("point only") << QByteArray(".") << d;
        QTest::newRow("two points") << QByteArray("1.2.3") << d;
        QTest::newRow("exponent without digits") << QByteArray("1e") << d;
        QTest::newRow("thousands separator") << QByteArray("1,000") << d;
        QTest::newRow("blank inside") << QByteArray("1 5") << d;
        QTest::newRow("word") << QByteArray("abc") << d;
        QTest::newRow("INF") << QByteArray("INF") << d;
        QTest::newRow("nan") << QByteArray("nan") << d;
        QTest::newRow("hex") << QByteArray("0x10") << d;
        QTest::newRow("missing") << QByteArray() << d;
    }
    void readDouble() {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        TXMLIniFile store(freshPath());
        if (!text.isEmpty())
            store.WriteString("s", "k", text);
        QCOMPARE(store.ReadDouble("s", "k", -1.5), expected);
    }

    void duplicatesFromDiskFollowTheFirstMatch() {
        TXMLIniFile store(copyOf(QStringLiteral("duplicates.xml")));
        QCOMPARE(store.ReadSections(), QByteArrayList({"a", "b", "a"}));
        QCOMPARE(store.ReadString("a", "k", {}), QByteArray("first"));
        QCOMPARE(store.ReadSection("a"), QByteArrayList({"k", "k"}));
        store.WriteString("a", "k", "changed");
        QCOMPARE(store.ReadString("a", "k", {}), QByteArray("changed"));
        store.DeleteKey("a", "k");
        QCOMPARE(store.ReadString("a", "k", {}), QByteArray("second key"));
        store.EraseSection("a");
        QCOMPARE(store.ReadSections(), QByteArrayList({"b", "a"}));
        QCOMPARE(store.ReadString("a", "k", {}), QByteArray("second section"));
        QCOMPARE(store.ReadSection("a"), QByteArrayList({"k", "j"}));
        store.EraseSection("a");
        QCOMPARE(store.ReadSections(), QByteArrayList{"b"});
        QVERIFY(!store.HasSection("a"));
    }

    void mergeFilesRefusesMissingStores() {
        const QString path = freshPath();
        TXMLIniFile source(freshPath());
        source.WriteString("s", "k", "v");
        TXMLIniFile destination(path);
        const QString assertion = QStringLiteral("Assertion failure (XMLIniFile, line 282)");
        QCOMPARE(errorOf([&] { TXMLIniFile::MergeFiles(nullptr, &destination); }), assertion);
        QCOMPARE(errorOf([&] { TXMLIniFile::MergeFiles(&source, nullptr); }), assertion);
        QCOMPARE(destination.saveCount(), 0u);
        QCOMPARE(destination.ReadSections(), QByteArrayList());
    }

    void mergeFilesCopiesInSourceOrder() {
        TXMLIniFile source(freshPath());
        source.WriteString("contacts", "name", "Ann");
        source.WriteString("contacts", "mail", "ann@example.org");
        source.WriteString("contacts", "phone", "123");
        source.WriteString("extra", "x", "1");
        TXMLIniFile destination(freshPath());
        destination.WriteString("contacts", "mail", "old");
        destination.WriteString("contacts", "own", "kept");
        destination.WriteString("mine", "y", "2");
        const quint64 savesBefore = destination.saveCount();
        TXMLIniFile::MergeFiles(&source, &destination);
        QCOMPARE(dump(destination), QByteArray("[contacts]\nmail=ann@example.org\nown=kept\nname=Ann\nphone=123\n"
                                               "[mine]\ny=2\n[extra]\nx=1\n"));
        QCOMPARE(destination.saveCount() - savesBefore, 4u); // one save per copied key
        QCOMPARE(dump(TXMLIniFile(destination.FileName())), dump(destination));
    }

    // A file the program creates is its owner's only; one that exists keeps its mode (and its owner where the
    // process may set it).
    void savedFilesKeepTheirMode_data() {
        QTest::addColumn<int>("mode"); // -1: no file yet
        QTest::addColumn<int>("expected");
        QTest::newRow("created") << -1 << 0600;
        QTest::newRow("owner only") << 0600 << 0600;
        QTest::newRow("readable by all") << 0644 << 0644;
        QTest::newRow("shared with the group") << 0660 << 0660;
        QTest::newRow("read-only for others, odd bits") << 0604 << 0604;
    }
    void savedFilesKeepTheirMode() {
        QFETCH(int, mode);
        QFETCH(int, expected);
        const QString path = freshPath();
        if (mode >= 0) {
            QVERIFY(writeFile(path, fixture(QStringLiteral("example.xml"))));
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        }
        TXMLIniFile store(path);
        store.WriteString("s", "k", "v");
        QCOMPARE(modeBits(path), expected);
        store.WriteString("s", "k", "w");
        QCOMPARE(modeBits(path), expected);
    }

    void savedFileKeepsItsOwner() {
        if (::geteuid() != 0)
            QSKIP("only a privileged process can hand a file to another user");
        const QString path = copyOf(QStringLiteral("example.xml"));
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        TXMLIniFile store(path);
        store.WriteString("s", "k", "v");
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(int(st.st_uid), 65534);
        QCOMPARE(int(st.st_gid), 65534);
    }

    // Files beside the store whose names look like a save's temporary file are the user's.
    void filesBesideTheStoreAreLeftAlone() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Alarms.xml"));
        const QStringList others{QStringLiteral("Alarms.xml.tmp"), QStringLiteral("Alarms.xml~"),
                                 QStringLiteral(".Alarms.xml.swp"), QStringLiteral("Alarms.xml.bak")};
        for (const QString& other : others)
            QVERIFY(writeFile(folder.filePath(other), "mine"));
        TXMLIniFile store(path);
        for (int i = 0; i < 3; ++i)
            store.WriteInt("s", "k", i);
        QStringList expected = others;
        expected << QStringLiteral("Alarms.xml");
        expected.sort();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
        for (const QString& other : others)
            QCOMPARE(readAll(folder.filePath(other)), QByteArray("mine"));
    }

    // A folder the user cannot write, holding a store file the user can: the save writes the file in place.
    void unwritableFolderSavesInPlace() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Alarms.xml"));
        QVERIFY(writeFile(path, fixture(QStringLiteral("example.xml"))));
        const QByteArray native = QFile::encodeName(path);
        const FileStamp before = stamp(path);
        const auto save = [&] {
            try {
                TXMLIniFile store(path);
                store.WriteString("settings", "tray", "0");
                return true;
            } catch (const Exception&) {
                return false;
            }
        };
        if (::geteuid() == 0) {
            // Root writes into any folder: the save runs as an unprivileged user in a child process.
            QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
            QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
            const pid_t child = ::fork();
            if (child == 0)
                ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && save() ? 0 : 1);
            int status = -1;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        } else {
            QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
            QVERIFY(save());
            QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
        }
        QCOMPARE(stamp(path).inode, before.inode);
        QCOMPARE(TXMLIniFile(path).ReadString("settings", "tray", {}), QByteArray("0"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Alarms.xml")});
    }

    // A save copies the sections that have not changed since the last save from the document written then, and
    // writes the others anew; what reaches the disk is byte for byte the full rewrite, whatever came between:
    // writes, deleted keys and sections, batches committed or rolled back, saves that failed. 3 000 sequences of
    // edits from a fixed seed; the store is loaded again from its file every 100.
    void savesCopyUnchangedSectionsAndWriteWhatAFullRewriteWrites() {
        const QString path = freshPath();
        auto store = std::make_unique<TXMLIniFile>(path);
        QRandomGenerator random(20261211);
        static constexpr char alphabet[] = "ab Z9<>&;#x\"'\r\n\t\x01\x7f\xc3\xa9";
        const auto text = [&random](int most) {
            QByteArray out;
            for (int n = int(random.bounded(most + 1)); n > 0; --n)
                out += alphabet[random.bounded(int(sizeof alphabet) - 1)];
            return out;
        };
        const auto section = [&random] {
            return QByteArray::number(random.bounded(40));
        };
        // A QByteArray, not the string builder "+" gives, which would outlive the number it points into.
        const auto key = [&random]() -> QByteArray {
            return "k" + QByteArray::number(random.bounded(6));
        };
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit oldLimit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        for (int sequence = 0; sequence < 3000; ++sequence) {
            if (sequence % 100 == 99)
                store = std::make_unique<TXMLIniFile>(path);
            // One value changed in a section that exists, right after a save: that section is the only one
            // written anew. (Undone changes and a save that failed leave their sections to be written anew.)
            const QByteArrayList sections = store->ReadSections();
            if (sequence % 7 == 0 && sections.size() > 1) {
                for (int twice = 0; twice < 2; ++twice) {
                    const QByteArray name = sections[random.bounded(int(sections.size()))];
                    const QByteArrayList keys = store->ReadSection(name);
                    if (keys.isEmpty())
                        continue;
                    store->WriteString(name, keys.first(), text(12) + "!");
                    QCOMPARE(readAll(path), store->GetXML());
                    if (twice == 1)
                        QVERIFY2(store->sectionsWrittenAnew() == 1, qPrintable(QString::number(sequence)));
                }
            }
            const bool failing = sequence % 50 == 25 && store->saveCount() > 0;
            if (failing) {
                rlimit small = oldLimit;
                small.rlim_cur = 64;
                QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            }
            const quint64 savesBefore = store->saveCount();
            std::optional<TXMLIniFile::Batch> batch;
            if (failing || random.bounded(3) == 0)
                batch.emplace(*store);
            for (int edits = 1 + int(random.bounded(5)); edits > 0; --edits) {
                const int what = int(random.bounded(10));
                try {
                    if (what < 7)
                        store->WriteString(section(), key(), text(20));
                    else if (what < 9)
                        store->DeleteKey(section(), key());
                    else
                        store->EraseSection(section());
                } catch (const Exception&) {
                    QVERIFY(failing); // only a save can fail, and outside a batch a write saves
                }
            }
            if (batch) {
                if (failing || random.bounded(4) != 0) {
                    try {
                        batch->commit();
                        QVERIFY(!failing || store->saveCount() == savesBefore); // nothing had changed
                    } catch (const Exception&) {
                        QVERIFY(failing);
                    }
                } else {
                    batch->rollBack();
                }
            }
            if (failing)
                QCOMPARE(setrlimit(RLIMIT_FSIZE, &oldLimit), 0);
            if (store->saveCount() > 0)
                QCOMPARE(readAll(path), store->GetXML());
        }
        QVERIFY(store->ReadSections().size() > 10);
    }

    void failedSaveKeepsTheOldFile() {
        const QString path = copyOf(QStringLiteral("example.xml"));
        TXMLIniFile store(path);
        // Writing past the limit fails with EFBIG as a full disk fails with ENOSPC.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit oldLimit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        rlimit small = oldLimit;
        small.rlim_cur = 200;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString error = errorOf([&] { store.WriteString("settings", "tray", "0"); });
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &oldLimit), 0);

        QCOMPARE(error, QStringLiteral("Cannot create file ") + path + QStringLiteral(": File too large"));
        QCOMPARE(readAll(path), fixture(QStringLiteral("example.xml")));
        QCOMPARE(store.ReadString("settings", "tray", {}), QByteArray("1"));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("*zentick*")}, QDir::Files | QDir::Hidden),
                 QStringList());
        store.WriteString("settings", "tray", "0");
        QCOMPARE(TXMLIniFile(path).ReadString("settings", "tray", {}), QByteArray("0"));
    }

    // The message names the reason the system gave, as it does for a full disk or a read-only file.
    void saveIntoAMissingFolderFails_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("parent is a file")
            << QStringLiteral("plain-file/Alarms.xml") << QStringLiteral("Not a directory");
        QTest::newRow("parent missing") << QStringLiteral("no-folder/Alarms.xml")
                                        << QStringLiteral("No such file or directory");
    }
    void saveIntoAMissingFolderFails() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("plain-file")), "x"));
        const QString full = m_dir.filePath(path);
        TXMLIniFile store(full);
        QCOMPARE(errorOf([&] { store.WriteString("s", "k", "v"); }),
                 QStringLiteral("Cannot create file ") + full + QStringLiteral(": ") + reason);
        QCOMPARE(store.ReadSections(), QByteArrayList());
        QVERIFY(!QFileInfo::exists(full));
    }

    void targetReplacedByAFolderIsLeftAlone() {
        const QString path = freshPath();
        TXMLIniFile store(path);
        store.WriteString("s", "k", "v");
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/content")));
        QCOMPARE(errorOf([&] { store.WriteString("s", "k", "w"); }),
                 QStringLiteral("Cannot create file ") + path + QStringLiteral(": Is a directory"));
        QVERIFY(QFileInfo(path + QStringLiteral("/content")).isDir());
        QVERIFY(QDir(path).removeRecursively());
    }

    void saveThroughALinkKeepsTheLink() {
        const QString target = freshPath();
        const QString link = m_dir.filePath(QStringLiteral("link.xml"));
        QVERIFY(QFile::copy(fixturePath(QStringLiteral("example.xml")), target));
        QVERIFY(QFile::link(target, link));
        TXMLIniFile store(link);
        store.WriteString("settings", "tray", "0");
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(readAll(target).contains("<Value>0</Value>"));
    }

    // A store writes its file only because something was written to it: not when opened, not when destroyed.
    void openingAndClosingWriteNothing() {
        const QString existing = copyOf(QStringLiteral("example.xml"));
        const QString missing = freshPath();
        const FileStamp before = stamp(existing);
        {
            TXMLIniFile store(existing);
            TXMLIniFile absent(missing);
            QCOMPARE(store.ReadString("settings", "tray", {}), QByteArray("1"));
        }
        QVERIFY(stamp(existing) == before);
        QCOMPARE(readAll(existing), fixture(QStringLiteral("example.xml")));
        QVERIFY(!QFileInfo::exists(missing));
    }

    void batchSavesOnceAtCommit() {
        const QString path = freshPath();
        TXMLIniFile store(path);
        {
            TXMLIniFile::Batch outer(store);
            store.WriteString("diary", "linecount", "2");
            {
                TXMLIniFile::Batch inner(store);
                store.WriteString("diary", "0", "first line");
                store.WriteString("diary", "1", "second line");
                inner.commit();
            }
            QCOMPARE(store.saveCount(), 0u);
            QVERIFY(!QFileInfo::exists(path));
            outer.commit();
            QCOMPARE(store.saveCount(), 1u);
        }
        QCOMPARE(store.saveCount(), 1u);
        QCOMPARE(dump(TXMLIniFile(path)), QByteArray("[diary]\nlinecount=2\n0=first line\n1=second line\n"));

        { TXMLIniFile::Batch nothing(store); }
        QCOMPARE(store.saveCount(), 1u);

        store.WriteString("diary", "2", "x");
        store.DeleteKey("diary", "2");
        QCOMPARE(store.saveCount(), 3u);
    }

    // What the store holds is what its file holds: a batch that does not commit, or whose save fails, takes back
    // every change it made, in memory as on disk.
    void unsavedChangesAreTakenBack_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("ending");
        const QStringList changes{QStringLiteral("new key"),       QStringLiteral("new section"),
                                  QStringLiteral("changed value"), QStringLiteral("erased section"),
                                  QStringLiteral("deleted key"),   QStringLiteral("all of them")};
        for (const QString& ending : {QStringLiteral("no commit"), QStringLiteral("failed save")}) {
            for (const QString& change : changes)
                QTest::addRow("%s, %s", qPrintable(change), qPrintable(ending)) << change << ending;
        }
    }
    void unsavedChangesAreTakenBack() {
        QFETCH(QString, change);
        QFETCH(QString, ending);
        const QString path = copyOf(QStringLiteral("example.xml"));
        TXMLIniFile store(path);
        const QByteArray held = dump(store);
        const bool all = change == QStringLiteral("all of them");
        {
            TXMLIniFile::Batch batch(store);
            if (all || change == QStringLiteral("new key"))
                store.WriteString("settings", "added", "x");
            if (all || change == QStringLiteral("new section"))
                store.WriteString("fresh", "k", "v");
            if (all || change == QStringLiteral("changed value"))
                store.WriteString("settings", "tray", "0");
            if (all || change == QStringLiteral("erased section"))
                store.EraseSection("settings");
            if (all || change == QStringLiteral("deleted key"))
                store.DeleteKey("categories", "count");
            QVERIFY(dump(store) != held);
            if (ending == QStringLiteral("failed save")) {
                QVERIFY(QFile::remove(path));
                QVERIFY(QDir().mkpath(path + QStringLiteral("/blocked")));
                QCOMPARE(errorOf([&] { batch.commit(); }),
                         QStringLiteral("Cannot create file ") + path + QStringLiteral(": Is a directory"));
                QVERIFY(QDir(path).removeRecursively());
                QVERIFY(QFile::copy(fixturePath(QStringLiteral("example.xml")), path));
            }
        }
        QCOMPARE(dump(store), held);
        QCOMPARE(store.saveCount(), 0u);
        QCOMPARE(readAll(path), fixture(QStringLiteral("example.xml")));
        // The lookups follow what was taken back, and the next change saves only itself.
        QVERIFY(store.HasSection("settings"));
        QVERIFY(!store.HasSection("fresh"));
        store.WriteString("settings", "tray", "2");
        QCOMPARE(dump(TXMLIniFile(path)), dump(store));
        QCOMPARE(store.ReadSection("settings"), QByteArrayList({"tray", "soundpath"}));
    }

    void innerBatchWithoutCommitTakesBackOnlyItsOwn() {
        const QString path = freshPath();
        TXMLIniFile store(path);
        {
            TXMLIniFile::Batch outer(store);
            store.WriteString("s", "kept", "1");
            try {
                TXMLIniFile::Batch inner(store);
                store.WriteString("s", "dropped", "2");
                store.WriteString("t", "dropped", "3");
                store.WriteString("s", {}, "refused");
                inner.commit();
            } catch (const Exception&) {
            }
            outer.commit();
        }
        QCOMPARE(store.saveCount(), 1u);
        QCOMPARE(dump(store), QByteArray("[s]\nkept=1\n"));
        QCOMPARE(dump(TXMLIniFile(path)), dump(store));
    }

    // A file that is not a whole document is read as far as it goes, and kept as found beside the store before
    // the first save replaces it.
    void damagedFileIsCopiedAsideBeforeTheFirstSave_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("damaged");
        const QByteArray whole = fixture(QStringLiteral("example.xml"));
        QTest::newRow("whole document") << whole << false;
        QTest::newRow("without prolog") << fixture(QStringLiteral("no-prolog.xml")) << false;
        QTest::newRow("empty list") << fixture(QStringLiteral("empty.xml")) << false;
        QTest::newRow("no bytes at all") << QByteArray() << false;
        QTest::newRow("cut off in a value") << fixture(QStringLiteral("truncated.xml")) << true;
        QTest::newRow("cut off after a section") << whole.left(whole.indexOf("<Section>", 30)) << true;
        QTest::newRow("a section without its end") << fixture(QStringLiteral("section-without-end.xml")) << true;
        QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char*>(QString::fromLatin1(whole).utf16()),
                                              whole.size() * 2)
                                << true;
        QTest::newRow("garbled") << QByteArray("\x89PNG\r\n\x1a\n<<>>\xff\xfe garbage") << true;
        QTest::newRow("something after the list") << whole + "<Section-list>" << true;
        // Bytes that are not part of the document read: a zero byte anywhere, a mark of another encoding.
        QTest::newRow("zero bytes before the document") << QByteArray(4096, '\0') + whole << true;
        QTest::newRow("only zero bytes") << QByteArray(4096, '\0') << true;
        QTest::newRow("a zero byte in a value")
            << QByteArray(whole).replace("<Value>1</Value>", QByteArray("<Value>1\0</Value>", 17)) << true;
        QTest::newRow("zero bytes after the list") << whole + QByteArray(8, '\0') << true;
        QTest::newRow("UTF-8 byte order mark") << "\xEF\xBB\xBF" + whole << true;
        QTest::newRow("blanks and line breaks around") << " \r\n" + whole + "\r\n" << false;
        QTest::newRow("only blanks and line breaks") << QByteArray(" \r\n\t\r\n") << false;
    }
    void damagedFileIsCopiedAsideBeforeTheFirstSave() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, damaged);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Alarms.xml"));
        QVERIFY(writeFile(path, bytes));
        const QString copy = path + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        TXMLIniFile store(path);
        QCOMPARE(store.isDamaged(), damaged);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Alarms.xml")});
        store.WriteString("new", "k", "1");
        store.WriteString("new", "k", "2");
        QCOMPARE(QFileInfo::exists(copy), damaged);
        if (damaged) {
            QCOMPARE(readAll(copy), bytes);
            QCOMPARE(store.keepDamagedCopy(), copy);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), damaged ? 2 : 1);
        QCOMPARE(TXMLIniFile(path).ReadString("new", "k", {}), QByteArray("2"));
        QVERIFY(!TXMLIniFile(path).isDamaged());
    }

    // A crash on some file systems leaves zero bytes where the start of a file was: the document behind them is
    // read, not taken for an empty file.
    void documentAfterZeroBytesIsRead() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Settings.xml"));
        QVERIFY(writeFile(path, QByteArray(4096, '\0') + fixture(QStringLiteral("example.xml"))));
        const TXMLIniFile store(path);
        QVERIFY(store.isDamaged());
        QCOMPARE(store.sectionsRead(), 2);
        QCOMPARE(dump(store), dump(TXMLIniFile(copyOf(QStringLiteral("example.xml")))));
    }

    // Three records cut off at every byte: what is read never shrinks as the cut moves on, and is every section
    // whose name and keys came before the cut (the written form puts the name last), as written. The keys of a
    // section cut before its name are read whole, and held apart.
    void cutOffFileKeepsEverySectionBeforeTheCut() {
        QTemporaryDir folder;
        const QString whole = folder.filePath(QStringLiteral("whole.xml"));
        {
            TXMLIniFile store(whole);
            TXMLIniFile::Batch batch(store);
            for (const QByteArray section : {"0", "1", "2"}) {
                store.WriteString(section, "altype", "alarm");
                store.WriteString(section, "date", "46146.5" + section);
                store.WriteString(section, "linecount", "2");
                store.WriteString(section, "0", "caf\xE9 " + section);
                store.WriteString(section, "1", "<line> & more");
            }
            batch.commit();
        }
        const QByteArray bytes = readAll(whole);
        const QByteArray wholeDump = dump(TXMLIniFile(whole));
        const QString path = folder.filePath(QStringLiteral("Alarms.xml"));
        qsizetype before = 0;
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            const QByteArray prefix = bytes.first(cut);
            QVERIFY(writeFile(path, prefix));
            const TXMLIniFile store(path);
            const qsizetype named = prefix.count("</SectionName>");
            const qsizetype lastName = prefix.lastIndexOf("</SectionName>");
            const qsizetype cutKeys = prefix.sliced(lastName < 0 ? 0 : lastName).count("</Data>");
            const QString at = QStringLiteral("cut at %1 of %2").arg(cut).arg(bytes.size());
            QVERIFY2(store.sectionsRead() >= before, qPrintable(at));
            QVERIFY2(store.sectionsRead() == named, qPrintable(at));
            QVERIFY2(wholeDump.startsWith(dump(store)), qPrintable(at));
            QVERIFY2(store.keysOfCutSection().size() == cutKeys, qPrintable(at));
            QVERIFY2(store.isDamaged() == (cut > 0 && cut < bytes.size()), qPrintable(at));
            before = store.sectionsRead();
        }
        QCOMPARE(before, 3);
        // Cut in the last line of the second record's text: the keys before it, as written.
        QVERIFY(writeFile(path, bytes.first(bytes.indexOf("more", bytes.indexOf("caf&#xE9; 1")))));
        const TXMLIniFile cutInSecond(path);
        QCOMPARE(cutInSecond.ReadSections(), QByteArrayList{"0"});
        const QList<std::pair<QByteArray, QByteArray>> expected{
            {"altype", "alarm"}, {"date", "46146.51"}, {"linecount", "2"}, {"0", "caf\xE9 1"}};
        QCOMPARE(cutInSecond.keysOfCutSection(), expected);
    }

    // A store reached through a link: the file as found is kept as a file of its own beside the link, and the
    // save goes on writing the file the link points to.
    void damagedFileBehindALinkIsKeptAsItsBytes() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("real")) &&
                QDir(folder.path()).mkpath(QStringLiteral("data")));
        const QString real = folder.filePath(QStringLiteral("real/PAlarms.xml"));
        const QString link = folder.filePath(QStringLiteral("data/PAlarms.xml"));
        QByteArray document;
        {
            TXMLIniFile store(real);
            TXMLIniFile::Batch batch(store);
            for (const QByteArray section : {"0", "1", "2"})
                store.WriteString(section, "date", "4614" + section);
            batch.commit();
            document = readAll(real);
        }
        const QByteArray cutOff = document.chopped(10);
        QVERIFY(writeFile(real, cutOff));
        QVERIFY(QFile::link(QStringLiteral("../real/PAlarms.xml"), link));
        TXMLIniFile store(link);
        QVERIFY(store.isDamaged());
        QCOMPARE(store.sectionsRead(), 3);
        store.WriteString("3", "date", "46143");
        const QString copy = link + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(store.keepDamagedCopy(), copy);
        QVERIFY(!QFileInfo(copy).isSymLink());
        QCOMPARE(readAll(copy), cutOff);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(TXMLIniFile(real).ReadSections(), QByteArrayList({"0", "1", "2", "3"}));
        QCOMPARE(QDir(folder.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("PAlarms.xml")});
    }

    // No copy, no save: the file stays as found, and the message says why the copy failed.
    void damagedCopyThatCannotBeMadeStopsTheSave() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Alarms.xml"));
        const QByteArray cutOff = fixture(QStringLiteral("example.xml")).chopped(20);
        QVERIFY(writeFile(path, cutOff));
        TXMLIniFile store(path);
        const QString copy = path + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit oldLimit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        rlimit small = oldLimit;
        small.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString error = errorOf([&] { store.WriteString("settings", "tray", "0"); });
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        QCOMPARE(error, QStringLiteral("Cannot create file ") + copy + QStringLiteral(": File too large"));
        QCOMPARE(readAll(path), cutOff);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Alarms.xml")});
        store.WriteString("settings", "tray", "0");
        QCOMPARE(readAll(copy), cutOff);
    }

    void secondDamagedCopyOfADayGetsANameOfItsOwn() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Alarms.xml"));
        const QString copy = path + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        QVERIFY(writeFile(path, "first damage"));
        QVERIFY(writeFile(copy, "the user's own"));
        TXMLIniFile store(path);
        QCOMPARE(store.keepDamagedCopy(), copy + QStringLiteral("-2"));
        QCOMPARE(readAll(copy), QByteArray("the user's own"));
        QCOMPARE(readAll(copy + QStringLiteral("-2")), QByteArray("first damage"));
    }

    void damagedFileFoundAgainKeepsItsOneCopy() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Alarms.xml"));
        const QByteArray cutOff = "<?xml version=\"1.0\"?>\n<SectionList><Section><SectionData><Data><Ident>0";
        QVERIFY(writeFile(path, cutOff));
        const QString lastWeeks = path + QStringLiteral(".damaged-2026-01-01");
        QVERIFY(writeFile(lastWeeks, cutOff));
        for (int start = 0; start < 3; ++start) {
            TXMLIniFile store(path);
            QVERIFY(store.isDamaged());
            QCOMPARE(store.keepDamagedCopy(), lastWeeks);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QCOMPARE(readAll(path), cutOff);
        QCOMPARE(readAll(lastWeeks), cutOff);
    }

    void reloadTrimsNamesAndValues() {
        const QString path = freshPath();
        {
            TXMLIniFile store(path);
            store.WriteString(" section ", "\tkey\n", " value ");
            QCOMPARE(store.ReadString(" section ", "\tkey\n", {}), QByteArray(" value "));
        }
        TXMLIniFile store(path);
        QCOMPARE(dump(store), QByteArray("[section]\nkey=value\n"));
    }

    void legacyFileMergesIntoTheStore() {
        const QString legacyPath = m_dir.filePath(QStringLiteral("Settings.alm"));
        QVERIFY(writeFile(legacyPath, "[settings]\r\nTray=1\r\nsoundpath=C:\\Bell.wav\r\n[categories]\r\ncount=0\r\n"));
        LegacyIniFile legacy(legacyPath);
        TXMLIniFile store(freshPath());
        TXMLIniFile::MergeFiles(&legacy, &store);
        QCOMPARE(dump(store), QByteArray("[settings]\nTray=1\nsoundpath=C:\\Bell.wav\n[categories]\ncount=0\n"));
    }
};

QTEST_GUILESS_MAIN(TestXMLIniFile)
#include "tst_xmlinifile.moc"
