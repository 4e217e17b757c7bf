#pragma once

#include "abi/EntryPoints.h"

#include <filesystem>
#include <string>

namespace paylibtest {

// The built Zalvotech.dll, loaded once per test process the way the program loads it: a
// copy in a temporary folder, opened by its plain name from there as the current directory.
struct PayLib {
    zalvo::InitFn init;
    zalvo::FreeFn free;
    zalvo::VersionFn version;
    zalvo::InfoFn info;
    zalvo::ConvertBLZKontoFn convertBLZKonto;
    zalvo::CreateXMLFn createXML;
    zalvo::WriteXMLFn writeXML;
    zalvo::CloseXMLFn closeXML;
    zalvo::GetBICFn getBIC;
    zalvo::ReadDTAFn readDTA;
    zalvo::GetDTAInfoFn getDTAInfo;
    zalvo::PutDTAInfoFn putDTAInfo;
    zalvo::WriteDTAtoXMLFn writeDTAtoXML;
    zalvo::GetDTAProtokollFn getDTAProtokoll;
    zalvo::FreeDTAVarsFn freeDTAVars;
    zalvo::SetLogFileFn setLogFile;

    // Fails the current test fatally (ASSERT) when the library or an entry point is missing.
    static const PayLib& get();

    // Initialised with empty paths, as on a fresh machine; 0 on success.
    int32_t initDefault() const { return init("", "", "", 0); }
};

} // namespace paylibtest
