#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Names compared without regard to letter case. A name that is valid UTF-8 is folded as Unicode text (so "É"
// and "é" match, as the Windows comparisons did for their code page); any other byte string folds its ASCII
// letters only, so that two different invalid names never become equal.
QByteArray caseFolded(QByteArrayView name);
bool equalIgnoringCase(QByteArrayView a, QByteArrayView b);
