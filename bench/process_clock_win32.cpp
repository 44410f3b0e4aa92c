// The process's clocks on Windows: its creation time and its processor time, both from
// GetProcessTimes (100-nanosecond units).
#include "bench/process_clock.h"

#include <windows.h>

namespace {

double seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) * 1e-7;
}

}  // namespace

double secondsSinceExec() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return -1.0;
    }
    GetSystemTimeAsFileTime(&now);
    return seconds(now) - seconds(created);
}

double processSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return 0.0;
    }
    return seconds(kernel) + seconds(user);
}
