#include "paylib/bank/iban/CommerzbankRule.h"

#include "paylib/bank/CheckMethodLibrary.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <algorithm>

namespace paylib::iban {
namespace {

struct PseudoAccount {
    std::string_view bankCode;
    std::string_view entered;
    std::string_view booking;
};

constexpr PseudoAccount kPseudoAccounts[] = {
    {"30040000", "0000000036", "0261103600"}, {"47880031", "0000000050", "0519899900"},
    {"47840065", "0000000050", "0150103000"}, {"47840065", "0000000055", "0150103000"},
    {"70080000", "0000000094", "0928553201"}, {"70040041", "0000000094", "0212808000"},
    {"47840065", "0000000099", "0150103000"}, {"37080040", "0000000100", "0269100000"},
    {"38040007", "0000000100", "0119160000"}, {"37080040", "0000000111", "0215022000"},
    {"51080060", "0000000123", "0012299300"}, {"36040039", "0000000150", "0161620000"},
    {"68080030", "0000000202", "0416520200"}, {"30040000", "0000000222", "0348010002"},
    {"38040007", "0000000240", "0109024000"}, {"69240075", "0000000444", "0445520000"},
    {"60080000", "0000000502", "0901581400"}, {"60040071", "0000000502", "0525950200"},
    {"55040022", "0000000555", "0211050000"}, {"39080005", "0000000556", "0204655600"},
    {"39040013", "0000000556", "0106555600"}, {"57080070", "0000000661", "0604101200"},
    {"26580070", "0000000700", "0710000000"}, {"50640015", "0000000777", "0222222200"},
    {"30040000", "0000000999", "0123799900"}, {"86080000", "0000001212", "0480375900"},
    {"37040044", "0000001888", "0212129101"}, {"25040066", "0000001919", "0141919100"},
    {"10080000", "0000001987", "0928127700"}, {"50040000", "0000002000", "0728400300"},
    {"20080000", "0000002222", "0903927200"}, {"38040007", "0000003366", "0385333000"},
    {"37080040", "0000004004", "0233533500"}, {"37080040", "0000004444", "0233000300"},
    {"43080083", "0000004630", "0825110100"}, {"50080000", "0000006060", "0096736100"},
    {"10040000", "0000007878", "0267878700"}, {"10080000", "0000008888", "0928126501"},
    {"50080000", "0000009000", "0026492100"}, {"79080052", "0000009696", "0300021700"},
    {"79040047", "0000009696", "0680210200"}, {"39080005", "0000009800", "0208457000"},
    {"50080000", "0000042195", "0900333200"}, {"32040024", "0000047800", "0155515000"},
    {"37080040", "0000055555", "0263602501"}, {"38040007", "0000055555", "0305555500"},
    {"50080000", "0000101010", "0090003500"}, {"50040000", "0000101010", "0311011100"},
    {"37040044", "0000102030", "0222344400"}, {"86080000", "0000121200", "0480375900"},
    {"66280053", "0000121212", "0625242400"}, {"16080000", "0000123456", "0012345600"},
    {"29080010", "0000124124", "0107502000"}, {"37080040", "0000182002", "0216603302"},
    {"12080000", "0000212121", "4050462200"}, {"37080040", "0000300000", "0983307900"},
    {"37040044", "0000300000", "0300000700"}, {"37080040", "0000333333", "0270330000"},
    {"38040007", "0000336666", "0105232300"}, {"55040022", "0000343434", "0217900000"},
    {"85080000", "0000400000", "0459488501"}, {"37080040", "0000414141", "0041414100"},
    {"38040007", "0000414141", "0108000100"}, {"20080000", "0000505050", "0500100600"},
    {"37080040", "0000555666", "0055566600"}, {"20080000", "0000666666", "0900732500"},
    {"30080000", "0000700000", "0800005000"}, {"70080000", "0000700000", "0750055500"},
    {"70080000", "0000900000", "0319966601"}, {"37080040", "0000909090", "0269100000"},
    {"38040007", "0000909090", "0119160000"}, {"70080000", "0000949494", "0575757500"},
    {"70080000", "0001111111", "0448060000"}, {"70040041", "0001111111", "0152140000"},
    {"10080000", "0001234567", "0920192001"}, {"38040007", "0001555555", "0258266600"},
    {"76040061", "0002500000", "0482146800"}, {"16080000", "0003030400", "4205227110"},
    {"37080040", "0005555500", "0263602501"}, {"75040062", "0006008833", "0600883300"},
    {"12080000", "0007654321", "0144000700"}, {"70080000", "0007777777", "0443540000"},
    {"70040041", "0007777777", "0213600000"}, {"64140036", "0008907339", "0890733900"},
    {"70080000", "0009000000", "0319966601"}, {"61080006", "0009999999", "0202427500"},
    {"12080000", "0012121212", "4101725100"}, {"29080010", "0012412400", "0107502000"},
    {"34280032", "0014111935", "0645753800"}, {"38040007", "0043434343", "0118163500"},
    {"30080000", "0070000000", "0800005000"}, {"70080000", "0070000000", "0750055500"},
    {"44040037", "0111111111", "0320565500"}, {"70040041", "0400500500", "0400500500"},
    {"60080000", "0500500500", "0901581400"}, {"60040071", "0500500500", "0512700600"},
};

constexpr std::string_view kBarredRangeBanks[] = {
    "10080900", "12080000", "13080000", "14080000", "15080000", "16080000", "17080000", "18080000",
    "20080055", "20080057", "21080050", "21280002", "21480003", "21580000", "22180000", "22181400",
    "22280000", "24080000", "24180001", "25480021", "25780022", "25980027", "26080024", "26281420",
    "26580070", "26880063", "26981062", "28280012", "29280011", "30080055", "30080057", "31080015",
    "32080010", "33080030", "34080031", "34280032", "36280071", "36580072", "40080040", "41280043",
    "42080082", "42680081", "43080083", "44080055", "44080057", "44580070", "45080060", "46080010",
    "47880031", "49080025", "50080055", "50080057", "50080082", "50680002", "50780006", "50880050",
    "51380040", "52080080", "53080030", "54080021", "54280023", "54580020", "54680022", "55080065",
    "57080070", "58580074", "59080090", "60080055", "60080057", "60380002", "60480008", "61080006",
    "61281007", "61480001", "62080012", "62280012", "63080015", "64080014", "64380011", "65080009",
    "65180005", "65380003", "66280053", "66680013", "67280051", "69280035", "70080056", "70080057",
    "70380006", "71180005", "72180002", "73180011", "73380004", "73480013", "74180009", "74380007",
    "75080003", "76080053", "79080052", "79380051", "79580099", "80080000", "81080000", "82080000",
    "83080000", "84080000", "85080200", "86080055", "86080057", "87080000",
};

// Version 00 barred two more banks' ranges and three bank codes altogether.
constexpr std::string_view kBarredRangeBanksUntilVersion00[] = {"50080081", "51080000"};
constexpr std::string_view kBarredBankCodesVersion00[] = {"10045050", "50040033", "70045050"};
constexpr std::string_view kBarredBankCode = "50040033";

// comdirect keeps its own BICs; every other Commerzbank code answers with the head office's.
constexpr std::string_view kComdirect[] = {"20041111", "20041133", "20041144", "20041155",
                                           "20041166", "20041177", "20041188", "20041199"};
constexpr std::string_view kCommerzbankBic = "COBADEFFXXX";

constexpr std::string_view kFirstRetiredAccount = "0998000000";
constexpr std::string_view kLastRetiredAccount = "0999499999";

constexpr std::string_view kMethod13 = "13";
constexpr std::string_view kMethod76 = "76";
// Position 4 of the bank code: 4 Commerzbank, 8 former Dresdner Bank.
constexpr std::size_t kInstitutionDigit = 3;
constexpr char kCommerzbankDigit = '4';

template <std::size_t N> bool contains(const std::string_view (&list)[N], std::string_view value) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

bool barredBankCode(std::string_view bankCode, int version) {
    return version == 0 ? contains(kBarredBankCodesVersion00, bankCode)
                        : bankCode == kBarredBankCode;
}

bool inRetiredRange(std::string_view bankCode, std::string_view account, int version) {
    if (account < kFirstRetiredAccount || account > kLastRetiredAccount)
        return false;
    return contains(kBarredRangeBanks, bankCode) ||
           (version == 0 && contains(kBarredRangeBanksUntilVersion00, bankCode));
}

std::string_view bookingAccount(std::string_view bankCode, std::string_view account) {
    for (const PseudoAccount& row : kPseudoAccounts) {
        if (row.bankCode == bankCode && row.entered == account)
            return row.booking;
    }
    return {};
}

bool commerzbankCode(std::string_view bankCode) {
    return bankCode[kInstitutionDigit] == kCommerzbankDigit;
}

} // namespace

RuleResult CommerzbankRule::apply(const RuleRequest& request) const {
    const std::string_view bankCode = request.bankCode();
    if (barredBankCode(bankCode, request.version))
        return RuleResult::noIban();
    RuleResult result;
    const std::string_view booking = bookingAccount(bankCode, request.account);
    if (!booking.empty())
        result = RuleResult::standard(booking).asChecked();
    else if (inRetiredRange(bankCode, request.account, request.version))
        return RuleResult::noIban();
    else
        result = byCheckMethod(request);
    if (result.outcome == RuleOutcome::Derived && commerzbankCode(bankCode) &&
        !contains(kComdirect, bankCode))
        result.withBic(kCommerzbankBic);
    return result;
}

RuleResult CommerzbankRule::byCheckMethod(const RuleRequest& request) {
    const std::string_view method =
        request.methodOr(commerzbankCode(request.bankCode()) ? kMethod13 : kMethod76);
    if (method == kNoCheckMethod)
        return RuleResult::standard(request.account).asChecked();
    if (method == kMethod13)
        return byMethod13(request);
    if (method == kMethod76)
        return byMethod76(request);
    // A method the rule does not know of: the standard check with it.
    return RuleResult::standard(request.account);
}

RuleResult CommerzbankRule::byMethod13(const RuleRequest& request) {
    constexpr int kShortestWithoutSubAccount = 6;
    constexpr int kLongestWithoutSubAccount = 7;
    const int length = request.length();
    if (length == kShortestWithoutSubAccount || length == kLongestWithoutSubAccount) {
        const std::string extended = checkdigits::withSubAccount(request.account);
        return checkdigits::method13Plain(extended) ? RuleResult::standard(extended).asChecked()
                                                    : RuleResult::invalidAccount();
    }
    return checkdigits::method13(request.account)
               ? RuleResult::standard(request.account).asChecked()
               : RuleResult::invalidAccount();
}

RuleResult CommerzbankRule::byMethod76(const RuleRequest& request) {
    // A number valid as entered keeps its form even when the extended one would pass too.
    if (checkdigits::method76Plain(request.account))
        return RuleResult::standard(request.account).asChecked();
    if (checkdigits::method76Exception(request.account))
        return RuleResult::standard(checkdigits::withSubAccount(request.account)).asChecked();
    return RuleResult::invalidAccount();
}

} // namespace paylib::iban
