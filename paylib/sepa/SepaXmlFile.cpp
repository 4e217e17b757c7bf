#include "paylib/sepa/SepaXmlFile.h"

#include "helpers/DateHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/sepa/SepaBlocks.h"
#include "paylib/sepa/SepaText.h"
#include "paylib/sepa/TempFile.h"
#include "platform/Clock.h"
#include "platform/Win1252.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace paylib {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxIdentifier = 35;
// Characters no file name may hold, on any platform the library is built for.
constexpr std::string_view kForbiddenInName = "/\\:*?\"<>|";
constexpr unsigned char kFirstPrintable = 0x20;
// Widest totals: 9,999,999 entries, 9,999,999,999,999.99 EUR.
constexpr std::size_t kCountDigits = 7;
constexpr std::size_t kSumChars = 16;

constexpr std::string_view kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";
constexpr std::string_view kCreditNamespace = "urn:iso:std:iso:20022:tech:xsd:pain.001.001.09";
constexpr std::string_view kDebitNamespace = "urn:iso:std:iso:20022:tech:xsd:pain.008.001.08";
constexpr std::string_view kTotalsIndent = "      ";
constexpr std::string_view kBlockEnd = "    </PmtInf>\n";
// Each block is booked as one batch on the originator's statement: that is what gathering
// the entries of one key into one block is for.
constexpr std::string_view kBatchBooking = "true";

bool validFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < kFirstPrintable ||
            kForbiddenInName.find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

std::string directoryPath(std::string_view w1252) {
    return w1252.empty() ? std::string(".") : win1252::toUtf8(w1252);
}

std::string creationTime() {
    const platform::LocalDateTime now = platform::Clock::current().now();
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d", now.year, now.month,
                  now.day, now.hour, now.minute, now.second);
    return text.data();
}

void appendPadded(std::string& out, std::size_t from, std::size_t width) {
    out.append(width > out.size() - from ? width - (out.size() - from) : 0, ' ');
    out += '\n';
}

// NbOfTxs and CtrlSum. Padded, they take the same room whatever the totals, so they can be
// written before the totals are known and filled in at close; the blanks after the
// elements are the ignorable white space between elements.
std::string totalsXml(std::int64_t count, std::int64_t sumCents, bool padded) {
    static constexpr std::string_view kCountOpen = "<NbOfTxs>";
    static constexpr std::string_view kCountClose = "</NbOfTxs>";
    static constexpr std::string_view kSumOpen = "<CtrlSum>";
    static constexpr std::string_view kSumClose = "</CtrlSum>";
    std::string text(kTotalsIndent);
    std::size_t from = text.size();
    text += kCountOpen;
    text += std::to_string(count);
    text += kCountClose;
    appendPadded(text, from, padded ? kCountOpen.size() + kCountDigits + kCountClose.size() : 0);
    text += kTotalsIndent;
    from = text.size();
    text += kSumOpen;
    SepaPaymentBuilder::appendEuros(sumCents, text);
    text += kSumClose;
    appendPadded(text, from, padded ? kSumOpen.size() + kSumChars + kSumClose.size() : 0);
    return text;
}

} // namespace

SepaXmlFile::SepaXmlFile(const SepaFileSpec& fileSpec, const BankTable& table)
    : m_spec(fileSpec), m_builder(table, fileSpec.kind) {}

SepaXmlFile::~SepaXmlFile() = default;

std::int32_t SepaXmlFile::open(const SepaFileSpec& fileSpec, std::string_view tempDirectory,
                               const BankTable& table, std::unique_ptr<SepaXmlFile>& file) {
    file.reset();
    std::error_code ec;
    const std::string directory = directoryPath(fileSpec.directory);
    if (!fs::is_directory(directory, ec))
        return result::kExportPathInvalid;
    if (!validFileName(fileSpec.fileName))
        return result::kFileNameInvalid;
    const std::string target = (fs::path(directory) / win1252::toUtf8(fileSpec.fileName)).string();
    if (fs::is_directory(target, ec))
        return result::kFileNameInvalid;
    if (!SepaText::isIdentifier(fileSpec.messageId, true))
        return result::kMessageIdInvalid;
    std::string party;
    const SepaText::Fit fit =
        SepaText::fit(fileSpec.initiatingParty, SepaText::kMaxName, true, party);
    if (fit == SepaText::Fit::Refused)
        return result::kInitiatingPartyInvalid;

    std::unique_ptr<SepaXmlFile> created(new SepaXmlFile(fileSpec, table));
    created->m_spec.initiatingParty = party;
    created->m_target = target;
    std::string scratch = directoryPath(tempDirectory);
    if (tempDirectory.empty() || !fs::is_directory(scratch, ec))
        scratch = directory;
    created->m_document = TempFile::forTarget(directory, win1252::toUtf8(fileSpec.fileName));
    created->m_scratch = TempFile::scratch(scratch);
    created->m_blocks = SepaBlocks::create(scratch);
    if (!created->m_document || !created->m_scratch || !created->m_blocks ||
        !created->m_document->append(created->groupHeader()))
        return result::kFileNotWritable;
    file = std::move(created);
    return fit == SepaText::Fit::Cut ? result::kNoticeInitiatingPartyCut : result::kOk;
}

std::string SepaXmlFile::groupHeader() {
    const bool debit = m_spec.kind == SepaFileSpec::Kind::DirectDebit;
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document xmlns=\"";
    text += debit ? kDebitNamespace : kCreditNamespace;
    text += "\" xmlns:xsi=\"";
    text += kXsiNamespace;
    text += "\">\n  <";
    text += debit ? "CstmrDrctDbtInitn" : "CstmrCdtTrfInitn";
    text += ">\n    <GrpHdr>\n      <MsgId>" + SepaText::xml(m_spec.messageId) + "</MsgId>\n";
    text += "      <CreDtTm>" + creationTime() + "</CreDtTm>\n";
    m_groupSlot = m_document->size() + text.size();
    text += totalsXml(0, 0, true);
    text += "      <InitgPty><Nm>" + SepaText::xml(m_spec.initiatingParty) +
            "</Nm></InitgPty>\n    </GrpHdr>\n";
    return text;
}

std::string SepaXmlFile::blockHead(std::size_t index, std::size_t* slot) const {
    const SepaBlocks::Block& block = (*m_blocks)[index];
    std::string suffix(1, '-');
    suffix += std::to_string(index + 1);
    std::string id = m_spec.messageId.substr(0, kMaxIdentifier - suffix.size());
    while (!id.empty() && (id.back() == '/' || id.back() == ' '))
        id.pop_back();
    std::string head = "    <PmtInf>\n      <PmtInfId>" + SepaText::xml(id + suffix) +
                       "</PmtInfId>\n      <PmtMtd>";
    head += m_spec.kind == SepaFileSpec::Kind::DirectDebit ? "DD" : "TRF";
    head += "</PmtMtd>\n      <BtchBookg>";
    head += kBatchBooking;
    head += "</BtchBookg>\n";
    if (slot)
        *slot = head.size();
    head += totalsXml(block.count, block.sumCents, slot != nullptr);
    head += m_builder.blockXml(block.fields);
    return head;
}

std::int32_t SepaXmlFile::addToDocument(bool fresh) {
    if (!fresh)
        return m_document->append(m_built.transactionXml) ? result::kOk : result::kWriteFailed;
    std::size_t slot = 0;
    std::string text = blockHead(0, &slot);
    text += m_built.transactionXml;
    const std::uint64_t at = m_document->size();
    if (!m_document->append(text))
        return result::kWriteFailed;
    m_firstBlockSlot = at + slot;
    return result::kOk;
}

std::int32_t SepaXmlFile::addToScratch(std::size_t block) {
    const std::uint64_t start = m_scratch->size();
    if (!m_scratch->append(m_built.transactionXml) ||
        !m_blocks->noteEntry(block, start, m_scratch->size()))
        return result::kWriteFailed;
    return result::kOk;
}

std::int32_t SepaXmlFile::add(const SepaPayment& payment) {
    return add(payment, Today());
}

std::int32_t SepaXmlFile::add(const SepaPayment& payment, std::int32_t today) {
    if (m_finished)
        return result::kNoFileOpen;
    if (m_totals.count >= kMaxEntries)
        return result::kFileLimitReached;
    const std::int32_t code = m_builder.build(payment, today, m_built);
    if (code < 0) {
        m_built.noticeCount = 0;
        return code;
    }
    if (m_built.cents > kMaxSumCents - m_totals.sumCents) {
        m_built.noticeCount = 0;
        return result::kFileLimitReached;
    }

    std::size_t index = m_blocks->find(m_built.blockKey);
    const bool fresh = index == m_blocks->size();
    if (fresh)
        index = m_blocks->add(m_built.blockKey, m_built.block);
    const std::int32_t written = index == 0 ? addToDocument(fresh) : addToScratch(index);
    if (written != result::kOk) {
        if (fresh)
            m_blocks->removeLast();
        m_built.noticeCount = 0;
        return written;
    }
    SepaBlocks::Block& block = (*m_blocks)[index];
    ++block.count;
    block.sumCents += m_built.cents;
    ++m_totals.count;
    m_totals.sumCents += m_built.cents;
    return m_built.firstNotice();
}

std::span<const std::int32_t> SepaXmlFile::notices() const {
    return {m_built.notices.data(), m_built.noticeCount};
}

bool SepaXmlFile::writeLaterBlocks() {
    for (std::size_t index = 1; index < m_blocks->size(); ++index) {
        const SepaBlocks::Block& block = (*m_blocks)[index];
        const bool copied =
            m_document->append(blockHead(index, nullptr)) &&
            m_blocks->runs(block,
                           [&](std::uint64_t start, std::uint64_t end) {
                               return m_document->appendCopy(*m_scratch, start, end - start);
                           }) &&
            m_document->append(kBlockEnd);
        if (!copied)
            return false;
    }
    return true;
}

bool SepaXmlFile::fillSlots() {
    const SepaBlocks::Block& first = (*m_blocks)[0];
    return m_document->overwrite(m_groupSlot, totalsXml(m_totals.count, m_totals.sumCents, true)) &&
           m_document->overwrite(m_firstBlockSlot, totalsXml(first.count, first.sumCents, true));
}

void SepaXmlFile::discard() {
    m_finished = true;
    m_document.reset();
    m_scratch.reset();
    m_blocks.reset();
}

std::int32_t SepaXmlFile::close(SepaSummary& summary) {
    summary = SepaSummary{};
    if (m_finished)
        return result::kNoFileOpen;
    if (m_totals.count == 0) {
        discard();
        return result::kFileWithoutEntries;
    }
    const std::string_view tail = m_spec.kind == SepaFileSpec::Kind::DirectDebit
                                      ? "  </CstmrDrctDbtInitn>\n</Document>\n"
                                      : "  </CstmrCdtTrfInitn>\n</Document>\n";
    const bool written = m_document->append(kBlockEnd) && m_scratch->flush() &&
                         m_blocks->finish() && writeLaterBlocks() && m_document->append(tail) &&
                         fillSlots();
    if (!written) {
        discard();
        return result::kWriteFailed;
    }
    if (!m_document->commit(m_target)) {
        discard();
        return result::kFileNotWritable;
    }
    discard();
    summary = m_totals;
    return result::kOk;
}

} // namespace paylib
