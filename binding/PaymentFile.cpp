#include "binding/PaymentFile.h"

#include "binding/LibraryCall.h"
#include "binding/ResultReporter.h"
#include "helpers/DateHelpers.h"

namespace zalvo {

PaymentFile::PaymentFile(AccountForm form) : m_records(form) {}

void PaymentFile::reset() {
    m_records.zero();
}

void PaymentFile::create(OwnerWindow owner, const FileHeaderInput& header) {
    m_records.fillFileHeader(header);
    static_cast<void>(LibraryCall::call<EntryPoint::CreateXML>(owner, CallReport::Always,
                                                               m_records.fileHeader().view()));
}

void PaymentFile::write(OwnerWindow owner, const PaymentEntryInput& entry) {
    m_records.fillPaymentEntry(entry, Today());
    static_cast<void>(LibraryCall::call<EntryPoint::WriteXML>(owner, CallReport::Always,
                                                              m_records.paymentEntry().view()));
}

void PaymentFile::close(OwnerWindow owner) {
    m_records.zeroSummary();
    const auto result = LibraryCall::call<EntryPoint::CloseXML>(owner, CallReport::Always,
                                                                m_records.summary().view());
    if (result == kResultOk) {
        ResultReporter::reportText(owner, m_records.summaryText());
    }
}

} // namespace zalvo
