#pragma once

#include "app/AppOnly.h"

#include <QApplication>

// The application object. An exception that escapes an event handler is shown in the standard error box
// and the event loop goes on. The process never ends because a window closed: the main window only
// hides, and a message box closing while it is hidden must not end the program.
class ZentickApplication final : public QApplication {
public:
    ZentickApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
