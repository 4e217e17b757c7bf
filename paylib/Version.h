#pragma once

#include <string_view>

// The stand-in library's own version, as Zalvotech_Version reports it.
namespace paylib::version {

inline constexpr std::string_view kText = "1.0.0";
inline constexpr std::string_view kDate = "08122026"; // DDMMYYYY

} // namespace paylib::version
