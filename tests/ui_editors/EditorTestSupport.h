#pragma once

#include "store/XMLIniFile.h"

#include <QByteArrayList>
#include <QFile>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

// Small helpers the editor tests share: clicking what the user clicks, and reading a record back as
// the ordered "key=value" list it is on disk.
namespace EditorTest {

inline void click(QWidget* widget) {
    QVERIFY(widget);
    QVERIFY2(widget->isVisible(), qPrintable(widget->objectName() + u" is not visible"_s));
    QVERIFY2(widget->isEnabled(), qPrintable(widget->objectName() + u" is disabled"_s));
    QTest::mouseClick(widget, Qt::LeftButton);
}

inline QByteArrayList keysOf(const TXMLIniFile& store, const QByteArray& section) {
    QByteArrayList result;
    for (const QByteArray& key : store.ReadSection(section))
        result << key + '=' + store.ReadString(section, key, QByteArray());
    return result;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray fixture(const QString& name) {
    return fileBytes(qEnvironmentVariable("ZENTICK_TEST_DATA") + u"/ui_editors/"_s + name);
}

} // namespace EditorTest
