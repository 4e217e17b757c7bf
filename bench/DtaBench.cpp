// DTA conversion end to end through the entry points of Zalvotech.dll, loaded as the program
// loads it: a generated DTA file of 50,000 credit transfers and 50,000 direct debits is read,
// walked through GetDTAInfo/PutDTAInfo as the front end walks it (with the front end's own
// dates), and written as two SEPA XML files. Prints the time of each step, the total, the
// peak memory, and how the write step compares with `cat` copying the same bytes.
// Usage: bench_dta [entries] [directory] (defaults: 100000, the system temp folder).
#include "abi/EntryPoints.h"
#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "bench/BenchMeasure.h"
#include "binding/DtaConversion.h"
#include "helpers/DateHelpers.h"
#include "platform/DynamicLibrary.h"
#include "tests/paylib/dta/DtaTestWriter.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

using zalvo::EntryPoint;
using zalvo::Record;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

template <EntryPoint E> zalvo::EntryPointFn<E> bind(void* module) {
    return reinterpret_cast<zalvo::EntryPointFn<E>>(
        platform::DynamicLibrary::symbol(module, zalvo::entryPointName(E)));
}

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

double cpuSeconds() {
    return BenchMeasure::cpuSeconds();
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t entries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const fs::path base = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
    const fs::path dir = base / ("zalvo-bench-dta-" + std::to_string(::getpid()));
    std::error_code error;
    fs::create_directories(dir, error);
    if (error || entries == 0) {
        std::fprintf(stderr, "usage: bench_dta [entries > 0] [directory]\n");
        return 1;
    }
    fs::copy_file(ZALVO_LIBRARY_FILE, dir / "Zalvotech.dll", error);
    fs::current_path(dir, error);
    void* module = platform::DynamicLibrary::open("Zalvotech.dll");
    if (error || module == nullptr) {
        std::fprintf(stderr, "cannot load Zalvotech.dll: %s\n",
                     platform::DynamicLibrary::lastError().c_str());
        return 1;
    }
    const auto init = bind<EntryPoint::Init>(module);
    const auto readDta = bind<EntryPoint::ReadDTA>(module);
    const auto getInfo = bind<EntryPoint::GetDTAInfo>(module);
    const auto putInfo = bind<EntryPoint::PutDTAInfo>(module);
    const auto writeXml = bind<EntryPoint::WriteDTAtoXML>(module);
    const auto freeVars = bind<EntryPoint::FreeDTAVars>(module);

    const std::string bytes = dtatest::write(
        {dtatest::many(entries / 2, false), dtatest::many(entries - entries / 2, true)});
    const fs::path dtaFile = dir / "bench.dta";
    std::ofstream(dtaFile, std::ios::binary) << bytes;
    std::printf("DTA conversion, %zu entries, %zu bytes of DTA, directory %s\n", entries,
                bytes.size(), dir.string().c_str());

    Record paths(zalvo::kPathBufferSize);
    if (init(paths.data(), paths.data(), paths.data(), 0) != 0) {
        std::fprintf(stderr, "Zalvotech_Init failed\n");
        return 1;
    }
    Record name(zalvo::kPathBufferSize);
    name.putText(0, zalvo::kMaxPathChars, dtaFile.string());
    Record buffer(zalvo::kReadDTABufferSize);
    Record record(zalvo::dtainfo::kSize);
    Record header(zalvo::fileheader::kSize);

    const double cpuStart = cpuSeconds();
    const Clock::time_point start = Clock::now();
    std::int32_t rc = readDta(name.data(), buffer.data());
    const Clock::time_point read = Clock::now();
    const double cpuRead = cpuSeconds();
    std::size_t walked = 0;
    std::int32_t counter = 1;
    const std::int32_t today = Today();
    while (rc == 0) {
        record.zero();
        rc = getInfo(record.data(), &counter);
        if (rc != 0) {
            break;
        }
        zalvo::DtaConversion::completeEntry(record, today);
        if (putInfo(record.data()) != 0) {
            std::fprintf(stderr, "Zalvotech_PutDTAInfo failed at entry %zu\n", walked + 1);
            return 1;
        }
        ++walked;
    }
    const Clock::time_point walkedAt = Clock::now();
    const double cpuWalked = cpuSeconds();
    std::int32_t written[2] = {};
    for (std::int32_t type :
         {zalvo::fileheader::kCreditTransfer, zalvo::fileheader::kDirectDebit}) {
        header.zero();
        header.putText(zalvo::fileheader::kExportPath, dir.string());
        header.putInt32(zalvo::fileheader::kPaymentType, type);
        header.putText(zalvo::fileheader::kFileName, type == 0 ? "credits.xml" : "debits.xml");
        header.putText(zalvo::fileheader::kMessageId, "MessageId1234567890");
        header.putText(zalvo::fileheader::kInitiatingParty, "Testeinreicher");
        written[type] = writeXml(header.data());
    }
    const Clock::time_point end = Clock::now();
    const double cpuEnd = cpuSeconds();
    freeVars();

    if (walked != entries || written[0] != 0 || written[1] != 0) {
        std::fprintf(stderr, "failed: %zu entries walked, write results %d and %d\n", walked,
                     written[0], written[1]);
        return 1;
    }
    const auto size = [&](const char* file) { return fs::file_size(dir / file, error); };
    const BenchMeasure::Times cat =
        BenchMeasure::catCopy({dir / "credits.xml", dir / "debits.xml"}, dir / "copy.xml");
    const double writeWall = seconds(walkedAt, end);
    const double writeCpu = cpuEnd - cpuWalked;
    std::printf("             wall      cpu\n");
    std::printf("read      %8.3f s %8.3f s\n", seconds(start, read), cpuRead - cpuStart);
    std::printf("walk      %8.3f s %8.3f s  (GetDTAInfo + PutDTAInfo)\n", seconds(read, walkedAt),
                cpuWalked - cpuRead);
    std::printf("write XML %8.3f s %8.3f s  (%ju + %ju bytes)\n", writeWall, writeCpu,
                static_cast<std::uintmax_t>(size("credits.xml")),
                static_cast<std::uintmax_t>(size("debits.xml")));
    std::printf("total     %8.3f s %8.3f s  (target < 0.25 s CPU for 100,000 entries)\n",
                seconds(start, end), cpuEnd - cpuStart);
    std::printf("cat copy  %8.3f s %8.3f s  (the same bytes; write XML is %.1f x wall, "
                "%.1f x cpu)\n",
                cat.wall, cat.cpu, cat.wall > 0 ? writeWall / cat.wall : 0.0,
                cat.cpu > 0 ? writeCpu / cat.cpu : 0.0);
    std::printf("peak memory %ld MB (the generated file included)\n",
                BenchMeasure::peakKilobytes() / 1024);
    fs::current_path(base, error);
    fs::remove_all(dir, error);
    return 0;
}
