#pragma once

#include <QString>

class SchedulerClock;

// What the main window takes from outside: where its files live and which clock it reads. The program
// passes the executable's folder and the system clock; tests a temporary folder and a fake clock.
struct AppContext {
    QString exeFolder;
    const SchedulerClock* clock = nullptr;
    // Started with "-h": the main window stays hidden until asked for.
    bool startHidden = false;
};
