// Writes 100,000 INFO lines through the log writer under flush modes 0, 1 and 2 and prints
// lines per second for each. Usage: bench_log [directory] (default: the system temp folder).
#include "abi/EntryPoints.h"
#include "log/LogWriter.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

constexpr int kLines = 100000;
constexpr std::int32_t kContent = 7;

double runFlushMode(const std::filesystem::path& dir, std::int32_t flushMode) {
    const std::string name = (dir / ("bench-flush" + std::to_string(flushMode) + ".log")).string();
    LogWriter writer;
    if (writer.SetLogFile(name, zalvo::kLogActionCreate, kContent, flushMode) != 0) {
        std::fprintf(stderr, "cannot create %s\n", name.c_str());
        return 0.0;
    }
    const std::string text = "Zeile fuer den Benchmark mit etwas Text, wie ihn die Bibliothek "
                             "schreibt: BLZ=37040044 Konto=532013000";
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLines; ++i)
        writer.WriteLogLine(LogWriter::kInfo, LogWriter::kActionSetLogFile, text);
    static_cast<void>(writer.SetLogFile(name, zalvo::kLogActionClose, kContent, flushMode));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::error_code ignored;
    std::filesystem::remove(name, ignored);
    return kLines / elapsed.count();
}

} // namespace

int main(int argc, char** argv) {
    std::error_code error;
    std::filesystem::path base =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const std::filesystem::path dir = base / ("zalvo-bench-log-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s\n", dir.string().c_str());
        return 1;
    }
    std::printf("log writer, %d lines per run, directory %s\n", kLines, dir.string().c_str());
    for (std::int32_t mode : {0, 1, 2}) {
        const double rate = runFlushMode(dir, mode);
        std::printf("flush mode %d: %12.0f lines/s\n", mode, rate);
        std::fflush(stdout);
    }
    std::filesystem::remove_all(dir, error);
    return 0;
}
