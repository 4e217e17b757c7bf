#include "calllog/CallLog.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/LibraryCall.h"
#include "tests/support/FakeLibrary.h"

#include <gtest/gtest.h>

using testsupport::FakeLibrary;
using zalvo::CallReport;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::LibraryCall;
using zalvo::Record;
using zalvo::calllog::CallLog;
using zalvo::calllog::RecordedCall;

namespace {

// Feeds the log one GetDTAInfo-like call by hand, as the call step would.
void recordCall(CallLog& log, std::int32_t result, char marker) {
    std::string record(8, marker);
    const std::array arguments{zalvo::CallArgument{{record.data(), record.size()}, 0, true},
                               zalvo::CallArgument{{}, 42, false}};
    log.beforeCall(EntryPoint::SetLogFile, arguments);
    record[0] = 'X';
    log.afterCall(EntryPoint::SetLogFile, arguments, result, std::chrono::steady_clock::now(),
                  std::chrono::nanoseconds(1500));
}

} // namespace

TEST(CallLog, KeepsTheNewestCallsAndCountsTheDroppedOnes) {
    CallLog log(3);
    for (int call = 0; call < 5; ++call) {
        recordCall(log, call, static_cast<char>('a' + call));
    }
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log.dropped(), 2u);
    EXPECT_EQ(log.lastSequence(), 5u);
    for (std::size_t index = 0; index < 3; ++index) {
        const auto& call = log.at(index);
        EXPECT_EQ(call.sequence, index + 3);
        EXPECT_EQ(call.result, static_cast<std::int32_t>(index + 2));
        EXPECT_EQ(call.before(0), std::string(8, static_cast<char>('c' + index)));
        std::string after(8, static_cast<char>('c' + index));
        after[0] = 'X';
        EXPECT_EQ(call.after(0), after);
        EXPECT_EQ(call.argument(1).integer, 42);
        EXPECT_EQ(call.durationNanoseconds, 1500);
    }
    EXPECT_THROW(static_cast<void>(log.at(3)), std::out_of_range);

    log.clear();
    EXPECT_EQ(log.size(), 0u);
    EXPECT_EQ(log.dropped(), 0u);
    recordCall(log, 9, 'z');
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log.at(0).sequence, 6u);
    EXPECT_EQ(log.at(0).before(0), "zzzzzzzz");
}

TEST(CallLog, TheDefaultBoundIsTheNewestHundredThousandCalls) {
    CallLog log;
    EXPECT_EQ(log.capacity(), 100'000u);
    for (int call = 0; call < 100'005; ++call) {
        recordCall(log, call, 'a');
    }
    EXPECT_EQ(log.size(), 100'000u);
    EXPECT_EQ(log.dropped(), 5u);
    EXPECT_EQ(log.at(0).result, 5);
    EXPECT_EQ(log.at(99'999).result, 100'004);
}

TEST(CallLog, RecordsTheBindingsCallsWithTheirBytesBeforeAndAfter) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk);
    CallLog log;
    log.install();
    fake.scriptText(EntryPoint::ConvertBLZKonto, 0, zalvo::account::kIban,
                    "DE89370400440532013000");
    fake.script(EntryPoint::GetDTAInfo, -3);
    fake.scriptWrite(EntryPoint::GetDTAInfo, 1, 0, std::string("\x07\0\0\0", 4));

    Record account(zalvo::account::kSize);
    account.putText(zalvo::account::kBankCode, "37040044");
    ASSERT_EQ(LibraryCall::call<EntryPoint::ConvertBLZKonto>(nullptr, CallReport::Nothing,
                                                             account.view()),
              0);
    Record info(zalvo::dtainfo::kSize);
    std::int32_t counter = 0;
    ASSERT_EQ(LibraryCall::call<EntryPoint::GetDTAInfo>(nullptr, CallReport::Nothing, info.view(),
                                                        zalvo::Counter(&counter, 1)),
              -3);

    ASSERT_EQ(log.size(), 2u);
    const auto& conversion = log.at(0);
    EXPECT_EQ(conversion.entry, EntryPoint::ConvertBLZKonto);
    ASSERT_EQ(conversion.argumentCount(), 1u);
    EXPECT_EQ(conversion.before(0).substr(0, 9), std::string("37040044\0", 9));
    EXPECT_EQ(conversion.before(0).substr(33, 4), std::string(4, '\0'));
    EXPECT_EQ(conversion.after(0).substr(33, 23), std::string("DE89370400440532013000\0", 23));
    EXPECT_GT(conversion.startMicroseconds, 0);

    const auto& walk = log.at(1);
    EXPECT_EQ(walk.result, -3);
    ASSERT_EQ(walk.argumentCount(), 2u);
    EXPECT_EQ(walk.before(0).size(), zalvo::dtainfo::kSize);
    EXPECT_EQ(walk.after(1), std::string("\x07\0\0\0", 4));

    // Uninstalled with the log, so the call step never reaches a dead observer.
    {
        CallLog shortLived;
        shortLived.install();
    }
    EXPECT_EQ(LibraryCall::observer(), nullptr);
}

TEST(RecordedCall, AZeroRecordAndAnUnchangedAnswerReadBackWhole) {
    RecordedCall call;
    const std::string zeros(zalvo::dtainfo::kSize, '\0');
    std::string filled = zeros;
    filled[100] = 'x';
    call.addBuffer(zeros);
    call.setAfter(0, filled);
    call.addBuffer("abc");
    call.setAfter(1, "abc");
    // Larger than a zero record may be kept as a flag: stored as bytes.
    const std::string large(RecordedCall::kMaxZeroRecord + 1, '\0');
    call.addBuffer(large);
    call.setAfter(2, large);
    call.addInteger(-7);

    EXPECT_TRUE(call.argument(0).beforeZero);
    EXPECT_EQ(call.before(0), zeros);
    EXPECT_EQ(call.after(0), filled);
    EXPECT_TRUE(call.argument(1).afterSame);
    EXPECT_EQ(call.before(1), "abc");
    EXPECT_EQ(call.after(1), "abc");
    EXPECT_FALSE(call.argument(2).beforeZero);
    EXPECT_EQ(call.after(2), large);
    EXPECT_EQ(call.argument(3).integer, -7);
    EXPECT_THROW(call.addInteger(1), std::length_error);

    // Reused for the next call, nothing of the old bytes shows.
    call.clearArguments();
    call.addBuffer("zz");
    call.setAfter(0, "zy");
    EXPECT_EQ(call.argumentCount(), 1u);
    EXPECT_EQ(call.before(0), "zz");
    EXPECT_EQ(call.after(0), "zy");
}
