#pragma once

#include <sys/resource.h>

namespace testsupport {

// Makes every write to a regular file fail with EFBIG while it lives (also for root), the
// way a full disk refuses it; files can still be created.
class FileSizeLimitZero {
public:
    FileSizeLimitZero();
    ~FileSizeLimitZero();
    FileSizeLimitZero(const FileSizeLimitZero&) = delete;
    FileSizeLimitZero& operator=(const FileSizeLimitZero&) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

} // namespace testsupport
