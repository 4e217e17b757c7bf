#include "bench/BenchMeasure.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <string>

extern char** environ;

namespace {

double secondsOf(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double cpuOf(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
}

} // namespace

double BenchMeasure::cpuSeconds() {
    return cpuOf(RUSAGE_SELF);
}

long BenchMeasure::peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double BenchMeasure::wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

BenchMeasure::Times BenchMeasure::catCopy(const std::vector<std::filesystem::path>& files,
                                          const std::filesystem::path& copy) {
    std::vector<std::string> args{"cat"};
    for (const auto& file : files)
        args.push_back(file.string());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const double cpuBefore = cpuOf(RUSAGE_CHILDREN);
    const double wallBefore = wallSeconds();
    pid_t child = 0;
    Times times;
    if (posix_spawn(&child, "/bin/cat", &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        times.wall = wallSeconds() - wallBefore;
        times.cpu = cpuOf(RUSAGE_CHILDREN) - cpuBefore;
    }
    posix_spawn_file_actions_destroy(&actions);
    return times;
}
