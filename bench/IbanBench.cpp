// IBAN derivation through a loaded copy of Zalvotech.dll: Zalvotech_Init with the embedded bank
// data, then 1,000,000 conversions of random bank codes and accounts through
// Zalvotech_ConvertBLZKonto, with CPU and wall time and the machine's load.
// Usage: bench_iban [conversions]
#include "abi/EntryPoints.h"
#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "paylib/bank/EmbeddedBankData.h"
#include "paylib/bank/EmbeddedBankTable.h"
#include "platform/DynamicLibrary.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

namespace account = zalvo::account;
using Clock = std::chrono::steady_clock;

constexpr int kInitRounds = 20;
constexpr int kUnknownBankPercent = 5;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double wallSeconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

template <zalvo::EntryPoint E> zalvo::EntryPointFn<E> bind(void* module) {
    return reinterpret_cast<zalvo::EntryPointFn<E>>(
        platform::DynamicLibrary::symbol(module, zalvo::entryPointName(E)));
}

struct Input {
    std::string bankCode;
    std::string account;
};

// Bank codes of the embedded data (a few made-up ones among them), accounts of 1 to 10 digits.
std::vector<Input> randomInputs(long count) {
    std::mt19937_64 random(20251208);
    const auto banks = paylib::embeddedBanks();
    std::vector<Input> inputs;
    inputs.reserve(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) {
        Input input;
        if (static_cast<int>(random() % 100) < kUnknownBankPercent)
            input.bankCode = std::to_string(10000000 + random() % 90000000);
        else
            input.bankCode = banks[random() % banks.size()].bankCode;
        const int digits = 1 + static_cast<int>(random() % 10);
        input.account = std::to_string(1 + random() % 9);
        for (int d = 1; d < digits; ++d)
            input.account += static_cast<char>('0' + random() % 10);
        inputs.push_back(input);
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv) {
    const long conversions = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    std::printf("load average at start: %s\n", loadAverage().c_str());

    // The embedded data as a table, in this process.
    double cpu = cpuSeconds();
    auto wall = Clock::now();
    std::size_t banks = 0;
    for (int i = 0; i < kInitRounds; ++i)
        banks += paylib::EmbeddedBankTable::load().size();
    std::printf("embedded table: %zu banks, %.2f ms CPU / %.2f ms wall per load\n",
                banks / kInitRounds, (cpuSeconds() - cpu) * 1e3 / kInitRounds,
                wallSeconds(wall) * 1e3 / kInitRounds);

    // The built library itself: its speed does not depend on where it is loaded from.
    void* module = platform::DynamicLibrary::open(ZALVO_LIBRARY_FILE);
    if (!module) {
        std::fprintf(stderr, "Zalvotech.dll not loaded: %s\n",
                     platform::DynamicLibrary::lastError().c_str());
        return 1;
    }
    using E = zalvo::EntryPoint;
    const auto init = bind<E::Init>(module);
    const auto convert = bind<E::ConvertBLZKonto>(module);

    // The first Init also builds the check-method tables of libktoblzcheck; count it apart.
    cpu = cpuSeconds();
    wall = Clock::now();
    if (init("", "", "", 0) != 0)
        return 1;
    std::printf("first Zalvotech_Init: %.2f ms CPU / %.2f ms wall\n", (cpuSeconds() - cpu) * 1e3,
                wallSeconds(wall) * 1e3);
    cpu = cpuSeconds();
    wall = Clock::now();
    for (int i = 0; i < kInitRounds; ++i) {
        if (init("", "", "", 0) != 0)
            return 1;
    }
    std::printf("Zalvotech_Init: %.2f ms CPU / %.2f ms wall per call (%d calls)\n",
                (cpuSeconds() - cpu) * 1e3 / kInitRounds, wallSeconds(wall) * 1e3 / kInitRounds,
                kInitRounds);

    const std::vector<Input> inputs = randomInputs(conversions);
    zalvo::Record record(account::kSize);
    std::map<int, long> codes;
    cpu = cpuSeconds();
    wall = Clock::now();
    for (const Input& input : inputs) {
        record.putText(account::kBankCode, input.bankCode);
        record.putText(account::kAccountNumber, input.account);
        ++codes[convert(record.data())];
    }
    const double cpuUsed = cpuSeconds() - cpu;
    const double wallUsed = wallSeconds(wall);
    std::printf("%ld conversions: %.3f s CPU, %.3f s wall; %.0f conversions per CPU second\n",
                conversions, cpuUsed, wallUsed, static_cast<double>(conversions) / cpuUsed);
    for (const auto& [code, count] : codes)
        std::printf("  code %5d: %ld\n", code, count);
    std::printf("load average at end: %s\n", loadAverage().c_str());
    return 0;
}
