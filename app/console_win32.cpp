// The console on Windows. trelvane.exe is a GUI program, so Windows opens no console
// window beside the game; the C library starts with the standard handles it was handed.
// Redirected to a file or a pipe (or NUL), a stream stays as it is, and its lines land
// there in order. A stream that leads nowhere is reopened on the console of the program
// that started the game (cmd, PowerShell) when there is one; started from the Start menu
// or Explorer there is none, and the lines go nowhere.
#include "app/console.h"

#include <windows.h>

#include <cstdio>

namespace {

// True when the standard handle leads somewhere, as the C library sees it at start-up:
// a file, a pipe or a character device handed over by the starter.
bool leadsSomewhere(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void connectConsole() {
    const bool output = leadsSomewhere(STD_OUTPUT_HANDLE);
    const bool error = leadsSomewhere(STD_ERROR_HANDLE);
    if ((output && error) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (!output) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (!error) {
        std::freopen("CONOUT$", "w", stderr);
    }
}
