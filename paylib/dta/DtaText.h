#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text of DTA fields: DIN 66003 umlauts, blank padding, and the few forms the protocol uses.
namespace paylib::dtatext {

// False for control bytes and for the five bytes Windows-1252 leaves undefined; such a byte
// in a text field marks a garbled file.
bool isTextByte(unsigned char byte);

// Maps the DIN 66003 national bytes ([ \ ] { | } ~ for Ä Ö Ü ä ö ü ß) to Windows-1252 and
// keeps every other byte, so files written in Windows-1252 read the same.
char toWin1252(unsigned char byte);

// The field's bytes mapped to Windows-1252, without leading and trailing blanks.
std::string decodeField(std::string_view field);

std::string trimBlanks(std::string_view text);

// 155646 -> "1556,46"
std::string formatCents(std::uint64_t cents);

// "30012010" -> "30.01.2010"; other input comes back unchanged.
std::string formatDate(std::string_view digits);

// True for eight digits DDMMYYYY naming a real calendar day (years 1900 to 2999).
bool isValidDate(std::string_view digits);

} // namespace paylib::dtatext
