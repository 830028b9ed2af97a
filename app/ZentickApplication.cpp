#include "app/ZentickApplication.h"

#include "app/Translations.h"
#include "ui/ExceptionMessageBox.h"

ZentickApplication::ZentickApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    // The display name is left unset on purpose: once set, Qt appends it to every window title the
    // window manager sees, and the main window's title must stay exactly as the program builds it.
    setApplicationName(QStringLiteral("Zentick"));
    setQuitOnLastWindowClosed(false);
    Translations::install(*this);
}

bool ZentickApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ExceptionMessageBox::show(ExceptionMessageBox::currentMessage());
        return false;
    }
}
