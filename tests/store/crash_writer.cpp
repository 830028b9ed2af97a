// Saves the states of CrashStates.h into the store named on the command line, one after another, until killed.
// Prints "saved <state>" on a line of its own once a state is on disk.
#include "CrashStates.h"

#include "store/Exception.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: store_crash_writer <store file>\n");
        return 2;
    }
    try {
        TXMLIniFile store(arguments[1]);
        for (qint64 state = store.ReadInt("state", "counter", 0) + 1;; ++state) {
            TXMLIniFile::Batch batch(store);
            store.WriteString("state", "counter", QByteArray::number(state));
            for (int j = 0; j < CrashStates::paddingKeys; ++j)
                store.WriteString("state", CrashStates::paddingKey(j), CrashStates::padding(state, j));
            batch.commit();
            std::printf("saved %lld\n", static_cast<long long>(state));
            std::fflush(stdout);
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
