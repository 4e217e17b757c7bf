#include "tests/paylib/PayLib.h"

#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <system_error>

namespace paylibtest {
namespace {

namespace fs = std::filesystem;

template <zalvo::EntryPoint E> zalvo::EntryPointFn<E> bind(void* module) {
    return reinterpret_cast<zalvo::EntryPointFn<E>>(
        platform::DynamicLibrary::symbol(module, zalvo::entryPointName(E)));
}

PayLib load() {
    PayLib lib{};
    const fs::path folder = fs::temp_directory_path() / ("paylib-load-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::copy_file(ZALVO_LIBRARY_FILE, folder / "Zalvotech.dll",
                  fs::copy_options::overwrite_existing);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    void* module = platform::DynamicLibrary::open("Zalvotech.dll");
    fs::current_path(previous);
    // The module stays mapped; Linux lets its file go now, Windows keeps a mapped file, so
    // there the copy stays behind in the temporary folder.
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    if (!module)
        return lib;
    using E = zalvo::EntryPoint;
    lib.init = bind<E::Init>(module);
    lib.free = bind<E::Free>(module);
    lib.version = bind<E::Version>(module);
    lib.info = bind<E::Info>(module);
    lib.convertBLZKonto = bind<E::ConvertBLZKonto>(module);
    lib.createXML = bind<E::CreateXML>(module);
    lib.writeXML = bind<E::WriteXML>(module);
    lib.closeXML = bind<E::CloseXML>(module);
    lib.getBIC = bind<E::GetBIC>(module);
    lib.readDTA = bind<E::ReadDTA>(module);
    lib.getDTAInfo = bind<E::GetDTAInfo>(module);
    lib.putDTAInfo = bind<E::PutDTAInfo>(module);
    lib.writeDTAtoXML = bind<E::WriteDTAtoXML>(module);
    lib.getDTAProtokoll = bind<E::GetDTAProtokoll>(module);
    lib.freeDTAVars = bind<E::FreeDTAVars>(module);
    lib.setLogFile = bind<E::SetLogFile>(module);
    return lib;
}

} // namespace

const PayLib& PayLib::get() {
    static const PayLib lib = load();
    const bool complete = lib.init && lib.free && lib.version && lib.info && lib.convertBLZKonto &&
                          lib.createXML && lib.writeXML && lib.closeXML && lib.getBIC &&
                          lib.readDTA && lib.getDTAInfo && lib.putDTAInfo && lib.writeDTAtoXML &&
                          lib.getDTAProtokoll && lib.freeDTAVars && lib.setLogFile;
    EXPECT_TRUE(complete) << "Zalvotech.dll not loaded or an entry point missing";
    if (!complete)
        std::abort();
    return lib;
}

} // namespace paylibtest
