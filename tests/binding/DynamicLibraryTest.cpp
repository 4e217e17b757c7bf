#include "platform/DynamicLibrary.h"

#include "tests/support/FakeLibrary.h"
#include "tests/support/TempDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using platform::DynamicLibrary;
using testsupport::FakeLibrary;
using testsupport::FakeVariant;

namespace {

// CTest puts the folder of the entry-point-less variant on the loader's search path, so a
// module found by the system loader can be told apart from one in the current directory.
bool systemPathHoldsTheBareVariant() {
    const char* path = std::getenv("LD_LIBRARY_PATH");
    const auto folder = FakeLibrary::variantPath(FakeVariant::None).parent_path().string();
    return path && std::string(path).find(folder) != std::string::npos;
}

} // namespace

TEST(DynamicLibrary, UnknownNameGivesNullAndAReason) {
    testsupport::TempDirectory empty;
    EXPECT_EQ(DynamicLibrary::open("NoSuchLibrary.dll"), nullptr);
    EXPECT_FALSE(DynamicLibrary::lastError().empty());
    EXPECT_EQ(DynamicLibrary::open(""), nullptr);
}

TEST(DynamicLibrary, SymbolOfANullModuleOrUnknownNameIsNull) {
    EXPECT_EQ(DynamicLibrary::symbol(nullptr, "Zalvotech_Init"), nullptr);
    FakeLibrary fake;
    void* module = DynamicLibrary::open("Zalvotech.dll");
    ASSERT_EQ(module, fake.module());
    EXPECT_NE(DynamicLibrary::symbol(module, "Zalvotech_Init"), nullptr);
    EXPECT_EQ(DynamicLibrary::symbol(module, "zalvotech_init"), nullptr);
}

TEST(DynamicLibrary, CurrentDirectoryComesBeforeTheSystemSearch) {
    if (!systemPathHoldsTheBareVariant()) {
        GTEST_SKIP() << "needs the LD_LIBRARY_PATH that CTest sets";
    }
    FakeLibrary fake(FakeVariant::Full);
    void* module = DynamicLibrary::open("Zalvotech.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(DynamicLibrary::symbol(module, "Zalvotech_Init"), nullptr);
}

TEST(DynamicLibrary, SystemSearchWhenTheCurrentDirectoryHasNone) {
    if (!systemPathHoldsTheBareVariant()) {
        GTEST_SKIP() << "needs the LD_LIBRARY_PATH that CTest sets";
    }
    testsupport::TempDirectory empty;
    void* module = DynamicLibrary::open("Zalvotech.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(DynamicLibrary::symbol(module, "Zalvotech_Init"), nullptr);
    EXPECT_NE(DynamicLibrary::symbol(module, "Fake_Reset"), nullptr);
}
