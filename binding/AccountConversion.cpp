#include "binding/AccountConversion.h"

#include "abi/RecordLayouts.h"
#include "binding/LibraryCall.h"
#include "helpers/TextHelpers.h"

namespace zalvo {

namespace {

// The field's text up to its zero; a field the library left unterminated is read up to its
// width and no further, then cut to the characters the field may hold.
std::string outputText(const Record& record, Field field) {
    std::string text = record.text(field);
    if (text.size() > field.maxChars()) {
        text.resize(field.maxChars());
    }
    return text;
}

} // namespace

AccountConversion::AccountConversion() : m_record(account::kSize) {}

AccountConversion::Outcome AccountConversion::convert(OwnerWindow owner,
                                                      std::string_view bankCodeText,
                                                      std::string_view accountText) {
    m_record.zero();
    m_record.putText(account::kBankCode, TrimText(bankCodeText));
    m_record.putText(account::kAccountNumber, TrimText(accountText));

    const auto result =
        LibraryCall::call<EntryPoint::ConvertBLZKonto>(owner, CallReport::Always, m_record.view());
    if (!result) {
        return {kEntryPointMissing, {}, {}};
    }
    if (*result < 0) {
        return {*result, {}, {}};
    }
    return {*result, outputText(m_record, account::kBic), outputText(m_record, account::kIban)};
}

} // namespace zalvo
