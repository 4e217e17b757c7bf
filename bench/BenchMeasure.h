#pragma once

#include <filesystem>
#include <vector>

// What the benchmarks measure besides wall time: this process's CPU time and peak memory,
// and what `cat` needs to copy the same bytes, the yardstick for writing at disk speed.
class BenchMeasure {
public:
    struct Times {
        double wall = 0;
        double cpu = 0; // user + system
    };

    // User and system time of this process so far, which other processes on a shared
    // machine do not inflate the way they inflate wall time.
    static double cpuSeconds();
    static long peakKilobytes();
    static double wallSeconds();

    // Copies the files one after the other into `copy` with /bin/cat; its wall and CPU time.
    static Times catCopy(const std::vector<std::filesystem::path>& files,
                         const std::filesystem::path& copy);
};
