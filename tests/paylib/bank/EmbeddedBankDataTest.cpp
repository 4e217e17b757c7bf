// The bank data built into the library: generated at build time from data/bank-rules.tsv,
// loaded as the table of an initialised library, and combined with a Bundesbank file that
// lacks the rule column.
#include "paylib/bank/BankTable.h"
#include "tests/support/TempDirectory.h"

#include "helpers/DateHelpers.h"

#include "tests/paylib/EmbeddedTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using paylib::BankRecord;
using paylib::BankTable;

struct Row {
    std::string bankCode, rule, bic, method, name;
};

// data/bank-rules.tsv read here on its own, to hold the generated table against it.
std::vector<Row> readBankRules(const fs::path& file) {
    std::vector<Row> rows;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.starts_with('#') || line.starts_with("bank_code\t"))
            continue;
        std::istringstream fields(line);
        Row row;
        std::string previousRule;
        std::getline(fields, row.bankCode, '\t');
        std::getline(fields, row.rule, '\t');
        std::getline(fields, row.bic, '\t');
        std::getline(fields, row.method, '\t');
        std::getline(fields, previousRule, '\t');
        std::getline(fields, row.name, '\t');
        rows.push_back(row);
    }
    return rows;
}

TEST(EmbeddedBankData, HoldsEveryRowOfTheDataFileWithItsValidity) {
    const std::vector<Row> rows = readBankRules(ZALVO_BANK_RULES);
    ASSERT_EQ(rows.size(), 3505u);
    ASSERT_EQ(paylibtest::embeddedTable().size(), rows.size());
    for (const Row& row : rows) {
        const BankRecord* bank = paylibtest::embeddedTable().find(row.bankCode);
        ASSERT_NE(bank, nullptr) << row.bankCode;
        EXPECT_EQ(bank->ibanRule, row.rule) << row.bankCode;
        EXPECT_EQ(bank->bic, row.bic) << row.bankCode;
        EXPECT_EQ(bank->checkMethod, row.method) << row.bankCode;
        EXPECT_FALSE(bank->name.empty()) << row.bankCode;
    }
    EXPECT_EQ(DateToDigits(paylibtest::embeddedTable().validFrom()), "08122025");
    EXPECT_EQ(DateToDigits(paylibtest::embeddedTable().validUntil()), "08032026");
    // Names become Windows-1252.
    EXPECT_EQ(paylibtest::embeddedTable().find("10061006")->name,
              "Bank f\xFCr Kirche und Diakonie - KD-Bank Gf Sonder-BLZ");
}

std::string record(std::string_view bankCode, std::string_view rule) {
    std::string line = "10010010"
                       "1Postbank                                                  "
                       "10916Berlin                             Postbank Berlin            "
                       "00000PBNKDEFFXXX24000538U000000000";
    line.replace(0, 8, bankCode);
    line += rule;
    return line;
}

TEST(BankFileWithoutRules, RecordsOf168CharactersHaveNoRuleUntilOurDataGivesOne) {
    const std::string withRule = record("37040044", "000503");
    ASSERT_EQ(withRule.size(), BankTable::kRecordLength);
    BankTable table;
    ASSERT_TRUE(table.parse(record("37040044", "") + "\n" + record("99990000", "") + "\r\n" +
                            record("50010517", "      ") + "\n"));
    EXPECT_EQ(table.find("37040044")->ibanRule, "");
    EXPECT_EQ(table.find("50010517")->ibanRule, "");
    EXPECT_EQ(table.takeMissingRulesFrom(paylibtest::embeddedTable()), 3u);
    EXPECT_EQ(table.find("37040044")->ibanRule, "000503");
    EXPECT_EQ(table.find("50010517")->ibanRule, "000000");
    EXPECT_EQ(table.find("99990000")->ibanRule, "000000"); // a bank our data lacks
    EXPECT_EQ(table.takeMissingRulesFrom(paylibtest::embeddedTable()), 0u);

    // 174 characters keep their rule; other lengths and a rule of letters are refused.
    ASSERT_TRUE(table.parse(withRule + "\n"));
    EXPECT_EQ(table.find("37040044")->ibanRule, "000503");
    EXPECT_FALSE(table.parse(withRule.substr(0, 170) + "\n"));
    EXPECT_FALSE(table.parse(record("37040044", "0005AB") + "\n"));
}

// The generator, run as the build runs it, on data files of our own.
class BankRulesGenerator : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(_WIN32)
        GTEST_SKIP() << "the generator is a CMake script of the build machine; a Windows "
                        "program cannot start the build machine's cmake";
#endif
    }

    int generate(const std::string& tsv) {
        std::ofstream(m_dir.path() / "in.tsv", std::ios::binary) << tsv;
        const std::string command = std::string("\"") + ZALVO_CMAKE + "\" -DINPUT=\"" +
                                    (m_dir.path() / "in.tsv").string() + "\" -DOUTPUT=\"" +
                                    output().string() + "\" -DVALID_FROM=20260309 -P \"" +
                                    ZALVO_EMBED_SCRIPT + "\" > /dev/null 2>&1";
        return std::system(command.c_str());
    }
    fs::path output() const {
        return m_dir.path() / "out.cpp";
    }
    std::string generated() const {
        std::ifstream in(output(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    testsupport::TempDirectory m_dir;
};

TEST_F(BankRulesGenerator, WritesEveryRowAndEscapesTheNames) {
    const std::string header = "# comment\nbank_code\tiban_rule\tbic\tcheck_method\tx\tname\n";
    ASSERT_EQ(generate(header + "10000000\t004201\tMARKDEF1100\t09\t004201\tBundesbank\n" +
                       "21050055\t000000\tHHDBDEH2XXX\t\t-\tA \"B\"; C\\D [E]\r\n"),
              0);
    const std::string text = generated();
    EXPECT_NE(text.find("{\"10000000\", \"004201\", \"MARKDEF1100\", \"09\", \"Bundesbank\"},"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("{\"21050055\", \"000000\", \"HHDBDEH2XXX\", \"\", "
                        "\"A \\\"B\\\"; C\\\\D [E]\"},"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("return \"20260309\";"), std::string::npos);
}

TEST_F(BankRulesGenerator, RefusesAMalformedRowInsteadOfEmbeddingIt) {
    const std::string good = "10000000\t004201\tMARKDEF1100\t09\t004201\tBundesbank\n";
    for (const std::string bad : {
             "1000000\t004201\tMARKDEF1100\t09\t004201\tBundesbank\n", // seven digits
             "10000000\t0042\tMARKDEF1100\t09\t004201\tBundesbank\n",  // short rule
             "10000000\t004201\tMARKDEF11\t09\t004201\tBundesbank\n",  // nine-character BIC
             "10000000\t004201\tMARKDEF1100\t9\t004201\tBundesbank\n", // one-character method
             "10000000\t004201\tMARKDEF1100\t09\tBundesbank\n",        // a field missing
         }) {
        EXPECT_NE(generate(good + bad), 0) << bad;
        EXPECT_FALSE(fs::exists(output())) << bad;
    }
    EXPECT_NE(generate("# only a comment\n"), 0);
}

} // namespace
