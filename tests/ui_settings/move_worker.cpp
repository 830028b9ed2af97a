// Moves the four data files from one folder into another, as "Apply" on the settings page does, and ends.
//   settings_move_worker <from> <to> [exdev]   exdev: renames fail as across file systems
#include "fakes/FailingFileOperations.h"
#include "platform/DataFolderMove.h"

#include <QDir>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: settings_move_worker <from> <to> [exdev]\n");
        return 2;
    }
    const QString from = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString to = QString::fromLocal8Bit(argv[2]);
    FailingFileOperations operations;
    if (argc > 3)
        operations.otherDeviceFolder = from;
    const QStringList names{QStringLiteral("Alarms.xml"), QStringLiteral("PAlarms.xml"),
                            QStringLiteral("AddressBook.xml"), QStringLiteral("Calendar.xml")};
    return DataFolderMove::moveFiles(from, to, names, operations).isEmpty() ? 0 : 1;
}
