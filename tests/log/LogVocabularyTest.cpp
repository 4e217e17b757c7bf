#include "log/LogVocabulary.h"

#include "log/LogNoticeSink.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

class RecordingSink : public LogNoticeSink {
public:
    bool confirm(std::string_view caption, std::string_view message) override {
        captions.emplace_back(caption);
        messages.emplace_back(message);
        return answer;
    }
    bool answer = true;
    std::vector<std::string> captions;
    std::vector<std::string> messages;
};

TEST(LogVocabulary, TypeWordsAndFallback) {
    EXPECT_EQ(LogTypeWord(1), "SYSTEM");
    EXPECT_EQ(LogTypeWord(2), "INFO");
    EXPECT_EQ(LogTypeWord(3), "HINWEIS");
    EXPECT_EQ(LogTypeWord(4), "FEHLER");
    EXPECT_EQ(LogTypeWord(0), "UNBEKANNT");
    EXPECT_EQ(LogTypeWord(5), "UNBEKANNT");
    EXPECT_EQ(LogTypeWord(255), "UNBEKANNT");
}

TEST(LogVocabulary, ModeWordsAndFallback) {
    EXPECT_EQ(LogModeWord(1), "CREATE");
    EXPECT_EQ(LogModeWord(2), "APPEND");
    EXPECT_EQ(LogModeWord(3), "STOP");
    EXPECT_EQ(LogModeWord(4), "CLOSE");
    EXPECT_EQ(LogModeWord(0), "UNBEKANNT");
    EXPECT_EQ(LogModeWord(5), "UNBEKANNT");
    // Only the full value counts: 257 is not CREATE.
    EXPECT_EQ(LogModeWord(257), "UNBEKANNT");
    EXPECT_EQ(LogModeWord(-1), "UNBEKANNT");
}

TEST(LogVocabulary, ActionNamesAtTheTableEdgesAndColumnBreaks) {
    EXPECT_EQ(LogActionName(0), "Unbekannt");
    EXPECT_EQ(LogActionName(1), "Init");
    EXPECT_EQ(LogActionName(18), "FindBLZ");
    EXPECT_EQ(LogActionName(19), "CheckPr\xFC"
                                 "fziffer");
    EXPECT_EQ(LogActionName(36), "GetTargetDatum");
    EXPECT_EQ(LogActionName(37), "IsTargetDatum");
    EXPECT_EQ(LogActionName(54), "ConvertDTI");
    EXPECT_EQ(LogActionName(55), "SetDTIMapping");
    EXPECT_EQ(LogActionName(57), "SetLogFile");
    EXPECT_EQ(LogActionName(72), "ConvertCamtToMT940");
    EXPECT_EQ(LogActionName(73), "Unbekannt");
    EXPECT_EQ(LogActionName(0xFFFFFFFFu), "Unbekannt");
}

TEST(LogVocabulary, ActionNamesAllDistinctAndWithinEighteenCharacters) {
    std::vector<std::string_view> seen;
    std::size_t longest = 0;
    for (std::uint32_t code = 1; code <= 72; ++code) {
        const std::string_view name = LogActionName(code);
        EXPECT_NE(name, "Unbekannt") << code;
        for (std::string_view other : seen)
            EXPECT_NE(name, other) << code;
        seen.push_back(name);
        longest = std::max(longest, name.size());
    }
    EXPECT_EQ(longest, 18u);
    // The umlaut is one Windows-1252 byte, not UTF-8.
    EXPECT_EQ(LogActionName(19).size(), 15u);
}

TEST(LogVocabulary, ActionNamesSampledAcrossTheTable) {
    EXPECT_EQ(LogActionName(12), "CheckSEPATeilnahme");
    EXPECT_EQ(LogActionName(13), "ConvertBLZKonto");
    EXPECT_EQ(LogActionName(31), "SetVersionUndLand");
    EXPECT_EQ(LogActionName(46), "GetDTAProtokoll");
    EXPECT_EQ(LogActionName(48), "ConvertDTAZVtoXML");
    EXPECT_EQ(LogActionName(58), "SetLogFileInhalt");
    EXPECT_EQ(LogActionName(63), "LandWhg");
    EXPECT_EQ(LogActionName(66), "CreateXML007");
    EXPECT_EQ(LogActionName(71), "CloseCGI");
}

// The action-name table of the log vocabulary, code by code.
TEST(LogVocabulary, EveryActionNameMatchesTheTable) {
    const std::vector<std::pair<std::uint32_t, std::string>> table = {
        {1, "Init"},
        {2, "Free"},
        {3, "Info"},
        {4, "CreateXML"},
        {5, "WriteXML"},
        {6, "WriteXMLExt"},
        {7, "CloseXML"},
        {8, "GetBIC"},
        {9, "CheckIBANLand"},
        {10, "CheckIBAN"},
        {11, "CheckCI"},
        {12, "CheckSEPATeilnahme"},
        {13, "ConvertBLZKonto"},
        {14, "GetBankInfo"},
        {15, "GetIBANLand"},
        {16, "GetSepaBank"},
        {17, "GetBLZ"},
        {18, "FindBLZ"},
        {19, "CheckPr\xFC"
             "fziffer"},
        {20, "XMLLesenInit"},
        {21, "XMLLesen"},
        {22, "XMLLesenClose"},
        {23, "AddUserBIC"},
        {24, "DelUserBIC"},
        {25, "GetUserBIC"},
        {26, "FindUserBIC"},
        {27, "AddUserIBAN"},
        {28, "DelUserIBAN"},
        {29, "GetUserIBAN"},
        {30, "FindUserIBAN"},
        {31, "SetVersionUndLand"},
        {32, "XMLSetId"},
        {33, "XMLFreeData"},
        {34, "XMLGetData"},
        {35, "SearchBLZ"},
        {36, "GetTargetDatum"},
        {37, "IsTargetDatum"},
        {38, "SetOptions"},
        {39, "GetBLZKonto"},
        {40, "GetBICInfo"},
        {41, "ReadDTA"},
        {42, "GetDTAFehler"},
        {43, "GetDTAInfo"},
        {44, "PutDTAInfo"},
        {45, "WriteDTAtoXML"},
        {46, "GetDTAProtokoll"},
        {47, "FreeDTAVars"},
        {48, "ConvertDTAZVtoXML"},
        {49, "ConvertCSVtoXML"},
        {50, "ConvertCamtToCSV"},
        {51, "CamtOpen"},
        {52, "CamtRead"},
        {53, "CamtClose"},
        {54, "ConvertDTI"},
        {55, "SetDTIMapping"},
        {56, "Version"},
        {57, "SetLogFile"},
        {58, "SetLogFileInhalt"},
        {59, "ReadMT940"},
        {60, "CreateAZV"},
        {61, "WriteAZV"},
        {62, "CloseAZV"},
        {63, "LandWhg"},
        {64, "ConvertCamtToDTI"},
        {65, "CreateXMLExt"},
        {66, "CreateXML007"},
        {67, "WriteXML007"},
        {68, "CloseXML007"},
        {69, "CreateCGI"},
        {70, "WriteCGI"},
        {71, "CloseCGI"},
        {72, "ConvertCamtToMT940"},
    };
    ASSERT_EQ(table.size(), 72u);
    for (const auto& [code, name] : table)
        EXPECT_EQ(LogActionName(code), name) << code;
}

TEST(LogVocabulary, ContentDescriptions) {
    EXPECT_EQ(DescribeLogContent(0), "0  KEINE AUSGABE VON INFORMATIONEN");
    EXPECT_EQ(DescribeLogContent(7), "7  INFO HINWEIS FEHLER");
    EXPECT_EQ(DescribeLogContent(15), "15  INFO HINWEIS FEHLER DEBUG");
    EXPECT_EQ(DescribeLogContent(8), "8  DEBUG");
    EXPECT_EQ(DescribeLogContent(10), "10  HINWEIS DEBUG");
    // Bits above 8 add no word.
    EXPECT_EQ(DescribeLogContent(16), "16  ");
    EXPECT_EQ(DescribeLogContent(255), "255  INFO HINWEIS FEHLER DEBUG");
}

TEST(LogVocabulary, NoticeCaptionAndMessageLayout) {
    RecordingSink sink;
    EXPECT_TRUE(ShowLogNotice(sink, 4, 57, "  Text mit Rand  "));
    ASSERT_EQ(sink.captions.size(), 1u);
    EXPECT_EQ(sink.captions[0], "Zalvotech DLL Debug-Info: SetLogFile");
    EXPECT_EQ(sink.messages[0], "FEHLER\r\n\r\n  Text mit Rand  \r\n\r\n"
                                "Bitte best\xE4tigen Sie die Meldung mit dem Schalter OK.\r\n"
                                "Wenn Sie weitere Meldungsfenster unterbinden wollen,\r\n"
                                "so klicken Sie bitte auf den Schalter Abbruch.");
}

TEST(LogVocabulary, NoticeAnswerIsTheSinksAnswer) {
    RecordingSink sink;
    sink.answer = false;
    EXPECT_FALSE(ShowLogNotice(sink, 2, 0, "x"));
    EXPECT_EQ(sink.captions.at(0), "Zalvotech DLL Debug-Info: Unbekannt");
    EXPECT_EQ(sink.messages.at(0).substr(0, 8), "INFO\r\n\r\n");
}

} // namespace
