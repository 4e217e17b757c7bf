#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class LogNoticeSink;

// The fixed words of the log file and the notice box. All texts are Windows-1252.

// "SYSTEM", "INFO", "HINWEIS", "FEHLER" for 1 to 4, else "UNBEKANNT".
std::string_view LogTypeWord(std::uint8_t type);

// "CREATE", "APPEND", "STOP", "CLOSE" for 1 to 4, else "UNBEKANNT".
std::string_view LogModeWord(std::int32_t mode);

// Names of the payment library operations 1 to 72, else "Unbekannt".
std::string_view LogActionName(std::uint32_t action);

// The mask as a number, two blanks and the words of its bits, at most 80 characters.
std::string DescribeLogContent(std::uint8_t mask);

// Shows a log line in the notice box of `sink`; true when the user confirmed with OK.
bool ShowLogNotice(LogNoticeSink& sink, std::uint8_t type, std::uint8_t action,
                   std::string_view text);
