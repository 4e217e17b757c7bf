#include "paylib/sepa/SepaXmlFile.h"

#include "paylib/ResultCodes.h"
#include "paylib/sepa/SepaText.h"
#include "paylib/sepa/TempFile.h"
#include "platform/Clock.h"
#include "platform/Win1252.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace paylib {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCopyChunk = 1024 * 1024;
constexpr std::size_t kMaxIdentifier = 35;
// Index entry: body start, body end, count, sum, length of the block XML; then that XML.
enum IndexField : std::size_t { kBodyStart, kBodyEnd, kCount, kSum, kXmlSize, kIndexFields };
constexpr std::size_t kIndexHeader = kIndexFields * sizeof(std::uint64_t);
// A block's XML is a few hundred bytes; anything larger in the index is damage.
constexpr std::uint64_t kMaxBlockXml = 64 * 1024;
// Characters no file name may hold, on any platform the library is built for.
constexpr std::string_view kForbiddenInName = "/\\:*?\"<>|";
constexpr unsigned char kFirstPrintable = 0x20;

constexpr std::string_view kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";
constexpr std::string_view kCreditNamespace = "urn:iso:std:iso:20022:tech:xsd:pain.001.001.09";
constexpr std::string_view kDebitNamespace = "urn:iso:std:iso:20022:tech:xsd:pain.008.001.08";

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

void putU64(std::string& out, std::uint64_t value) {
    std::array<char, sizeof value> bytes{};
    std::memcpy(bytes.data(), &value, sizeof value);
    out.append(bytes.data(), bytes.size());
}

std::uint64_t indexField(const std::array<char, kIndexHeader>& header, IndexField field) {
    std::uint64_t value = 0;
    std::memcpy(&value, header.data() + field * sizeof value, sizeof value);
    return value;
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
    if (!SepaText::name(fileSpec.initiatingParty, party))
        return result::kInitiatingPartyInvalid;

    std::unique_ptr<SepaXmlFile> created(new SepaXmlFile(fileSpec, table));
    created->m_spec.initiatingParty = party;
    created->m_target = target;
    std::string scratch = directoryPath(tempDirectory);
    if (tempDirectory.empty() || !fs::is_directory(scratch, ec))
        scratch = directory;
    const std::string stem = win1252::toUtf8(fileSpec.fileName);
    created->m_document = TempFile::create(directory, stem);
    created->m_body = TempFile::create(scratch, stem + ".body");
    created->m_index = TempFile::create(scratch, stem + ".index");
    if (!created->m_document || !created->m_body || !created->m_index)
        return result::kFileNotWritable;
    file = std::move(created);
    return result::kOk;
}

bool SepaXmlFile::storeBlock(const Block& block) {
    std::string entry;
    putU64(entry, block.bodyStart);
    putU64(entry, m_body->size());
    putU64(entry, static_cast<std::uint64_t>(block.count));
    putU64(entry, static_cast<std::uint64_t>(block.sumCents));
    putU64(entry, block.xml.size());
    entry += block.xml;
    if (!m_index->append(entry))
        return false;
    ++m_blocks;
    return true;
}

std::int32_t SepaXmlFile::add(const SepaPayment& payment) {
    if (m_finished)
        return result::kNoFileOpen;
    if (m_totals.count >= kMaxEntries)
        return result::kFileLimitReached;
    SepaPaymentBuilder::Built built;
    const std::int32_t code = m_builder.build(payment, built);
    if (code < 0)
        return code;
    if (built.cents > kMaxSumCents - m_totals.sumCents)
        return result::kFileLimitReached;

    if (m_current.count == 0 || built.blockKey != m_current.key) {
        if (m_current.count > 0 && !storeBlock(m_current))
            return result::kWriteFailed;
        m_current = Block{std::move(built.blockKey), std::move(built.blockXml), m_body->size()};
    }
    if (!m_body->append(built.transactionXml))
        return result::kWriteFailed;
    ++m_current.count;
    m_current.sumCents += built.cents;
    ++m_totals.count;
    m_totals.sumCents += built.cents;
    return built.notice;
}

bool SepaXmlFile::assemble() {
    const bool debit = m_spec.kind == SepaFileSpec::Kind::DirectDebit;
    const std::string_view root = debit ? "CstmrDrctDbtInitn" : "CstmrCdtTrfInitn";
    std::string text;
    text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document xmlns=\"";
    text += debit ? kDebitNamespace : kCreditNamespace;
    text += "\" xmlns:xsi=\"";
    text += kXsiNamespace;
    text += "\">\n  <";
    text += root;
    text += ">\n    <GrpHdr>\n      <MsgId>" + SepaText::xml(m_spec.messageId) + "</MsgId>\n";
    text += "      <CreDtTm>" + creationTime() + "</CreDtTm>\n";
    text += "      <NbOfTxs>" + std::to_string(m_totals.count) + "</NbOfTxs>\n";
    text += "      <CtrlSum>" + SepaPaymentBuilder::euros(m_totals.sumCents) + "</CtrlSum>\n";
    text += "      <InitgPty><Nm>" + SepaText::xml(m_spec.initiatingParty) +
            "</Nm></InitgPty>\n    </GrpHdr>\n";
    if (!m_document->append(text))
        return false;

    std::vector<char> chunk(kCopyChunk);
    std::int64_t number = 0;
    auto writeBlock = [&](std::uint64_t start, std::uint64_t end, std::int64_t count,
                          std::int64_t sum, std::string_view xml) {
        ++number;
        std::string suffix = std::to_string(number);
        suffix.insert(suffix.begin(), '-');
        std::string id = m_spec.messageId.substr(0, kMaxIdentifier - suffix.size());
        while (!id.empty() && (id.back() == '/' || id.back() == ' '))
            id.pop_back();
        std::string head = "    <PmtInf>\n      <PmtInfId>" + SepaText::xml(id + suffix) +
                           "</PmtInfId>\n      <PmtMtd>";
        head += debit ? "DD" : "TRF";
        head += "</PmtMtd>\n      <NbOfTxs>" + std::to_string(count) + "</NbOfTxs>\n";
        head += "      <CtrlSum>" + SepaPaymentBuilder::euros(sum) + "</CtrlSum>\n";
        head += xml;
        if (!m_document->append(head))
            return false;
        while (start < end) {
            const std::size_t part =
                static_cast<std::size_t>(std::min<std::uint64_t>(end - start, chunk.size()));
            if (!m_body->readAt(start, chunk.data(), part) ||
                !m_document->append(std::string_view(chunk.data(), part)))
                return false;
            start += part;
        }
        return m_document->append("    </PmtInf>\n");
    };

    std::uint64_t offset = 0;
    std::array<char, kIndexHeader> header{};
    std::string xml;
    for (std::int64_t i = 0; i < m_blocks; ++i) {
        if (!m_index->readAt(offset, header.data(), header.size()))
            return false;
        const std::uint64_t xmlSize = indexField(header, kXmlSize);
        if (xmlSize > kMaxBlockXml)
            return false;
        xml.resize(static_cast<std::size_t>(xmlSize));
        if (!m_index->readAt(offset + kIndexHeader, xml.data(), xml.size()))
            return false;
        offset += kIndexHeader + xmlSize;
        if (!writeBlock(indexField(header, kBodyStart), indexField(header, kBodyEnd),
                        static_cast<std::int64_t>(indexField(header, kCount)),
                        static_cast<std::int64_t>(indexField(header, kSum)), xml))
            return false;
    }
    if (!writeBlock(m_current.bodyStart, m_body->size(), m_current.count, m_current.sumCents,
                    m_current.xml))
        return false;
    text = "  </";
    text += root;
    text += ">\n</Document>\n";
    return m_document->append(text);
}

std::int32_t SepaXmlFile::close(SepaSummary& summary) {
    summary = SepaSummary{};
    if (m_finished)
        return result::kNoFileOpen;
    if (m_totals.count == 0) {
        m_finished = true;
        m_document.reset();
        m_body.reset();
        m_index.reset();
        return result::kFileWithoutEntries;
    }
    if (!m_body->flush() || !m_index->flush())
        return result::kWriteFailed;
    if (!assemble() || !m_document->commit(m_target)) {
        m_document->clear();
        return result::kFileNotWritable;
    }
    m_finished = true;
    m_document.reset();
    m_body.reset();
    m_index.reset();
    summary = m_totals;
    return result::kOk;
}

} // namespace paylib
