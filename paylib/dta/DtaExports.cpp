#include "paylib/dta/DtaExports.h"

#include "paylib/LogActions.h"
#include "paylib/PayLibrary.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaSession.h"

#include <mutex>
#include <new>

namespace paylib {
namespace {

std::mutex& sessionMutex() {
    static std::mutex mutex;
    return mutex;
}

DtaSession& session() {
    static DtaSession instance;
    return instance;
}

// No exception crosses the library boundary; after one the conversion starts afresh.
template <typename Call> std::int32_t guarded(Call&& call) {
    const std::lock_guard<std::mutex> lock(sessionMutex());
    try {
        return call(session());
    } catch (...) {
        session().clear();
        return result::kInternalError;
    }
}

} // namespace

std::int32_t dtaReadDTA(const char* fileName256, char* buffer100) {
    return guarded([&](DtaSession& s) { return s.read(fileName256, buffer100); });
}

std::int32_t dtaGetDTAInfo(char* dtaInfo348, std::int32_t* counter) {
    return guarded([&](DtaSession& s) { return s.next(dtaInfo348, counter); });
}

std::int32_t dtaPutDTAInfo(char* dtaInfo348) {
    return guarded([&](DtaSession& s) { return s.put(dtaInfo348); });
}

std::int32_t dtaWriteDTAtoXML(char* fileHeader404) {
    return guarded([&](DtaSession& s) {
        if (fileHeader404 == nullptr) {
            return result::kNullArgument;
        }
        PayLibrary& library = PayLibrary::instance();
        if (!library.initialised()) {
            return result::kNotInitialised;
        }
        return s.writeXml(fileHeader404, library.bankTable(), library.tempPath(),
                          [&library](std::int32_t, const std::string& line) {
                              library.log().WriteLogLine(LogWriter::kHinweis,
                                                         action::kWriteDTAtoXML, line);
                          });
    });
}

std::int32_t dtaGetDTAProtokoll(char* buffer, std::int32_t bufferSize) {
    return guarded([&](DtaSession& s) { return s.protocol(buffer, bufferSize); });
}

std::int32_t dtaFreeDTAVars() {
    return guarded([](DtaSession& s) {
        s.clear();
        return std::int32_t{0};
    });
}

} // namespace paylib
