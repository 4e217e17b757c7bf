#include "helpers/DateHelpers.h"
#include "helpers/NumberHelpers.h"
#include "helpers/TextHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

// Random inputs with a fixed seed: the routines must neither crash (the sanitizer build runs
// this too) nor give a result longer than their bound, and the results must stay consistent.
namespace {

constexpr int kIterations = 20000;

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_engine(seed) {}

    int number(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_engine);
    }

    // Mostly characters that matter to the routines, some of every other byte.
    std::string text(int maxLength) {
        static constexpr std::string_view kInteresting = "0123456789.,- \t\r\n\v\f";
        std::string result(static_cast<std::size_t>(number(0, maxLength)), ' ');
        for (char& c : result) {
            if (number(0, 3) > 0)
                c = kInteresting[static_cast<std::size_t>(number(0, kInteresting.size() - 1))];
            else
                c = static_cast<char>(number(0, 255));
        }
        return result;
    }

    long double value() {
        switch (number(0, 3)) {
        case 0: // any bit pattern: NaN, infinities, subnormals, huge values
            return std::bit_cast<double>(std::uniform_int_distribution<std::uint64_t>()(m_engine));
        case 1:
            return std::uniform_real_distribution<double>(-1e15, 1e15)(m_engine);
        case 2:
            return number(-100000, 100000) / 100.0L;
        default:
            return DecimalTextToNumber(text(40));
        }
    }

private:
    std::mt19937 m_engine;
};

bool isWhiteSpaceByte(char c) {
    return IsWhiteSpace(c);
}

} // namespace

TEST(HelpersRandomized, TrimTextStaysWithinItsInput) {
    Generator gen(20261207);
    for (int i = 0; i < kIterations; ++i) {
        const std::string input = gen.text(300);
        const std::string trimmed = TrimText(input);
        ASSERT_LE(trimmed.size(), kShortTextMax);
        if (trimmed.empty())
            continue;
        ASSERT_FALSE(isWhiteSpaceByte(trimmed.front()));
        ASSERT_FALSE(isWhiteSpaceByte(trimmed.back()));
        ASSERT_NE(input.substr(0, kShortTextMax).find(trimmed), std::string::npos);
        ASSERT_EQ(TrimText(trimmed), trimmed);
    }
}

TEST(HelpersRandomized, DecimalTextToNumberIsFiniteAndNeedsADigit) {
    Generator gen(4711);
    for (int i = 0; i < kIterations; ++i) {
        const std::string input = gen.text(120);
        const long double value = DecimalTextToNumber(input);
        ASSERT_TRUE(std::isfinite(value));
        // At most 80 characters can hold at most 80 digits.
        ASSERT_LT(std::fabs(value), 1e81L);
        if (value != 0) {
            const std::string head = input.substr(0, kNumberTextMax);
            ASSERT_NE(head.find_first_of("123456789"), std::string::npos) << input;
        }
    }
}

TEST(HelpersRandomized, NormalizeDateTextGivesAtMostEightCharacters) {
    Generator gen(1600);
    for (int i = 0; i < kIterations; ++i) {
        const std::string result = NormalizeDateText(gen.text(20));
        ASSERT_LE(result.size(), 8u);
        ASSERT_EQ(result.find_first_of(" ."), std::string::npos) << result;
    }
}

TEST(HelpersRandomized, FormatNumberHasExactlyItsWidthAndReadsBack) {
    Generator gen(30);
    int readBack = 0;
    for (int i = 0; i < kIterations; ++i) {
        // Mostly the widths and decimals callers use, sometimes anything.
        const bool wild = gen.number(0, 3) == 0;
        const int width = wild ? gen.number(-5, 300) : gen.number(1, 30);
        const int decimals = wild ? gen.number(-3, 70) : gen.number(0, 6);
        const bool grouping = gen.number(0, 1) == 1;
        const long double value = gen.value();
        const std::string text = FormatNumber(width, decimals, grouping, value);
        ASSERT_EQ(text.size(), static_cast<std::size_t>(std::clamp(width, 0, 30)));

        const bool overflow = !text.empty() && text.find_first_not_of('$') == std::string::npos;
        if (text.empty() || overflow || width > 30 || decimals > 6 || !std::isfinite(value) ||
            std::fabs(value) > 1e15L)
            continue;
        // What fits reads back as the value rounded to its decimals.
        const long double back = DecimalTextToNumber(DeleteChars(text, "."));
        const long double tolerance =
            0.5L * std::pow(10.0L, -static_cast<long double>(std::max(decimals, 0))) +
            std::fabs(value) * 1e-15L;
        ASSERT_LE(std::fabs(back - value), tolerance)
            << "FormatNumber(" << width << ", " << decimals << ", " << grouping << ", "
            << static_cast<double>(value) << ") = '" << text << "'";
        ++readBack;
    }
    // The read-back check must really have run on a good share of the inputs.
    EXPECT_GT(readBack, kIterations / 10);
}

TEST(HelpersRandomized, FormatCentsFitsItsField) {
    Generator gen(100);
    std::mt19937_64 engine(100);
    for (int i = 0; i < kIterations; ++i) {
        const auto value = static_cast<std::int64_t>(engine() >> gen.number(0, 63));
        const bool cents = gen.number(0, 1) == 1;
        const std::string text = FormatCents(cents, value);
        ASSERT_FALSE(text.empty());
        ASSERT_LE(text.size(), 15u);
    }
}
