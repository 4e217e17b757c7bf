#pragma once

#include "controls/CharClassTable.h"

#include <array>

// The seven character-class tables of the payment-file dialogs, T1 to T7, each defining only
// its own slot: '1' SEPA text with German letters, '2' SEPA code (forced to capitals), '3'
// date, '4' amount, '5' SEPA identifier (bound to no field), '6' path, '7' file name.
// Built from the SEPA character set current at construction. The owner keeps this object
// alive as long as fields are bound to its tables.
class PaymentCharClasses {
public:
    static constexpr char kFirstClass = '1';
    static constexpr char kLastClass = '7';
    // The class that is installed but given to no field.
    static constexpr char kUnboundClass = '5';

#ifdef _WIN32
    static constexpr bool kNativeSlashInPaths = false;
#else
    static constexpr bool kNativeSlashInPaths = true;
#endif

    // `slashInPaths`: the path and file-name classes also admit "/", the POSIX delimiter.
    explicit PaymentCharClasses(bool slashInPaths = kNativeSlashInPaths);

    // Table Tn for class '1' to '7'; the default table for anything else.
    const CharClassTable& table(char cls) const;

    // The table a field with picture mask `mask` is bound to, or null when the field keeps
    // its own (masks "X", "9", the unbound class '5' and anything unknown).
    const CharClassTable* tableForMask(char mask) const;

    static CharSet textSet();
    static CharSet codeSet();
    static CharSet dateSet();
    static CharSet amountSet();
    static CharSet identifierSet();
    static CharSet pathSet(bool slashInPaths);
    static CharSet fileNameSet(bool slashInPaths);

private:
    std::array<CharClassTable, kLastClass - kFirstClass + 1> m_tables;
};
