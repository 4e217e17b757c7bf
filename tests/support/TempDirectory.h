#pragma once

#include <filesystem>

namespace testsupport {

// A fresh, empty folder for one test, made the current directory while the object lives.
// The previous current directory is restored and the folder removed afterwards.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

} // namespace testsupport
