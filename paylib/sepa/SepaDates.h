#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace paylib {

// The dates of a payment as a bank judges them on the day the file is made: no execution
// date in the past, no collection before the next day, no mandate signed after the
// collection. Weekends and holidays are left to the bank, which moves such a date to its
// next business day. Today comes from the process clock.
class SepaDates {
public:
    enum class Verdict { Ok, InThePast, CollectionTooEarly, MandateAfterCollection };
    // The result codes a caller answers a verdict with.
    struct Codes {
        std::int32_t inThePast;
        std::int32_t collectionTooEarly;
        std::int32_t mandateAfterCollection;
    };
    // 0 for Ok, else the verdict's code.
    static std::int32_t codeOf(Verdict verdict, const Codes& codes);

    // Day number of a real date DDMMYYYY (years 1900 to 2999), or -1.
    static std::int32_t dayNumber(std::string_view digits);
    // YYYY-MM-DD of a day number.
    static std::string isoDate(std::int32_t dayNumber);

    // Execution date of a credit transfer, on the day `today`.
    static Verdict checkExecution(std::int32_t date, std::int32_t today);
    // Collection date of a direct debit and the day its mandate was signed.
    static Verdict checkCollection(std::int32_t date, std::int32_t mandateSigned,
                                   std::int32_t today);
};

} // namespace paylib
