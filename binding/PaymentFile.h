#pragma once

#include "binding/OwnerWindow.h"
#include "binding/PaymentFileRecords.h"

namespace zalvo {

// The three steps behind a payment file dialog's buttons: XMLCreate hands the file header to
// CreateXML, XMLWrite the entry on screen to WriteXML, XMLClose finishes the file through
// CloseXML and shows the totals. Every answer is shown with the dialog as owner. No call
// order is enforced: the library judges it.
class PaymentFile {
public:
    explicit PaymentFile(AccountForm form);

    // All three records back to zeros, as at the dialog's first activation.
    void reset();

    void create(OwnerWindow owner, const FileHeaderInput& header);
    // The execution date lies six days after today.
    void write(OwnerWindow owner, const PaymentEntryInput& entry);
    // The summary is zeroed first; the totals follow the library's answer only when it is
    // exactly 0, for a file that was really finished.
    void close(OwnerWindow owner);

    const PaymentFileRecords& records() const { return m_records; }

private:
    PaymentFileRecords m_records;
};

} // namespace zalvo
