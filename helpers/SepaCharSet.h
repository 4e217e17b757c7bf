#pragma once

#include "helpers/CharSet.h"

#include <string_view>

// Ä Ö Ü ß ä ö ü, Windows-1252: what mode 1 adds to the basic set.
std::string_view GermanLetters();

// The process-wide set of characters that SEPA texts may carry, chosen by a mode byte:
// 0 basic, 1 basic with German umlauts and sharp s, 2 extended; any other mode acts as 0.
// It starts out as mode 0.
const CharSet& SepaCharSet();

// The mode byte given to the last SelectSepaCharSet.
unsigned char SepaCharSetMode();

void SelectSepaCharSet(unsigned char mode);

// The characters of a mode, without touching the process-wide set.
CharSet SepaCharSetFor(unsigned char mode);
