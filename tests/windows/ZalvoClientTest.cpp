// A Windows client of its own, knowing nothing of this project but the library's published
// contract: it loads Zalvotech.dll by plain name from the current directory, binds two entry
// points as __stdcall functions and converts a German bank code and account number.
// This program lives in a folder without the library, so the system's search has to find it
// in the current directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

using InitFn = std::int32_t(__stdcall*)(const char*, const char*, const char*, std::int32_t);
using ConvertFn = std::int32_t(__stdcall*)(char*);

// The 69-byte account record: bank code 9, account number 12, BIC 12, IBAN 36 bytes, each
// a zero-terminated text.
constexpr std::size_t kRecordSize = 69;
constexpr std::size_t kBankCodeAt = 0;
constexpr std::size_t kAccountAt = 9;
constexpr std::size_t kBicAt = 21;
constexpr std::size_t kIbanAt = 33;
constexpr std::size_t kIbanWidth = 36;
constexpr std::size_t kBicWidth = 12;

std::string folderOf(const std::string& file) {
    return file.substr(0, file.find_last_of("\\/"));
}

std::string ownFolder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return folderOf(self);
}

std::string textAt(const char* record, std::size_t offset, std::size_t width) {
    return std::string(record + offset, strnlen(record + offset, width));
}

class ZalvoClient : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        char folder[MAX_PATH] = {};
        ASSERT_NE(GetTempFileNameA(temp, "zvc", 0, folder), 0u);
        // GetTempFileName reserves the name as a file; the folder takes its place.
        DeleteFileA(folder);
        ASSERT_TRUE(CreateDirectoryA(folder, nullptr));
        m_folder = folder;
        // The library is built one folder up, beside the other test programs.
        const std::string built = folderOf(ownFolder()) + "\\Zalvotech.dll";
        ASSERT_TRUE(CopyFileA(built.c_str(), (m_folder + "\\Zalvotech.dll").c_str(), TRUE))
            << built;
        GetCurrentDirectoryA(MAX_PATH, m_previous);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.c_str()));
    }

    void TearDown() override {
        if (m_module)
            FreeLibrary(m_module);
        SetCurrentDirectoryA(m_previous);
        DeleteFileA((m_folder + "\\Zalvotech.dll").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    // FARPROC is a function type of its own; the way through void* says the cast is meant.
    void* symbol(const char* name) const {
        return reinterpret_cast<void*>(GetProcAddress(m_module, name));
    }

    std::string m_folder;
    char m_previous[MAX_PATH] = {};
    HMODULE m_module = nullptr;
};

TEST_F(ZalvoClient, ConvertsBankCodeAndAccountThroughStdcallEntryPoints) {
    ASSERT_EQ(GetFileAttributesA((ownFolder() + "\\Zalvotech.dll").c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "the program's own folder must not hold the library";
    m_module = LoadLibraryA("Zalvotech.dll");
    ASSERT_NE(m_module, nullptr) << "LoadLibraryA failed with " << GetLastError();
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(m_module, loaded, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(folderOf(loaded).c_str(), m_folder.c_str()), 0) << loaded;

    const auto init = reinterpret_cast<InitFn>(symbol("Zalvotech_Init"));
    const auto convert = reinterpret_cast<ConvertFn>(symbol("Zalvotech_ConvertBLZKonto"));
    ASSERT_NE(init, nullptr);
    ASSERT_NE(convert, nullptr);

    ASSERT_EQ(init("", "", "", 0), 0);
    char record[kRecordSize] = {};
    std::memcpy(record + kBankCodeAt, "37040044", 8);
    std::memcpy(record + kAccountAt, "532013000", 9);
    ASSERT_EQ(convert(record), 0);
    EXPECT_EQ(textAt(record, kIbanAt, kIbanWidth), "DE89370400440532013000");
    EXPECT_EQ(textAt(record, kBicAt, kBicWidth), "COBADEFFXXX");
}

} // namespace
