#include "tests/support/TempDirectory.h"

#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace testsupport {
namespace {

constexpr int kNameAttempts = 100;

std::filesystem::path freshFolder() {
    static std::mt19937 generator{std::random_device{}()};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path candidate =
            base / ("zalvo-test-" + std::to_string(generator()));
        // create_directory answers false for a name that exists: that one belongs to another.
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error))
            return candidate;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

} // namespace

TempDirectory::TempDirectory() : m_previous(std::filesystem::current_path()) {
    m_path = freshFolder();
    std::filesystem::current_path(m_path);
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace testsupport
