#pragma once

namespace testsupport {

// A directory in which nobody, root included, can create a file: Linux's /proc, which the
// Windows build's tests reach under Wine as drive Z:.
#if defined(_WIN32)
inline constexpr const char* kUnwritableDirectory = "Z:\\proc";
#else
inline constexpr const char* kUnwritableDirectory = "/proc";
#endif

} // namespace testsupport
