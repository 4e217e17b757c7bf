#include "platform/DynamicLibrary.h"

#include "tests/support/FakeLibrary.h"
#include "tests/support/TempDirectory.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using platform::DynamicLibrary;
using testsupport::FakeLibrary;
using testsupport::FakeVariant;

namespace {

// Runs this test program again with the folder of the entry-point-less fake on the loader's
// search path (read only at process start), limited to `filter`. Returns the exit status and
// collects the output.
int runWithSystemPath(const std::string& filter, std::string& output) {
    const std::string folder = FakeLibrary::variantPath(FakeVariant::None).parent_path().string();
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        if (std::string_view(*variable).substr(0, 16) != "LD_LIBRARY_PATH=") {
            variables.emplace_back(*variable);
        }
    }
    variables.push_back("LD_LIBRARY_PATH=" + folder);
    std::vector<char*> environment;
    for (std::string& variable : variables) {
        environment.push_back(variable.data());
    }
    environment.push_back(nullptr);

    std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filterArgument = "--gtest_filter=" + filter;
    std::string disabledArgument = "--gtest_also_run_disabled_tests";
    char* argv[] = {program.data(), filterArgument.data(), disabledArgument.data(), nullptr};

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return -1;
    }
    std::array<char, 512> chunk{};
    ssize_t count = 0;
    while ((count = read(pipeEnds[0], chunk.data(), chunk.size())) > 0) {
        output.append(chunk.data(), static_cast<std::size_t>(count));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(DynamicLibrary, UnknownNameGivesNullAndAReason) {
    testsupport::TempDirectory empty;
    EXPECT_EQ(DynamicLibrary::open("NoSuchLibrary.dll"), nullptr);
    EXPECT_FALSE(DynamicLibrary::lastError().empty());
    EXPECT_EQ(DynamicLibrary::open(""), nullptr);
}

TEST(DynamicLibrary, SymbolOfANullModuleOrUnknownNameIsNull) {
    EXPECT_EQ(DynamicLibrary::symbol(nullptr, "Zalvotech_Init"), nullptr);
    FakeLibrary fake;
    void* module = DynamicLibrary::open("Zalvotech.dll");
    ASSERT_EQ(module, fake.module());
    EXPECT_NE(DynamicLibrary::symbol(module, "Zalvotech_Init"), nullptr);
    EXPECT_EQ(DynamicLibrary::symbol(module, "zalvotech_init"), nullptr);
}

TEST(DynamicLibrary, CurrentDirectoryFirstThenTheSystemSearch) {
    std::string output;
    EXPECT_EQ(runWithSystemPath("DynamicLibrarySearch.*", output), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 3 tests"), std::string::npos) << output;
}

// Run only by the test above, in a process whose loader path holds the entry-point-less
// fake, so a module found by the system search can be told from one in the current folder.
TEST(DynamicLibrarySearch, DISABLED_CurrentDirectoryWins) {
    FakeLibrary fake(FakeVariant::Full);
    void* module = DynamicLibrary::open("Zalvotech.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(DynamicLibrary::symbol(module, "Zalvotech_Init"), nullptr);
}

TEST(DynamicLibrarySearch, DISABLED_SystemSearchWhenTheCurrentDirectoryHasNone) {
    testsupport::TempDirectory empty;
    void* module = DynamicLibrary::open("Zalvotech.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(DynamicLibrary::symbol(module, "Zalvotech_Init"), nullptr);
    EXPECT_NE(DynamicLibrary::symbol(module, "Fake_Reset"), nullptr);
}

TEST(DynamicLibrarySearch, DISABLED_AFileInTheCurrentDirectoryThatFailsToLoadEndsTheSearch) {
    testsupport::TempDirectory folder;
    std::ofstream(folder.path() / "Zalvotech.dll", std::ios::binary) << "no shared object";
    EXPECT_EQ(DynamicLibrary::open("Zalvotech.dll"), nullptr);
    // The reason names the file that was tried, not one found elsewhere.
    EXPECT_NE(DynamicLibrary::lastError().find((folder.path() / "Zalvotech.dll").string()),
              std::string::npos)
        << DynamicLibrary::lastError();
}
