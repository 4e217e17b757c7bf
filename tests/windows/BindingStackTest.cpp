// The binding on Windows: it loads the stand-in Zalvotech.dll by plain name from the current
// directory and calls all sixteen entry points through its table. On 32-bit Windows each
// call must leave the stack pointer where it was: the library clears its arguments
// (__stdcall), as ZALVO_CALL tells the caller. A convention mismatch shows as a shift.
#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::Record;

namespace {

// How far the stack pointer moved across one call through `function`: 0 when caller and
// callee agree on who clears the arguments. The pointer is read around the call in the same
// frame, which the file's frame pointer keeps addressable whatever the call did.
template <typename R, typename... P, typename... A>
__attribute__((noinline)) std::intptr_t stackShift(R(ZALVO_CALL* function)(P...), R& result,
                                                   A... args) {
    std::uintptr_t before = 0;
    std::uintptr_t after = 0;
#if defined(__i386__)
    asm volatile("movl %%esp, %0" : "=r"(before));
    result = function(args...);
    asm volatile("movl %%esp, %0" : "=r"(after));
#else
    asm volatile("movq %%rsp, %0" : "=r"(before));
    result = function(args...);
    asm volatile("movq %%rsp, %0" : "=r"(after));
#endif
    return static_cast<std::intptr_t>(after - before);
}

#if defined(__i386__)
// Clears nothing on return, unlike the __stdcall it is called as in the check of the check.
__attribute__((noinline, cdecl)) std::int32_t callerClears(const char*, const char*, const char*,
                                                           std::int32_t) {
    return 0;
}
#endif

class BindingStack : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path built = fs::path(ownFolder()) / "Zalvotech.dll";
        fs::copy_file(built, m_dir.path() / "Zalvotech.dll");
        DLLAPI::reset();
    }
    void TearDown() override { DLLAPI::reset(); }

    // Calls the bound entry point E and expects the stack to be where it was.
    template <EntryPoint E, typename... A> std::int32_t call(A... args) {
        const auto function = DLLAPI::bound<E>();
        EXPECT_NE(function, nullptr) << zalvo::entryPointName(E);
        if (!function)
            return zalvo::kEntryPointMissing;
        std::int32_t result = 0;
        EXPECT_EQ(stackShift(function, result, args...), 0) << zalvo::entryPointName(E);
        return result;
    }

    static std::string ownFolder() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        return fs::path(self).parent_path().string();
    }

    std::string tempPath(const std::string& name) const { return (m_dir.path() / name).string(); }

    testsupport::TempDirectory m_dir;
};

} // namespace

TEST_F(BindingStack, LoadsTheLibraryByPlainNameFromTheCurrentDirectory) {
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk);
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(reinterpret_cast<HMODULE>(DLLAPI::moduleHandle()), loaded, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(loaded, tempPath("Zalvotech.dll").c_str()), 0) << loaded;
}

TEST_F(BindingStack, EveryEntryPointLeavesTheStackBalanced) {
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk);
    namespace layout = zalvo;

    EXPECT_EQ(call<EntryPoint::Init>("", "", "", 0), 0);
    Record version(layout::version::kSize);
    EXPECT_EQ(call<EntryPoint::Version>(version.data()), 0);
    Record info(layout::info::kSize);
    EXPECT_EQ(call<EntryPoint::Info>(info.data()), 0);

    Record account(layout::account::kSize);
    account.putText(layout::account::kBankCode, "37040044");
    account.putText(layout::account::kAccountNumber, "532013000");
    EXPECT_EQ(call<EntryPoint::ConvertBLZKonto>(account.data()), 0);
    EXPECT_EQ(account.text(layout::account::kIban), "DE89370400440532013000");

    Record bankCode(layout::kBankCodeBufferSize);
    bankCode.putText(0, layout::kBankCodeBufferSize - 1, "21050170");
    Record bic(layout::kBicBufferSize);
    EXPECT_EQ(call<EntryPoint::GetBIC>(static_cast<const char*>(bankCode.data()), bic.data()), 0);
    EXPECT_EQ(bic.text(0, layout::kBicBufferSize), "NOLADE21KIE");

    Record header(layout::fileheader::kSize);
    header.putText(layout::fileheader::kExportPath, m_dir.path().string());
    header.putInt32(layout::fileheader::kPaymentType, layout::fileheader::kCreditTransfer);
    header.putText(layout::fileheader::kFileName, "out.xml");
    header.putText(layout::fileheader::kMessageId, "Id1");
    header.putText(layout::fileheader::kInitiatingParty, "Test");
    EXPECT_EQ(call<EntryPoint::CreateXML>(header.data()), 0);
    Record payment(layout::payment::kSize);
    EXPECT_NE(call<EntryPoint::WriteXML>(payment.data()), 0);
    Record summary(layout::summary::kSize);
    call<EntryPoint::CloseXML>(summary.data());

    Record dtaName(layout::kPathBufferSize);
    dtaName.putText(0, layout::kMaxPathChars, tempPath("missing.dta"));
    Record dtaBuffer(100);
    EXPECT_NE(call<EntryPoint::ReadDTA>(static_cast<const char*>(dtaName.data()), dtaBuffer.data()),
              0);
    Record dtaInfo(layout::dtainfo::kSize);
    std::int32_t counter = 0;
    EXPECT_NE(call<EntryPoint::GetDTAInfo>(dtaInfo.data(), &counter), 0);
    EXPECT_NE(call<EntryPoint::PutDTAInfo>(dtaInfo.data()), 0);
    EXPECT_NE(call<EntryPoint::WriteDTAtoXML>(header.data()), 0);
    char protocol[64] = {};
    EXPECT_GE(call<EntryPoint::GetDTAProtokoll>(protocol, std::int32_t{sizeof protocol}), 0);
    EXPECT_EQ(call<EntryPoint::FreeDTAVars>(), 0);

    Record logName(layout::kPathBufferSize);
    logName.putText(0, layout::kMaxPathChars, tempPath("zalvo.log"));
    EXPECT_EQ(call<EntryPoint::SetLogFile>(static_cast<const char*>(logName.data()),
                                           zalvo::kLogActionCreate, zalvo::kLogContentAll,
                                           zalvo::kLogFlushNone),
              0);
    EXPECT_EQ(call<EntryPoint::SetLogFile>(static_cast<const char*>(logName.data()),
                                           zalvo::kLogActionStop, zalvo::kLogContentAll,
                                           zalvo::kLogFlushNone),
              0);
    EXPECT_EQ(call<EntryPoint::Free>(), 0);
}

TEST(StackShift, SeesACalleeThatLeavesItsArgumentsBehind) {
#if defined(__i386__)
    // The check of the check: a function that clears nothing, called as if it cleared its
    // 16 bytes of arguments, leaves the stack 16 bytes lower.
    const auto mismatched = reinterpret_cast<zalvo::InitFn>(&callerClears);
    std::int32_t result = -1;
    EXPECT_EQ(stackShift(mismatched, result, "", "", "", 0), -16);
    EXPECT_EQ(result, 0);
#else
    GTEST_SKIP() << "64-bit Windows has one calling convention";
#endif
}
