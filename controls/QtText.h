#pragma once

#include <QString>
#include <string>
#include <string_view>

// Widgets hold QString, the core holds Windows-1252 bytes; every crossing goes through here.
namespace qttext {

QString fromWin1252(std::string_view bytes);

// Characters without a Windows-1252 byte become "?".
std::string toWin1252(const QString& text);

} // namespace qttext
