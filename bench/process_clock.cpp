// The process's clocks on Linux: its start time from /proc, its processor time from
// the process clock.
#include "bench/process_clock.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>

double secondsSinceExec() {
    FILE* stat = std::fopen("/proc/self/stat", "r");
    if (stat == nullptr) {
        return -1.0;
    }
    unsigned long long startTicks = 0;
    // Field 22 is the start time; the command name (field 2) holds no spaces here.
    const int read = std::fscanf(stat,
                                 "%*d %*s %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u "
                                 "%*d %*d %*d %*d %*d %*d %llu",
                                 &startTicks);
    std::fclose(stat);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    if (read != 1) {
        return -1.0;
    }
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9 - startTicks / ticks;
}

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}
