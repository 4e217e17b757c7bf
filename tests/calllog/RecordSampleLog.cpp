// Records a short session against the Zalvotech.dll of the current directory through the
// binding's call step, as the program does, and saves the call log: Init, then the conversion
// of 37040044 / 532013000. Argument: the file to save to.
#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/LibraryCall.h"
#include "calllog/CallLog.h"
#include "calllog/CallLogWriter.h"

#include <cstdio>

using zalvo::CallReport;
using zalvo::EntryPoint;
using zalvo::LibraryCall;
using zalvo::Record;

int main(int argc, char** argv) {
    if (argc != 2 || zalvo::DLLAPI::loadAndBind() != zalvo::kResultOk) {
        std::fputs("usage: record_sample_log FILE, with Zalvotech.dll in the current directory\n",
                   stderr);
        return 2;
    }
    zalvo::calllog::CallLog log;
    log.install();
    const Record empty(zalvo::kPathBufferSize);
    static_cast<void>(LibraryCall::call<EntryPoint::Init>(
        nullptr, CallReport::Nothing, empty.view(), empty.view(), empty.view(), 0));
    Record account(zalvo::account::kSize);
    account.putText(zalvo::account::kBankCode, "37040044");
    account.putText(zalvo::account::kAccountNumber, "532013000");
    static_cast<void>(LibraryCall::call<EntryPoint::ConvertBLZKonto>(nullptr, CallReport::Nothing,
                                                                     account.view()));
    return zalvo::calllog::CallLogWriter::save(argv[1], log) ? 0 : 1;
}
