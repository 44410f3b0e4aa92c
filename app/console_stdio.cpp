// The console on Linux: standard output and error are always where the starter put
// them (a terminal, a file, a pipe), so there is nothing to connect.
#include "app/console.h"

void connectConsole() {}
