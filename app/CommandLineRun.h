#pragma once

#include "app/AppOnly.h"

// A start with a script request on its command line (--add-alarm, --list, ... see zentick --help): it hands the
// request to the running instance, or, with none running, changes the files itself under their locks, prints
// the answer and ends with its status (0 done, 1 could not, 2 refused).
namespace CommandLineRun {

bool isRequested(int argc, char** argv);
int run(int argc, char** argv);

} // namespace CommandLineRun
