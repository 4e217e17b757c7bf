#include "calllog/ArgumentLayouts.h"

#include <array>

namespace zalvo::calllog {

namespace {

using K = FieldKind;

constexpr Field whole(std::size_t size) {
    return {0, size};
}

constexpr std::array kDataPath{FieldLayout{"Datenpfad", whole(kPathBufferSize), K::Path}};
constexpr std::array kTempPath{FieldLayout{"Temporärer Pfad", whole(kPathBufferSize), K::Path}};
constexpr std::array kUserPath{FieldLayout{"Benutzerpfad", whole(kPathBufferSize), K::Path}};
constexpr std::array kDtaFileName{FieldLayout{"DTA-Datei", whole(kPathBufferSize), K::Path}};
constexpr std::array kLogFileName{FieldLayout{"Log-Datei", whole(kPathBufferSize), K::Path}};
constexpr std::array kReadAnswer{FieldLayout{"Antwort", whole(kReadDTABufferSize), K::Text}};
constexpr std::array kBankCode{FieldLayout{"Bankleitzahl", whole(kBankCodeBufferSize), K::Text}};
constexpr std::array kBic{FieldLayout{"BIC", whole(kBicBufferSize), K::Text}};
constexpr std::array kCounter{FieldLayout{"Zähler", whole(kInt32Width), K::Int32}};

constexpr std::array kVersion{
    FieldLayout{"Datum", version::kDate, K::Text},
    FieldLayout{"Version", version::kText, K::Text},
};

constexpr std::array kInfo{
    FieldLayout{"Aktualität der SEPA-Teilnehmer", info::kParticipantsDate, K::Text},
    FieldLayout{"BLZ-Bestand gültig ab", info::kBankCodesFrom, K::Text},
    FieldLayout{"BLZ-Bestand gültig bis", info::kBankCodesUntil, K::Text},
};

constexpr std::array kAccount{
    FieldLayout{"Bankleitzahl", account::kBankCode, K::Text},
    FieldLayout{"Kontonummer", account::kAccountNumber, K::Text},
    FieldLayout{"BIC", account::kBic, K::Text},
    FieldLayout{"IBAN", account::kIban, K::Text},
};

constexpr std::array kFileHeader{
    FieldLayout{"Exportpfad", fileheader::kExportPath, K::Path},
    FieldLayout{"ZV-Typ", fileheader::kPaymentType, K::Int32},
    FieldLayout{"Dateiname", fileheader::kFileName, K::Text},
    FieldLayout{"Message-Id", fileheader::kMessageId, K::Text},
    FieldLayout{"Einreicher", fileheader::kInitiatingParty, K::Text},
};

constexpr std::array kPayment{
    FieldLayout{"Referenz 1", payment::kReference1, K::Text},
    FieldLayout{"Ausführungsdatum", payment::kExecutionDate, K::Text},
    FieldLayout{"Name des Auftraggebers", payment::kOriginatorName, K::Text},
    FieldLayout{"BIC des Auftraggebers", payment::kOriginatorBic, K::Text},
    FieldLayout{"IBAN des Auftraggebers", payment::kOriginatorIban, K::Text},
    FieldLayout{"CI - Gläubiger", payment::kCreditorId, K::Text},
    FieldLayout{"Bankleitzahl des Auftraggebers", payment::kOriginatorBankCode, K::Text},
    FieldLayout{"Kontonummer des Auftraggebers", payment::kOriginatorAccount, K::Text},
    FieldLayout{"Name des Empfängers", payment::kRecipientName, K::Text},
    FieldLayout{"BIC des Empfängers", payment::kRecipientBic, K::Text},
    FieldLayout{"IBAN des Empfängers", payment::kRecipientIban, K::Text},
    FieldLayout{"Bankleitzahl des Empfängers", payment::kRecipientBankCode, K::Text},
    FieldLayout{"Kontonummer des Empfängers", payment::kRecipientAccount, K::Text},
    FieldLayout{"Betrag", payment::kAmountCents, K::Text},
    FieldLayout{"Referenz 2", payment::kReference2, K::Text},
    FieldLayout{"Mandat", payment::kMandateReference, K::Text},
    FieldLayout{"Mandatdatum", payment::kMandateDate, K::Text},
    FieldLayout{"Zweck 1", payment::kRemittance1, K::Text},
    FieldLayout{"Zweck 2", payment::kRemittance2, K::Text},
};

constexpr std::array kSummary{
    FieldLayout{"Anzahl", summary::kCount, K::Int32},
    FieldLayout{"Summe", summary::kSumCents, K::Text},
};

constexpr std::array kDtaInfo{
    FieldLayout{"Zahlungsart", dtainfo::kPaymentKind, K::Int32},
    FieldLayout{"Ausführungsdatum", dtainfo::kExecutionDate, K::Text},
    FieldLayout{"CI - Gläubiger", dtainfo::kCreditorId, K::Text},
    FieldLayout{"Mandat", dtainfo::kMandateReference, K::Text},
    FieldLayout{"Mandatdatum", dtainfo::kMandateDate, K::Text},
    FieldLayout{"Lastschrift-Einstellung 1", dtainfo::kFirstDebitSetting, K::Int32},
    FieldLayout{"Lastschrift-Einstellung 2", dtainfo::kSecondDebitSetting, K::Int32},
};

constexpr std::array kProtocol{FieldLayout{"Protokoll", whole(0), K::Text}};

constexpr ArgumentLayout buffer(std::string_view name, std::size_t size,
                                std::span<const FieldLayout> fields) {
    return {name, true, size, fields};
}

constexpr ArgumentLayout integer(std::string_view name) {
    return {name, false, 0, {}};
}

constexpr std::array kInitArguments{
    buffer("Datenpfad", kPathBufferSize, kDataPath),
    buffer("Temporärer Pfad", kPathBufferSize, kTempPath),
    buffer("Benutzerpfad", kPathBufferSize, kUserPath),
    integer("Reserviert"),
};
constexpr std::array kVersionArguments{buffer("Versionssatz", version::kSize, kVersion)};
constexpr std::array kInfoArguments{buffer("Informationssatz", info::kSize, kInfo)};
constexpr std::array kAccountArguments{buffer("Kontosatz", account::kSize, kAccount)};
constexpr std::array kFileHeaderArguments{buffer("Dateikopf", fileheader::kSize, kFileHeader)};
constexpr std::array kPaymentArguments{buffer("Zahlungssatz", payment::kSize, kPayment)};
constexpr std::array kSummaryArguments{buffer("Summensatz", summary::kSize, kSummary)};
constexpr std::array kGetBicArguments{
    buffer("Bankleitzahl", kBankCodeBufferSize, kBankCode),
    buffer("BIC", kBicBufferSize, kBic),
};
constexpr std::array kReadDtaArguments{
    buffer("DTA-Datei", kPathBufferSize, kDtaFileName),
    buffer("Antwortpuffer", kReadDTABufferSize, kReadAnswer),
};
constexpr std::array kGetDtaInfoArguments{
    buffer("DTA-Informationssatz", dtainfo::kSize, kDtaInfo),
    buffer("Zähler", kInt32Width, kCounter),
};
constexpr std::array kPutDtaInfoArguments{buffer("DTA-Informationssatz", dtainfo::kSize, kDtaInfo)};
constexpr std::array kProtocolArguments{
    buffer("Protokollpuffer", 0, kProtocol),
    integer("Puffergröße"),
};
constexpr std::array kSetLogFileArguments{
    buffer("Log-Datei", kPathBufferSize, kLogFileName),
    integer("Aktion"),
    integer("Inhalt"),
    integer("Flush"),
};

// In binding order; a new entry point needs its row here.
constexpr std::span<const ArgumentLayout> kLayouts[] = {
    kInitArguments,
    {},
    kVersionArguments,
    kInfoArguments,
    kAccountArguments,
    kFileHeaderArguments,
    kPaymentArguments,
    kSummaryArguments,
    kGetBicArguments,
    kReadDtaArguments,
    kGetDtaInfoArguments,
    kPutDtaInfoArguments,
    kFileHeaderArguments,
    kProtocolArguments,
    {},
    kSetLogFileArguments,
};

static_assert(std::size(kLayouts) == kEntryPointCount);

std::string unnamedBytes(std::size_t from, std::size_t to) {
    return "Bytes " + std::to_string(from) + "-" + std::to_string(to - 1);
}

} // namespace

std::span<const ArgumentLayout> ArgumentLayouts::of(EntryPoint entry) {
    return kLayouts[slotIndex(entry)];
}

std::optional<EntryPoint> ArgumentLayouts::entryPointNamed(std::string_view name) {
    for (std::size_t slot = 0; slot < kEntryPointCount; ++slot) {
        if (kEntryPointNames[slot] == name) {
            return static_cast<EntryPoint>(slot);
        }
    }
    return std::nullopt;
}

std::vector<ShownField> ArgumentLayouts::shownFields(const ArgumentLayout& layout,
                                                     std::size_t size) {
    std::vector<ShownField> shown;
    std::size_t position = 0;
    for (const FieldLayout& field : layout.fields) {
        const std::size_t width = field.field.width == 0 ? size : field.field.width;
        if (field.field.offset > position) {
            shown.push_back({unnamedBytes(position, field.field.offset),
                             {position, field.field.offset - position},
                             K::Bytes});
        }
        if (field.field.offset + width > size) {
            break;
        }
        shown.push_back({std::string(field.name), {field.field.offset, width}, field.kind});
        position = field.field.offset + width;
    }
    if (position < size) {
        shown.push_back({unnamedBytes(position, size), {position, size - position}, K::Bytes});
    }
    return shown;
}

} // namespace zalvo::calllog
