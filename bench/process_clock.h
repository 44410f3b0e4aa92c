// The process's own clocks, for the frame-rate benchmark.
#pragma once

// Seconds since the system started this process; -1 when it cannot tell.
double secondsSinceExec();
// Processor time of all the process's threads so far, in seconds.
double processSeconds();
