#include "abi/RecordLayouts.h"
#include "app/CallLogModel.h"
#include "app/TCallLogForm.h"
#include "calllog/CallLog.h"

#include <QLabel>
#include <QTableView>
#include <QTest>
#include <array>
#include <gtest/gtest.h>

using zalvo::EntryPoint;
using zalvo::calllog::CallLog;

namespace {

void recordVersionCall(CallLog& log, std::int32_t result) {
    std::string record(zalvo::version::kSize, '\0');
    const std::array arguments{zalvo::CallArgument{{record.data(), record.size()}, 0, true}};
    log.beforeCall(EntryPoint::Version, arguments);
    log.afterCall(EntryPoint::Version, arguments, result, std::chrono::steady_clock::now(),
                  std::chrono::microseconds(12));
}

} // namespace

TEST(CallLogWindow, RowsTheRingDroppedLeaveTheTopAndTheNoteCountsThem) {
    CallLog log(3);
    TCallLogForm window(log, nullptr);
    window.show();
    auto* calls = window.findChild<QTableView*>(QStringLiteral("Calls"));
    auto* note = window.findChild<QLabel*>(QStringLiteral("SDropped"));
    ASSERT_TRUE(calls && note);
    EXPECT_TRUE(note->text().isEmpty());

    for (std::int32_t result = 1; result <= 2; ++result) {
        recordVersionCall(log, -result);
    }
    window.model().refresh();
    ASSERT_EQ(calls->model()->rowCount(), 2);
    for (std::int32_t result = 3; result <= 5; ++result) {
        recordVersionCall(log, -result);
    }
    // The timer catches up by itself.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !note->text().isEmpty(); }));
    ASSERT_EQ(calls->model()->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(calls->model()->index(row, CallLogModel::Result).data().toString(),
                  QString::number(-(row + 3)));
        EXPECT_EQ(calls->model()->index(row, CallLogModel::Duration).data().toString(),
                  QStringLiteral("12"));
    }
    EXPECT_EQ(note->text(),
              QString::fromUtf8("2 ältere Aufrufe verworfen (es bleiben die neuesten 3)"));

    window.model().clear();
    EXPECT_EQ(calls->model()->rowCount(), 0);
    EXPECT_TRUE(note->text().isEmpty());
}
