#pragma once

#include <QtGlobal>

// What /proc tells of a running process: CPU time of all its threads (nanoseconds from schedstat, not clock
// ticks), resident memory and its number of threads.
struct ProcessSample {
    double cpuMs = 0;
    double childrenCpuMs = 0; // of the child processes that ended (sound helpers), 10 ms ticks
    double rssMiB = 0;
    double peakRssMiB = 0;
    int threads = 0;
};

ProcessSample probeProcess(qint64 pid);
