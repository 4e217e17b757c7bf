// A SEPA payment file of 1,000,000 entries through Zalvotech_WriteXML, with its time, the
// process's peak memory and how writing compares with `cat` copying the same bytes.
// Usage: bench_xml [entries] [directory]
#include "abi/EntryPoints.h"
#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "bench/BenchMeasure.h"
#include "binding/PaymentFileRecords.h"
#include "helpers/DateHelpers.h"
#include "platform/DynamicLibrary.h"
#include "tests/paylib/dta/DtaTestWriter.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
namespace payment = zalvo::payment;
using Clock = std::chrono::steady_clock;

long peakKilobytes() {
    return BenchMeasure::peakKilobytes();
}

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

template <zalvo::EntryPoint E> zalvo::EntryPointFn<E> bind(void* module) {
    return reinterpret_cast<zalvo::EntryPointFn<E>>(
        platform::DynamicLibrary::symbol(module, zalvo::entryPointName(E)));
}

} // namespace

int main(int argc, char** argv) {
    const long entries = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    const fs::path work =
        argc > 2 ? fs::path(argv[2])
                 : fs::temp_directory_path() / ("bench-xml-" + std::to_string(getpid()));
    fs::create_directories(work);
    fs::copy_file(ZALVO_LIBRARY_FILE, work / "Zalvotech.dll", fs::copy_options::overwrite_existing);
    const fs::path previous = fs::current_path();
    fs::current_path(work);
    void* module = platform::DynamicLibrary::open("Zalvotech.dll");
    fs::current_path(previous);
    if (!module) {
        std::fprintf(stderr, "Zalvotech.dll not loaded: %s\n",
                     platform::DynamicLibrary::lastError().c_str());
        return 1;
    }
    using E = zalvo::EntryPoint;
    const auto init = bind<E::Init>(module);
    const auto create = bind<E::CreateXML>(module);
    const auto write = bind<E::WriteXML>(module);
    const auto close = bind<E::CloseXML>(module);
    if (init("", "", "", 0) != 0)
        return 1;
    const long baseline = peakKilobytes();

    zalvo::Record header(zalvo::fileheader::kSize);
    header.putText(zalvo::fileheader::kExportPath, work.string());
    header.putText(zalvo::fileheader::kFileName, "million.xml");
    header.putText(zalvo::fileheader::kMessageId, "Bench-1");
    header.putText(zalvo::fileheader::kInitiatingParty, "Benchmark GmbH");
    if (create(header.data()) != 0)
        return 1;

    // Entries as the bank-code dialog writes them: each one derives two IBANs and BICs.
    zalvo::Record entry(payment::kSize);
    entry.putText(payment::kReference1, "Test");
    entry.putText(payment::kExecutionDate, zalvo::PaymentFileRecords::ExecutionDate(Today()));
    entry.putText(payment::kOriginatorName, "Benchmark GmbH");
    entry.putText(payment::kOriginatorBankCode, "50010517");
    entry.putText(payment::kOriginatorAccount, "648489890");
    // A standard-rule bank whose accounts carry method-00 check digits.
    entry.putText(payment::kRecipientBankCode, "12030000");
    entry.putText(payment::kReference2, "ETE");
    entry.putText(payment::kRemittance1, "Rechnung Nummer 2026-12345");

    const Clock::time_point start = Clock::now();
    const double cpuStart = BenchMeasure::cpuSeconds();
    long failed = 0;
    for (long i = 0; i < entries; ++i) {
        const std::string n = std::to_string(i + 1);
        entry.putText(payment::kRecipientName, "Empfaenger " + n);
        entry.putText(payment::kRecipientAccount,
                      std::to_string(dtatest::withMethod00CheckDigit(i + 1)));
        entry.putText(payment::kAmountCents, std::to_string(i % 100000 + 1));
        if (write(entry.data()) != 0)
            ++failed;
    }
    const double writing = seconds(start);
    const double cpuWriting = BenchMeasure::cpuSeconds() - cpuStart;
    const long afterWrites = peakKilobytes();

    const Clock::time_point closing = Clock::now();
    zalvo::Record summary(zalvo::summary::kSize);
    const int32_t closed = close(summary.data());
    const double closeTime = seconds(closing);
    const double cpuTotal = BenchMeasure::cpuSeconds() - cpuStart;
    const fs::path file = work / "million.xml";
    const auto size = fs::exists(file) ? fs::file_size(file) : 0;
    const BenchMeasure::Times cat = BenchMeasure::catCopy({file}, work / "copy.xml");

    std::printf("entries written:        %ld (%ld refused)\n", entries - failed, failed);
    std::printf("CloseXML:               %d, count %d, sum %s cents\n", closed,
                summary.int32(zalvo::summary::kCount),
                summary.text(zalvo::summary::kSumCents).c_str());
    std::printf("WriteXML total:         %.2f s wall, %.2f s cpu (%.2f us per entry)\n", writing,
                cpuWriting, writing * 1e6 / static_cast<double>(entries));
    std::printf("CloseXML (assembly):    %.2f s wall\n", closeTime);
    std::printf("write and close:        %.2f s wall, %.2f s cpu (target < 1.5 s)\n",
                writing + closeTime, cpuTotal);
    std::printf("cat of the same bytes:  %.2f s wall, %.2f s cpu (writing is %.1f x wall, "
                "%.1f x cpu)\n",
                cat.wall, cat.cpu, cat.wall > 0 ? (writing + closeTime) / cat.wall : 0.0,
                cat.cpu > 0 ? cpuTotal / cat.cpu : 0.0);
    std::printf("file size:              %.1f MB\n", static_cast<double>(size) / 1e6);
    std::printf("peak RSS after Init:    %.1f MB\n", static_cast<double>(baseline) / 1024.0);
    std::printf("peak RSS after writes:  %.1f MB\n", static_cast<double>(afterWrites) / 1024.0);
    std::printf("peak RSS after close:   %.1f MB\n", static_cast<double>(peakKilobytes()) / 1024.0);
    fs::remove_all(work);
    return closed == 0 && failed == 0 ? 0 : 1;
}
