// The import of the earlier version's INI files from arbitrary bytes, in several locales: every key read
// from the INI file reaches the store unchanged (as far as a reload of any store keeps a value), except the date keys,
// which become finite day counts; the store then saves printable bytes that load back to the same values. Only the
// diary conversion may stop with its message (a section name that is no date); the others take any file.
#include "FuzzSupport.h"

#include "app/LegacyImport.h"
#include "store/Exception.h"
#include "store/LegacyIniFile.h"
#include "store/XMLIniFile.h"

#include <QHash>
#include <QLocale>
#include <QPair>
#include <QSet>

#include <cmath>
#include <cstdint>
#include <functional>

namespace {

const QList<QLocale>& locales() {
    static const QList<QLocale> all{QLocale(QLocale::English, QLocale::UnitedKingdom),
                                    QLocale(QLocale::German, QLocale::Germany),
                                    QLocale(QLocale::English, QLocale::UnitedStates)};
    return all;
}

bool isDateKey(const QByteArray& key) {
    return key == "date" || key == "birthdate";
}

// Stands for a converted date: a day count, whatever the text was.
const QByteArray DateValue("\x01"
                           "date");

// Each key of the INI file with its value, under the names and with the value a store shows after a reload
// (trimmed); of names that become the same, the first.
QHash<QPair<QByteArray, QByteArray>, QByteArray> expectedKeys(const LegacyIniFile& legacy) {
    QHash<QPair<QByteArray, QByteArray>, QByteArray> keys;
    QSet<QByteArray> sections;
    for (const QByteArray& section : legacy.ReadSections()) {
        // A later section whose name becomes an earlier one's is hidden by it as a whole.
        if (sections.contains(Fuzz::trimmedControls(section)))
            continue;
        sections.insert(Fuzz::trimmedControls(section));
        for (const QByteArray& key : legacy.ReadSection(section)) {
            const QPair<QByteArray, QByteArray> name(Fuzz::trimmedControls(section), Fuzz::trimmedControls(key));
            if (name.first.isEmpty() || name.second.isEmpty() || keys.contains(name))
                continue;
            // A name that only becomes "date" by the trimming was copied as text.
            keys.insert(name, isDateKey(key) ? DateValue : Fuzz::trimmedControls(legacy.ReadString(section, key, {})));
        }
    }
    return keys;
}

// Converts into a fresh store, saves once, and hands the reloaded store to check. A conversion that stops
// with an error (only allowed when it `mayStop`) saves what it had converted, which must still load.
void convert(bool mayStop, const std::function<void(TXMLIniFile&)>& conversion,
             const std::function<void(const TXMLIniFile&)>& check) {
    const QString path = Fuzz::writeScratch(QStringLiteral("store.xml"), QByteArray());
    QFile::remove(path);
    bool converted = false;
    {
        TXMLIniFile store(path);
        TXMLIniFile::Batch batch(store);
        try {
            conversion(store);
            converted = true;
        } catch (const Exception& e) {
            FUZZ_CHECK(mayStop, "the conversion stopped: %s", qPrintable(e.message()));
        }
        batch.commit();
    }
    const QByteArray saved = Fuzz::readScratch(QStringLiteral("store.xml"));
    FUZZ_CHECK(Fuzz::printableDocument(saved), "saved bytes outside printable ASCII and CR LF");
    const TXMLIniFile reloaded(path);
    if (converted)
        check(reloaded);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const LegacyIniFile legacy(Fuzz::writeScratch(QStringLiteral("legacy.alm"), input));
    const auto expected = expectedKeys(legacy);

    for (const QLocale& locale : locales()) {
        convert(
            false, [&](TXMLIniFile& store) { LegacyImport::convertRecords(legacy, store, locale); },
            [&](const TXMLIniFile& store) {
                for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
                    const QByteArray& section = it.key().first;
                    const QByteArray& key = it.key().second;
                    if (it.value() != DateValue) {
                        FUZZ_CHECK(store.ReadString(section, key, "?") == it.value(), "[%s] %s changed",
                                   section.constData(), key.constData());
                        continue;
                    }
                    const double count = store.ReadDouble(section, key, NAN);
                    FUZZ_CHECK(std::isfinite(count), "[%s] %s = '%s' is no day count", section.constData(),
                               key.constData(), it.value().constData());
                }
            });
        convert(
            true, [&](TXMLIniFile& store) { LegacyImport::convertDiary(legacy, store, locale); },
            [&](const TXMLIniFile& store) {
                for (const QByteArray& section : store.ReadSections())
                    FUZZ_CHECK(section == "0" || section.toLongLong() != 0, "diary section '%s' is no day number",
                               section.constData());
            });
    }
    convert(
        false, [&](TXMLIniFile& store) { LegacyImport::merge(legacy, store); },
        [&](const TXMLIniFile& store) {
            for (auto it = expected.cbegin(); it != expected.cend(); ++it)
                FUZZ_CHECK(it.value() == DateValue ||
                               store.ReadString(it.key().first, it.key().second, "?") == it.value(),
                           "[%s] %s changed in the merge", it.key().first.constData(), it.key().second.constData());
        });
    return 0;
}
