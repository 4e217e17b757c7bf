// The main() of the Windows test programs. GoogleTest's own printer hands every failure and
// skip to OutputDebugStringA as well; under the emulated 32-bit Wine of the build, the
// exception behind that call cannot be unwound and ends the program (see
// docs/decisions/windows.md). This printer writes the same lines to the console alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

const char* kindOf(const testing::TestPartResult& result) {
    switch (result.type()) {
    case testing::TestPartResult::kSkip:
        return "Skipped";
    case testing::TestPartResult::kSuccess:
        return "Success";
    default:
        return "Failure";
    }
}

// Forwards every event to GoogleTest's printer except the results of test parts.
class ConsoleOnlyPrinter : public testing::TestEventListener {
public:
    explicit ConsoleOnlyPrinter(testing::TestEventListener* printer) : m_printer(printer) {}

    void OnTestProgramStart(const testing::UnitTest& test) override {
        m_printer->OnTestProgramStart(test);
    }
    void OnTestIterationStart(const testing::UnitTest& test, int iteration) override {
        m_printer->OnTestIterationStart(test, iteration);
    }
    void OnEnvironmentsSetUpStart(const testing::UnitTest& test) override {
        m_printer->OnEnvironmentsSetUpStart(test);
    }
    void OnEnvironmentsSetUpEnd(const testing::UnitTest& test) override {
        m_printer->OnEnvironmentsSetUpEnd(test);
    }
    void OnTestSuiteStart(const testing::TestSuite& suite) override {
        m_printer->OnTestSuiteStart(suite);
    }
    void OnTestStart(const testing::TestInfo& info) override { m_printer->OnTestStart(info); }
    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (result.type() == testing::TestPartResult::kSuccess)
            return;
        std::printf("%s:%d: %s\n%s\n", result.file_name() ? result.file_name() : "unknown file",
                    result.line_number(), kindOf(result), result.message());
        std::fflush(stdout);
    }
    void OnTestEnd(const testing::TestInfo& info) override { m_printer->OnTestEnd(info); }
    void OnTestSuiteEnd(const testing::TestSuite& suite) override {
        m_printer->OnTestSuiteEnd(suite);
    }
    void OnEnvironmentsTearDownStart(const testing::UnitTest& test) override {
        m_printer->OnEnvironmentsTearDownStart(test);
    }
    void OnEnvironmentsTearDownEnd(const testing::UnitTest& test) override {
        m_printer->OnEnvironmentsTearDownEnd(test);
    }
    void OnTestIterationEnd(const testing::UnitTest& test, int iteration) override {
        m_printer->OnTestIterationEnd(test, iteration);
    }
    void OnTestProgramEnd(const testing::UnitTest& test) override {
        m_printer->OnTestProgramEnd(test);
    }

private:
    std::unique_ptr<testing::TestEventListener> m_printer;
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    listeners.Append(new ConsoleOnlyPrinter(listeners.Release(listeners.default_result_printer())));
    return RUN_ALL_TESTS();
}
