// Moves the four data files from one folder into another, all or none, as "Apply" on the settings page does,
// and ends.
//   settings_move_worker <from> <to> [exdev] [full=<name>]
//   exdev: renames fail as across file systems; full=<name>: the copy of that file finds the disk full, so the
//   files already moved go back
#include "fakes/FailingFileOperations.h"
#include "platform/DataFolderMove.h"

#include <QDir>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: settings_move_worker <from> <to> [exdev] [full=<name>]\n");
        return 2;
    }
    const QString from = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString to = QString::fromLocal8Bit(argv[2]);
    FailingFileOperations operations;
    for (int i = 3; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option == QLatin1String("exdev"))
            operations.otherDeviceFolder = from;
        else if (option.startsWith(QLatin1String("full=")))
            operations.diskFullFor.insert(option.mid(5));
    }
    const QStringList names{QStringLiteral("Alarms.xml"), QStringLiteral("PAlarms.xml"),
                            QStringLiteral("AddressBook.xml"), QStringLiteral("Calendar.xml")};
    if (DataFolderMove::checkTarget(from, to, names, operations) != 0)
        return 1;
    const DataFolderMove::WholeMove moved = DataFolderMove::moveAllOrNothing(from, to, names, operations);
    return moved.failure || !moved.left.isEmpty() ? 1 : 0;
}
