#include "calllog/CallLogReader.h"
#include "calllog/CallLogWriter.h"

#include "abi/RecordLayouts.h"

#include <gtest/gtest.h>
#include <sstream>

using zalvo::EntryPoint;
using zalvo::calllog::CallLog;
using zalvo::calllog::CallLogReader;
using zalvo::calllog::CallLogWriter;

namespace {

// One call as the call step hands it to the log.
void record(CallLog& log, EntryPoint entry, std::vector<std::string> buffers,
            std::vector<std::int32_t> integers, std::int32_t result,
            const std::vector<std::string>& after) {
    std::vector<zalvo::CallArgument> arguments;
    for (std::string& buffer : buffers) {
        arguments.push_back({{buffer.data(), buffer.size()}, 0, true});
    }
    for (std::int32_t value : integers) {
        arguments.push_back({{}, value, false});
    }
    log.beforeCall(entry, arguments);
    for (std::size_t i = 0; i < after.size(); ++i) {
        buffers[i] = after[i];
    }
    log.afterCall(entry, arguments, result, std::chrono::steady_clock::now(),
                  std::chrono::nanoseconds(4321));
}

std::string path(std::string_view text) {
    std::string buffer(zalvo::kPathBufferSize, '\0');
    buffer.replace(0, text.size(), text);
    return buffer;
}

// A log of three calls, as saved.
std::string savedLog() {
    CallLog log;
    record(log, EntryPoint::Init, {path("/daten"), path(""), path("C:\\\"x\"\xE4")}, {0}, 0,
           {path("/daten"), path(""), path("C:\\\"x\"\xE4")});
    std::string account(zalvo::account::kSize, '\0');
    account.replace(0, 8, "37040044");
    std::string filled = account;
    filled.replace(zalvo::account::kIban.offset, 4, "DE89");
    record(log, EntryPoint::ConvertBLZKonto, {account}, {}, 210, {filled});
    record(log, EntryPoint::SetLogFile, {path("log.txt")}, {3, 7, -1}, -5, {path("log.txt")});
    std::ostringstream out;
    CallLogWriter::write(out, log);
    return out.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += part + "\n";
    }
    return text;
}

CallLogReader::Result readText(const std::string& text) {
    std::istringstream in(text);
    return CallLogReader::read(in);
}

} // namespace

TEST(CallLogFile, WhatIsSavedReadsBackByteForByte) {
    const std::string saved = savedLog();
    EXPECT_EQ(lines(saved).front(),
              R"({"format":"zalvo-call-log","version":1,"calls":3,"dropped":0})");
    const CallLogReader::Result read = readText(saved);
    ASSERT_TRUE(read.ok()) << read.errorLine << ": " << read.error;
    ASSERT_EQ(read.calls.size(), 3u);

    const auto& init = read.calls[0];
    EXPECT_EQ(init.entry, EntryPoint::Init);
    ASSERT_EQ(init.argumentCount(), 4u);
    EXPECT_EQ(init.before(2), path("C:\\\"x\"\xE4"));
    EXPECT_EQ(init.argument(3).integer, 0);
    EXPECT_EQ(init.durationNanoseconds, 4321);
    EXPECT_GT(init.startMicroseconds, 0);

    const auto& conversion = read.calls[1];
    EXPECT_EQ(conversion.result, 210);
    EXPECT_EQ(conversion.sequence, 2u);
    EXPECT_EQ(conversion.after(0).substr(zalvo::account::kIban.offset, 5),
              std::string("DE89\0", 5));
    EXPECT_EQ(conversion.before(0).substr(zalvo::account::kIban.offset, 4), std::string(4, '\0'));

    const auto& setLog = read.calls[2];
    EXPECT_EQ(setLog.result, -5);
    EXPECT_EQ(setLog.argument(3).integer, -1);

    // Written again, the same text.
    std::string again = CallLogWriter::headerLine(read.calls.size(), 0) + "\n";
    for (const auto& call : read.calls) {
        again += CallLogWriter::callLine(call) + "\n";
    }
    EXPECT_EQ(again, saved);
}

TEST(CallLogFile, ABadLogIsRefusedWithTheNumberOfItsFirstBadLine) {
    const std::vector<std::string> good = lines(savedLog());
    auto with = [&](std::size_t line, const std::string& text) {
        std::vector<std::string> edited = good;
        edited[line] = text;
        return joined(edited);
    };
    auto replaced = [&](std::size_t line, const std::string& from, const std::string& to) {
        std::string text = good[line];
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return with(line, text.replace(at, from.size(), to));
    };
    struct Row {
        const char* what;
        std::string log;
        std::size_t line;
        const char* message;
    };
    const Row rows[] = {
        {"cut inside a line", joined({good[0], good[1]}) + good[2].substr(0, 100), 3,
         "kein gültiges JSON"},
        {"cut after a line", joined({good[0], good[1], good[2]}), 4, "endet nach 2 von 3"},
        {"a line more", savedLog() + good[3] + "\n", 5, "mehr Aufrufe"},
        {"empty file", "", 1, "leer"},
        {"blank line", with(2, ""), 3, "kein gültiges JSON"},
        {"not a call log", with(0, R"({"format":"other","version":1,"calls":3,"dropped":0})"), 1,
         "kein Aufrufprotokoll"},
        {"newer version", replaced(0, "\"version\":1", "\"version\":2"), 1, "Version 2"},
        {"unknown entry point",
         replaced(2, "Zalvotech_ConvertBLZKonto", "Zalvotech_ConvertBLZKontoX"), 3,
         "unbekannte Funktion \"Zalvotech_ConvertBLZKontoX\""},
        {"record of the wrong size", replaced(2, "\"size\":69", "\"size\":68"), 3,
         "Satz hat 68 Bytes, Kontosatz hat 69"},
        {"bytes cut", replaced(2, "\"before\":\"3337", "\"before\":\"37"), 3,
         "\"before\" hat nicht 69 Bytes"},
        {"no hex", replaced(2, "\"before\":\"3337", "\"before\":\"zz37"), 3, "Hexziffern"},
        {"an argument less", replaced(3, ",{\"int\":-1}", ""), 4, "hat 4 Argumente, nicht 3"},
        {"integer for a buffer", replaced(2, "{\"size\":69,", "{\"int\":1,\"size\":69,"), 3,
         "Argument 1"},
        {"result too large", replaced(2, "\"result\":210", "\"result\":4294967296"), 3,
         "\"result\" außerhalb"},
        {"result missing", replaced(2, "\"result\":210,", "\"resul\":210,"), 3, "\"result\" fehlt"},
        {"fraction", replaced(2, "\"result\":210", "\"result\":2.5"), 3, "nur ganze Zahlen"},
        {"text after the object", with(1, good[1] + "x"), 2, "nach dem Ende"},
    };
    for (const Row& row : rows) {
        const CallLogReader::Result read = readText(row.log);
        EXPECT_FALSE(read.ok()) << row.what;
        EXPECT_EQ(read.errorLine, row.line) << row.what << ": " << read.error;
        EXPECT_NE(read.error.find(row.message), std::string::npos)
            << row.what << ": " << read.error;
        EXPECT_TRUE(read.calls.empty()) << row.what;
    }
}
