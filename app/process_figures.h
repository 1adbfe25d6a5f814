#pragma once

// Figures about this process from /proc, for the benchmark report.

// Seconds since the process started (to the kernel's clock tick, 10 ms here);
// negative when /proc cannot tell.
double SecondsSinceProcessStart();
// Resident memory in MiB; negative when /proc cannot tell.
double ResidentMemoryMiB();
