#pragma once

#include <string>
#include <string_view>

// The check-digit methods that IBAN rules name, in the variants the rules need separately (the
// plain test and the method's own exception for a left-out "00" sub-account). Every account is
// ten digits, padded with leading zeros (positions 1..10 from the left).
namespace paylib::iban::checkdigits {

// The account moved two places to the left with "00" appended (the sub-account a customer
// left out).
std::string withSubAccount(std::string_view account10);

// Method 06: modulus 11, weights 2,3,4,5,6,7,2,3,4 over positions 9..1, check digit at 10.
bool method06(std::string_view account10);

// Method 13 without its second try: weights 2,1,2,1,2,1 over positions 7..2 (cross sums),
// check digit at position 8, positions 9-10 a sub-account.
bool method13Plain(std::string_view account10);
// Method 13 as defined: the plain test, or the plain test of the number with "00" appended.
bool method13(std::string_view account10);

// Method 63: as 13, and position 1 must be 0.
bool method63Plain(std::string_view account10);
// The exception of method 63: positions 1-3 are 000, the number moved left by two passes.
bool method63Exception(std::string_view account10);
// Method 63 as defined: the exception for numbers starting with 000, else the plain test.
bool method63(std::string_view account10);

// Method 76: account type at position 1 (0, 4, 6, 7, 8 or 9), a stem of 5 to 7 digits in
// positions 2..8 with the check digit at 8, weights 2..7 over positions 7..2, modulus 11.
bool method76Plain(std::string_view account10);
// The exception of method 76: positions 1-2 are 00 and the number moved left by two passes.
bool method76Exception(std::string_view account10);
bool method76(std::string_view account10);

// Method C7: method 63 (with its exception), else method 06.
bool methodC7(std::string_view account10);

} // namespace paylib::iban::checkdigits
