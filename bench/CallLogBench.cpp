// The call log's cost: the DTA run of the binding (DtaConversionRun, as the menu command runs
// it, with the stand-in Zalvotech.dll) over a generated file of 100,000 entries, without and
// with the call log recording, alternately; the cost of one recorded call; peak memory with
// the log full. Prints the machine's load beside the figures.
// Usage: bench_calllog [entries] [rounds] (defaults: 100000, 5).
#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "bench/BenchMeasure.h"
#include "binding/BusyIndicator.h"
#include "binding/DLLAPI.h"
#include "binding/DtaConversionRun.h"
#include "binding/DtaFileChooser.h"
#include "binding/LibraryCall.h"
#include "calllog/CallLog.h"
#include "tests/paylib/dta/DtaTestWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

using zalvo::CallReport;
using zalvo::EntryPoint;
using zalvo::LibraryCall;
using zalvo::Record;
using zalvo::calllog::CallLog;
namespace fs = std::filesystem;

namespace {

// Answers the run's dialogs: the DTA file, then the two XML targets.
class BenchChooser : public zalvo::DtaFileChooser {
public:
    explicit BenchChooser(fs::path dir) : m_dir(std::move(dir)) {}
    std::optional<std::string> chooseDtaFile(zalvo::OwnerWindow) override {
        return (m_dir / "bench.dta").string();
    }
    std::optional<std::string> chooseXmlTarget(zalvo::OwnerWindow,
                                               std::string_view presetName) override {
        const fs::path target = m_dir / std::string(presetName);
        std::error_code error;
        fs::remove(target, error);
        return target.string();
    }

private:
    fs::path m_dir;
};

class NoBusySign : public zalvo::BusyIndicator {
public:
    void setBusy(bool) override {}
    void letEventsThrough() override {}
};

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

double runCpu(const fs::path& dir) {
    BenchChooser chooser(dir);
    NoBusySign busy;
    const double start = BenchMeasure::cpuSeconds();
    zalvo::DtaConversionRun(nullptr, chooser, busy).execute();
    return BenchMeasure::cpuSeconds() - start;
}

// CPU seconds of `calls` conversions of one account record through the call step.
double conversionsCpu(std::size_t calls) {
    Record account(zalvo::account::kSize);
    account.putText(zalvo::account::kBankCode, "37040044");
    account.putText(zalvo::account::kAccountNumber, "532013000");
    const double start = BenchMeasure::cpuSeconds();
    for (std::size_t i = 0; i < calls; ++i) {
        static_cast<void>(LibraryCall::call<EntryPoint::ConvertBLZKonto>(
            nullptr, CallReport::Nothing, account.view()));
    }
    return BenchMeasure::cpuSeconds() - start;
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t entries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const fs::path dir =
        fs::temp_directory_path() / ("zalvo-bench-calllog-" + std::to_string(::getpid()));
    std::error_code error;
    fs::create_directories(dir, error);
    fs::copy_file(ZALVO_LIBRARY_FILE, dir / "Zalvotech.dll", error);
    fs::current_path(dir, error);
    if (error || entries == 0 || rounds <= 0 || zalvo::DLLAPI::loadAndBind() != 0) {
        std::fprintf(stderr, "usage: bench_calllog [entries > 0] [rounds > 0]\n");
        return 1;
    }
    const Record paths(zalvo::kPathBufferSize);
    static_cast<void>(LibraryCall::call<EntryPoint::Init>(
        nullptr, CallReport::Nothing, paths.view(), paths.view(), paths.view(), 0));
    std::ofstream(dir / "bench.dta", std::ios::binary) << dtatest::write(
        {dtatest::many(entries / 2, false), dtatest::many(entries - entries / 2, true)});
    std::printf("call log cost, DTA run of %zu entries through the binding, %d rounds, load "
                "average %s\n",
                entries, rounds, loadAverage().c_str());

    CallLog log;
    double without = 1e9;
    double with = 1e9;
    std::uint64_t callsPerRun = 0;
    // One run first to warm the library and the file cache, then both orders in turn, so
    // neither side always runs on the warmer machine; the best of each counts.
    runCpu(dir);
    const long peakBefore = BenchMeasure::peakKilobytes();
    for (int round = 0; round < rounds; ++round) {
        for (const bool recording : {round % 2 == 0, round % 2 != 0}) {
            LibraryCall::setObserver(recording ? &log : nullptr);
            const std::uint64_t before = log.lastSequence();
            const double cpu = runCpu(dir);
            if (recording) {
                with = std::min(with, cpu);
                callsPerRun = log.lastSequence() - before;
            } else {
                without = std::min(without, cpu);
            }
        }
    }
    const long peakFull = BenchMeasure::peakKilobytes();
    std::printf("DTA run        without log %.3f s CPU, with log %.3f s CPU: %+.1f %% "
                "(target at most +10 %%), %ju calls a run\n",
                without, with, (with - without) / without * 100.0,
                static_cast<std::uintmax_t>(callsPerRun));
    std::printf("log            %zu calls kept, %ju dropped\n", log.size(),
                static_cast<std::uintmax_t>(log.dropped()));
    std::printf("peak memory    %ld MB before the log was filled, %ld MB with the log full\n",
                peakBefore / 1024, peakFull / 1024);

    constexpr std::size_t kCalls = 1'000'000;
    LibraryCall::setObserver(nullptr);
    const double plainCalls = conversionsCpu(kCalls);
    log.install();
    const double recordedCalls = conversionsCpu(kCalls);
    std::printf("one call       ConvertBLZKonto (69-byte record): %.3f us plain, %.3f us "
                "recorded: the log adds %.3f us a call\n",
                plainCalls / kCalls * 1e6, recordedCalls / kCalls * 1e6,
                (recordedCalls - plainCalls) / kCalls * 1e6);
    std::printf("load average   %s after the run\n", loadAverage().c_str());
    LibraryCall::setObserver(nullptr);
    fs::current_path(fs::temp_directory_path(), error);
    fs::remove_all(dir, error);
    return 0;
}
