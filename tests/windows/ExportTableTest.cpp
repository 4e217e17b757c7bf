// The built Zalvotech.dll as Windows sees it: the sixteen entry points under their plain
// names and nothing else, and no import but Windows' own DLLs, so the library runs on a
// machine that has nothing of the compiler's run-time.
#include "abi/EntryPoints.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

std::string ownFolder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path(self);
    return path.substr(0, path.find_last_of("\\/"));
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The loaded image's tables, read through its own headers.
class LibraryImage {
public:
    explicit LibraryImage(const std::string& file) : m_module(LoadLibraryA(file.c_str())) {}
    ~LibraryImage() {
        if (m_module)
            FreeLibrary(m_module);
    }
    LibraryImage(const LibraryImage&) = delete;
    LibraryImage& operator=(const LibraryImage&) = delete;

    bool loaded() const { return m_module != nullptr; }

    std::vector<std::string> exportedNames() const {
        const auto* exports = table<IMAGE_EXPORT_DIRECTORY>(IMAGE_DIRECTORY_ENTRY_EXPORT);
        std::vector<std::string> names;
        if (!exports)
            return names;
        const auto* nameRvas = at<DWORD>(exports->AddressOfNames);
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            names.emplace_back(at<char>(nameRvas[i]));
        return names;
    }

    DWORD exportedFunctionCount() const {
        const auto* exports = table<IMAGE_EXPORT_DIRECTORY>(IMAGE_DIRECTORY_ENTRY_EXPORT);
        return exports ? exports->NumberOfFunctions : 0;
    }

    std::vector<std::string> importedLibraries() const {
        std::vector<std::string> names;
        for (const auto* entry = table<IMAGE_IMPORT_DESCRIPTOR>(IMAGE_DIRECTORY_ENTRY_IMPORT);
             entry && entry->Name != 0; ++entry)
            names.emplace_back(at<char>(entry->Name));
        return names;
    }

    WORD machine() const { return headers()->FileHeader.Machine; }

private:
    template <typename T> const T* at(DWORD rva) const {
        return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(m_module) + rva);
    }
    const IMAGE_NT_HEADERS* headers() const {
        return at<IMAGE_NT_HEADERS>(at<IMAGE_DOS_HEADER>(0)->e_lfanew);
    }
    template <typename T> const T* table(int directory) const {
        const IMAGE_DATA_DIRECTORY& entry = headers()->OptionalHeader.DataDirectory[directory];
        return entry.VirtualAddress == 0 ? nullptr : at<T>(entry.VirtualAddress);
    }

    HMODULE m_module;
};

class ExportTable : public ::testing::Test {
protected:
    LibraryImage m_image{ownFolder() + "\\Zalvotech.dll"};
};

TEST_F(ExportTable, SixteenEntryPointsUnderTheirPlainNamesAndNothingElse) {
    ASSERT_TRUE(m_image.loaded());
    std::vector<std::string> expected(zalvo::kEntryPointNames.begin(),
                                      zalvo::kEntryPointNames.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(m_image.exportedNames(), expected);
    EXPECT_EQ(m_image.exportedFunctionCount(), zalvo::kEntryPointCount);
}

TEST_F(ExportTable, BuiltForThisProgramsProcessor) {
    ASSERT_TRUE(m_image.loaded());
#if defined(_WIN64)
    EXPECT_EQ(m_image.machine(), IMAGE_FILE_MACHINE_AMD64);
#else
    EXPECT_EQ(m_image.machine(), IMAGE_FILE_MACHINE_I386);
#endif
}

TEST_F(ExportTable, ImportsOnlyWindowsOwnLibraries) {
    ASSERT_TRUE(m_image.loaded());
    const std::vector<std::string> imports = m_image.importedLibraries();
    ASSERT_FALSE(imports.empty());
    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    const std::set<std::string> compilerRuntime = {"LIBSTDC++-6.DLL", "LIBGCC_S_DW2-1.DLL",
                                                   "LIBGCC_S_SEH-1.DLL", "LIBWINPTHREAD-1.DLL"};
    for (const std::string& library : imports) {
        EXPECT_EQ(compilerRuntime.count(upper(library)), 0u) << library;
        const std::string inSystem = std::string(system) + "\\" + library;
        EXPECT_NE(GetFileAttributesA(inSystem.c_str()), INVALID_FILE_ATTRIBUTES)
            << library << " is not in " << system;
    }
}

} // namespace
