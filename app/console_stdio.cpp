// The console on Linux and in the browser: standard output and error are always where
// the starter put them (a terminal, a file, a pipe, the browser's console), so there is
// nothing to connect.
#include "app/console.h"

void connectConsole() {}
