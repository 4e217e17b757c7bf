#include "platform/Clock.h"

#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "platform/SystemClock.h"

#include <gtest/gtest.h>

#include <ctime>
#include <typeinfo>

using platform::Clock;

TEST(Clock, SystemClockIsCurrentUntilReplacedAndAfterReset) {
    EXPECT_EQ(typeid(Clock::current()), typeid(platform::SystemClock));
    platform::FixedClock fixed({2026, 12, 7, 15, 42, 6}, 123456789, '.');
    Clock::setCurrent(fixed);
    EXPECT_EQ(&Clock::current(), &fixed);
    EXPECT_EQ(Clock::current().now().day, 7);
    EXPECT_EQ(Clock::current().tickCount(), 123456789u);
    EXPECT_EQ(Clock::current().timeSeparator(), '.');
    Clock::resetCurrent();
    EXPECT_EQ(typeid(Clock::current()), typeid(platform::SystemClock));
}

TEST(Clock, ScopedClockRestoresTheSystemClock) {
    platform::FixedClock fixed;
    {
        const platform::ScopedClock scoped(fixed);
        EXPECT_EQ(&Clock::current(), &fixed);
        fixed.setTickCount(42);
        EXPECT_EQ(Clock::current().tickCount(), 42u);
    }
    EXPECT_NE(&Clock::current(), &fixed);
}

TEST(SystemClock, LocalTimeMatchesTheCLibrary) {
    const platform::SystemClock clock;
    const std::time_t before = std::time(nullptr);
    const platform::LocalDateTime now = clock.now();
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &before);
#else
    localtime_r(&before, &parts);
#endif
    // Both readings lie within a few seconds; the date differs only across midnight.
    EXPECT_EQ(now.year, parts.tm_year + 1900);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_LE(now.hour, 23);
    EXPECT_LE(now.minute, 59);
    EXPECT_LE(now.second, 59);
}

TEST(SystemClock, TicksDoNotGoBackAndCLocaleSeparatorIsColon) {
    const platform::SystemClock clock;
    const std::uint32_t first = clock.tickCount();
    const std::uint32_t second = clock.tickCount();
    EXPECT_LE(static_cast<std::uint32_t>(second - first), 1000u);
    // Tests run in the "C" locale, whose time format is %H:%M:%S.
    EXPECT_EQ(clock.timeSeparator(), ':');
}
