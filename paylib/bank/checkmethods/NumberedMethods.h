#pragma once

#include <string_view>

// The numbered methods that other methods reuse whole ("as method 00, else ..."), so each
// exists once. Each is defined in the file of its range, with the CheckMethod signature.
namespace paylib::checkmethods {

bool method00(std::string_view bankCode, std::string_view account10);
bool method01(std::string_view bankCode, std::string_view account10);
bool method03(std::string_view bankCode, std::string_view account10);
bool method05(std::string_view bankCode, std::string_view account10);
bool method10(std::string_view bankCode, std::string_view account10);
bool method17(std::string_view bankCode, std::string_view account10);
bool method18(std::string_view bankCode, std::string_view account10);
bool method20(std::string_view bankCode, std::string_view account10);
bool method21(std::string_view bankCode, std::string_view account10);
bool method22(std::string_view bankCode, std::string_view account10);
bool method29(std::string_view bankCode, std::string_view account10);
bool method32(std::string_view bankCode, std::string_view account10);
bool method68(std::string_view bankCode, std::string_view account10);
bool method95(std::string_view bankCode, std::string_view account10);

// Method 04 is not in our tables on its own, but A2, C8 and 74 use it: modulus 11, weights
// 2..7 over positions 9..1, remainder 1 invalid.
bool method04(std::string_view bankCode, std::string_view account10);

// Sub-ledger accounts (9 at position 3) of methods 51, 81, 88 and A8; methods 51, 81 and A8
// check them with modulus 11, weights 2..8 over positions 9..3, else as method 10.
bool isSubLedgerAccount(std::string_view account10);
bool passesSubLedgerAccount(std::string_view bankCode, std::string_view account10);

} // namespace paylib::checkmethods
