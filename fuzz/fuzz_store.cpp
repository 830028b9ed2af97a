// The store document from arbitrary bytes: loaded, read every way, saved, loaded again. A saved document
// holds printable ASCII and CR LF only, saves again to the same bytes, and reads the same at every later load.
// Edits chosen by the input follow, each save (copying the sections it did not change) checked against a full
// rewrite.
// A write of arbitrary bytes comes back after a save and a load, trimmed as every loaded value is. A file with a
// zero byte is damaged; a saved document cut off gives every section named before the cut, and its kept copy is
// exactly the bytes cut off, also when the store is opened through a link.
#include "FuzzSupport.h"

#include "store/Exception.h"
#include "store/XMLIniFile.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// Every read the store offers, in a form two stores can be compared by.
QByteArray readEverything(const TXMLIniFile& store) {
    QByteArray out;
    for (const QByteArray& section : store.ReadSections()) {
        out += "[" + section + "]" + (store.HasSection(section) ? "+" : "-") + "\n";
        for (const QByteArray& key : store.ReadSection(section)) {
            const double number = store.ReadDouble(section, key, -0.5);
            out += key + "=" + store.ReadString(section, key, "?") + "|" +
                   QByteArray::number(store.ReadInt(section, key, -7)) + "|" +
                   (store.ReadFlag(section, key, true) ? "1" : "0") + "|" +
                   (std::isnan(number) ? QByteArray("nan") : QByteArray::number(number, 'g', 17)) + "|" +
                   (store.HasKey(section, key.toUpper()) ? "k" : "-") + "\n";
        }
    }
    return out;
}

// Each section as its name and its keys, read by the first-match rule.
QByteArrayList sectionsOf(const TXMLIniFile& store) {
    QByteArrayList out;
    for (const QByteArray& section : store.ReadSections()) {
        QByteArray text = section + '\0';
        for (const QByteArray& key : store.ReadSection(section))
            text += key + '\0' + store.ReadString(section, key, "?") + '\0';
        out.append(text);
    }
    return out;
}

std::unique_ptr<TXMLIniFile> open(const QString& path) {
    try {
        return std::make_unique<TXMLIniFile>(path);
    } catch (const Exception&) {
        return nullptr; // a bad escape: the document is refused as a whole
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = Fuzz::writeScratch(QStringLiteral("store.xml"), input);
    std::unique_ptr<TXMLIniFile> first = open(path);
    if (!first)
        return 0;
    const QByteArray firstReads = readEverything(*first);
    // Not every byte of a file with a zero byte is read into the document.
    FUZZ_CHECK(!input.contains('\0') || first->isDamaged(), "a file with a zero byte is not taken for damaged");
    first->UpdateFile();
    Fuzz::checkDamagedCopy(*first, input);
    const QByteArray saved = Fuzz::readScratch(QStringLiteral("store.xml"));
    FUZZ_CHECK(saved == first->GetXML(), "the file differs from the document in memory");
    FUZZ_CHECK(Fuzz::printableDocument(saved), "saved bytes outside printable ASCII and CR LF");

    std::unique_ptr<TXMLIniFile> second = open(path);
    FUZZ_CHECK(second != nullptr, "a saved document is refused");
    FUZZ_CHECK(!second->isDamaged(), "a saved document is taken for a damaged one");
    // The first load keeps values of character data sections as they were; from the first save on, the
    // trimming of every load leaves nothing to change: load and save give the same bytes again and again.
    second->UpdateFile();
    const QByteArray resaved = Fuzz::readScratch(QStringLiteral("store.xml"));
    const QByteArray secondReads = readEverything(*second);
    std::unique_ptr<TXMLIniFile> again = open(path);
    FUZZ_CHECK(again != nullptr && readEverything(*again) == secondReads, "a reloaded document reads differently");
    again->UpdateFile();
    FUZZ_CHECK(Fuzz::readScratch(QStringLiteral("store.xml")) == resaved, "save, load, save changed the bytes");
    if (!input.toUpper().contains("CDATA"))
        FUZZ_CHECK(resaved == saved && secondReads == firstReads, "a saved document reads differently");

    // Edits the input chooses, each saved (or undone): a save copies the sections it did not change from the
    // document saved before, and every save writes exactly what a full rewrite writes.
    const QByteArrayList names = again->ReadSections();
    for (qsizetype i = 0; i + 2 < input.size() && i < 96; i += 3) {
        const auto pick = static_cast<unsigned char>(input[i]);
        const QByteArray section = !names.isEmpty() && pick % 4 != 0 ? names[qsizetype(pick) % names.size()]
                                                                     : "s" + QByteArray::number(pick % 5);
        const QByteArrayList keys = again->ReadSection(section);
        const QByteArray key = !keys.isEmpty() && pick % 3 != 0 ? keys[qsizetype(input[i + 1] & 0x7f) % keys.size()]
                                                                : "k" + QByteArray::number(input[i + 1] & 3);
        const QByteArray value = input.mid(i + 2, input[i + 2] & 7);
        if (section.isEmpty() || key.isEmpty())
            continue; // names read from the file may be empty; a write of one is refused
        switch (static_cast<unsigned char>(input[i + 1]) >> 5) {
        case 0:
            again->DeleteKey(section, key);
            break;
        case 1:
            again->EraseSection(section);
            break;
        case 2: {
            TXMLIniFile::Batch undone(*again);
            again->WriteString(section, key, value);
            again->EraseSection(names.value(0, section));
            break; // not committed: undone in memory, nothing saved
        }
        default:
            again->WriteString(section, key, value);
            break;
        }
        FUZZ_CHECK(Fuzz::readScratch(QStringLiteral("store.xml")) == again->GetXML(),
                   "edit %lld: the save differs from a full rewrite", static_cast<long long>(i / 3));
    }

    // The saved document cut off somewhere, opened directly or (every other cut) through a link: it gives every
    // section whose name came before the cut (the written form puts it after the keys), as the whole document
    // gives them; it is damaged unless nothing or everything was cut; its first save keeps the bytes found aside
    // and writes the file the link points to.
    const qsizetype cut = qsizetype(qHash(input) % size_t(saved.size() + 1));
    const QByteArray prefix = saved.first(cut);
    const QString cutPath = Fuzz::writeScratch(QStringLiteral("cut.xml"), prefix);
    const QString linkPath = Fuzz::scratchFile(QStringLiteral("cut-link.xml"));
    QFile::remove(linkPath);
    const bool throughLink = cut % 2 == 1;
    if (throughLink)
        FUZZ_CHECK(QFile::link(QStringLiteral("cut.xml"), linkPath), "cannot make a link");
    std::unique_ptr<TXMLIniFile> cutOff = open(throughLink ? linkPath : cutPath);
    FUZZ_CHECK(cutOff != nullptr, "a saved document cut off is refused");
    const qsizetype named = prefix.count("</SectionName>");
    FUZZ_CHECK(cutOff->sectionsRead() == named, "cut at %lld: %lld sections read, %lld named before the cut",
               static_cast<long long>(cut), static_cast<long long>(cutOff->sectionsRead()),
               static_cast<long long>(named));
    FUZZ_CHECK(sectionsOf(*cutOff) == sectionsOf(*second).first(named), "cut at %lld: sections read differently",
               static_cast<long long>(cut));
    FUZZ_CHECK(cutOff->isDamaged() == (cut > 0 && cut < saved.size()), "cut at %lld: damage misjudged",
               static_cast<long long>(cut));
    cutOff->UpdateFile();
    Fuzz::checkDamagedCopy(*cutOff, prefix);
    FUZZ_CHECK(Fuzz::readScratch(QStringLiteral("cut.xml")) == cutOff->GetXML(), "the save missed the file");
    FUZZ_CHECK(!throughLink || QFileInfo(linkPath).isSymLink(), "the save replaced the link");

    // Arbitrary bytes written come back as written, less the blanks and control bytes at either end, which a
    // load removes from every name and value.
    const QByteArray key = Fuzz::trimmedControls(input.left(input.size() / 2));
    const QByteArray value = input.mid(input.size() / 2);
    if (key.isEmpty())
        return 0;
    again->WriteString("written", key, value);
    std::unique_ptr<TXMLIniFile> third = open(path);
    FUZZ_CHECK(third != nullptr, "a written document is refused");
    FUZZ_CHECK(third->ReadString("written", key, "?") == Fuzz::trimmedControls(value),
               "a written value came back changed");
    return 0;
}
